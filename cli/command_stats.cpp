// numsift-cli stats DRAWS [--last N]: the omission figures of every condition
// item over past draws (all of them, or the newest N; 当前遗漏 always over
// all of them), one tab-separated
// line per item after a header line. numsift-cli stats --set FILE: how many
// numbers of a number list have each item, in the same layout with the count
// in the 出现次数 column and its share of the list beside it.
#include <cstdio>

#include "analysis/analysis_text.h"
#include "analysis/draw_range.h"
#include "analysis/draw_store.h"
#include "analysis/set_stats.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/number_list.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"last", "N", "只统计最近 N 期（默认全部）；当前遗漏总按全部开奖计算"},
    {"set", "FILE", "改为统计号码文件（如缩水结果）中有各项目的号码数和占比"},
};
constexpr ArgumentSpec kArguments[] = {
    {"DRAWS.txt", "历史开奖，每行一期，例如 2026120 35789，或带表头的 CSV（- 为标准输入）；按期号排序", true},
};
constexpr const char* kUsage = "stats DRAWS.txt [--last N] | --set FILE";

int setStats(const std::string& path) {
    const std::optional<std::string> text = readInput(path);
    if (!text) return 2;
    const NumberSet numbers = parseNumbers(*text);
    if (numbers.empty()) return fail(path, "文件中没有五位号码");
    writeOut(setItemTable(setItemCounts(numbers.values), "\n"));
    return 0;
}

int stats(const CommandLine& line) {
    const std::string usage = std::string("用法: numsift-cli ") + kUsage;
    if (const std::optional<std::string> set = line.value("set")) {
        if (!line.arguments().empty()) return fail("stats", "--set 与 DRAWS.txt 不能同时使用；" + usage);
        if (line.value("last")) return fail("stats", "--last 只用于 DRAWS.txt；" + usage);
        return setStats(*set);
    }
    if (line.arguments().empty()) return fail("stats", usage);
    const std::optional<DrawRange> range = rangeOption(line, "stats");
    if (!range) return 2;
    const std::string& path = line.arguments()[0];
    std::optional<std::string> text = readInput(path);
    if (!text) return 2;
    const DrawList draws = DrawList::inOrder(*text);
    text.reset();
    if (draws.empty()) {
        std::string problem = "没有开奖号码（每行一期，例如 2026120 35789）";
        if (!draws.note().empty()) problem += "；" + draws.note();
        return fail(path, problem);
    }
    if (!draws.note().empty())
        std::fprintf(stderr, "numsift-cli: %s: %s\n", path.c_str(), draws.note().c_str());
    // A range narrows every figure but 当前遗漏, counted over every draw.
    const std::vector<std::uint32_t> values = draws.values();
    writeOut(omissionTable(omissionStats(values, range->in(values.size())), "\n"));
    return 0;
}

}  // namespace

constinit const Command kStatsCommand = {
    "stats",
    kUsage,
    "遗漏统计：每个条件项目的出现次数、当前遗漏、最大遗漏、平均遗漏和最大连出；--"
    "set：号码文件中有各项目的号码数",
    kOptions,
    kArguments,
    stats,
};

}  // namespace numsift::cli
