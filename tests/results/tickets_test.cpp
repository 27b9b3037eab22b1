// 复式 tickets: their expansions are exactly the list on random lists of
// every density and on lists made of boxes, never more tickets than the
// best single-position grouping, and the text a shop slip is keyed from.
#include "results/tickets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>

#include "engine/number.h"

using namespace numsift;

namespace {

std::vector<std::uint32_t> allNumbers() {
    std::vector<std::uint32_t> all(kNumberSpace);
    std::iota(all.begin(), all.end(), 0u);
    return all;
}

std::vector<std::uint32_t> randomSet(std::mt19937& rng, unsigned perMille) {
    std::vector<std::uint32_t> set;
    for (std::uint32_t v = 0; v < kNumberSpace; ++v)
        if (rng() % 1000 < perMille) set.push_back(v);
    return set;
}

// A union of random boxes: the structure a scheme's result has.
std::vector<std::uint32_t> randomBoxes(std::mt19937& rng, int boxes) {
    std::vector<Ticket> tickets(static_cast<std::size_t>(boxes));
    for (Ticket& t : tickets)
        for (std::uint16_t& digits : t.digits) do
                digits = static_cast<std::uint16_t>(rng() & rng() & 0x3FF);
            while (!digits);
    std::vector<std::uint32_t> set = expandTickets(tickets);
    set.erase(std::unique(set.begin(), set.end()), set.end());
    return set;
}

// The floor by its plain meaning: for each position, the distinct patterns
// of the other four digits.
std::size_t naiveFloor(const std::vector<std::uint32_t>& set) {
    std::size_t best = 10000;
    for (int p = 0; p < 5; ++p) {
        std::set<std::string> patterns;
        for (const std::uint32_t v : set) {
            std::string s = numberText(v);
            s.erase(static_cast<std::size_t>(p), 1);
            patterns.insert(s);
        }
        best = std::min(best, patterns.size());
    }
    return best;
}

void expectExactTickets(const std::vector<std::uint32_t>& set, const std::string& what) {
    const std::vector<Ticket> tickets = ticketsOf(set);
    EXPECT_EQ(expandTickets(tickets), set) << what;  // a number twice would show here too
    EXPECT_LE(tickets.size(), ticketFloor(set)) << what;
    EXPECT_EQ(ticketFloor(set), naiveFloor(set)) << what;
    EXPECT_TRUE(std::is_sorted(tickets.begin(), tickets.end(), [](const Ticket& a, const Ticket& b) {
        return a.first() < b.first();
    })) << what;
}

}  // namespace

TEST(Tickets, ExpansionsAreExactlyTheSetOnRandomSetsOfEveryDensity) {
    std::mt19937 rng(2026);
    for (const unsigned perMille : {1u, 20u, 300u, 500u, 900u, 999u}) {
        expectExactTickets(randomSet(rng, perMille), "random ‰" + std::to_string(perMille));
    }
    for (const int boxes : {1, 3, 20, 200}) {
        const std::vector<std::uint32_t> set = randomBoxes(rng, boxes);
        expectExactTickets(set, std::to_string(boxes) + " random boxes");
        if (boxes == 1) {
            EXPECT_EQ(ticketsOf(set).size(), 1u);  // one box is one ticket
        }
    }
}

TEST(Tickets, EmptyFullAndSingleSets) {
    EXPECT_TRUE(ticketsOf({}).empty());
    EXPECT_EQ(ticketFloor({}), 0u);

    const std::vector<Ticket> all = ticketsOf(allNumbers());
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(ticketText(all[0]), "0123456789 0123456789 0123456789 0123456789 0123456789");
    EXPECT_EQ(all[0].bets(), 100000u);

    const std::vector<std::uint32_t> one = {0};
    ASSERT_EQ(ticketsOf(one).size(), 1u);
    EXPECT_EQ(ticketText(ticketsOf(one)[0]), "0 0 0 0 0");

    // Everything but one number: five tickets, where grouping by one
    // position needs 10,000.
    std::vector<std::uint32_t> allBut = allNumbers();
    allBut.erase(allBut.begin() + 35789);
    expectExactTickets(allBut, "all but 35789");
    EXPECT_EQ(ticketsOf(allBut).size(), 5u);
    EXPECT_EQ(ticketFloor(allBut), 10000u);
}

TEST(Tickets, DuplicatesAndValuesOutsideTheSpaceAreIgnored) {
    const std::vector<std::uint32_t> messy = {12345, 12345, 100000, 12346, 4000000000u};
    const std::vector<Ticket> tickets = ticketsOf(messy);
    ASSERT_EQ(tickets.size(), 1u);
    EXPECT_EQ(ticketText(tickets[0]), "1 2 3 4 56");
}

TEST(Tickets, TextCountAndCostAreThoseOfAShopSlip) {
    Ticket t;
    t.digits = {0b100111, 0b1000, 0b10010000, 0x3FF, 0b100000000};  // 0125 3 47 0123456789 8
    EXPECT_EQ(ticketText(t), "0125 3 47 0123456789 8");
    EXPECT_EQ(t.bets(), 80u);
    EXPECT_EQ(t.first(), 3408u);
    EXPECT_TRUE(t.contains(53798));
    EXPECT_FALSE(t.contains(53789));
    EXPECT_FALSE(t.contains(100000));

    const std::vector<Ticket> two = {t, ticketsOf(std::vector<std::uint32_t>{99999})[0]};
    EXPECT_EQ(ticketsText(two, "\r\n"), "0125 3 47 0123456789 8\r\n9 9 9 9 9\r\n");
    EXPECT_EQ(betCount(two), 81u);
    EXPECT_EQ(ticketSummary(two), "2 张复式，共 81 注，162 元");
}
