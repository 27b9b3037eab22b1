#pragma once
// The page "历史验证": the past draws on the left (draws_panel.h), the
// backtest of the panel over them on the right (backtest_tables.h), and the
// diagnosis of one number below the draws (diagnosis_panel.h). It reads the
// panel as a run would and changes none of it.

#include <QFrame>

#include "ui/analysis/page_services.h"

namespace numsift {

class BacktestTables;
class DiagnosisPanel;
class DrawsPanel;
class KeptHistory;
class Panel;
class WalkPanel;

class PageBacktest : public QFrame {
    Q_OBJECT
public:
    // QFrame has a Panel of its own (a frame shape): the interface is named in full.
    PageBacktest(numsift::Panel& panel, PageServices services, QWidget* parent = nullptr);

    DrawsPanel* draws() const { return draws_; }
    DiagnosisPanel* diagnosis() const { return diagnosis_; }
    BacktestTables* tables() const { return tables_; }
    WalkPanel* walk() const { return walk_; }  // null until draws are kept

    // "开始验证": the panel's run over its base set checked against the
    // draws of the range (or the box's own list of draws without issues).
    bool runBacktest();
    // Draws with issues join history from now on, and "滚动验证" walks the
    // panel over its range.
    void keepDrawsIn(KeptHistory* history);

private:
    numsift::Panel& panel_;
    DrawsPanel* draws_ = nullptr;
    DiagnosisPanel* diagnosis_ = nullptr;
    BacktestTables* tables_ = nullptr;
    WalkPanel* walk_ = nullptr;
};

}  // namespace numsift
