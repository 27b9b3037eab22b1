// numsift-cli backtest SCHEME DRAWS [--base FILE] [--what-if]: the scheme's result checked
// against past draws. Prints the per-draw table, the summary and the
// per-condition table, tab-separated, sections divided by an empty line; with
// --what-if the what-if tables instead (tolerance bands, each condition off).
#include <cstdio>

#include "analysis/analysis_text.h"
#include "analysis/backtest.h"
#include "analysis/draw_store.h"
#include "analysis/what_if.h"
#include "cli/analysis_args.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
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
    const std::optional<AnalysisArgs> args = readAnalysisArgs(line);
    if (!args) return 2;
    const std::optional<std::string> text = readInput(args->second);
    if (!text) return 2;
    // Read as the window's history reads them: by issue, the first of an
    // issue kept.
    const OrderedDraws history = drawsInOrder(parseDraws(*text));
    if (history.draws.empty()) {
        std::string problem = "没有开奖号码（每行一期，例如 2026120 35789）";
        if (!history.note.empty()) problem += "；" + history.note;
        return fail(args->second, problem);
    }
    if (!history.note.empty())
        std::fprintf(stderr, "numsift-cli: %s: %s\n", args->second.c_str(), history.note.c_str());
    const RunResult run = runFilter(args->scheme.input, args->base, args->scheme.grouping());
    const BacktestReport report = backtestRun(run, runOrder(), args->scheme.input, history.draws);
    if (line.has("what-if")) {
        writeOut(whatIfText(whatIf(run, report), report, "\n"));
        return 0;
    }
    std::string out = backtestDrawTable(report, "\n");
    out += '\n';
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
