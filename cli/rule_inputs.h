#pragma once
// What the commands need for a scheme's kill rules: the history the rules
// learn from (a draws file in issue order) and the panel with the rules'
// kills for the next draw added to it.

#include <optional>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "conditions/scheme.h"

namespace numsift::cli {

// A draws file in the order the history has it, oldest first, with each
// draw's issue (empty for a file without issues).
struct HistoryInput {
    std::vector<std::uint32_t> values;
    std::vector<std::string> issues;
};

// Reads DRAWS ("-" for standard input) as stats does: issues put in order,
// what was left out said on stderr. A file without a single draw is an
// error (reported; nothing returned).
std::optional<HistoryInput> readHistoryInput(const std::string& path);

// The option of run, report, explain and stack that names the draws a
// scheme's rules learn from.
inline constexpr OptionSpec kRuleDrawsOption = {"draws", "FILE",
                                                "方案有规则（rules）时，规则据以算出下期杀号的历史开奖"};

// Adds the scheme's rule kills for the draw after history to its panel.
// A scheme with rules and no history (drawsPath empty) keeps its panel, and
// stderr says its rules killed nothing. False after a problem was reported.
bool addRuleKills(Scheme& scheme, const std::string& schemePath, const std::optional<std::string>& drawsPath);

// The same with the history already read (its name for the message).
void addRuleKills(Scheme& scheme, const std::string& schemePath, const HistoryInput& history,
                  const std::string& historyPath);

}  // namespace numsift::cli
