#include "ui/sets/set_services.h"

#include "io/text_file.h"

namespace numsift {

settools::FileReader textFileReader() {
    return [](const std::string& path) {
        const TextFileResult r = readTextFile(QString::fromStdString(path));
        settools::FileText file;
        file.ok = r.ok;
        if (r.ok)
            file.text = r.text.toStdString();
        else
            file.error = r.error.toStdString();
        return file;
    };
}

QString toBoxText(const std::string& engineText) {
    QString s = QString::fromStdString(engineText);
    s.remove(QLatin1Char('\r'));
    return s;
}

std::string toEngineText(const QString& boxText) {
    const QByteArray utf8 = boxText.toUtf8();
    std::string out;
    out.reserve(static_cast<std::size_t>(utf8.size()) + static_cast<std::size_t>(utf8.count('\n')));
    char previous = 0;
    for (const char c : utf8) {
        if (c == '\n' && previous != '\r') out.push_back('\r');
        out.push_back(c);
        previous = c;
    }
    return out;
}

}  // namespace numsift
