#include "cli/analysis_args.h"

#include <string_view>
#include <vector>

#include "cli/cli_common.h"

namespace numsift::cli {

std::optional<AnalysisArgs> readAnalysisArgs(const char* command, const char* usage, int argc, char** argv) {
    std::vector<std::string> positional;
    std::optional<std::string> basePath;
    for (int i = 0; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--base") {
            if (i + 1 >= argc || basePath) {
                fail(command, std::string("用法: numsift-cli ") + usage);
                return std::nullopt;
            }
            basePath = argv[++i];
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            fail(command, std::string("未知选项 ") + std::string(a) + "（用法: numsift-cli " + usage + "）");
            return std::nullopt;
        } else {
            positional.emplace_back(a);
        }
    }
    if (positional.size() != 2) {
        fail(command, std::string("用法: numsift-cli ") + usage);
        return std::nullopt;
    }
    AnalysisArgs args;
    const std::optional<std::string> json = readInput(positional[0]);
    if (!json) return std::nullopt;
    const SchemeLoad load = loadScheme(*json);
    if (!load.ok) {
        fail(positional[0], load.error);
        return std::nullopt;
    }
    args.scheme = load.scheme;
    if (basePath) {
        const std::optional<std::string> text = readInput(*basePath);
        if (!text) return std::nullopt;
        args.base = parseNumbers(*text);
        if (args.base.empty()) {
            // An empty base would silently mean all 100,000 numbers.
            fail(*basePath, "大底文件中没有五位数号码");
            return std::nullopt;
        }
    }
    args.second = positional[1];
    return args;
}

}  // namespace numsift::cli
