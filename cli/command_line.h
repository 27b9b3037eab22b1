#pragma once
// What every numsift-cli command declares about its command line (usage,
// what it does, its options and arguments) and the one parser that reads it
// by those declarations (QCommandLineParser): --help on every command, and
// every option error worded alike.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numsift::cli {

struct OptionSpec {
    const char* name;       // long name without dashes, e.g. "base"
    const char* valueName;  // e.g. "FILE"; nullptr for a switch
    const char* description;
};

struct ArgumentSpec {
    const char* name;  // e.g. "SCHEME.json"
    const char* description;
    bool optional = false;  // only the last arguments may be optional
    bool repeats = false;   // the last argument may be given any number of times (at least once)
};

class CommandLine;

struct Command {
    const char* name;
    const char* usage;    // after "numsift-cli ", e.g. "run SCHEME.json [--base FILE] [--width N]"
    const char* summary;  // one line: what the command does
    std::span<const OptionSpec> options;
    std::span<const ArgumentSpec> arguments;
    int (*run)(const CommandLine& line);  // the exit code
};

// A command's arguments after a parse that found no error.
class CommandLine {
public:
    // The positional arguments, as given.
    const std::vector<std::string>& arguments() const { return arguments_; }
    // The value of a value option; nothing when it was not given.
    std::optional<std::string> value(std::string_view option) const;
    // Whether the option (a switch, or a value option) was given.
    bool has(std::string_view option) const;
    // The options found, by name, in the order given (repeats included).
    const std::vector<std::string>& optionOrder() const { return order_; }

private:
    friend int runCommand(const Command& command, int argc, char** argv);
    std::vector<std::string> arguments_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::vector<std::string> order_;
};

// Parses argv (the command's own arguments) by command's declarations and
// runs it. -h or --help anywhere prints the command's help on stdout and
// gives 0. An unknown option, an option without its value, a value option
// given twice or with an empty value, a switch given a value, or too few or
// too many arguments print one line "numsift-cli: COMMAND: problem" (the
// problem ends with the usage) and give 2.
int runCommand(const Command& command, int argc, char** argv);

}  // namespace numsift::cli
