#include "cli/run_inputs.h"

#include <QString>

#include "cli/cli_common.h"
#include "io/scheme_file.h"

namespace numsift::cli {

namespace {

// The scheme file at path ("-": standard input, read as every input is).
std::optional<Scheme> readScheme(const std::string& path) {
    SchemeFileRead read;
    if (path == "-") {
        const std::optional<std::string> text = readInput(path);
        if (!text) return std::nullopt;
        read = schemeOfText(*text);
    } else {
        read = readSchemeFile(QString::fromLocal8Bit(path.c_str()));
    }
    if (!read.ok()) {
        fail(path, read.error);
        return std::nullopt;
    }
    return std::move(read.scheme);
}

}  // namespace

std::optional<RunInputs> loadRunInputs(const std::string& schemePath, const std::string& basePath) {
    RunInputs in;
    in.schemePath = schemePath;
    std::optional<Scheme> scheme = readScheme(schemePath);
    if (!scheme) return std::nullopt;
    in.scheme = std::move(*scheme);
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
