#pragma once
// The window's draw history: the kept store (analysis/draw_store.h), saved to
// its file (io/draw_history_file.h) after every change, and the one range of
// it ("全部", "近30期", "期号 a–b" …; analysis/draw_range.h) that every page
// counts over: the trend chart, the omission figures on the controls, the
// backtest and the rules. The backtest page merges what is imported or
// pasted into it; whoever counts listens to windowChanged, and every range
// selector (ui/analysis/range_selector.h) shows and sets the same range.

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "analysis/draw_range.h"
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

    // The range counted over, and the draws it takes in the store.
    const DrawRange& range() const { return range_; }
    void setRange(const DrawRange& range);
    DrawSpan rangeSpan() const { return span_; }
    // The newest n draws are counted (0: all of them).
    void setWindow(std::size_t n) { setRange(n == 0 ? DrawRange::all() : DrawRange::newest(n)); }
    // The counted draws, oldest first, and their figures (当前遗漏 over the
    // whole history, the other figures over the range).
    std::span<const std::uint32_t> windowDraws() const {
        return std::span<const std::uint32_t>(values_).subspan(span_.begin, span_.size());
    }
    const OmissionStats& stats() const { return stats_; }
    // "全部 7318 期", "近 30 期" or "期号 2025001–2025100，共 100 期": the
    // range as a tooltip names it.
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
    DrawRange range_;
    DrawSpan span_;
    OmissionStats stats_;
};

}  // namespace numsift
