// numsift-cli walk SCHEME DRAWS [--last N] [--base FILE]: the scheme played
// draw by draw ("滚动验证"), its rules' kills at each draw made from the
// draws before it only: per draw the result size and whether the draw was
// kept, then the summary (cost, prize and return beside the chance return).
#include "analysis/walk_forward.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/rule_inputs.h"
#include "cli/run_inputs.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"last", "N", "只验证最近 N 期（之前的开奖仍作为规则的历史）"},
    {"base", "FILE", "大底：只在文件中的号码里缩水（默认全部 10 万注）"},
};
constexpr ArgumentSpec kArguments[] = {
    {"SCHEME.json", "方案文件（格式见 docs/scheme-format.md）"},
    {"DRAWS.txt", "历史开奖，每行一期，或带表头的 CSV（- 为标准输入）；按期号排序"},
};

int walk(const CommandLine& line) {
    const std::optional<DrawRange> range = rangeOption(line, "walk");
    if (!range) return 2;
    const std::optional<RunInputs> in = loadRunInputs(line.arguments()[0], line.value("base").value_or(""));
    if (!in) return 2;
    const std::optional<HistoryInput> history = readHistoryInput(line.arguments()[1]);
    if (!history) return 2;
    const auto report = walkForward(in->scheme, in->base, history->values, range->in(history->values.size()));
    std::string out = walkDrawTable(*report, history->issues, "\n");
    out += '\n';
    out += walkSummaryText(report->summary, "\n");
    writeOut(out);
    return 0;
}

}  // namespace

constinit const Command kWalkCommand = {
    "walk",
    "walk SCHEME.json DRAWS.txt [--last N] [--base FILE]",
    "滚动验证：逐期用此前的开奖算出规则杀号，看该期是否保留，及投入、奖金和回报率",
    kOptions,
    kArguments,
    walk,
};

}  // namespace numsift::cli
