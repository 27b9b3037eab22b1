#include "cli/analysis_args.h"

#include "cli/run_inputs.h"

namespace numsift::cli {

std::optional<AnalysisArgs> readAnalysisArgs(const CommandLine& line) {
    std::optional<RunInputs> in = loadRunInputs(line.arguments()[0], line.value("base").value_or(""));
    if (!in) return std::nullopt;
    AnalysisArgs args;
    args.scheme = std::move(in->scheme);
    args.base = std::move(in->base);
    args.second = line.arguments()[1];
    return args;
}

}  // namespace numsift::cli
