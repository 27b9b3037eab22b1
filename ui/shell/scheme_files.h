#pragma once
// The window's file actions beyond the base system: "保存方案" writes the
// condition panel and the tolerance as a scheme file, "载入方案" reads one
// back (all or nothing), "导出到文件" writes the copy-all text of the result.
// Files are written through a temporary file and renamed when complete, so
// a failed write leaves no partial file and an older file intact.

#include <QByteArray>
#include <QString>

#include "platform/platform.h"

namespace numsift {

class MainWindow;

inline constexpr const char* kSchemeFilter = "方案文件|*.json";
// "导出到文件": the copy-all text, or CSV with each number's failed conditions.
inline constexpr const char* kExportFilter = "文本文件|*.txt|CSV 表格（含每注的错误条件）|*.csv";

// Writes bytes to path as a whole; on failure nothing is left at path that
// was not there before, and error holds a Chinese reason.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// The path with suffix (".json", ".txt") added when the name has none.
QString withDefaultSuffix(const QString& path, const QString& suffix);

class SchemeFiles {
public:
    SchemeFiles(MainWindow& window, MessageSink& messages, FileDialogs& files)
        : window_(window), messages_(messages), files_(files) {}

    // Each returns true when it did its work; false after a cancel, a refused
    // entry or an error that was reported.
    bool saveScheme();
    bool loadScheme();
    bool exportResults();
    // The dialogs the menu's actions use.
    FileDialogs& fileDialogs() { return files_; }

    // The same without the dialog, for a path already chosen.
    bool saveSchemeTo(const QString& path);
    bool loadSchemeFrom(const QString& path);
    // CSV when the path ends in .csv (any case), else the copy-all text.
    bool exportResultsTo(const QString& path);

private:
    QString choose(const char* filter, const char* name, const char* title, bool save,
                   int* filterIndex = nullptr);
    bool exportCsvTo(const QString& path);
    void tell(const std::string& text, MessageIcon icon, const char* title = nullptr);

    MainWindow& window_;
    MessageSink& messages_;
    FileDialogs& files_;
};

}  // namespace numsift
