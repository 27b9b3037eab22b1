#include "io/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "io/gb18030.h"

namespace numsift {

namespace {

bool isValidUtf8(const QByteArray& b) {
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData());
    const qsizetype n = b.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len;
        unsigned int cp;
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else
            return false;
        if (i + len > n) return false;
        for (int k = 1; k < len; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

// BOM-less UTF-16LE: ASCII text in UTF-16LE has a zero at most odd offsets.
bool looksLikeUtf16Le(const QByteArray& b) {
    if (b.size() < 2) return false;
    qsizetype zerosOdd = 0, zerosEven = 0;
    const qsizetype pairs = b.size() / 2;
    for (qsizetype i = 0; i + 1 < b.size(); i += 2) {
        if (b[i] == 0) ++zerosEven;
        if (b[i + 1] == 0) ++zerosOdd;
    }
    return zerosOdd * 10 >= pairs * 3 && zerosOdd > zerosEven * 4;
}

QString decodeWith(QStringConverter::Encoding e, const QByteArray& bytes) {
    QStringDecoder dec(e, QStringConverter::Flag::Stateless);
    return dec.decode(bytes);
}

}  // namespace

QString decodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) return decodeWith(QStringConverter::Utf16LE, bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF")) return decodeWith(QStringConverter::Utf16BE, bytes.mid(2));
    if (looksLikeUtf16Le(bytes)) return decodeWith(QStringConverter::Utf16LE, bytes);
    if (isValidUtf8(bytes)) return QString::fromUtf8(bytes);
    return decodeGb18030(bytes);
}

TextFileResult readTextFile(const QString& path) {
    TextFileResult r;
    QFileInfo info(path);
    if (!info.exists()) {
        r.error = QStringLiteral("文件不存在");
        return r;
    }
    if (info.isDir()) {
        r.error = QStringLiteral("这是一个文件夹，不是文件");
        return r;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = QStringLiteral("无法打开文件");
        return r;
    }
    if (f.size() > kMaxTextFileBytes) {
        r.error = QStringLiteral("文件超过 64 MB");
        return r;
    }
    // Read at most one byte past the limit so a growing or special file
    // cannot make us hold more than that.
    QByteArray bytes = f.read(kMaxTextFileBytes + 1);
    if (f.error() != QFileDevice::NoError) {
        r.error = QStringLiteral("读取文件出错");
        return r;
    }
    if (bytes.size() > kMaxTextFileBytes) {
        r.error = QStringLiteral("文件超过 64 MB");
        return r;
    }
    r.text = decodeText(bytes);
    r.ok = true;
    return r;
}

}  // namespace numsift
