#include "ui/sets/set_services.h"

#include "io/text_file.h"

namespace numsift {

sets::FileReader textFileReader() {
    return [](const std::string& path) {
        const TextFileResult r = readTextFile(QString::fromStdString(path));
        sets::FileText file;
        file.ok = r.ok;
        if (r.ok)
            file.text = r.text.toStdString();
        else
            file.error = r.error.toStdString();
        return file;
    };
}

}  // namespace numsift
