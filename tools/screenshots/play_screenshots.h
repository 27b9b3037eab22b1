#pragma once
// Pictures of 生成复式 and of the ledger 投注记录 over a file of real past
// draws, for the documentation.

#include <QString>

namespace numsift {

// Keeps all but the newest draws of the file in a data folder of its own,
// then plays the newest ones as a player would: before each draw a result
// recorded for its issue, then the draw. Saves window-tickets.png and
// window-ledger.png into folder; 0 on success.
int takePlayScreenshots(const QString& drawsFile, const QString& folder);

}  // namespace numsift
