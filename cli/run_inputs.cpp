#include "cli/run_inputs.h"

#include "cli/cli_common.h"

namespace numsift::cli {

std::optional<RunInputs> loadRunInputs(const std::string& schemePath, const std::string& basePath) {
    RunInputs in;
    in.schemePath = schemePath;
    const std::optional<std::string> schemeText = readInput(schemePath);
    if (!schemeText) return std::nullopt;
    SchemeLoad load = loadScheme(*schemeText);
    if (!load.ok) {
        fail(schemePath, load.error);
        return std::nullopt;
    }
    in.scheme = std::move(load.scheme);
    if (!basePath.empty()) {
        const std::optional<std::string> baseText = readInput(basePath);
        if (!baseText) return std::nullopt;
        in.base = parseNumbers(*baseText);
        // A base file without a single number would silently widen the run
        // to all 100,000 numbers; it is refused as the window's import is.
        if (in.base.empty()) {
            fail(basePath, "文件中没有五位号码，不能作为大底");
            return std::nullopt;
        }
    }
    return in;
}

std::optional<long> widthOption(const CommandLine& line, const char* command) {
    const std::optional<std::string> value = line.value("width");
    if (!value) return 1;
    const std::optional<long> width = parseInteger(*value, 1, 100000);
    if (!width) fail(command, "--width 应为 1–100000 的整数，而不是 \"" + *value + "\"");
    return width;
}

}  // namespace numsift::cli
