// numsift-io-probe: what io/ makes of this platform, written to a file so
// that no console changes a byte of it.
//   numsift-io-probe decode FILE OUT      FILE's text as the imports read it, in UTF-8
//   numsift-io-probe gb18030-corpus OUT   every two- and four-byte GB18030 code,
//                                         one a line, then broken codes
//   numsift-io-probe data-folder OUT      the data folder (made if missing)

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>

#include "io/data_folder.h"
#include "io/gb18030.h"
#include "io/text_file.h"

namespace {

QByteArray gb18030Corpus() {
    QByteArray out;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (numsift::gbTrailIndex(trail) >= 0) {
                out.append(static_cast<char>(lead));
                out.append(static_cast<char>(trail));
                out.append('\n');
            }
    for (int b0 = 0x81; b0 <= 0xFE; ++b0)
        for (int b1 = 0x30; b1 <= 0x39; ++b1)
            for (int b2 = 0x81; b2 <= 0xFE; ++b2)
                for (int b3 = 0x30; b3 <= 0x39; ++b3) {
                    const char code[5] = {static_cast<char>(b0), static_cast<char>(b1), static_cast<char>(b2),
                                          static_cast<char>(b3), '\n'};
                    out.append(code, 5);
                }
    // Bytes that start no whole code, each before a digit that must survive.
    static const char* const broken[] = {
        "\x80",     "\xFF",    "\x81\x7F", "\x81\x30", "\x81\x30\x81", "\x81\x30\x7F\x30", "\x81\x30\xFF\x30",
        "\xFE\x20", "\xA1\xFF"};
    for (const char* b : broken) {
        out.append(b);
        out.append("7\n");
    }
    out.append("00001 \x81");  // a lead byte as the very last byte
    return out;
}

bool writeAll(const char* path, const QByteArray& bytes) {
    QFile f(QString::fromLocal8Bit(path));
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush()) return true;
    std::fprintf(stderr, "numsift-io-probe: %s: cannot write\n", path);
    return false;
}

int usage() {
    std::fprintf(stderr, "usage: numsift-io-probe decode FILE OUT | gb18030-corpus OUT | data-folder OUT\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const char* mode = argv[1];
    if (std::strcmp(mode, "gb18030-corpus") == 0 && argc == 3)
        return writeAll(argv[2], gb18030Corpus()) ? 0 : 2;
    if (std::strcmp(mode, "data-folder") == 0 && argc == 3) {
        QCoreApplication::setApplicationName(QStringLiteral("Numsift"));  // as the window names itself
        const numsift::DataFolder folder = numsift::dataFolder();
        if (!folder.ok) {
            std::fprintf(stderr, "numsift-io-probe: %s\n", folder.error.toUtf8().constData());
            return 2;
        }
        return writeAll(argv[2], QDir::toNativeSeparators(folder.path).toUtf8()) ? 0 : 2;
    }
    if (std::strcmp(mode, "decode") == 0 && argc == 4) {
        const numsift::TextFileResult r = numsift::readTextFile(QString::fromLocal8Bit(argv[2]));
        if (!r.ok) {
            std::fprintf(stderr, "numsift-io-probe: %s: %s\n", argv[2], r.error.toUtf8().constData());
            return 2;
        }
        return writeAll(argv[3], r.text.toUtf8()) ? 0 : 2;
    }
    return usage();
}
