// The two-byte table read from ICU's GB18030 converter through Qt.

#include <QStringDecoder>

#include "io/gb18030.h"

namespace numsift {

const GbPairTable& platformGbPairs() {
    static const GbPairTable table = [] {
        GbPairTable t;
        t.fill(0xFFFD);
        QStringDecoder icu("GB18030", QStringConverter::Flag::Stateless);
        if (!icu.isValid()) return t;
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (gbTrailIndex(trail) < 0) continue;
                const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const QString s = icu.decode(QByteArrayView(code, 2));
                if (s.size() == 1) t[gbPairIndex(lead, trail)] = s[0].unicode();
            }
        return t;
    }();
    return table;
}

}  // namespace numsift
