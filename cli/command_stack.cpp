// numsift-cli stack S1.json S2.json ... --count a-b [--base FILE] [--width N]:
// runs 2 to 20 schemes over the same candidates and prints the numbers that
// a to b of them keep; on stderr, how many numbers each count has.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/rule_inputs.h"
#include "cli/run_inputs.h"
#include "conditions/scheme_stack.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"count", "a-b", "保留被 a 到 b 个方案保留的号码（a 可等于 b，也可只写 a）"},
    {"base", "FILE", "大底：只在文件中的号码里缩水（默认全部 10 万注）"},
    {"width", "N", "每行 N 注，1–100000（默认 1）"},
    kRuleDrawsOption,
};
constexpr ArgumentSpec kArguments[] = {
    {"SCHEME.json", "方案文件，2–20 个（格式见 docs/scheme-format.md）", false, true},
};

struct CountRange {
    std::size_t lowest = 0, highest = 0;
};

// "a-b" or "a", with 0 <= a <= b <= schemes.
std::optional<CountRange> countRange(const std::string& text, std::size_t schemes) {
    const std::size_t dash = text.find('-');
    const std::string first = text.substr(0, dash);
    const std::string second = dash == std::string::npos ? first : text.substr(dash + 1);
    const auto max = static_cast<long>(schemes);
    const std::optional<long> a = parseInteger(first, 0, max), b = parseInteger(second, 0, max);
    if (!a || !b || *a > *b) return std::nullopt;
    return CountRange{static_cast<std::size_t>(*a), static_cast<std::size_t>(*b)};
}

int stack(const CommandLine& line) {
    const std::vector<std::string>& paths = line.arguments();
    const std::string usage = std::string("；用法: numsift-cli ") + kStackCommand.usage;
    if (paths.size() < kMinStackedSchemes || paths.size() > kMaxStackedSchemes)
        return fail("stack", "需要 2–20 个方案文件，实际有 " + std::to_string(paths.size()) + " 个" + usage);
    const std::optional<std::string> countText = line.value("count");
    if (!countText) return fail("stack", "缺少 --count a-b" + usage);
    const std::optional<CountRange> range = countRange(*countText, paths.size());
    if (!range)
        return fail("stack", "--count 应为 a-b，0 ≤ a ≤ b ≤ " + std::to_string(paths.size()) +
                                 "（方案数），而不是 \"" + *countText + "\"");
    const std::optional<long> width = widthOption(line, "stack");
    if (!width) return 2;

    std::optional<HistoryInput> history;
    const std::optional<std::string> drawsPath = line.value("draws");
    if (drawsPath && !(history = readHistoryInput(*drawsPath))) return 2;

    std::vector<Scheme> schemes;
    NumberSet base;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        // The base file is read once, with the first scheme.
        std::optional<RunInputs> in = loadRunInputs(paths[i], i == 0 ? line.value("base").value_or("") : "");
        if (!in) return 2;
        if (i == 0) base = std::move(in->base);
        if (history)
            addRuleKills(in->scheme, paths[i], *history, *drawsPath);
        else
            addRuleKills(in->scheme, paths[i], std::nullopt);
        schemes.push_back(std::move(in->scheme));
    }

    const StackCounts counts = stackSchemes(schemes, base);
    const std::vector<std::uint32_t> kept = stackedResult(counts, range->lowest, range->highest);
    writeNumbers(kept, *width);
    flushOut();
    std::string err;
    for (std::size_t c = 0; c < counts.histogram.size(); ++c)
        err += "count " + std::to_string(c) + ": " + std::to_string(counts.histogram[c]) + "\n";
    err += "kept " + std::to_string(kept.size()) + " of " + std::to_string(counts.table.size()) + "\n";
    std::fputs(err.c_str(), stderr);
    return 0;
}

}  // namespace

constinit const Command kStackCommand = {
    "stack",
    "stack SCHEME.json SCHEME.json... --count a-b [--base FILE] [--width N] [--draws FILE]",
    "方案叠加：多个方案在同一批号码上缩水，输出被 a 到 b 个方案保留的号码",
    kOptions,
    kArguments,
    stack,
};

}  // namespace numsift::cli
