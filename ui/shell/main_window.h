#pragma once
// frmFilter: the one working window. It makes its parts, puts them in their
// design places and connects them: the tab strip, the five pages with the
// condition panel over three of them, the result area, the 历史验证 and 走势图
// pages, the panel rounds, and the menu button "文件" whose actions go to the
// part that owns them. It holds no logic of its own beyond which page shows.

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>

#include "engine/number_set_store.h"
#include "io/data_folder.h"
#include "platform/platform.h"

class QAction;
class QMenu;
class QScrollArea;
class QToolButton;

namespace numsift {

class BLCommDialog;
class ConditionPanel;
class DesktopTextEditor;
class KeptHistory;
class OmissionMarks;
class PageBacktest;
class PageBase;
class PageJoin;
class PageTrend;
class PanelRounds;
class QtClipboard;
class QtMessageSink;
class ResultArea;
class ResultExport;
class SchemeFiles;
class TabStrip;
class WindowPanel;

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
    ConditionPanel& conditions() const { return *conditions_; }
    PageBase* basePage() const { return base_; }
    PageJoin* joinPage() const { return join_; }
    ResultArea* resultArea() const { return resultArea_; }
    TabStrip* tabStrip() const { return tabStrip_; }
    PageBacktest* backtestPage() const { return backtest_; }
    PageTrend* trendPage() const { return trend_; }
    NumberSetStore& numberSets() { return store_; }
    // The panel as pages and dialogs see it, with the run and 清空所有条件.
    WindowPanel& panel() const { return *panel_; }
    PanelRounds& rounds() const { return *rounds_; }
    SchemeFiles& schemeFiles() const { return *schemeFiles_; }
    ResultExport& resultExport() const { return *export_; }
    KeptHistory& history() const { return *history_; }
    OmissionMarks& omissionMarks() const { return *omissionMarks_; }
    QAction* saveSchemeAction() const { return saveSchemeAction_; }
    QAction* showOmissionAction() const { return showOmissionAction_; }  // "显示遗漏", off at start
    DesktopTextEditor* exportEditor() const { return editor_.get(); }
    // The client area (every control at its design place) and the scroll
    // area that shows it.
    QWidget* client() const { return client_; }
    QScrollArea* clientScroll() const { return clientScroll_; }

    // ---- at start ----
    // Keeps the draw history in the file at path from now on (an empty path:
    // until the window closes, and folderError says why) and the panel in
    // folder. What the player must be told is shown once the window shows.
    void keepHistoryIn(const QString& path, const QString& folderError = {});
    void keepPanelIn(const DataFolder& folder);
    // Sizes the window for an available screen area and centres it there:
    // the design size where it fits, else as much as fits, with scroll bars.
    void fitIn(const QRect& area);

    // ---- which page shows ----
    void selectTab(int index);  // cmdTab_Click
    // "历史验证": no tab of the twelve selected, the backtest page in front
    // of where the pages stand, the result area shown.
    void showBacktestPage();
    // "走势图": the trend page where page 3 stands, the result area hidden.
    void showTrendPage();
    int composeMode() const { return composeMode_; }
    int currentTab() const { return currentTab_; }

    // ---- the menu's dialogs (modal) ----
    void showResultStatistics();  // "结果统计"
    void showStacking();          // "方案叠加": its result goes to the result area

protected:
    void closeEvent(QCloseEvent* event) override;  // saves the kept panel at once
    void showEvent(QShowEvent* event) override;

private:
    void buildPages();
    void buildAnalysisPages();
    void buildFileMenu();
    void placePage(QWidget* page, int index);
    void bringToFront(int pageIndex);
    void showStartMessage(const QString& text);
    void showPendingMessage();

    WindowServices services_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    std::unique_ptr<QtClipboard> ownClipboard_;
    // The open and save dialogs when the services bring none: one for the
    // number-set pages and the kill list, one for the menu and the backtest
    // page; each starts in the folder of its own last choice.
    std::unique_ptr<BLCommDialog> setDialog_, fileDialog_;
    std::unique_ptr<DesktopTextEditor> editor_;
    NumberSetStore store_;

    QScrollArea* clientScroll_ = nullptr;
    QWidget* client_ = nullptr;
    TabStrip* tabStrip_ = nullptr;
    std::array<QWidget*, kPageCount> pages_{};
    PageBase* base_ = nullptr;
    PageJoin* join_ = nullptr;
    ConditionPanel* conditions_ = nullptr;
    ResultArea* resultArea_ = nullptr;
    PanelRounds* rounds_ = nullptr;
    WindowPanel* panel_ = nullptr;
    std::unique_ptr<SchemeFiles> schemeFiles_;
    std::unique_ptr<ResultExport> export_;
    PageBacktest* backtest_ = nullptr;
    KeptHistory* history_ = nullptr;
    PageTrend* trend_ = nullptr;
    OmissionMarks* omissionMarks_ = nullptr;
    QToolButton* fileMenuButton_ = nullptr;  // "文件", right of the tab strip
    QMenu* fileMenu_ = nullptr;
    QAction* saveSchemeAction_ = nullptr;  // also Ctrl+S while the menu is closed
    QAction* showOmissionAction_ = nullptr;
    QString pendingMessage_;  // what the start found, told once the window shows
    int composeMode_ = 0;
    int currentTab_ = 1;
};

}  // namespace numsift
