#pragma once
// The draws file some pictures are taken over.

#include <QString>
#include <QTextStream>

#include <optional>
#include <string>

#include "io/text_file.h"

namespace numsift {

// The file's text; nullopt, said on stderr, when it cannot be read.
inline std::optional<std::string> drawsFileText(const QString& path) {
    const TextFileResult file = readTextFile(path);
    if (!file.ok) {
        QTextStream(stderr) << "numsift-screenshots: " << path << ": " << file.error << "\n";
        return std::nullopt;
    }
    return file.text.toStdString();
}

}  // namespace numsift
