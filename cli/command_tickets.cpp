// numsift-cli tickets FILE: the numbers of a number list as positional 复式
// tickets, one a line ("0125 3 47 0123456789 8"), whose expansions are
// exactly the list; on stderr how many tickets and bets, and the cost.
#include <cstdio>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/number_list.h"
#include "results/tickets.h"

namespace numsift::cli {

namespace {

constexpr ArgumentSpec kArguments[] = {{"FILE", "号码文件，例如 numsift-cli run 的结果（- 为标准输入）"}};

int tickets(const CommandLine& line) {
    const std::string& path = line.arguments()[0];
    const std::optional<std::string> text = readInput(path);
    if (!text) return 2;
    const NumberSet numbers = parseNumbers(*text);
    if (numbers.empty()) return fail(path, "文件中没有五位号码");
    const std::vector<Ticket> result = ticketsOf(numbers.values);
    writeOut(ticketsText(result, "\n"));
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", ticketSummary(result).c_str());
    return 0;
}

}  // namespace

constinit const Command kTicketsCommand = {
    "tickets",
    "tickets FILE",
    "把号码转成定位复式：每行一张，五个位置的数字之间一个空格；stderr 给出张数、注数和金额",
    {},
    kArguments,
    tickets,
};

}  // namespace numsift::cli
