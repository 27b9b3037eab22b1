#include "io/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "io/gb18030.h"

namespace numsift {

namespace {

// BOM-less UTF-16: text that is mostly ASCII has a zero byte in most code
// units, the high byte: at odd offsets in little-endian, at even offsets in
// big-endian.
std::optional<QStringConverter::Encoding> bomlessUtf16(const QByteArray& b) {
    if (b.size() < 2) return std::nullopt;
    qsizetype zerosOdd = 0, zerosEven = 0;
    const qsizetype pairs = b.size() / 2;
    for (qsizetype i = 0; i + 1 < b.size(); i += 2) {
        if (b[i] == 0) ++zerosEven;
        if (b[i + 1] == 0) ++zerosOdd;
    }
    if (zerosOdd * 10 >= pairs * 3 && zerosOdd > zerosEven * 4) return QStringConverter::Utf16LE;
    if (zerosEven * 10 >= pairs * 3 && zerosEven > zerosOdd * 4) return QStringConverter::Utf16BE;
    return std::nullopt;
}

QString decodeWith(QStringConverter::Encoding e, const QByteArray& bytes) {
    QStringDecoder dec(e, QStringConverter::Flag::Stateless);
    return dec.decode(bytes);
}

// The text when bytes are valid UTF-8: the decoder reports malformed,
// overlong and surrogate sequences, code points above U+10FFFF and a
// sequence cut off at the end.
std::optional<QString> strictUtf8(const QByteArray& bytes) {
    QStringDecoder dec(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = dec.decode(bytes);
    if (dec.hasError()) return std::nullopt;
    return text;
}

// Why something that exists and is no folder is not a regular file either:
// reading a FIFO or a socket waits for a writer, a device may never end.
QString notRegularFileReason([[maybe_unused]] const QString& path) {
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISFIFO(st.st_mode)) return QStringLiteral("这是一个命名管道（FIFO），不是普通文件");
        if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return QStringLiteral("这是一个设备，不是普通文件");
        if (S_ISSOCK(st.st_mode)) return QStringLiteral("这是一个套接字，不是普通文件");
    }
#endif
    return QStringLiteral("这不是普通文件");
}

// Opens path for reading only when it is a regular file at the moment of
// opening. On Unix the open does not block (a file swapped for a FIFO after
// the type check would wait for a writer) and the type is checked again on
// the open handle.
bool openRegularFile(QFile& f, const QString& path, QString* reason) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = QStringLiteral("无法打开文件");
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        *reason = notRegularFileReason(path);
        return false;
    }
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *reason = QStringLiteral("无法打开文件");
        return false;
    }
    return true;
#else
    f.setFileName(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("无法打开文件");
        return false;
    }
    return true;
#endif
}

// The reason for a file over the limit.
QString tooLargeReason() {
    static_assert(kMaxTextFileBytes == 64ll << 20, "the reason names the limit");
    return QStringLiteral("文件超过 64 MiB");
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) return decodeWith(QStringConverter::Utf16LE, bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF")) return decodeWith(QStringConverter::Utf16BE, bytes.mid(2));
    if (const auto utf16 = bomlessUtf16(bytes)) return decodeWith(*utf16, bytes);
    if (std::optional<QString> utf8 = strictUtf8(bytes)) return *std::move(utf8);
    return decodeGb18030(bytes);
}

std::string decodeTextUtf8(const QByteArray& bytes) {
    QByteArrayView utf8(bytes);
    if (utf8.startsWith("\xEF\xBB\xBF")) utf8 = utf8.sliced(3);
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || bomlessUtf16(bytes);
    if (!utf16 && utf8.isValidUtf8()) return std::string(utf8.data(), static_cast<std::size_t>(utf8.size()));
    return decodeText(bytes).toStdString();
}

namespace {

// The bytes of a file by readTextFile's rules; false with the reason.
bool readFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("文件不存在");
        return false;
    }
    if (info.isDir()) {
        *error = QStringLiteral("这是一个文件夹，不是文件");
        return false;
    }
    // Decided before opening: opening a FIFO waits for a writer.
    if (!info.isFile()) {
        *error = notRegularFileReason(path);
        return false;
    }
    QFile f;
    if (!openRegularFile(f, path, error)) return false;
    if (f.size() > kMaxTextFileBytes) {
        *error = tooLargeReason();
        return false;
    }
    // QIODevice::read(n) allocates n bytes first: ask for the file's size
    // and one byte more, and only for a file that grew since for the rest,
    // never more than one byte past the limit.
    const qint64 expected = f.size() + 1;
    *bytes = f.read(expected);
    if (bytes->size() == expected && f.error() == QFileDevice::NoError)
        *bytes += f.read(kMaxTextFileBytes + 1 - bytes->size());
    if (f.error() != QFileDevice::NoError) {
        *error = QStringLiteral("读取文件出错");
        return false;
    }
    if (bytes->size() > kMaxTextFileBytes) {
        *error = tooLargeReason();
        return false;
    }
    return true;
}

}  // namespace

TextFileResult readTextFile(const QString& path) {
    TextFileResult r;
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, &r.error)) return r;
    r.text = decodeText(bytes);
    r.ok = true;
    return r;
}

Utf8FileResult readTextFileUtf8(const QString& path) {
    Utf8FileResult r;
    QByteArray bytes;
    if (!readFileBytes(path, &bytes, &r.error)) return r;
    r.text = decodeTextUtf8(bytes);
    r.ok = true;
    return r;
}

}  // namespace numsift
