#pragma once
// A scheme file read whole: its text as every import reads it
// (io/text_file.h), then the scheme, all or nothing. The window's 载入方案 and
// 方案叠加 and every command of numsift-cli read schemes through it.

#include <QString>

#include <string>
#include <string_view>

#include "conditions/scheme.h"

namespace numsift {

struct SchemeFileRead {
    enum class Problem { None, Unreadable, Invalid };
    Problem problem = Problem::None;
    Scheme scheme = emptyScheme();  // the scheme when ok(), else an empty panel
    // Unreadable: the reader's reason ("无法打开文件"); Invalid: the key
    // and the item the scheme fails on.
    std::string error;

    bool ok() const { return problem == Problem::None; }
};

SchemeFileRead readSchemeFile(const QString& path);
// The same for a text already read (standard input).
SchemeFileRead schemeOfText(std::string_view text);

}  // namespace numsift
