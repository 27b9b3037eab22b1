#pragma once
// frmFilter: the one working window. It holds the tab strip, the five pages,
// the special-shapes frame and the result area, owns the number sets, the
// last run and the result set, and wires the controls to the run.

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "conditions/filter_input.h"
#include "engine/filter_run.h"
#include "engine/number_set_store.h"
#include "engine/tolerance.h"
#include "platform/platform.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTimer;

namespace numsift {

class EntryBox;
class TabStrip;
class PageConditions;
class PageRoad;
class PageCompound;
class FrameSpecialShapes;
class ResultArea;
class DesktopTextEditor;
class QtMessageSink;
class QtClipboard;

// Starts a text editor on a file; true when one was started.
using TextFileOpener = std::function<bool(const QString& path)>;

// The desktop services the window talks to. Tests pass fakes; a service left
// empty is supplied by the desktop (message boxes, the system clipboard, an
// installed text editor). The file dialogs are only passed on to the pages.
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

    // ---- for the pages built elsewhere (base set, intersection) ----
    // Replaces the placeholder of page 0 or 3 by page; the window takes
    // ownership, gives it the page's name fraTab_<index> unless it has one,
    // and places it where the pages stand.
    void installPage(int index, QWidget* page);
    QWidget* page(int index) const { return pages_[index]; }
    // Called by "清空所有条件" as its last step, to clear the base set
    // (the press of the base page's "清空").
    void setBaseClearHook(std::function<void()> hook) { baseClearHook_ = std::move(hook); }
    NumberSetStore& numberSets() { return store_; }
    const NumberSetStore& numberSets() const { return store_; }
    EntryBox* straightKillBox() const;              // txtDan5
    QPushButton* straightKillImportButton() const;  // cmdImportDan5
    const WindowServices& services() const { return services_; }

    // ---- the condition panel ----
    // The panel's state as the run and a scheme see it.
    FilterInput filterInput() const;
    // Sets every condition control from input (texts shown as after leaving
    // their boxes). Tolerance, base set and result stay.
    void setFilterInput(const FilterInput& input);
    QString toleranceText(int index) const;  // txtWrong(0) / txtWrong(1)
    void setToleranceTexts(const QString& lower, const QString& upper);

    // ---- operations of the buttons ----
    void selectTab(int index);  // cmdTab_Click
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
    TabStrip* tabStrip() const { return tabStrip_; }
    PageConditions* conditionsPage() const { return conditions_; }
    PageRoad* roadPage() const { return road_; }
    PageCompound* compoundPage() const { return compound_; }
    FrameSpecialShapes* specialShapes() const { return shapes_; }
    ResultArea* resultArea() const { return resultArea_; }

    // One tick of the help-button hover timer at a cursor position (global).
    void hoverTick(const QPoint& globalCursor);
    QTimer* hoverTimer() const { return tmrButtonMouse_; }
    DesktopTextEditor* exportEditor() const { return editor_.get(); }

    // Sizes the window for an available screen area and centres it there:
    // the design size where it fits, else as much as fits, with scroll bars
    // over the client area, whose controls keep their design places.
    void fitIn(const QRect& area);
    // The client area (every control of the window) and the scroll area
    // that shows it.
    QWidget* client() const { return central_; }
    QScrollArea* clientScroll() const { return clientScroll_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void placePage(QWidget* page, int index);
    void bringToFront(int pageIndex);
    void filterClicked(int index);
    QWidget* central_ = nullptr;
    QScrollArea* clientScroll_ = nullptr;

    std::unique_ptr<QtMessageSink> ownMessages_;
    std::unique_ptr<QtClipboard> ownClipboard_;
    WindowServices services_;
    std::unique_ptr<DesktopTextEditor> editor_;
    NumberSetStore store_;
    std::unique_ptr<RunResult> lastRun_;
    std::function<void()> baseClearHook_;

    TabStrip* tabStrip_ = nullptr;
    std::array<QWidget*, kPageCount> pages_{};
    PageConditions* conditions_ = nullptr;
    PageRoad* road_ = nullptr;
    PageCompound* compound_ = nullptr;
    FrameSpecialShapes* shapes_ = nullptr;
    ResultArea* resultArea_ = nullptr;
    QTimer* tmrButtonMouse_ = nullptr;

    int composeMode_ = 0;
    int currentTab_ = 1;
};

}  // namespace numsift
