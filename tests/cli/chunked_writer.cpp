// Writes a file to standard output in chunks with a pause after each, as a
// slow program at the other end of a pipe would: chunked_writer FILE BYTES MS.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in) return 2;
    std::vector<char> chunk(std::strtoul(argv[2], nullptr, 10));
    const std::chrono::milliseconds pause(std::strtoul(argv[3], nullptr, 10));
    for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), in)) > 0;) {
        if (std::fwrite(chunk.data(), 1, n, stdout) != n || std::fflush(stdout) != 0) return 1;
        std::this_thread::sleep_for(pause);
    }
    std::fclose(in);
    return 0;
}
