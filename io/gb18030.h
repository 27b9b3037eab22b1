#pragma once
// GB18030 text (and so GBK and GB2312, which are its two-byte part), decoded
// by the same rules on every platform:
//   00–7F                        one byte, ASCII
//   81–FE 40–7E|80–FE            two bytes, looked up in the two-byte table
//   81–84 30–39 81–FE 30–39      four bytes, counted: the n-th code point of
//                                the BMP (surrogates left out) that neither
//                                ASCII nor a two-byte code names
//   90–E3 30–39 81–FE 30–39      four bytes, counted: U+10000 + n
// A code the standard leaves unassigned reads as one U+FFFD. A byte that
// starts no whole code (80, FF, a lead byte not followed as above, also at
// the end of the text) reads as one U+FFFD, and reading goes on with the
// next byte, so no digit after a stray byte is lost; a lead byte followed
// by FF reads as one U+FFFD with it. (ICU reads broken bytes the same way,
// except that it drops a code cut short by the end of the text.)
// Only the two-byte table comes from the platform: ICU's GB18030 converter
// where Qt has it, the Windows code page 936 on Windows (gb18030_pairs_*.cpp).

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace numsift {

inline constexpr int kGbLeadCount = 0xFE - 0x81 + 1;                         // 126 lead bytes
inline constexpr int kGbTrailCount = (0x7E - 0x40 + 1) + (0xFE - 0x80 + 1);  // 190 trail bytes

// One entry per two-byte code, at gbPairIndex(lead, trail); U+FFFD where
// the table names nothing.
using GbPairTable = std::array<char16_t, kGbLeadCount * kGbTrailCount>;

// The index of a trail byte among the 190, or -1 when it is none.
constexpr int gbTrailIndex(unsigned char b) {
    if (b >= 0x40 && b <= 0x7E) return b - 0x40;
    if (b >= 0x80 && b <= 0xFE) return b - 0x80 + 63;
    return -1;
}

// The entry of the two-byte code lead, trail (a lead byte 81–FE and a
// trail byte, gbTrailIndex(trail) >= 0).
constexpr int gbPairIndex(unsigned char lead, unsigned char trail) {
    return (lead - 0x81) * kGbTrailCount + gbTrailIndex(trail);
}

// The two-byte table of this platform, made on first use.
const GbPairTable& platformGbPairs();

class Gb18030Decoder {
public:
    explicit Gb18030Decoder(const GbPairTable& pairs);
    QString decode(const QByteArray& bytes) const;

private:
    GbPairTable pairs_;
    std::vector<char16_t> fourByteBmp_;  // the BMP code point of four-byte code n
};

// Decodes with the platform's table.
QString decodeGb18030(const QByteArray& bytes);

}  // namespace numsift
