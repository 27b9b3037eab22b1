// numsift-cli run SCHEME.json [--base FILE] [--width N]: the result set of
// the scheme, one number per line or N per line joined by one blank.
#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/run_inputs.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"base", "FILE", "大底：只在文件中的号码里缩水（默认全部 10 万注）"},
    {"width", "N", "每行 N 注，1–100000（默认 1）"},
};
constexpr ArgumentSpec kArguments[] = {{"SCHEME.json", "方案文件（格式见 docs/scheme-format.md）"}};

int run(const CommandLine& line) {
    long width = 1;
    if (const std::optional<std::string> value = line.value("width")) {
        const std::optional<long> w = parseInteger(*value, 1, 100000);
        if (!w) return fail("run", "--width 应为 1–100000 的整数，而不是 \"" + *value + "\"");
        width = *w;
    }
    const std::optional<RunInputs> in = loadRunInputs(line.arguments()[0], line.value("base").value_or(""));
    if (!in) return 2;

    const RunResult r = runFilter(in->scheme.input, in->base, in->scheme.tolerance);
    std::string out;
    out.resize(r.result.size() * 6);
    char* p = out.data();
    for (std::size_t i = 0; i < r.result.size(); ++i) {
        writeNumber(r.result[i], p);
        p[5] = (static_cast<long>(i + 1) % width == 0 || i + 1 == r.result.size()) ? '\n' : ' ';
        p += 6;
    }
    writeOut(out);
    std::fflush(stdout);
    std::fprintf(stderr, "kept %zu of %zu\n", r.result.size(), r.table.size());
    return 0;
}

}  // namespace

constinit const Command kRunCommand = {
    "run",
    "run SCHEME.json [--base FILE] [--width N]",
    "按方案文件缩水，输出结果号码，每行一注（--width N 每行 N 注）",
    kOptions,
    kArguments,
    run,
};

}  // namespace numsift::cli
