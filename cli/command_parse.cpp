// numsift-cli parse [--base | --intersection | --format-only] [FILE]
// Prints the number-list parser's output for a file (or standard input):
// sorted, duplicate-free, ten numbers a line for the base set, five else.

#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/number_set_store.h"

namespace numsift::cli {

int commandParse(int argc, char** argv) {
    ParseTarget target = ParseTarget::Base;
    bool formatOnly = false;
    std::string file = "-";
    bool haveFile = false;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--base") {
            target = ParseTarget::Base;
            formatOnly = false;
        } else if (a == "--intersection") {
            target = ParseTarget::Intersection;
            formatOnly = false;
        } else if (a == "--format-only") {
            formatOnly = true;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return fail("parse", "unknown option " + a);
        } else if (haveFile) {
            return fail("parse", "more than one FILE given");
        } else {
            file = a;
            haveFile = true;
        }
    }
    std::optional<std::string> text = readInput(file);
    if (!text) return 2;
    NumberSetStore store;
    const std::string out = store.parse(*text, target, formatOnly);
    writeOut(out);
    if (!out.empty()) writeOut("\r\n");
    return 0;
}

}  // namespace numsift::cli
