// numsift-cli report SCHEME.json [--base FILE]: one line per column the run
// appended, in run order (step, caption, candidates marked), with grouped
// tolerance one line per group and the rest (name, fails allowed, its
// columns), then the kept count.
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/rule_inputs.h"
#include "cli/run_inputs.h"

namespace numsift::cli {

namespace {

constexpr OptionSpec kOptions[] = {
    {"base", "FILE", "大底：只在文件中的号码里缩水（默认全部 10 万注）"},
    kRuleDrawsOption,
};
constexpr ArgumentSpec kArguments[] = {{"SCHEME.json", "方案文件（格式见 docs/scheme-format.md）"}};

int report(const CommandLine& line) {
    std::optional<RunInputs> in = loadRunInputs(line.arguments()[0], line.value("base").value_or(""));
    if (!in || !addRuleKills(in->scheme, in->schemePath, line.value("draws"))) return 2;

    const RunResult r = runFilter(in->scheme.input, in->base, in->scheme.grouping());
    std::string out;
    for (const CheckColumn& c : r.matrix.columns())
        out += std::to_string(c.step) + "\t" + c.caption + "\t" + std::to_string(c.markedCount()) + "\n";
    // With grouped tolerance: each group, then the rest, with the fails it
    // allows and its active columns.
    if (!r.groups.empty()) {
        const GroupedTolerance grouping = r.grouping();
        for (std::size_t set = 0; set < grouping.setCount(); ++set) {
            const Tolerance t = grouping.toleranceOf(set);
            std::string columns;
            for (std::size_t c = 0; c < r.matrix.columnCount(); ++c) {
                if (r.columnSets[c] != set) continue;
                if (!columns.empty()) columns += "、";
                columns += r.matrix.column(c).caption;
            }
            out += "分组\t" + setName(grouping, set) + "\t" + std::to_string(t.lower) + "-" +
                   std::to_string(t.upper) + "\t" + columns + "\n";
        }
    }
    out += "kept " + std::to_string(r.result.size()) + " of " + std::to_string(r.table.size()) + "\n";
    writeOut(out);
    return 0;
}

}  // namespace

constinit const Command kReportCommand = {
    "report",
    "report SCHEME.json [--base FILE] [--draws FILE]",
    "按方案文件缩水，逐列列出各条件标记的号码数和保留注数",
    kOptions,
    kArguments,
    report,
};

}  // namespace numsift::cli
