// numsift-cli run SCHEME.json [--base FILE] [--width N]: the result set of
// the scheme, one number per line or N per line joined by one blank.
#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/run_inputs.h"

namespace numsift::cli {

namespace {

constexpr const char* kUsage = "用法: numsift-cli run SCHEME.json [--base FILE] [--width N]";

}  // namespace

int commandRun(int argc, char** argv) {
    std::string scheme, base;
    long width = 1;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--base" || arg == "--width") {
            if (i + 1 >= argc) return fail("run", std::string(arg) + " 缺少参数；" + kUsage);
            const std::string value = argv[++i];
            if (arg == "--base") {
                base = value;
            } else if (const auto w = parseInteger(value, 1, 100000)) {
                width = *w;
            } else {
                return fail("run", "--width 应为 1–100000 的整数，而不是 \"" + value + "\"");
            }
        } else if (arg.size() > 1 && arg.starts_with("-")) {
            return fail("run", "未知的选项 " + std::string(arg) + "；" + kUsage);
        } else if (scheme.empty()) {
            scheme = std::string(arg);
        } else {
            return fail("run", std::string("多余的参数 ") + std::string(arg) + "；" + kUsage);
        }
    }
    if (scheme.empty()) return fail("run", kUsage);
    const std::optional<RunInputs> in = loadRunInputs(scheme, base);
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

}  // namespace numsift::cli
