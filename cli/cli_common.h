#pragma once
// Shared pieces of the numsift-cli commands: the one-line error report and
// reading an input file (or standard input for "-") through the text reader.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/draw_range.h"

namespace numsift::cli {

class CommandLine;

// Prints "numsift-cli: WHAT: problem" to stderr and returns the exit code 2.
int fail(std::string_view what, std::string_view problem);

// Reads a text file (encoding detected as for every import) as UTF-8; on
// failure reports "numsift-cli: FILE: reason" and returns nothing.
// path "-" reads standard input.
std::optional<std::string> readInput(const std::string& path);

// Parses a whole decimal number in [min, max]; nothing on any other text.
std::optional<long> parseInteger(std::string_view text, long min, long max);

// --last N: the newest N draws (not given: all of them); reports a bad
// value for command and returns nothing.
std::optional<DrawRange> rangeOption(const CommandLine& line, const char* command);

// Writes text to stdout as it stands (binary, no newline translation); a
// write that fails is remembered for finishOutput.
void writeOut(std::string_view text);

// Flushes stdout (before a word on stderr that should follow the output).
void flushOut();

// The exit code of a command whose output could not be written.
inline constexpr int kOutputFailed = 1;

// Flushes stdout once a command is done: code when everything it wrote got
// out, else "numsift-cli: 标准输出: 写入失败：reason" on stderr and
// kOutputFailed (a full disk, a reader that went away).
int finishOutput(int code);

// Writes numbers to stdout, width per line joined by one blank.
void writeNumbers(std::span<const std::uint32_t> numbers, long width);

}  // namespace numsift::cli
