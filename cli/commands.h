#pragma once
// One function per numsift-cli command; argv holds the command's own
// arguments. Each returns the exit code: 0 success, 2 usage or input error
// (with one line "numsift-cli: FILE: problem" on stderr, nothing on stdout).

namespace numsift::cli {

int commandRun(int argc, char** argv);
int commandReport(int argc, char** argv);
int commandParse(int argc, char** argv);
int commandBacktest(int argc, char** argv);
int commandExplain(int argc, char** argv);

}  // namespace numsift::cli
