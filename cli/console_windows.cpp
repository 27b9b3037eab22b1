// numsift-cli on Windows reads and writes the same bytes as on Linux:
// standard input and output are binary (the C runtime's text mode would
// turn every LF written into CR LF, CR LF into CR CR LF, and end a piped
// UTF-16 file at its first 0x1A byte), and the console shows the UTF-8
// messages as UTF-8 while the program runs (its own code page, 936 on
// Chinese Windows, comes back at exit). A static object does both around
// main, whichever command runs.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace {

class WindowsConsole {
public:
    WindowsConsole() : codePage_(GetConsoleOutputCP()) {
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        if (codePage_ != 0) SetConsoleOutputCP(CP_UTF8);
    }
    ~WindowsConsole() {
        if (codePage_ != 0) SetConsoleOutputCP(codePage_);
    }
    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

private:
    UINT codePage_;  // 0 without a console
};

const WindowsConsole console;

}  // namespace
