#pragma once
// Pictures of the trend chart and of page 1 with "显示遗漏" on, over a file
// of real past draws, for the documentation.

#include <QString>

namespace numsift {

// Reads the draws file into the window's history (nothing is saved) and
// saves window-trend.png and window-omission.png into folder; 0 on success.
int takeTrendScreenshots(const QString& drawsFile, const QString& folder);

}  // namespace numsift
