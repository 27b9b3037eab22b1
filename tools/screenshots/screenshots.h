#pragma once
// Pictures of the window for the documentation: pages 0 to 4 and a result
// with page buttons, saved as PNG files into a folder.

#include <QString>

namespace numsift {

// Returns the process exit code (0 when every picture was saved).
int takeScreenshots(const QString& folder);

}  // namespace numsift
