#pragma once
// Pictures of the backtest page and the number diagnosis for the
// documentation (numsift --screenshot-analysis DIR).

#include <QString>

namespace numsift {

// Saves window-backtest.png and window-diagnosis.png into folder; 0 on success.
int takeAnalysisScreenshots(const QString& folder);

}  // namespace numsift
