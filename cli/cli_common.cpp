#include "cli/cli_common.h"

#include <QFile>
#include <QString>
#include <cstdio>

#include "engine/number.h"
#include "io/text_file.h"

namespace numsift::cli {

int fail(std::string_view what, std::string_view problem) {
    std::fprintf(stderr, "numsift-cli: %.*s: %.*s\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(problem.size()), problem.data());
    return 2;
}

std::optional<std::string> readInput(const std::string& path) {
    if (path == "-") {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            fail("-", "无法读取标准输入");
            return std::nullopt;
        }
        QByteArray bytes = in.read(kMaxTextFileBytes + 1);
        if (bytes.size() > kMaxTextFileBytes) {
            fail("-", "输入超过 64 MiB");
            return std::nullopt;
        }
        return decodeText(bytes).toStdString();
    }
    TextFileResult r = readTextFile(QString::fromLocal8Bit(path.c_str()));
    if (!r.ok) {
        fail(path, r.error.toStdString());
        return std::nullopt;
    }
    return r.text.toStdString();
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

void writeOut(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

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

}  // namespace numsift::cli
