#pragma once
// Arguments shared by the backtest and explain commands: a scheme file, one
// more argument and an optional --base FILE.

#include <optional>
#include <string>

#include "cli/command_line.h"
#include "conditions/scheme.h"
#include "engine/number_list.h"

namespace numsift::cli {

struct AnalysisArgs {
    Scheme scheme;
    NumberSet base;      // empty: all 100,000 numbers
    std::string second;  // DRAWS file or NUMBER
};

// The option both commands declare.
inline constexpr OptionSpec kAnalysisBaseOption = {"base", "FILE",
                                                   "大底：不在其中的号码一律不保留（默认全部 10 万注）"};

// Loads the scheme and the base set of "SCHEME SECOND [--base FILE]"; on any
// problem reports it on stderr and returns nothing.
std::optional<AnalysisArgs> readAnalysisArgs(const CommandLine& line);

}  // namespace numsift::cli
