// numsift-cli report SCHEME.json [--base FILE]: one line per column the run
// appended, in run order (step, caption, candidates marked), then the kept
// count.
#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/run_inputs.h"

namespace numsift::cli {

namespace {

constexpr const char* kUsage = "用法: numsift-cli report SCHEME.json [--base FILE]";

}  // namespace

int commandReport(int argc, char** argv) {
    std::string scheme, base;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--base") {
            if (i + 1 >= argc) return fail("report", std::string("--base 缺少参数；") + kUsage);
            base = argv[++i];
        } else if (arg.size() > 1 && arg.starts_with("-")) {
            return fail("report", "未知的选项 " + std::string(arg) + "；" + kUsage);
        } else if (scheme.empty()) {
            scheme = std::string(arg);
        } else {
            return fail("report", std::string("多余的参数 ") + std::string(arg) + "；" + kUsage);
        }
    }
    if (scheme.empty()) return fail("report", kUsage);
    const std::optional<RunInputs> in = loadRunInputs(scheme, base);
    if (!in) return 2;

    const RunResult r = runFilter(in->scheme.input, in->base, in->scheme.tolerance);
    std::string out;
    for (const CheckColumn& c : r.matrix.columns())
        out += std::to_string(c.step) + "\t" + c.caption + "\t" + std::to_string(c.markedCount()) + "\n";
    out += "kept " + std::to_string(r.result.size()) + " of " + std::to_string(r.table.size()) + "\n";
    writeOut(out);
    return 0;
}

}  // namespace numsift::cli
