#include "io/gb18030.h"

namespace numsift {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char32_t kSupplementaryCodes = 0x100000;  // U+10000 … U+10FFFF
constexpr char16_t kSwappedIn = 0x1E3F;             // ḿ, at A8BC since 2005
constexpr char16_t kSwappedOut = 0xE7C7;            // what A8BC named before

bool isLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool isDigitByte(unsigned char b) { return b >= 0x30 && b <= 0x39; }

// The linear number of a four-byte code counted from b0 = first.
char32_t fourByteNumber(const unsigned char* p, unsigned char first) {
    return (p[0] - first) * 12600u + (p[1] - 0x30u) * 1260u + (p[2] - 0x81u) * 10u + (p[3] - 0x30u);
}

}  // namespace

Gb18030Decoder::Gb18030Decoder(const GbPairTable& pairs) : pairs_(pairs) {
    // The four-byte codes of the BMP name, in order, what nothing shorter
    // names: walk the BMP past ASCII and the surrogates, leaving out every
    // code point the two-byte table holds.
    std::vector<bool> named(0x10000, false);
    for (char16_t c : pairs_)
        if (c != kReplacement) named[c] = true;
    // The one exception: the 2005 edition gave A8BC the letter U+1E3F, which
    // the 2000 edition's count reached by a four-byte code, and that code
    // the private-use U+E7C7 that A8BC had named. The codes swapped; the
    // count stayed the 2000 one.
    const bool swapped = pairs_[gbPairIndex(0xA8, 0xBC)] == kSwappedIn;
    if (swapped) {
        named[kSwappedIn] = false;
        named[kSwappedOut] = true;
    }
    fourByteBmp_.reserve(0x10000 - 0x80);
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        if (!named[c])
            fourByteBmp_.push_back(swapped && c == kSwappedIn ? kSwappedOut : static_cast<char16_t>(c));
    }
}

QString Gb18030Decoder::decode(const QByteArray& bytes) const {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    // Every code gives at most one UTF-16 unit per byte it takes.
    QString out(n, Qt::Uninitialized);
    QChar* o = out.data();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            *o++ = QChar(b);
            ++i;
            continue;
        }
        if (isLead(b) && i + 1 < n) {
            if (gbTrailIndex(p[i + 1]) >= 0) {
                *o++ = QChar(pairs_[gbPairIndex(b, p[i + 1])]);
                i += 2;
                continue;
            }
            if (i + 3 < n && isDigitByte(p[i + 1]) && isLead(p[i + 2]) && isDigitByte(p[i + 3])) {
                if (b <= 0x84) {
                    const char32_t k = fourByteNumber(p + i, 0x81);
                    *o++ = QChar(k < fourByteBmp_.size() ? fourByteBmp_[k] : kReplacement);
                } else if (b >= 0x90 && b <= 0xE3 && fourByteNumber(p + i, 0x90) < kSupplementaryCodes) {
                    const char32_t c = 0x10000 + fourByteNumber(p + i, 0x90);
                    *o++ = QChar(QChar::highSurrogate(c));
                    *o++ = QChar(QChar::lowSurrogate(c));
                } else {
                    *o++ = QChar(kReplacement);
                }
                i += 4;
                continue;
            }
            // FF can start nothing, so it goes with the lead byte.
            if (p[i + 1] == 0xFF) {
                *o++ = QChar(kReplacement);
                i += 2;
                continue;
            }
        }
        *o++ = QChar(kReplacement);
        ++i;
    }
    out.truncate(o - out.constData());
    return out;
}

QString decodeGb18030(const QByteArray& bytes) {
    static const Gb18030Decoder decoder(platformGbPairs());
    return decoder.decode(bytes);
}

}  // namespace numsift
