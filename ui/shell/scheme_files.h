#pragma once
// "保存方案" writes the condition panel with its tolerance and groups as a
// scheme file; "载入方案" reads one back, all or nothing, as one step undo
// gives back. Files are replaced atomically (io/atomic_save.h): a failed
// write leaves no partial file and an older file intact.

#include <QString>

#include "platform/platform.h"

namespace numsift {

class Panel;

class SchemeFiles {
public:
    SchemeFiles(Panel& panel, MessageSink& messages, FileDialogs& files)
        : panel_(panel), messages_(messages), files_(files) {}

    // Each returns true when it did its work; false after a cancel, a refused
    // entry or an error that was reported.
    bool saveScheme();
    bool loadScheme();

    // The same without the dialog, for a path already chosen.
    bool saveSchemeTo(const QString& path);
    bool loadSchemeFrom(const QString& path);

private:
    void tell(const std::string& text, MessageIcon icon, const char* title = nullptr);

    Panel& panel_;
    MessageSink& messages_;
    FileDialogs& files_;
};

}  // namespace numsift
