// The GB18030 decoder against ICU's converter: the Windows build shares every
// rule and differs only in where its two-byte table comes from, so reading
// as ICU reads here is what makes a file read the same on both platforms.

#include <gtest/gtest.h>

#include <QStringDecoder>

#include <random>

#include "io/gb18030.h"

using namespace numsift;

namespace {

QString icu(const QByteArray& bytes) {
    QStringDecoder d("GB18030", QStringConverter::Flag::Stateless);
    return d.decode(bytes);
}

// Where two texts first differ, as "index: ours U+xxxx, ICU U+yyyy".
std::string firstDifference(const QString& ours, const QString& theirs) {
    const qsizetype n = std::min(ours.size(), theirs.size());
    qsizetype i = 0;
    while (i < n && ours[i] == theirs[i]) ++i;
    auto unit = [](const QString& s, qsizetype k) {
        return k < s.size() ? QString::number(s[k].unicode(), 16).toStdString() : std::string("end");
    };
    return std::to_string(i) + ": ours U+" + unit(ours, i) + ", ICU U+" + unit(theirs, i);
}

}  // namespace

TEST(Gb18030, EveryTwoAndFourByteCodeReadsAsIcuReadsIt) {
    ASSERT_TRUE(QStringDecoder("GB18030").isValid());
    QByteArray pairs;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F) {
                pairs.append(static_cast<char>(lead));
                pairs.append(static_cast<char>(trail));
            }
    QString ours = decodeGb18030(pairs);
    QString theirs = icu(pairs);
    EXPECT_EQ(ours.size(), kGbLeadCount * kGbTrailCount);
    EXPECT_TRUE(ours == theirs) << firstDifference(ours, theirs);

    // All 1,587,600 four-byte codes, the assigned and the unassigned.
    QByteArray quads;
    quads.reserve(126 * 10 * 126 * 10 * 4);
    for (int b0 = 0x81; b0 <= 0xFE; ++b0)
        for (int b1 = 0x30; b1 <= 0x39; ++b1)
            for (int b2 = 0x81; b2 <= 0xFE; ++b2)
                for (int b3 = 0x30; b3 <= 0x39; ++b3) {
                    const char code[4] = {static_cast<char>(b0), static_cast<char>(b1), static_cast<char>(b2),
                                          static_cast<char>(b3)};
                    quads.append(code, 4);
                }
    ours = decodeGb18030(quads);
    theirs = icu(quads);
    EXPECT_TRUE(ours == theirs) << firstDifference(ours, theirs);
}

TEST(Gb18030, KnownCodesAtTheEdgesOfEachRange) {
    EXPECT_EQ(decodeGb18030("\xBA\xC5\xC2\xEB"), QStringLiteral("号码"));
    EXPECT_EQ(decodeGb18030("\xA8\xBC"), QString(QChar(0x1E3F)));          // moved out of private use
    EXPECT_EQ(decodeGb18030("\x81\x35\xF4\x37"), QString(QChar(0xE7C7)));  // and its old place
    EXPECT_EQ(decodeGb18030("\x81\x30\x81\x30"), QString(QChar(0x0080)));  // first four-byte code
    EXPECT_EQ(decodeGb18030("\x84\x31\xA4\x39"), QString(QChar(0xFFFF)));  // last one in the BMP
    EXPECT_EQ(decodeGb18030("\x84\x31\xA5\x30"), QString(QChar(0xFFFD)));  // unassigned after it
    EXPECT_EQ(decodeGb18030("\x90\x30\x81\x30"), QString::fromUcs4(U"\U00010000"));
    EXPECT_EQ(decodeGb18030("\xE3\x32\x9A\x35"), QString::fromUcs4(U"\U0010FFFF"));
    EXPECT_EQ(decodeGb18030("\xE3\x32\x9A\x36"), QString(QChar(0xFFFD)));
}

TEST(Gb18030, BrokenBytesReadAsIcuReadsThemAndNeverSwallowADigit) {
    // Random runs of the bytes that matter to the structure: leads, the
    // four-byte digits, trails, the two bytes that start nothing.
    const unsigned char alphabet[] = {0x30, 0x35, 0x39, 0x40, 0x7E, 0x7F, 0x80, 0x81,
                                      0x84, 0x90, 0xA1, 0xE3, 0xFE, 0xFF, 0x0A, 0x20};
    std::mt19937 rng(18030);
    std::uniform_int_distribution<int> pick(0, sizeof alphabet - 1);
    std::uniform_int_distribution<int> length(1, 12);
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        for (int k = length(rng); k > 0; --k) bytes.append(static_cast<char>(alphabet[pick(rng)]));
        // ICU drops a code cut short by the end of the text: end on ASCII
        // here, and see the end separately below.
        bytes.append('\n');
        const QString ours = decodeGb18030(bytes);
        const QString theirs = icu(bytes);
        ASSERT_TRUE(ours == theirs) << bytes.toHex(' ').toStdString() << " at "
                                    << firstDifference(ours, theirs);
    }

    // A lead byte near the end keeps what follows it, where ICU drops both.
    EXPECT_EQ(decodeGb18030("00001 \x81"), QStringLiteral("00001 \uFFFD"));
    EXPECT_EQ(decodeGb18030("00001\x81\x32"), QStringLiteral("00001\uFFFD2"));
    EXPECT_EQ(decodeGb18030("\x81\x30\x81"), QStringLiteral("\uFFFD0\uFFFD"));
}

TEST(Gb18030, ATableThatNamesLessLeavesTheRestToTheFourByteCodes) {
    // The four-byte codes are counted from what the two-byte table names:
    // with an empty table, U+0080 onwards, no code point left out.
    GbPairTable none;
    none.fill(0xFFFD);
    const Gb18030Decoder decoder(none);
    EXPECT_EQ(decoder.decode("\x81\x30\x81\x30\x81\x30\x81\x31"), QStringLiteral("\u0080\u0081"));
    EXPECT_EQ(decoder.decode("\xBA\xC5"), QString(QChar(0xFFFD)));
    EXPECT_EQ(decoder.decode("12345"), QStringLiteral("12345"));
}

TEST(Gb18030, ATableOfThe2000EditionReadsTheSwappedCodesAsThatEditionDid) {
    // Code page 936 still names U+E7C7 at A8BC; with it, the four-byte
    // code that reads as U+E7C7 under the 2005 edition reads as U+1E3F.
    GbPairTable older = platformGbPairs();
    older[gbPairIndex(0xA8, 0xBC)] = 0xE7C7;
    const Gb18030Decoder decoder(older);
    EXPECT_EQ(decoder.decode("\xA8\xBC\x81\x35\xF4\x37"), QStringLiteral("\uE7C7\u1E3F"));
    EXPECT_EQ(decoder.decode("\x81\x35\xF4\x36\x81\x35\xF4\x38"),
              decodeGb18030("\x81\x35\xF4\x36\x81\x35\xF4\x38"));
}
