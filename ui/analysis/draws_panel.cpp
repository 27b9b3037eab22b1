#include "ui/analysis/draws_panel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFont>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "analysis/analysis_text.h"
#include "analysis/draw_store.h"
#include "engine/number.h"
#include "io/text_file.h"
#include "ui/analysis/draws_list_dialog.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/range_selector.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kNoDraws =
    "没有可验证的开奖号码。\r\n请在左边的框里输入、粘贴或导入历史开奖，每行一期，例如：2026120 35789";
constexpr const char* kImportTitle = "导入提示";
constexpr const char* kHistoryTitle = "开奖历史";
constexpr const char* kImportNoDraws =
    "选择的文件里没有开奖号码，历史开奖保持不变。\r\n每行一期，期号在前、号码在后，例如：2026120 35789";
constexpr const char* kDrawsUnchanged = "历史开奖保持不变。";
constexpr const char* kDrawsPlaceholder =
    "每行一期，期号在前、号码在后，例如：\n2026120 35789\n2026121 3 5 7 8 "
    "9\n2026122,02468\n\n可输入、粘贴或点击【导入】读入 .txt、.csv 文件";
constexpr const char* kNotSaved = "开奖历史未能保存：";
constexpr const char* kSessionOnly = "\r\n这次的改动只保留到关闭程序，下次改动时会再试着保存。";
constexpr int kCountDelayMs = 250;
constexpr std::size_t kConflictsListed = 10;

// Where the controls stand in the panel (pixels; the panel stands at 8, 4
// of the page).
constexpr QRect kDrawsTitle(0, 0, 240, 18);
constexpr QRect kDrawsBox(0, 20, 240, 212);
constexpr QRect kButtons[4] = {{0, 236, 56, 25}, {60, 236, 56, 25}, {120, 236, 56, 25}, {180, 236, 60, 25}};
constexpr QRect kRange(0, 265, 240, 22);
constexpr QRect kRunButton(0, 291, 240, 25);
constexpr QRect kDrawsNote(0, 320, 240, 52);

// The draws box; a paste is first offered to the panel, which merges the
// draws into the kept history.
class DrawsBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    std::function<bool(const QString&)> pasteHook;  // true: the paste is taken care of

protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (pasteHook && source->hasText() && pasteHook(source->text())) return;
        QPlainTextEdit::insertFromMimeData(source);
    }
};

bool anyIssue(const DrawHistory& h) {
    return std::any_of(h.draws.begin(), h.draws.end(), [](const Draw& d) { return !d.issue.empty(); });
}

// "期号 2025190 已有 49972，改为 49973": one conflict as the question names it.
std::string conflictText(const IssueConflict& c) {
    if (c.keptValue != c.offeredValue)
        return "期号 " + c.issue + " 已有 " + numberText(c.keptValue) + "，改为 " +
               numberText(c.offeredValue);
    return "期号 " + c.issue + " 的日期已有 " + c.keptDate + "，改为 " + c.offeredDate;
}

}  // namespace

DrawsPanel::DrawsPanel(PageServices services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("drawsPanel"));
    title_ = ui::placeLabel(this, ui::qs("历史开奖（每行一期，最新在下）"), kDrawsTitle,
                            QStringLiteral("drawsTitle"));
    auto* drawsBox = new DrawsBox(this);
    drawsBox->pasteHook = [this](const QString& text) { return mergePasted(text); };
    drawsBox_ = drawsBox;
    drawsBox_->setObjectName(QStringLiteral("drawsBox"));
    drawsBox_->setGeometry(kDrawsBox);
    drawsBox_->setPlaceholderText(ui::qs(kDrawsPlaceholder));
    drawsBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    drawsBox_->installEventFilter(this);
    const char* captions[ButtonCount] = {"清空", "导入", "放回", "修改…"};
    const char* names[ButtonCount] = {"clearDrawsButton", "importDrawsButton", "restoreDrawsButton",
                                      "editDrawsButton"};
    const char* tips[ButtonCount] = {
        "清空框内的号码；保存的开奖历史不变，可用【放回】放回框内",
        "把 .txt 或 .csv 文件里的开奖号码按期号并入开奖历史",
        "把保存的开奖历史放回框内",
        "逐期改正或删除保存的开奖号码（可撤销）",
    };
    for (int i = 0; i < ButtonCount; ++i) {
        buttons_[i] = ui::placeButton(this, ui::qs(captions[i]), kButtons[i], QString::fromLatin1(names[i]));
        buttons_[i]->setToolTip(ui::qs(tips[i]));
    }
    runButton_ = ui::placeButton(this, ui::qs("开始验证"), kRunButton, QStringLiteral("runBacktestButton"));
    QFont bold = runButton_->font();
    bold.setBold(true);
    runButton_->setFont(bold);
    drawsNote_ = ui::placeLabel(this, ui::qs("共 0 期"), kDrawsNote, QStringLiteral("drawsNote"));
    drawsNote_->setWordWrap(true);
    drawsNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    countTimer_ = new QTimer(this);
    countTimer_->setSingleShot(true);
    countTimer_->setInterval(kCountDelayMs);
    connect(countTimer_, &QTimer::timeout, this, &DrawsPanel::updateDrawCount);
    connect(drawsBox_, &QPlainTextEdit::textChanged, this, [this] {
        if (settingBox_) return;
        edited_ = true;
        countTimer_->start();
    });
    connect(buttons_[Clear], &QPushButton::clicked, this, &DrawsPanel::clearDraws);
    connect(buttons_[Import], &QPushButton::clicked, this, [this] { importDraws(); });
    connect(buttons_[Restore], &QPushButton::clicked, this, &DrawsPanel::restoreKeptDraws);
    connect(buttons_[Edit], &QPushButton::clicked, this, &DrawsPanel::editKeptDraws);
    buttons_[Restore]->setEnabled(false);
    buttons_[Edit]->setEnabled(false);
}

void DrawsPanel::keepDrawsIn(KeptHistory* history) {
    history_ = history;
    range_ = new RangeSelector(history_, this);
    range_->setGeometry(kRange);
    range_->setToolTip(ui::qs("验证范围：开始验证检验开奖历史的哪些期（走势图、显示遗漏用同一个范围）"));
    range_->show();
    showsKept_ = true;
    buttons_[Edit]->setEnabled(true);
    connect(history_, &KeptHistory::historyChanged, this, [this] {
        if (!committing_ && showsKept_ && !edited_) showKeptDraws();
    });
    connect(history_, &KeptHistory::windowChanged, this, [this] {
        if (!committing_ && showsKept_ && !edited_) updateDrawCount();
    });
    connect(history_, &KeptHistory::saveFailed, this,
            [this](const QString& reason) { showNote(ui::qs(kNotSaved) + reason, true); });
    showKeptDraws();
}

bool DrawsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == drawsBox_ && event->type() == QEvent::FocusOut) {
        // Leaving the box keeps what was typed: after the click that moved
        // the focus is over, so a question never takes that click's release.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (edited_ && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (reason == Qt::MouseFocusReason && !waitingForRelease_) {
                waitingForRelease_ = true;
                qApp->installEventFilter(this);
            } else if (reason != Qt::MouseFocusReason) {
                QTimer::singleShot(0, this, &DrawsPanel::commitTyped);
            }
        }
    } else if (waitingForRelease_ && event->type() == QEvent::MouseButtonRelease) {
        commitAfterClick();
    }
    return QWidget::eventFilter(watched, event);
}

void DrawsPanel::commitAfterClick() {
    waitingForRelease_ = false;
    qApp->removeEventFilter(this);
    QTimer::singleShot(0, this, &DrawsPanel::commitTyped);
}

void DrawsPanel::showNote(const QString& text, bool alarm) {
    countTimer_->stop();
    drawsNote_->setStyleSheet(alarm ? QStringLiteral("color: #d01010;") : QString());
    drawsNote_->setText(text);
}

void DrawsPanel::updateDrawCount() {
    if (history_ && showsKept_ && !edited_) {
        QString text = ui::qs("开奖历史共 %1 期；验证范围：%2")
                           .arg(static_cast<qulonglong>(history_->store().size()))
                           .arg(history_->windowText());
        if (history_->unsaved()) text += ui::qs("（有改动未能保存）");
        showNote(text, history_->unsaved());
        return;
    }
    const DrawHistory h = parseDraws(drawsBox_->toPlainText().toStdString());
    std::string note = "框内共 " + std::to_string(h.draws.size()) + " 期";
    if (h.badLineCount > 0) note += "；" + badLinesNote(h);
    if (history_ && !edited_ && !h.draws.empty())
        note += "，没有期号，不是开奖历史：开始验证按行序检验它们。点【放回】显示开奖历史";
    showNote(ui::qs(note));
}

void DrawsPanel::showKeptDraws() {
    settingBox_ = true;
    const int scrolled = drawsBox_->verticalScrollBar()->value();
    const bool wasAtEnd = !showsKept_ || scrolled == drawsBox_->verticalScrollBar()->maximum();
    drawsBox_->setPlainText(QString::fromStdString(history_->drawsText()));
    settingBox_ = false;
    showsKept_ = true;
    edited_ = false;
    buttons_[Restore]->setEnabled(false);
    // Opened at the newest draws; an edit further up stays in view.
    if (wasAtEnd) {
        drawsBox_->moveCursor(QTextCursor::End);
        drawsBox_->verticalScrollBar()->setValue(drawsBox_->verticalScrollBar()->maximum());
    } else {
        drawsBox_->verticalScrollBar()->setValue(scrolled);
    }
    updateDrawCount();
}

void DrawsPanel::clearDraws() {
    commitTyped();
    settingBox_ = true;
    drawsBox_->clear();
    settingBox_ = false;
    edited_ = false;
    if (!history_) {
        updateDrawCount();
        return;
    }
    showsKept_ = false;
    buttons_[Restore]->setEnabled(true);
    showNote(ui::qs("已清空框内的号码。保存的开奖历史（%1 期）没有改变，点【放回】放回框内。")
                 .arg(static_cast<qulonglong>(history_->store().size())));
}

void DrawsPanel::restoreKeptDraws() {
    if (!history_) return;
    commitTyped();
    showKeptDraws();
}

void DrawsPanel::editKeptDraws() {
    if (!history_) return;
    commitTyped();
    DrawsListDialog dialog(history_, services_, this);
    dialog.exec();
}

std::optional<std::vector<Draw>> DrawsPanel::drawsToCheck() {
    commitTyped();
    if (history_ && showsKept_) {
        if (history_->store().empty()) {
            services_.tell(kNoDraws, MessageIcon::Exclamation);
            return std::nullopt;
        }
        std::vector<Draw> draws = history_->rangeDraws();
        if (draws.empty()) {
            services_.tell("验证范围（" + history_->range().text() +
                               "）里没有开奖号码。\r\n请在【验证范围】里另选范围。",
                           MessageIcon::Exclamation);
            return std::nullopt;
        }
        return draws;
    }
    DrawHistory h = parseDraws(drawsBox_->toPlainText().toStdString());
    updateDrawCount();
    if (h.draws.empty()) {
        std::string text = kNoDraws;
        if (h.badLineCount > 0) text += "\r\n" + badLinesNote(h);
        services_.tell(text, MessageIcon::Exclamation);
        return std::nullopt;
    }
    // As the kept history takes them: by issue where there are issues.
    return drawsInOrder(std::move(h)).draws;
}

bool DrawsPanel::importDraws() {
    if (!services_.files) return false;
    FileDialogRequest request;
    request.filter = "开奖文件|*.txt;*.csv|CSV 文件|*.csv|所有文件|*";
    request.dialogTitle = "导入历史开奖";
    const FileDialogResult choice = services_.files->run(request);
    if (choice.cancel || choice.fileName.empty()) return false;
    const TextFileResult file = readTextFile(QString::fromStdString(choice.fileName));
    if (!file.ok) {
        services_.tell("无法导入文件：" + choice.fileName + "\r\n" + file.error.toStdString() + "\r\n\r\n" +
                           kDrawsUnchanged,
                       MessageIcon::Exclamation, kImportTitle);
        return false;
    }
    // A file without a single draw (a base-set file, a file in another
    // format) changes nothing: say so.
    const DrawHistory h = parseDraws(file.text.toStdString());
    if (h.draws.empty()) {
        std::string text = kImportNoDraws;
        if (h.badLineCount > 0) text += "\r\n" + badLinesNote(h);
        services_.tell(text, MessageIcon::Exclamation, kImportTitle);
        return false;
    }
    // What was typed is kept first, as leaving the box would.
    commitTyped();
    if (history_ && anyIssue(h)) {
        takeIntoHistory(h, true);
        return true;
    }
    // No line has an issue: a list of its own, checked as it stands.
    settingBox_ = true;
    drawsBox_->setPlainText(file.text);
    settingBox_ = false;
    showsKept_ = edited_ = false;
    buttons_[Restore]->setEnabled(history_ != nullptr);
    updateDrawCount();
    return true;
}

bool DrawsPanel::mergePasted(const QString& text) {
    if (!history_) return false;
    const DrawHistory h = parseDraws(text.toStdString());
    if (!anyIssue(h)) return false;
    commitTyped();
    takeIntoHistory(h, true);
    return true;
}

void DrawsPanel::commitTyped() {
    if (!history_ || !edited_ || committing_) return;
    if (waitingForRelease_) {
        waitingForRelease_ = false;
        qApp->removeEventFilter(this);
    }
    const DrawHistory h = parseDraws(drawsBox_->toPlainText().toStdString());
    if (!anyIssue(h)) {
        // A list without issues (or an emptied box) is the player's own.
        edited_ = false;
        showsKept_ = false;
        buttons_[Restore]->setEnabled(true);
        updateDrawCount();
        return;
    }
    takeIntoHistory(h, false);
}

void DrawsPanel::takeIntoHistory(const DrawHistory& parsed, bool report) {
    committing_ = true;
    // Kept draws whose lines were taken out of the box: they stay kept.
    std::size_t leftOut = 0;
    if (showsKept_ && !report) {
        std::vector<bool> inBox(history_->store().size(), false);
        for (const Draw& d : parsed.draws)
            if (const auto at = d.issue.empty() ? std::nullopt : history_->store().find(d.issue))
                inBox[*at] = true;
        leftOut = static_cast<std::size_t>(std::count(inBox.begin(), inBox.end(), false));
    }
    const HistoryMerge merged = history_->merge(parsed);
    const bool corrected = askAboutConflicts(merged);
    showKeptDraws();
    committing_ = false;

    const MergeReport& r = merged.report;
    std::string text = importReportText(r);
    if (!r.conflicts.empty()) text += corrected ? "（已改为新的号码，可在【修改…】里撤销）" : "（保留原样）";
    if (!report) {
        // "输入 N 期：新增 M 期…": what typing into the box kept.
        text = "输入" + text.substr(std::string_view("导入").size());
        if (leftOut > 0)
            text += "。框里删去的 " + std::to_string(leftOut) + " 期仍在开奖历史里，删除请用【修改…】";
    }
    if (!merged.save.ok) {
        const std::string why = kNotSaved + merged.save.error.toStdString();
        showNote(ui::qs(text + "。") + ui::qs(why), true);
        services_.tell(text + "。\r\n" + why + kSessionOnly, MessageIcon::Exclamation, kHistoryTitle);
        return;
    }
    showNote(ui::qs(text + "。"));
    // Lines that were not taken are named in a box the player must see.
    if (report && r.withoutIssue + r.badLineCount > 0)
        services_.tell(text + "。\r\n" + mergeNote(r) + "。", MessageIcon::Information, kImportTitle);
}

bool DrawsPanel::askAboutConflicts(const HistoryMerge& merged) {
    const std::vector<IssueConflict>& conflicts = merged.report.conflicts;
    if (conflicts.empty()) return false;
    std::string question;
    if (conflicts.size() == 1) {
        question = conflictText(conflicts[0]) + "？";
    } else {
        question = std::to_string(conflicts.size()) + " 期与保存的开奖号码不同：\r\n";
        for (std::size_t i = 0; i < std::min(conflicts.size(), kConflictsListed); ++i)
            question += conflictText(conflicts[i]) + "\r\n";
        if (conflicts.size() > kConflictsListed) question += "……\r\n";
        question += "全部改为新的号码？";
    }
    if (!services_.ask(question, kHistoryTitle)) return false;
    std::vector<DrawEdit> edits;
    for (const IssueConflict& c : conflicts) {
        // A second offer of the same issue counts once: the first answer.
        if (std::any_of(edits.begin(), edits.end(), [&](const DrawEdit& e) { return e.issue == c.issue; }))
            continue;
        edits.push_back(acceptedConflict(c));
    }
    const QString name = conflicts.size() == 1
                             ? ui::qs("改正期号 ") + QString::fromStdString(conflicts[0].issue)
                             : ui::qs("改正 %1 期").arg(edits.size());
    if (history_->edit(std::move(edits), name)) return true;
    services_.tell("没有改动：这些期号的号码刚被另一个程序改过，请再导入一次。", MessageIcon::Exclamation,
                   kHistoryTitle);
    return false;
}

}  // namespace numsift
