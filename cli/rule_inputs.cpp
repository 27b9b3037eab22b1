#include "cli/rule_inputs.h"

#include <algorithm>
#include <cstdio>

#include "analysis/draw_store.h"
#include "analysis/rule_figures.h"
#include "analysis/rule_kills.h"
#include "cli/cli_common.h"

namespace numsift::cli {

namespace {

void note(const std::string& what, const std::string& text) {
    std::fprintf(stderr, "numsift-cli: %s: %s\n", what.c_str(), text.c_str());
}

}  // namespace

std::optional<HistoryInput> readHistoryInput(const std::string& path) {
    const std::optional<std::string> text = readInput(path);
    if (!text) return std::nullopt;
    const DrawHistory parsed = parseDraws(*text);
    const OrderedDraws ordered = drawsInOrder(parsed);
    if (ordered.values.empty()) {
        std::string problem = "没有开奖号码（每行一期，例如 2026120 35789）";
        if (!ordered.note.empty()) problem += "；" + ordered.note;
        fail(path, problem);
        return std::nullopt;
    }
    if (!ordered.note.empty()) note(path, ordered.note);
    HistoryInput in;
    in.values = ordered.values;
    const bool numbered =
        std::any_of(parsed.draws.begin(), parsed.draws.end(), [](const Draw& d) { return !d.issue.empty(); });
    if (numbered) {
        DrawStore store;
        store.merge(parsed);
        for (const KeptDraw& d : store.draws()) in.issues.push_back(d.issue);
    } else {
        in.issues.assign(in.values.size(), std::string());
    }
    return in;
}

void addRuleKills(Scheme& scheme, const std::string& schemePath, const HistoryInput& history,
                  const std::string& historyPath) {
    if (scheme.rules.empty()) return;
    const std::vector<ValueMask> kills = nextDrawKills(scheme.rules, history.values);
    scheme.input = withRuleKills(scheme.input, killsByControl(scheme.rules, kills));
    std::string said = std::to_string(scheme.rules.size()) + " 条规则按 " + historyPath + " 的 " +
                       std::to_string(history.values.size()) + " 期算出下期杀号：";
    for (std::size_t r = 0; r < kills.size(); ++r)
        said += (r ? "，" : "") + killRuleCaption(scheme.rules[r]) + " 杀 " + valuesText(kills[r]);
    note(schemePath, said);
}

bool addRuleKills(Scheme& scheme, const std::string& schemePath,
                  const std::optional<std::string>& drawsPath) {
    if (scheme.rules.empty()) return true;
    if (!drawsPath) {
        note(schemePath, "方案有 " + std::to_string(scheme.rules.size()) +
                             " 条规则，但没有历史开奖（--draws FILE），规则未杀号");
        return true;
    }
    const std::optional<HistoryInput> history = readHistoryInput(*drawsPath);
    if (!history) return false;
    addRuleKills(scheme, schemePath, *history, *drawsPath);
    return true;
}

}  // namespace numsift::cli
