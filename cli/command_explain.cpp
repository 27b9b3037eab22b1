// numsift-cli explain SCHEME NUMBER [--base FILE]: why one number is kept or
// killed by the scheme — every active check with its verdict, the fail
// count against the tolerance, and the base set.
#include "analysis/analysis_text.h"
#include "analysis/explain.h"
#include "cli/analysis_args.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/rule_inputs.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {kAnalysisBaseOption, kRuleDrawsOption};
constexpr ArgumentSpec kArguments[] = {
    {"SCHEME.json", "方案文件（格式见 docs/scheme-format.md）"},
    {"NUMBER", "要诊断的五位数号码，例如 35789"},
};

int explainNumber(const CommandLine& line) {
    std::optional<AnalysisArgs> args = readAnalysisArgs(line);
    if (!args || !addRuleKills(args->scheme, line.arguments()[0], line.value("draws"))) return 2;
    const std::optional<std::uint32_t> value = parseSingleNumber(args->second);
    if (!value) return fail(args->second, "不是五位数号码");
    const Explanation e = explain(args->scheme.input, args->base, args->scheme.grouping(), *value);
    writeOut(explainText(e, "\n"));
    return 0;
}

}  // namespace

constinit const Command kExplainCommand = {
    "explain",
    "explain SCHEME.json NUMBER [--base FILE] [--draws FILE]",
    "号码诊断：一个号码未通过哪些条件、错误数、是否在大底中",
    kOptions,
    kArguments,
    explainNumber,
};

}  // namespace numsift::cli
