// numsift-cli run SCHEME.json [--base FILE] [--width N | --csv]: the result
// set of the scheme, one number per line or N per line joined by one blank;
// or, with --csv, each result number with its fail count and failed
// conditions as CSV.
#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/rule_inputs.h"
#include "cli/run_inputs.h"
#include "results/result_csv.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"base", "FILE", "大底：只在文件中的号码里缩水（默认全部 10 万注）"},
    {"width", "N", "每行 N 注，1–100000（默认 1）"},
    {"csv", nullptr, "输出 CSV：每注号码的错误数、未通过的条件（及其分组）"},
    kRuleDrawsOption,
};
constexpr ArgumentSpec kArguments[] = {{"SCHEME.json", "方案文件（格式见 docs/scheme-format.md）"}};

int run(const CommandLine& line) {
    const bool csv = line.has("csv");
    const std::optional<long> width = widthOption(line, "run");
    if (!width) return 2;
    if (csv && line.value("width")) return fail("run", "--csv 与 --width 不能同时使用");
    std::optional<RunInputs> in = loadRunInputs(line.arguments()[0], line.value("base").value_or(""));
    if (!in || !addRuleKills(in->scheme, in->schemePath, line.value("draws"))) return 2;

    const RunResult r = runFilter(in->scheme.input, in->base, in->scheme.grouping());
    if (csv)
        writeOut(resultCsv(r, "\n", CsvStyle::Plain));
    else
        writeNumbers(r.result, *width);
    flushOut();
    std::fprintf(stderr, "kept %zu of %zu\n", r.result.size(), r.table.size());
    return 0;
}

}  // namespace

constinit const Command kRunCommand = {
    "run",
    "run SCHEME.json [--base FILE] [--width N | --csv] [--draws FILE]",
    "按方案文件缩水，输出结果号码，每行一注（--width N 每行 N 注；--csv 输出每注的错误数和未通过的条件）",
    kOptions,
    kArguments,
    run,
};

}  // namespace numsift::cli
