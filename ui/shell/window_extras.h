#pragma once
// What the window gains beyond the base system, added without moving any of
// its controls or growing the window: the button "文件" in the free space
// after the tab strip, whose menu holds "保存方案", "载入方案", "导出到文件"
// and "历史验证", and the tab "历史验证" after "大底号码" that shows the
// backtest page where the pages stand (the result area stays).

#include <QObject>

#include <memory>

class QAction;
class QMenu;
class QToolButton;

namespace numsift {

class MainWindow;
class PageBacktest;
class SchemeFiles;
class SelectButton;
class BLCommDialog;
class FileDialogs;

class WindowExtras : public QObject {
    Q_OBJECT
public:
    // Adds everything to window; the window owns the result (as its child).
    explicit WindowExtras(MainWindow& window);
    ~WindowExtras() override;

    PageBacktest* backtestPage() const { return page_; }
    SelectButton* backtestTab() const { return tab_; }
    SchemeFiles& schemeFiles() { return *files_; }
    QToolButton* fileButton() const { return fileButton_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QAction* saveSchemeAction() const { return actSave_; }
    QAction* loadSchemeAction() const { return actLoad_; }
    QAction* exportAction() const { return actExport_; }

    // The tab's click: unselects the window's tabs, selects this one and
    // brings the backtest page to the front.
    void showBacktestPage();
    bool backtestPageShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leaveBacktestPage();

    MainWindow& window_;
    std::unique_ptr<BLCommDialog> ownDialogs_;
    FileDialogs* dialogs_ = nullptr;
    std::unique_ptr<SchemeFiles> files_;
    PageBacktest* page_ = nullptr;
    SelectButton* tab_ = nullptr;
    QToolButton* fileButton_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* actSave_ = nullptr;
    QAction* actLoad_ = nullptr;
    QAction* actExport_ = nullptr;
};

WindowExtras* installWindowExtras(MainWindow& window);

}  // namespace numsift
