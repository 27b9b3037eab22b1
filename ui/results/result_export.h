#pragma once
// "导出到文件": the result as the copy-all text (.txt), or as CSV with each
// number's fail count, failed conditions and their groups (.csv, only for
// the result of 开始缩水). Files are replaced atomically (io/atomic_save.h).

#include <QString>

#include "platform/platform.h"

namespace numsift {

class Panel;

// The export dialog's filters: the copy-all text, or CSV.
inline constexpr const char* kExportFilter = "文本文件|*.txt|CSV 表格（含每注的错误条件）|*.csv";

class ResultExport {
public:
    ResultExport(Panel& panel, MessageSink& messages, FileDialogs& files)
        : panel_(panel), messages_(messages), files_(files) {}

    // True when it wrote the file; false after a cancel, with no result, or
    // after an error that was reported.
    bool exportResults();
    // The same for a path already chosen: CSV when it ends in .csv (any
    // case), else the copy-all text.
    bool exportResultsTo(const QString& path);

private:
    bool exportCsvTo(const QString& path);
    void tell(const std::string& text, MessageIcon icon);

    Panel& panel_;
    MessageSink& messages_;
    FileDialogs& files_;
};

}  // namespace numsift
