#pragma once
// Arguments shared by the backtest and explain commands: a scheme file, one
// more positional argument and an optional --base FILE.

#include <optional>
#include <string>

#include "conditions/scheme.h"
#include "engine/number_list.h"

namespace numsift::cli {

struct AnalysisArgs {
    Scheme scheme;
    NumberSet base;      // empty: all 100,000 numbers
    std::string second;  // DRAWS file or NUMBER
};

// Reads "SCHEME SECOND [--base FILE]" (options anywhere); on any problem
// reports it on stderr and returns nothing.
std::optional<AnalysisArgs> readAnalysisArgs(const char* command, const char* usage, int argc, char** argv);

}  // namespace numsift::cli
