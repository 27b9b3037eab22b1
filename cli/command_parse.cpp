// numsift-cli parse [--base | --intersection | --format-only] [FILE]
// Prints the number-list parser's output for a file (or standard input):
// sorted, duplicate-free, ten numbers a line for the base set, five else.

#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/number_set_store.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"base", nullptr, "按大底整理：每行 10 注（默认）"},
    {"intersection", nullptr, "按交集的大底A/B整理：每行 5 注"},
    {"format-only", nullptr, "只整理格式（杀直选框）：每行 5 注"},
};
constexpr ArgumentSpec kArguments[] = {{"FILE", "号码文本文件（不给或 - 为标准输入）", true}};

int parseList(const CommandLine& line) {
    // The three switches act in the order given: --base and --intersection
    // choose the target and end a --format-only before them.
    ParseTarget target = ParseTarget::Base;
    bool formatOnly = false;
    for (const std::string& option : line.optionOrder()) {
        if (option == "base" || option == "intersection") {
            target = option == "base" ? ParseTarget::Base : ParseTarget::Intersection;
            formatOnly = false;
        } else if (option == "format-only") {
            formatOnly = true;
        }
    }
    const std::string file = line.arguments().empty() ? std::string("-") : line.arguments()[0];
    std::optional<std::string> text = readInput(file);
    if (!text) return 2;
    NumberSetStore store;
    const std::string out = store.parse(*text, target, formatOnly);
    writeOut(out);
    if (!out.empty()) writeOut("\r\n");
    return 0;
}

}  // namespace

constinit const Command kParseCommand = {
    "parse",
    "parse [--base | --intersection | --format-only] [FILE]",
    "把号码文本整理为排序、去重后的标准格式",
    kOptions,
    kArguments,
    parseList,
};

}  // namespace numsift::cli
