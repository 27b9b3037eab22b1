#pragma once
// What the run and report commands share: the arguments SCHEME [--base FILE]
// (plus command options), the scheme file loaded and the base set read.

#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "conditions/run_order.h"
#include "conditions/scheme.h"
#include "engine/number_list.h"

namespace numsift::cli {

struct RunInputs {
    std::string schemePath;
    Scheme scheme;
    NumberSet base;  // empty: all 100,000 numbers
};

// Loads the scheme file and the base file; on any problem prints the one
// error line and returns nothing.
std::optional<RunInputs> loadRunInputs(const std::string& schemePath, const std::string& basePath);

// The --width N of the commands that print numbers (1 when not given); on a
// bad value prints the one error line, naming command, and returns nothing.
std::optional<long> widthOption(const CommandLine& line, const char* command);

}  // namespace numsift::cli
