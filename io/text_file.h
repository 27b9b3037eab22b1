#pragma once
// The one reader of text files behind every import: a BOM decides (UTF-8,
// UTF-16LE/BE); else many zero bytes at odd (even) offsets mean BOM-less
// UTF-16LE (UTF-16BE); else UTF-8 when the bytes are valid UTF-8; else
// GB18030 (files saved on Chinese Windows).

#include <QByteArray>
#include <QString>

#include <string>

namespace numsift {

inline constexpr qint64 kMaxTextFileBytes = 64ll * 1024 * 1024;

struct TextFileResult {
    bool ok = false;
    QString text;
    QString error;  // Chinese reason when !ok, e.g. "无法打开文件"
};

// Decodes bytes by the rules above.
QString decodeText(const QByteArray& bytes);

// decodeText's text as UTF-8, without a UTF-16 copy of the whole text for
// bytes that are UTF-8 already (the most common case).
std::string decodeTextUtf8(const QByteArray& bytes);

// Reads a whole file; anything but a regular file (a folder, a FIFO, a
// device, a socket) is refused before it is opened, so no read can wait
// forever. A file that cannot be opened or read, or is larger than 64 MiB,
// gives ok = false with the reason.
TextFileResult readTextFile(const QString& path);

// The same, the text as UTF-8 (decodeTextUtf8): for long files.
struct Utf8FileResult {
    bool ok = false;
    std::string text;
    QString error;  // as TextFileResult's
};
Utf8FileResult readTextFileUtf8(const QString& path);

}  // namespace numsift
