// numsift-cli explain SCHEME NUMBER [--base FILE]: why one number is kept or
// killed by the scheme — every active check with its verdict, the fail
// count against the tolerance, and the base set.
#include "analysis/analysis_text.h"
#include "analysis/explain.h"
#include "cli/analysis_args.h"
#include "cli/cli_common.h"
#include "cli/commands.h"

namespace numsift::cli {

int commandExplain(int argc, char** argv) {
    const char* usage = "explain SCHEME.json NUMBER [--base FILE]";
    const std::optional<AnalysisArgs> args = readAnalysisArgs("explain", usage, argc, argv);
    if (!args) return 2;
    const std::optional<std::uint32_t> value = parseSingleNumber(args->second);
    if (!value) return fail(args->second, "不是五位数号码");
    const Explanation e = explain(args->scheme.input, args->base, args->scheme.tolerance, *value);
    writeOut(explainText(e, "\n"));
    return 0;
}

}  // namespace numsift::cli
