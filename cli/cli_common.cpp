#include "cli/cli_common.h"

#include <QString>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "cli/command_line.h"
#include "engine/number.h"
#include "io/atomic_save.h"
#include "io/text_file.h"

namespace numsift::cli {

int fail(std::string_view what, std::string_view problem) {
    std::fprintf(stderr, "numsift-cli: %.*s: %.*s\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(problem.size()), problem.data());
    return 2;
}

std::optional<std::string> readInput(const std::string& path) {
    if (path == "-") {
        // fread waits for the writer: a pipe is read to its end, however
        // slowly it comes, and no further than one byte past the limit.
        QByteArray bytes;
        std::vector<char> chunk(64 * 1024);
        for (;;) {
            const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), stdin);
            bytes.append(chunk.data(), static_cast<qsizetype>(n));
            if (bytes.size() > kMaxTextFileBytes) {
                fail("-", "输入超过 64 MiB");
                return std::nullopt;
            }
            if (n == chunk.size()) continue;
            if (std::ferror(stdin)) {
                fail("-", "无法读取标准输入");
                return std::nullopt;
            }
            break;
        }
        return decodeTextUtf8(bytes);
    }
    Utf8FileResult r = readTextFileUtf8(QString::fromLocal8Bit(path.c_str()));
    if (!r.ok) {
        fail(path, r.error.toStdString());
        return std::nullopt;
    }
    return std::move(r.text);
}

std::optional<long> parseInteger(std::string_view text, long min, long max) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v < min || v > max) return std::nullopt;
    return v;
}

namespace {

int outputError = 0;  // errno of the first write to stdout that failed

}  // namespace

void writeOut(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() && outputError == 0)
        outputError = errno != 0 ? errno : EIO;
}

void flushOut() {
    errno = 0;
    if (std::fflush(stdout) != 0 && outputError == 0) outputError = errno != 0 ? errno : EIO;
}

int finishOutput(int code) {
    flushOut();
    if (outputError == 0 && !std::ferror(stdout)) return code;
    const QString reason = saveFailureReason(outputError, {});
    std::fprintf(stderr, "numsift-cli: 标准输出: 写入失败：%s\n", reason.toUtf8().constData());
    return kOutputFailed;
}

void writeNumbers(std::span<const std::uint32_t> numbers, long width) {
    std::string out;
    out.resize(numbers.size() * 6);
    char* p = out.data();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        writeNumber(numbers[i], p);
        p[5] = (static_cast<long>(i + 1) % width == 0 || i + 1 == numbers.size()) ? '\n' : ' ';
        p += 6;
    }
    writeOut(out);
}

std::optional<DrawRange> rangeOption(const CommandLine& line, const char* command) {
    const std::optional<std::string> value = line.value("last");
    if (!value) return DrawRange::all();
    const std::optional<long> n = parseInteger(*value, 1, 999999999);
    if (!n) {
        fail(command, "--last 应为正整数，而不是 \"" + *value + "\"");
        return std::nullopt;
    }
    return DrawRange::newest(static_cast<std::size_t>(*n));
}

}  // namespace numsift::cli
