// Any bytes through the text-file decoder: no crash, and GB18030 reads them
// as ICU does (the text ends in ASCII here: ICU drops a code cut short by
// the end, where the decoder keeps what follows the stray byte).
#include <QByteArray>
#include <QStringDecoder>
#include <cstdint>
#include <cstdlib>

#include "io/gb18030.h"
#include "io/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)numsift::decodeText(bytes);
    bytes.append('\n');
    QStringDecoder icu("GB18030", QStringConverter::Flag::Stateless);
    if (numsift::decodeGb18030(bytes) != icu.decode(bytes)) std::abort();
    return 0;
}
