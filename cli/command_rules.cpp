// numsift-cli rules SCHEME DRAWS [--last N]: how each rule of the scheme
// would have done over the draws (all, or the newest N, the earlier ones
// still counting as history), judged on draws it had not seen and beside
// the exact chance of its kills: one tab-separated line per rule.
#include "analysis/rule_figures.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/rule_inputs.h"
#include "cli/run_inputs.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"last", "N", "只评估最近 N 期（之前的开奖仍作为规则的历史）"},
};
constexpr ArgumentSpec kArguments[] = {
    {"SCHEME.json", "方案文件，其中的规则（rules）逐条评估"},
    {"DRAWS.txt", "历史开奖，每行一期，或带表头的 CSV（- 为标准输入）；按期号排序"},
};

int rules(const CommandLine& line) {
    const std::optional<DrawRange> range = rangeOption(line, "rules");
    if (!range) return 2;
    const std::optional<RunInputs> in = loadRunInputs(line.arguments()[0], "");
    if (!in) return 2;
    if (in->scheme.rules.empty()) return fail(in->schemePath, "方案中没有规则（rules）");
    const std::optional<HistoryInput> history = readHistoryInput(line.arguments()[1]);
    if (!history) return 2;
    const auto figures = ruleFigures(in->scheme.rules, history->values, range->in(history->values.size()));
    writeOut(ruleFiguresTable(in->scheme.rules, *figures, "\n"));
    return 0;
}

}  // namespace

constinit const Command kRulesCommand = {
    "rules",
    "rules SCHEME.json DRAWS.txt [--last N]",
    "规则评估：方案中每条规则在历史上的命中率、理论命中率、p值、连对连错和下期杀号",
    kOptions,
    kArguments,
    rules,
};

}  // namespace numsift::cli
