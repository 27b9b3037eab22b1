#pragma once
// The numsift-cli commands, each declared with its usage, options and
// arguments (cli/command_line.h). Every command's exit code: 0 success,
// 2 usage or input error (with one line "numsift-cli: FILE: problem" on
// stderr, nothing on stdout).

#include "cli/command_line.h"

namespace numsift::cli {

extern const Command kRunCommand;
extern const Command kReportCommand;
extern const Command kBacktestCommand;
extern const Command kExplainCommand;
extern const Command kParseCommand;
extern const Command kStatsCommand;
extern const Command kStackCommand;
extern const Command kTicketsCommand;
extern const Command kRecordCommand;
extern const Command kRulesCommand;
extern const Command kWalkCommand;
extern const Command kHistoryCommand;

}  // namespace numsift::cli
