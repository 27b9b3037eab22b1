#include "cli/analysis_args.h"

#include <string_view>
#include <vector>

#include "cli/cli_common.h"
#include "cli/run_inputs.h"

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
    if (basePath && basePath->empty()) {
        fail(command, std::string("--base 缺少文件名（用法: numsift-cli ") + usage + "）");
        return std::nullopt;
    }
    std::optional<RunInputs> in = loadRunInputs(positional[0], basePath.value_or(std::string()));
    if (!in) return std::nullopt;
    AnalysisArgs args;
    args.scheme = std::move(in->scheme);
    args.base = std::move(in->base);
    args.second = positional[1];
    return args;
}

}  // namespace numsift::cli
