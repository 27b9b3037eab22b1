#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "engine/number_list.h"
#include "io/text_file.h"

using namespace numsift;

namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

std::vector<std::uint32_t> numbersIn(const QString& text) { return parseNumbers(text.toStdString()).values; }

QByteArray utf16le(const QString& s, bool bom) {
    QByteArray b = bom ? QByteArray("\xFF\xFE", 2) : QByteArray();
    for (QChar c : s) {
        b.append(static_cast<char>(c.unicode() & 0xFF));
        b.append(static_cast<char>(c.unicode() >> 8));
    }
    return b;
}

QByteArray utf16be(const QString& s, bool bom) {
    QByteArray b = bom ? QByteArray("\xFE\xFF", 2) : QByteArray();
    for (QChar c : s) {
        b.append(static_cast<char>(c.unicode() >> 8));
        b.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return b;
}

}  // namespace

TEST(TextFile, EncodingsAllGiveTheSameNumbers) {
    const QString text = QStringLiteral("12345，54321；00001、99999\r\n00002");
    const std::vector<std::uint32_t> want{1, 2, 12345, 54321, 99999};
    EXPECT_EQ(numbersIn(decodeText(text.toUtf8())), want);
    EXPECT_EQ(numbersIn(decodeText("\xEF\xBB\xBF" + text.toUtf8())), want);
    EXPECT_EQ(numbersIn(decodeText(utf16le(text, true))), want);
    EXPECT_EQ(numbersIn(decodeText(utf16le(text, false))), want);
    EXPECT_EQ(numbersIn(decodeText(utf16be(text, true))), want);
    EXPECT_EQ(numbersIn(decodeText(utf16be(text, false))), want);
    EXPECT_EQ(decodeText(utf16be(text, false)), text);
    EXPECT_EQ(decodeText(utf16le(text, false)), text);
}

TEST(TextFile, OnlyValidUtf8IsReadAsUtf8) {
    const QByteArray utf8 = QStringLiteral("号码 12345").toUtf8();
    EXPECT_EQ(decodeText(utf8), QStringLiteral("号码 12345"));
    // A sequence cut off at the end, an overlong form and an encoded
    // surrogate are no UTF-8: such files are read as GB18030.
    const QByteArray bad[] = {utf8 + "\xE7\xA0", "12345 \xC0\xAF", "12345 \xED\xA0\x80"};
    for (const QByteArray& b : bad) {
        const QString s = decodeText(b);
        EXPECT_NE(s, QString::fromUtf8(b)) << b.toHex().constData();
        EXPECT_TRUE(s.contains(QStringLiteral("12345"))) << b.toHex().constData();
    }
}

TEST(TextFile, GbkWithFullWidthSeparators) {
    // "12345，54321；00001、" in GBK: ， = A3 AC, ； = A3 BB, 、 = A1 A2.
    const QByteArray gbk(
        "12345\xA3\xAC"
        "54321\xA3\xBB"
        "00001\xA1\xA2"
        "\xBA\xC5\xC2\xEB");  // 号码
    const QString s = decodeText(gbk);
    EXPECT_TRUE(s.contains(QStringLiteral("，")));
    EXPECT_TRUE(s.endsWith(QStringLiteral("号码")));
    EXPECT_EQ(numbersIn(s), (std::vector<std::uint32_t>{1, 12345, 54321}));
}

TEST(TextFile, ReadingAndItsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TextFileResult r = readTextFile(writeFile(dir, "ok.txt", "00001 00002"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.text, QStringLiteral("00001 00002"));

    r = readTextFile(writeFile(dir, "empty.txt", ""));
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.text.isEmpty());

    r = readTextFile(dir.filePath("missing.txt"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());

    r = readTextFile(dir.path());  // a folder
    EXPECT_FALSE(r.ok);

    // Over 64 MiB: refused without reading it (a sparse file).
    const QString big = dir.filePath("big.txt");
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(100ll * 1024 * 1024));
    }
    r = readTextFile(big);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("文件超过 64 MiB"));  // the limit is 64 × 2^20 bytes
}

// Opening a FIFO waits for a writer and a device may never end: anything but
// a regular file is refused before it is opened, with what it is.
TEST(TextFile, NonRegularFilesAreRefusedAtOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fifo = dir.filePath("pipe.txt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    TextFileResult r = readTextFile(fifo);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("这是一个命名管道（FIFO），不是普通文件"));

    // A link to the FIFO is refused the same way.
    const QString link = dir.filePath("link.txt");
    ASSERT_TRUE(QFile::link(fifo, link));
    EXPECT_EQ(readTextFile(link).error, QStringLiteral("这是一个命名管道（FIFO），不是普通文件"));

    r = readTextFile(QStringLiteral("/dev/zero"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("这是一个设备，不是普通文件"));

    // A listening Unix socket.
    const QByteArray socketPath = QFile::encodeName(dir.filePath("s.sock"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(socketPath.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.constData(), static_cast<std::size_t>(socketPath.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    r = readTextFile(QFile::decodeName(socketPath));
    ::close(fd);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("这是一个套接字，不是普通文件"));
}
