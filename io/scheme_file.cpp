#include "io/scheme_file.h"

#include "io/text_file.h"

namespace numsift {

SchemeFileRead readSchemeFile(const QString& path) {
    const TextFileResult file = readTextFile(path);
    if (!file.ok) {
        SchemeFileRead read;
        read.problem = SchemeFileRead::Problem::Unreadable;
        read.error = file.error.toStdString();
        return read;
    }
    return schemeOfText(file.text.toStdString());
}

SchemeFileRead schemeOfText(std::string_view text) {
    SchemeLoad load = loadScheme(text);
    SchemeFileRead read;
    if (!load.ok) {
        read.problem = SchemeFileRead::Problem::Invalid;
        read.error = std::move(load.error);
        return read;
    }
    read.scheme = std::move(load.scheme);
    return read;
}

}  // namespace numsift
