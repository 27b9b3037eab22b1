#pragma once
// frmFilter: the one working window. It makes its parts (the tab strip, the
// pages and the condition panel over them, the result area, the analysis and
// rules pages, the panel rounds, the play desk), puts them in their design
// places and connects the menu "文件" to the parts that own them.

#include <QMainWindow>

#include <memory>

#include "engine/number_set_store.h"
#include "io/data_folder.h"
#include "ui/shell/window_services.h"

class QAction;
class QScrollArea;

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
class PlayDesk;
class QtClipboard;
class QtMessageSink;
class ResultArea;
class ResultExport;
class SchemeFiles;
class TabStrip;
class WindowPages;
class WindowPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(WindowServices services, QWidget* parent = nullptr);
    ~MainWindow() override;
    // ---- the parts ----
    WindowPages& pages() const { return *pages_; }  // which page shows
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
    PlayDesk& play() const { return *play_; }  // 生成复式, 记录本期, 投注记录
    QAction* saveSchemeAction() const { return saveSchemeAction_; }
    QAction* showOmissionAction() const { return showOmissionAction_; }  // "显示遗漏", off at start
    DesktopTextEditor* exportEditor() const { return editor_.get(); }
    QWidget* client() const { return client_; }  // every control at its design place
    QScrollArea* clientScroll() const { return clientScroll_; }

    // ---- at start ----
    // Keeps the draw history in the file at path (an empty path: until the
    // window closes; folderError says why), and the panel and the player's
    // own rules in folder; what he must be told shows once the window does.
    void keepHistoryIn(const QString& path, const QString& folderError = {});
    void keepPanelIn(const DataFolder& folder);
    // Sizes the window for a screen area and centres it there: the design
    // size where it fits, else as much as fits, with scroll bars.
    void fitIn(const QRect& area);
    void showResultStatistics();  // "结果统计" (modal)
    void showStacking();          // "方案叠加" (modal): its result goes to the result area

protected:
    void closeEvent(QCloseEvent* event) override;  // saves the kept panel at once and lets it go
    void showEvent(QShowEvent* event) override;

private:
    void buildPages();
    void buildAnalysisPages();
    void buildFileMenu();
    void showStartMessage(const QString& text);
    void showPendingMessage();

    WindowServices services_;
    std::unique_ptr<QtMessageSink> ownMessages_;
    std::unique_ptr<QtClipboard> ownClipboard_;
    // The number sets' and the menu's file dialogs when the services bring none.
    std::unique_ptr<BLCommDialog> setDialog_, fileDialog_;
    std::unique_ptr<DesktopTextEditor> editor_;
    NumberSetStore store_;
    QScrollArea* clientScroll_ = nullptr;
    QWidget* client_ = nullptr;
    TabStrip* tabStrip_ = nullptr;
    WindowPages* pages_ = nullptr;
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
    PlayDesk* play_ = nullptr;
    QAction *saveSchemeAction_ = nullptr, *showOmissionAction_ = nullptr;  // the first also Ctrl+S
    QString pendingMessage_;  // what the start found, told once the window shows
};

}  // namespace numsift
