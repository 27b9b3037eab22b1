#pragma once
// What the window's file actions share: choosing a file through the file
// dialogs, the default suffix of a name typed without one, and the words for
// a save that failed (files are written by io/atomic_save.h).

#include <QString>

#include "io/atomic_save.h"
#include "platform/platform.h"

namespace numsift {

inline constexpr const char* kSchemeFilter = "方案文件|*.json";

// The file chosen in a dialog; empty after a cancel. filterIndex, when
// given, receives the filter chosen (1 for the first).
QString chooseFile(FileDialogs& files, const char* filter, const char* name, const char* title, bool save,
                   int* filterIndex = nullptr);

// The path with suffix (".json", ".txt") added when the name has none.
QString withDefaultSuffix(const QString& path, const QString& suffix);

// Why a save failed, in the window's words: "无法创建文件（…）" when the
// file could not be made, else "写入文件出错（…）".
QString saveProblem(const AtomicSave& save);

}  // namespace numsift
