#pragma once
// frmFilter: the one working window, built whole by its constructor: the tab
// strip with the tabs "历史验证" and "走势图", the five pages, the
// special-shapes frame, the result area, the backtest page, the trend page
// and the menu button "文件". It owns the number sets, the kept draw history,
// the last run and the result set, and wires the controls to the run.

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "conditions/filter_input.h"
#include "conditions/scheme.h"
#include "engine/filter_run.h"
#include "engine/number_set_store.h"
#include "engine/tolerance.h"
#include "analysis/condition_items.h"
#include "io/kept_panel_file.h"
#include "engine/tolerance_groups.h"
#include "platform/platform.h"

class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace numsift {

class BLCommDialog;
class DesktopTextEditor;
class EntryBox;
class FrameSpecialShapes;
class KeptHistory;
class KillListBinding;
class OmissionMarks;
class PageBacktest;
class PageBase;
class PageCompound;
class PageConditions;
class PageJoin;
class PageRoad;
class PageTrend;
class PanelKeeper;
class PanelUndo;
enum class PanelParts;
class QtClipboard;
class QtMessageSink;
class ResultArea;
class SchemeFiles;
class SelectButton;
class TabStrip;

// Starts a text editor on a file; true when one was started.
using TextFileOpener = std::function<bool(const QString& path)>;

// The desktop services the window talks to. Tests pass fakes; a service left
// empty is supplied by the desktop (message boxes, the system clipboard, the
// file dialogs, an installed text editor).
struct WindowServices {
    MessageSink* messages = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialogs* files = nullptr;
    TextFileOpener openTextFile;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kPageCount = 5;

    explicit MainWindow(WindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- the parts ----
    // Page fraTab(index): 0 base set, 1 conditions, 2 roads, 3 two-set
    // combination, 4 compound boxes.
    QWidget* page(int index) const { return pages_[index]; }
    PageBase* basePage() const { return base_; }
    PageConditions* conditionsPage() const { return conditions_; }
    PageRoad* roadPage() const { return road_; }
    PageJoin* joinPage() const { return join_; }
    PageCompound* compoundPage() const { return compound_; }
    FrameSpecialShapes* specialShapes() const { return shapes_; }
    ResultArea* resultArea() const { return resultArea_; }
    TabStrip* tabStrip() const { return tabStrip_; }
    PageBacktest* backtestPage() const { return backtest_; }
    PageTrend* trendPage() const { return trend_; }
    EntryBox* straightKillBox() const;              // txtDan5
    QPushButton* straightKillImportButton() const;  // cmdImportDan5
    NumberSetStore& numberSets() { return store_; }
    const NumberSetStore& numberSets() const { return store_; }

    // ---- the menu "文件" ----
    SchemeFiles& schemeFiles() { return *schemeFiles_; }
    QAction* saveSchemeAction() const { return saveSchemeAction_; }
    // "显示遗漏": the omission figures on the condition controls (off at start).
    QAction* showOmissionAction() const { return showOmissionAction_; }

    // ---- the kept draw history ----
    KeptHistory& history() { return *history_; }
    // Keeps the draw history in the file at path from now on (the program:
    // draw-history.csv in the data folder; tests: a file of their own) and
    // loads it; what the player must be told about the file is shown once
    // the window shows. An empty path keeps it until the window closes,
    // and folderError says why.
    void keepHistoryIn(const QString& path, const QString& folderError = {});
    OmissionMarks& omissionMarks() { return *omissionMarks_; }
    // The control that names an item (a check box or a ratio or AC button);
    // nullptr for the items no control names (sums, two-digit codes).
    QAbstractButton* itemControl(ItemId item) const;

    // ---- the condition panel ----
    // The panel's state as the run and a scheme see it.
    FilterInput filterInput() const;
    // Sets every condition control from input (texts shown as after leaving
    // their boxes). Tolerance, base set and result stay.
    void setFilterInput(const FilterInput& input);
    QString toleranceText(int index) const;  // txtWrong(0) / txtWrong(1)
    void setToleranceTexts(const QString& lower, const QString& upper);
    // The grouped tolerance ("分组容错"): groups of conditions with their own
    // tolerance; the rest keeps txtWrong. Saved and loaded with schemes.
    const std::vector<ToleranceGroup>& toleranceGroups() const { return groups_; }
    void setToleranceGroups(std::vector<ToleranceGroup> groups);
    // The tolerance a run uses: txtWrong normalised, with the groups.
    GroupedTolerance grouping() const;
    // The columns a run of the panel as it stands produces, in run order.
    std::vector<ColumnId> panelColumns() const;
    // Opens the group editor (modal); true when its groups were taken.
    bool editToleranceGroups();
    // "结果统计" over the current result (modal).
    void showResultStatistics();
    // "方案叠加" (modal); its result goes to the result area as a run's does.
    void showStacking();
    // The panel, its tolerance and groups as a scheme.
    Scheme currentScheme() const;

    // ---- operations of the buttons ----
    void selectTab(int index);  // cmdTab_Click
    // The tab "历史验证": no tab of the twelve selected, the backtest page in
    // front of where the pages stand, the result area shown.
    void showBacktestPage();
    // The tab "走势图": the trend page where page 3 stands, the result area
    // hidden.
    void showTrendPage();
    void startRun();            // cmdFilter(0) "开始缩水"
    void clearAllConditions();  // cmdFilter(2) "清空所有条件"
    // Runs the validation of the box that has the focus, as leaving it
    // would; false when it keeps the focus (the action then does not run).
    bool commitFocusedEntry();

    // ---- rounds, undo and the kept panel ----
    // The panel as a scheme file holds it: the conditions and the tolerance.
    Scheme panelScheme() const;
    void applyPanelScheme(const Scheme& scheme);
    // The panel with the base set and the sets A and B.
    KeptPanel panelState() const;
    // Sets the panel and, as parts says, each set that differs, each box as
    // its own paste would leave it.
    void applyPanelState(const KeptPanel& panel, PanelParts parts);
    // "结果转为大底": the result set becomes the base set, as if pasted into
    // txtBase. False, with a message, when there is no result.
    bool resultToBase();
    // Remembers the panel before action (its menu caption) replaces the
    // parts of it that undoing gives back.
    void rememberForUndo(const char* action, PanelParts parts);
    // "撤销 …": the panel as it stood before the last remembered action.
    bool undo();
    // "恢复上次的条件": the panel the last start kept; false when none.
    bool restoreLastPanel();
    // Keeps the panel in folder from now on (once, at start) and offers the
    // panel kept there by the last start. A folder that is not ok keeps
    // nothing; its error, when it has one, is shown.
    void keepPanelIn(const DataFolder& folder);
    PanelKeeper* panelKeeper() const { return keeper_; }  // null when nothing is kept
    QLabel* keptPanelNote() const { return keptPanelNote_; }

    // ---- state ----
    int composeMode() const { return composeMode_; }
    int currentTab() const { return currentTab_; }
    const std::vector<std::uint32_t>& results() const;
    const RunResult* lastRun() const;
    DesktopTextEditor* exportEditor() const { return editor_.get(); }

    // Sizes the window for an available screen area and centres it there:
    // the design size where it fits, else as much as fits, with scroll bars
    // over the client area, whose controls keep their design places.
    void fitIn(const QRect& area);

    // The client area (every control of the window) and the scroll area
    // that shows it.
    QWidget* client() const { return client_; }
    QScrollArea* clientScroll() const { return clientScroll_; }

protected:
    // Closing saves the kept panel at once.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildClientArea();
    void buildConditionPages();
    void buildSetPages();
    void buildBacktestPage();
    void buildTrendPage();
    void buildFileMenu();
    void buildPanelKeeping();
    void panelChanged();
    void showUndoState();
    void showStartMessage(const QString& text);
    void placePage(QWidget* page, int index);
    void bringToFront(int pageIndex);
    void filterClicked(int index);
    void showPendingMessage();

private:
    std::unique_ptr<QtMessageSink> ownMessages_;
    std::unique_ptr<QtClipboard> ownClipboard_;
    // The open and save dialogs when the services bring none: one for the
    // number-set pages and the kill list, one for the menu and the backtest
    // page; each starts in the folder of its own last choice.
    std::unique_ptr<BLCommDialog> setDialog_;
    std::unique_ptr<BLCommDialog> fileDialog_;
    WindowServices services_;
    std::unique_ptr<DesktopTextEditor> editor_;
    std::unique_ptr<SchemeFiles> schemeFiles_;
    NumberSetStore store_;
    std::unique_ptr<RunResult> lastRun_;

    QScrollArea* clientScroll_ = nullptr;
    QWidget* client_ = nullptr;
    TabStrip* tabStrip_ = nullptr;
    std::array<QWidget*, kPageCount> pages_{};
    PageBase* base_ = nullptr;
    PageConditions* conditions_ = nullptr;
    PageRoad* road_ = nullptr;
    PageJoin* join_ = nullptr;
    PageCompound* compound_ = nullptr;
    KillListBinding* killList_ = nullptr;  // paste and import of txtDan5
    FrameSpecialShapes* shapes_ = nullptr;
    ResultArea* resultArea_ = nullptr;
    PageBacktest* backtest_ = nullptr;
    KeptHistory* history_ = nullptr;
    PageTrend* trend_ = nullptr;
    OmissionMarks* omissionMarks_ = nullptr;
    QString pendingMessage_;                 // what the start found, told once the window shows
    QToolButton* fileMenuButton_ = nullptr;  // "文件", right of the tab strip
    QMenu* fileMenu_ = nullptr;
    QAction* saveSchemeAction_ = nullptr;  // also Ctrl+S while the menu is closed
    QAction* showOmissionAction_ = nullptr;
    QAction* undoAction_ = nullptr;     // "撤销 …", also Ctrl+Z outside text boxes
    QAction* restoreAction_ = nullptr;  // "恢复上次的条件"
    std::unique_ptr<PanelUndo> undo_;
    PanelKeeper* keeper_ = nullptr;
    // Right of the result count: the offer to restore the kept panel, or
    // why the panel is not being kept.
    QLabel* keptPanelNote_ = nullptr;

    std::vector<ToleranceGroup> groups_;
    int composeMode_ = 0;
    int currentTab_ = 1;
};

}  // namespace numsift
