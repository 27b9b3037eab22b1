// numsift-cli: runs condition schemes without the window.
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "cli/commands.h"

namespace {

using numsift::cli::Command;

const Command* const kCommands[] = {
    &numsift::cli::kRunCommand,     &numsift::cli::kReportCommand, &numsift::cli::kBacktestCommand,
    &numsift::cli::kExplainCommand, &numsift::cli::kParseCommand,  &numsift::cli::kStatsCommand,
    &numsift::cli::kStackCommand,   &numsift::cli::kRulesCommand,  &numsift::cli::kWalkCommand,
    &numsift::cli::kTicketsCommand, &numsift::cli::kRecordCommand, &numsift::cli::kHistoryCommand,
};

// "  name    text": the name padded to eight columns, at least one blank.
std::string helpRow(std::string_view name, std::string_view text) {
    std::string row = "  " + std::string(name);
    row.append(name.size() < 8 ? 8 - name.size() : 1, ' ');
    return row + std::string(text) + "\n";
}

void printHelp(std::FILE* out) {
    std::string s = "用法: numsift-cli COMMAND ...\n\n";
    for (const Command* c : kCommands) s += std::string("  numsift-cli ") + c->usage + "\n";
    s += "\n";
    for (const Command* c : kCommands) s += helpRow(c->name, c->summary);
    s += helpRow("--help", "显示本说明");
    s += helpRow("COMMAND --help", "显示该命令的参数和选项");
    std::fputs(s.c_str(), out);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // A reader that went away makes the write fail (EPIPE) and the command
    // say so, instead of ending it without a word.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    if (argc < 2) {
        printHelp(stderr);
        return 2;
    }
    const std::string_view cmd = argv[1];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        printHelp(stdout);
        return numsift::cli::finishOutput(0);
    }
    for (const Command* c : kCommands)
        if (cmd == c->name)
            return numsift::cli::finishOutput(numsift::cli::runCommand(*c, argc - 2, argv + 2));
    std::fprintf(stderr, "numsift-cli: %s: unknown command (see numsift-cli --help)\n", argv[1]);
    return 2;
}
