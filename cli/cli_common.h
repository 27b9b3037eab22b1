#pragma once
// Shared pieces of the numsift-cli commands: the one-line error report and
// reading an input file (or standard input for "-") through the text reader.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace numsift::cli {

// Prints "numsift-cli: WHAT: problem" to stderr and returns the exit code 2.
int fail(std::string_view what, std::string_view problem);

// Reads a text file (encoding detected as for every import) as UTF-8; on
// failure reports "numsift-cli: FILE: reason" and returns nothing.
// path "-" reads standard input.
std::optional<std::string> readInput(const std::string& path);

// Parses a whole decimal number in [min, max]; nothing on any other text.
std::optional<long> parseInteger(std::string_view text, long min, long max);

// Writes text to stdout as it stands (binary, no newline translation).
void writeOut(std::string_view text);

// Writes numbers to stdout, width per line joined by one blank.
void writeNumbers(std::span<const std::uint32_t> numbers, long width);

}  // namespace numsift::cli
