#pragma once
// frmFilter: the one working window, built whole by its constructor: the tab
// strip with the tab "历史验证", the five pages, the special-shapes frame,
// the result area, the backtest page and the menu button "文件". It owns the
// number sets, the last run and the result set, and wires the controls to
// the run.

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
#include "engine/tolerance_groups.h"
#include "platform/platform.h"

class QAction;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace numsift {

class BLCommDialog;
class DesktopTextEditor;
class EntryBox;
class FrameSpecialShapes;
class KillListBinding;
class PageBacktest;
class PageBase;
class PageCompound;
class PageConditions;
class PageJoin;
class PageRoad;
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
    EntryBox* straightKillBox() const;              // txtDan5
    QPushButton* straightKillImportButton() const;  // cmdImportDan5
    NumberSetStore& numberSets() { return store_; }
    const NumberSetStore& numberSets() const { return store_; }

    // ---- the menu "文件" ----
    SchemeFiles& schemeFiles() { return *schemeFiles_; }
    QAction* saveSchemeAction() const { return saveSchemeAction_; }

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
    void startRun();            // cmdFilter(0) "开始缩水"
    void clearAllConditions();  // cmdFilter(2) "清空所有条件"
    // Runs the validation of the box that has the focus, as leaving it
    // would; false when it keeps the focus (the action then does not run).
    bool commitFocusedEntry();

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

private:
    void buildClientArea();
    void buildConditionPages();
    void buildSetPages();
    void buildBacktestPage();
    void buildFileMenu();
    void placePage(QWidget* page, int index);
    void bringToFront(int pageIndex);
    void filterClicked(int index);

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
    QToolButton* fileMenuButton_ = nullptr;  // "文件", right of the tab strip
    QMenu* fileMenu_ = nullptr;
    QAction* saveSchemeAction_ = nullptr;  // also Ctrl+S while the menu is closed

    std::vector<ToleranceGroup> groups_;
    int composeMode_ = 0;
    int currentTab_ = 1;
};

}  // namespace numsift
