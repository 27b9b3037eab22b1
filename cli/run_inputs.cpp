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

}  // namespace numsift::cli
