#pragma once
// The pictures of the group editor, the stacking dialog, the result
// statistics and the what-if table.

#include <QString>

namespace numsift {

int takeGroupsScreenshots(const QString& folder);

}  // namespace numsift
