// numsift-cli backtest SCHEME DRAWS [--base FILE] [--what-if]: the scheme's result checked
// against past draws. Prints the per-draw table, the summary and the
// per-condition table, tab-separated, sections divided by an empty line; with
// --what-if the what-if tables instead (tolerance bands, each condition off).
#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "analysis/analysis_text.h"
#include "analysis/backtest.h"
#include "analysis/draw_store.h"
#include "analysis/what_if.h"
#include "cli/analysis_args.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/rule_inputs.h"
#include "conditions/run_order.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    kAnalysisBaseOption,
    {"what-if", nullptr, "只输出假如表：各容错档和逐一关闭每个条件时的结果注数和保留期数"},
};
constexpr ArgumentSpec kArguments[] = {
    {"SCHEME.json", "方案文件（格式见 docs/scheme-format.md）"},
    {"DRAWS.txt",
     "历史开奖，每行一期，例如 2026120 35789，或带表头的 CSV（- "
     "为标准输入）；按期号排序，同一期号只取第一次"},
};

int backtestDraws(const CommandLine& line) {
    std::optional<AnalysisArgs> args = readAnalysisArgs(line);
    if (!args) return 2;
    std::optional<std::string> text = readInput(args->second);
    if (!text) return 2;
    // Read as the window's history reads them: by issue, the first of an
    // issue kept.
    const DrawList history = DrawList::inOrder(*text);
    text.reset();
    if (history.empty()) {
        std::string problem = "没有开奖号码（每行一期，例如 2026120 35789）";
        if (!history.note().empty()) problem += "；" + history.note();
        return fail(args->second, problem);
    }
    if (!history.note().empty())
        std::fprintf(stderr, "numsift-cli: %s: %s\n", args->second.c_str(), history.note().c_str());
    // Rules learn from the same draws: today's panel, kills for the next
    // draw, checked against the draws that chose them. Said plainly, with
    // where the honest figure is.
    if (!args->scheme.rules.empty()) {
        const HistoryInput past{history.values(), {}};
        addRuleKills(args->scheme, line.arguments()[0], past, args->second);
        std::fprintf(stderr,
                     "numsift-cli: %s: 规则的杀号学自这些开奖，此处的保留率偏乐观；逐期只用此前开奖的结果见 "
                     "numsift-cli walk\n",
                     line.arguments()[0].c_str());
    }
    const RunResult run = runFilter(args->scheme.input, args->base, args->scheme.grouping());
    if (line.has("what-if")) {
        std::vector<Draw> draws;
        draws.reserve(history.size());
        for (std::size_t i = 0; i < history.size(); ++i) draws.push_back(history.draw(i));
        const BacktestReport report = backtestRun(run, runOrder(), args->scheme.input, draws);
        writeOut(whatIfText(whatIf(run, report), report, "\n"));
        return 0;
    }
    // A batch of draws at a time, each batch's rows written and dropped: a
    // long file costs the memory of its draws, not of their outcomes.
    constexpr std::size_t kBatch = 1 << 16;
    BacktestBatches batches(run, runOrder(), args->scheme.input);
    std::vector<Draw> batch;
    for (std::size_t at = 0; at < history.size(); at += kBatch) {
        batch.clear();
        for (std::size_t i = at; i < std::min(history.size(), at + kBatch); ++i)
            batch.push_back(history.draw(i));
        const std::string rows = backtestDrawTable(batches.add(batch), "\n");
        // The table's header once, above the first batch's rows.
        writeOut(at == 0 ? std::string_view(rows) : std::string_view(rows).substr(rows.find('\n') + 1));
    }
    const BacktestReport report = batches.finish();
    std::string out = "\n";
    out += backtestSummaryText(report, "\n");
    out += '\n';
    out += backtestColumnTable(report, "\n");
    writeOut(out);
    return 0;
}

}  // namespace

constinit const Command kBacktestCommand = {
    "backtest",
    "backtest SCHEME.json DRAWS.txt [--base FILE] [--what-if]",
    "历史验证：方案在每期开奖上是否保留、未通过哪些条件，及汇总",
    kOptions,
    kArguments,
    backtestDraws,
};

}  // namespace numsift::cli
