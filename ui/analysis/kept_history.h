#pragma once
// The window's draw history: the kept store (analysis/draw_store.h), saved to
// its file (io/draw_history_file.h) after every change, and the window of
// the newest draws ("全部", "近30期" …) the trend chart and the omission
// figures on the controls count over. The backtest page merges what is
// imported or pasted into it; the chart and the controls listen to
// windowChanged.

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "analysis/draw_store.h"
#include "analysis/omission_stats.h"
#include "io/draw_history_file.h"

namespace numsift {

// What a merge did and, when it changed the store, whether it was saved.
struct HistoryMerge {
    MergeReport report;
    SaveResult save{true, {}};
};

class KeptHistory : public QObject {
    Q_OBJECT
public:
    explicit KeptHistory(QObject* parent = nullptr);
    ~KeptHistory() override;

    // Keeps the history in the file at path from now on: loads it (replacing
    // what is held) and returns what the player must be told, empty when
    // nothing. An empty path keeps the history in memory only.
    QString keepIn(const QString& path);
    bool kept() const { return file_ != nullptr; }

    // Merges parsed draws by issue; saves when the store changed.
    HistoryMerge merge(const DrawHistory& parsed);

    const DrawStore& store() const { return store_; }
    // The kept draws one a line, "2025194 2025-07-20 35789", oldest first:
    // how the backtest page shows them.
    std::string drawsText() const;

    // The newest n draws are counted (0: all of them).
    void setWindow(std::size_t n);
    std::size_t window() const { return window_; }
    // The counted draws, oldest first, and their figures.
    std::span<const std::uint32_t> windowDraws() const { return lastDraws(values_, window_); }
    const OmissionStats& stats() const { return stats_; }
    // "全部 7318 期" or "近 30 期": the window as a tooltip names it.
    QString windowText() const;

signals:
    // The store changed (an import, a paste, a load).
    void historyChanged();
    // The counted draws or their figures changed (the store or the window).
    void windowChanged();

private:
    void storeChanged();
    void recount();

    DrawStore store_;
    std::unique_ptr<DrawHistoryFile> file_;
    std::vector<std::uint32_t> values_;
    std::size_t window_ = 0;
    OmissionStats stats_;
};

}  // namespace numsift
