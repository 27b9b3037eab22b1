#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

}  // namespace

TEST(TextFile, EncodingsAllGiveTheSameNumbers) {
    const QString text = QStringLiteral("12345，54321；00001、99999\r\n00002");
    const std::vector<std::uint32_t> want{1, 2, 12345, 54321, 99999};
    EXPECT_EQ(numbersIn(decodeText(text.toUtf8())), want);
    EXPECT_EQ(numbersIn(decodeText("\xEF\xBB\xBF" + text.toUtf8())), want);
    EXPECT_EQ(numbersIn(decodeText(utf16le(text, true))), want);
    EXPECT_EQ(numbersIn(decodeText(utf16le(text, false))), want);
    QByteArray be("\xFE\xFF", 2);
    for (QChar c : text) {
        be.append(static_cast<char>(c.unicode() >> 8));
        be.append(static_cast<char>(c.unicode() & 0xFF));
    }
    EXPECT_EQ(numbersIn(decodeText(be)), want);
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
    EXPECT_TRUE(r.error.contains(QStringLiteral("64")));
}
