#pragma once
// "滚动验证" on the 历史验证 page: the panel played over the history's range
// draw by draw as the player would have played it — each draw with the
// kills its rules would have made from the draws before it alone
// (analysis/walk_forward.h) — beside today's check, which gives every draw
// the kills the rules make for the next draw, learned from those very draws.
// A table holds both summaries side by side (保留期数 beside 理论, 平均注数,
// 投入, 奖金, 回报率 beside the chance return, the longest run of misses),
// a chart the walk's cumulative 投入 and 奖金.
//
// The walk runs off the window's thread on copies of the panel and the
// draws, with progress and "取消". It runs when the panel is shown and what
// it walks (the panel, the base set, the range, the history) is not what
// was walked; a change while it is shown walks again, dropping the walk
// that was running.

#include <QWidget>

#include <optional>
#include <string>

#include "analysis/walk_forward.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace numsift {

class BackgroundWork;
class KeptHistory;
class Panel;
class SeriesChart;

class WalkPanel : public QWidget {
    Q_OBJECT
public:
    WalkPanel(numsift::Panel& panel, KeptHistory* history, QWidget* parent = nullptr);

    // Walks what the panel holds now over the range, unless that was walked
    // already (again = true: walks anyway).
    void walk(bool again = false);
    // The panel changed: walked again at once while shown.
    void panelChanged();
    // "取消" while walking; "重新验证" once stopped.
    void walkOrCancel();
    bool walking() const;

    // The summaries last shown; nothing before the first walk ends.
    const std::optional<WalkSummary>& walkFigures() const { return walked_; }
    const std::optional<WalkSummary>& todayFigures() const { return today_; }

    QTableWidget* table() const { return table_; }
    SeriesChart* chart() const { return chart_; }
    QLabel* status() const { return status_; }
    QLabel* note() const { return note_; }
    QProgressBar* progress() const { return progress_; }
    QPushButton* walkButton() const { return button_; }
    BackgroundWork* work() const { return work_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What a walk reads, as text: equal keys, equal walks.
    std::string inputKey() const;
    void showFigures(const WalkSummary& walked, const WalkSummary& today, bool rules);
    void stopped();

    numsift::Panel& panel_;
    KeptHistory* history_;
    BackgroundWork* work_ = nullptr;
    std::string walkedKey_;  // what the shown (or running) walk read
    std::optional<WalkSummary> walked_, today_;

    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* button_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* note_ = nullptr;
    SeriesChart* chart_ = nullptr;
};

}  // namespace numsift
