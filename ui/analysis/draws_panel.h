#pragma once
// The left top of "历史验证": the past draws typed, pasted or imported, with
// "清空", "导入" and "开始验证" below and their count. Draws with issues join
// the kept draw history, which the box shows where it is free for it.

#include <QWidget>

#include <optional>

#include "analysis/draw_history.h"
#include "ui/analysis/page_services.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace numsift {

class KeptHistory;

class DrawsPanel : public QWidget {
    Q_OBJECT
public:
    DrawsPanel(PageServices services, QWidget* parent = nullptr);

    // "清空" and "导入".
    void clearDraws();
    bool importDraws();
    // The draws in the box, their count shown; nothing, with a message that
    // says how to enter them, when there is none.
    std::optional<DrawHistory> drawsToCheck();

    // Imported and pasted draws with issues are merged into history from
    // now on, and the box shows the kept draws where it is empty or showed
    // them before.
    void keepDrawsIn(KeptHistory* history);
    // Merges the draws of a text into the kept history, as a paste does;
    // true when the box now shows the kept draws (every draw had an issue
    // and the box showed the kept draws before).
    bool mergePasted(const QString& text);

    QPlainTextEdit* drawsBox() const { return drawsBox_; }
    QLabel* drawsNote() const { return drawsNote_; }
    QPushButton* runButton() const { return buttons_[2]; }  // "开始验证"

private:
    void updateDrawCount();
    void showDrawCount(const DrawHistory& history);
    void showKeptDraws();
    // Merges parsed draws into the kept history and says what the player
    // must know (conflicts, draws without an issue, a failed save).
    void mergeIntoHistory(const DrawHistory& parsed);

    PageServices services_;
    QPlainTextEdit* drawsBox_ = nullptr;
    QLabel* drawsNote_ = nullptr;
    QPushButton* buttons_[3] = {};  // "清空", "导入", "开始验证"
    QTimer* countTimer_ = nullptr;
    KeptHistory* history_ = nullptr;
    bool showsKept_ = false;  // the box holds the kept draws as they were shown
    bool settingBox_ = false;
    bool merging_ = false;  // the panel's own merge: it shows the outcome itself
};

}  // namespace numsift
