#pragma once
// Positional 复式 tickets: a ticket names a set of digits for each of the
// five positions and stands for every number that takes its first digit
// from the first set, its second from the second, and so on ("0125 3 47
// 0123456789 8" is 4 × 1 × 2 × 10 × 1 = 80 bets). A shop sells such a
// ticket as one slip.
//
// ticketsOf turns a number list into tickets whose expansions are exactly
// the list: every number in exactly one ticket, nothing else.
//
// How: take one position, and put the numbers that agree on the other four
// digits on one ticket (that position gets their digits). Then take a
// second position, and put the tickets that agree on the other four sets on
// one ticket (their sets at the second position are disjoint, so the union
// is exact); and so on through all five positions. The count after the
// first step is what grouping by that one position gives; every later step
// only merges. The search follows, at each step, the two positions that
// leave the fewest tickets (32 orders of the 120), then merging goes on,
// position after position, until no two tickets agree on four sets. So the
// count is never above the best single-position grouping (ticketFloor).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace numsift {

struct Ticket {
    // Bit d of digits[p]: the digit d is on the ticket at position p + 1 (万位 first).
    std::array<std::uint16_t, 5> digits{};

    // How many numbers the ticket stands for.
    std::uint64_t bets() const;
    bool contains(std::uint32_t value) const;
    // The smallest number on the ticket: tickets of one list are ordered by it.
    std::uint32_t first() const;

    bool operator==(const Ticket&) const = default;
};

inline constexpr std::uint64_t kYuanPerBet = 2;

// Tickets whose expansions are exactly the distinct values of numbers
// (values above 99999 are ignored), ordered by their smallest number. No
// numbers, no tickets.
std::vector<Ticket> ticketsOf(std::span<const std::uint32_t> numbers);

// The count of tickets that grouping by the best single position gives:
// the fewest, over the five positions, of the distinct patterns the other
// four digits make. ticketsOf never gives more.
std::size_t ticketFloor(std::span<const std::uint32_t> numbers);

// Every number of the tickets, ascending (a number twice if two tickets hold it).
std::vector<std::uint32_t> expandTickets(std::span<const Ticket> tickets);

std::uint64_t betCount(std::span<const Ticket> tickets);

// "0125 3 47 0123456789 8": each position's digits ascending, one blank between.
std::string ticketText(const Ticket& ticket);

// One ticket a line, each line ending with eol.
std::string ticketsText(std::span<const Ticket> tickets, std::string_view eol);

// "12 张复式，共 80000 注，160000 元".
std::string ticketSummary(std::span<const Ticket> tickets);

}  // namespace numsift
