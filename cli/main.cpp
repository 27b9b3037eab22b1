// numsift-cli: runs condition schemes without the window.
#include <cstdio>
#include <cstring>
#include <string_view>

#include "cli/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* usage;
};

const Command kCommands[] = {
    {"run", numsift::cli::commandRun, "run SCHEME.json [--base FILE] [--width N]"},
    {"report", numsift::cli::commandReport, "report SCHEME.json [--base FILE]"},
    {"backtest", numsift::cli::commandBacktest, "backtest SCHEME.json DRAWS.txt [--base FILE]"},
    {"explain", numsift::cli::commandExplain, "explain SCHEME.json NUMBER [--base FILE]"},
    {"parse", numsift::cli::commandParse, "parse [--base | --intersection | --format-only] [FILE]"},
};

void printHelp(std::FILE* out) {
    std::fprintf(out, "用法: numsift-cli COMMAND ...\n\n");
    for (const Command& c : kCommands) std::fprintf(out, "  numsift-cli %s\n", c.usage);
    std::fprintf(out,
                 "\n  run     按方案文件缩水，输出结果号码，每行一注（--width N 每行 N 注）\n"
                 "  report  按方案文件缩水，逐列列出各条件标记的号码数和保留注数\n"
                 "  backtest 历史验证：方案在每期开奖上是否保留、未通过哪些条件，及汇总\n"
                 "  explain 号码诊断：一个号码未通过哪些条件、错误数、是否在大底中\n"
                 "  parse   把号码文本整理为排序、去重后的标准格式\n"
                 "  --help  显示本说明\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(stderr);
        return 2;
    }
    const std::string_view cmd = argv[1];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        printHelp(stdout);
        return 0;
    }
    for (const Command& c : kCommands)
        if (cmd == c.name) return c.run(argc - 2, argv + 2);
    std::fprintf(stderr, "numsift-cli: %s: unknown command (see numsift-cli --help)\n", argv[1]);
    return 2;
}
