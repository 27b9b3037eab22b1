#include "ui/analysis/draws_panel.h"

#include <QFont>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "analysis/analysis_text.h"
#include "analysis/draw_store.h"
#include "io/text_file.h"
#include "ui/analysis/kept_history.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kNoDraws =
    "没有可验证的开奖号码。\r\n请在左边的框里输入、粘贴或导入历史开奖，每行一期，例如：2026120 35789";
constexpr const char* kImportTitle = "导入提示";
constexpr const char* kImportNoDraws =
    "选择的文件里没有开奖号码，历史开奖保持不变。\r\n每行一期，期号在前、号码在后，例如：2026120 35789";
constexpr const char* kDrawsUnchanged = "历史开奖保持不变。";
constexpr const char* kDrawsPlaceholder =
    "每行一期，期号在前、号码在后，例如：\n2026120 35789\n2026121 3 5 7 8 "
    "9\n2026122,02468\n\n可粘贴或点击【导入】读入 .txt 文件";
constexpr const char* kNotSaved = "开奖历史未能保存：";
constexpr int kCountDelayMs = 250;

// Where the controls stand in the panel (pixels; the panel stands at 8, 4
// of the page).
constexpr QRect kDrawsTitle(0, 0, 240, 18);
constexpr QRect kDrawsBox(0, 20, 240, 286);
constexpr QRect kDrawsButtons[3] = {{0, 310, 56, 25}, {60, 310, 56, 25}, {120, 310, 120, 25}};
constexpr QRect kDrawsNote(0, 338, 240, 34);

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
bool everyIssue(const DrawHistory& h) {
    return std::all_of(h.draws.begin(), h.draws.end(), [](const Draw& d) { return !d.issue.empty(); });
}

}  // namespace

DrawsPanel::DrawsPanel(PageServices services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("drawsPanel"));
    ui::placeLabel(this, ui::qs("历史开奖（每行一期）"), kDrawsTitle, QStringLiteral("drawsTitle"));
    auto* drawsBox = new DrawsBox(this);
    drawsBox->pasteHook = [this](const QString& text) { return mergePasted(text); };
    drawsBox_ = drawsBox;
    drawsBox_->setObjectName(QStringLiteral("drawsBox"));
    drawsBox_->setGeometry(kDrawsBox);
    drawsBox_->setPlaceholderText(ui::qs(kDrawsPlaceholder));
    drawsBox_->setLineWrapMode(QPlainTextEdit::NoWrap);
    const char* captions[3] = {"清空", "导入", "开始验证"};
    const char* names[3] = {"clearDrawsButton", "importDrawsButton", "runBacktestButton"};
    for (int i = 0; i < 3; ++i)
        buttons_[i] =
            ui::placeButton(this, ui::qs(captions[i]), kDrawsButtons[i], QString::fromLatin1(names[i]));
    QFont bold = buttons_[2]->font();
    bold.setBold(true);
    buttons_[2]->setFont(bold);
    drawsNote_ = ui::placeLabel(this, ui::qs("共 0 期"), kDrawsNote, QStringLiteral("drawsNote"));
    drawsNote_->setWordWrap(true);
    drawsNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    countTimer_ = new QTimer(this);
    countTimer_->setSingleShot(true);
    countTimer_->setInterval(kCountDelayMs);
    connect(countTimer_, &QTimer::timeout, this, &DrawsPanel::updateDrawCount);
    connect(drawsBox_, &QPlainTextEdit::textChanged, countTimer_, qOverload<>(&QTimer::start));
    connect(drawsBox_, &QPlainTextEdit::textChanged, this, [this] {
        if (!settingBox_) showsKept_ = false;
    });
    connect(buttons_[0], &QPushButton::clicked, this, &DrawsPanel::clearDraws);
    connect(buttons_[1], &QPushButton::clicked, this, [this] { importDraws(); });
}

void DrawsPanel::updateDrawCount() { showDrawCount(parseDraws(drawsBox_->toPlainText().toStdString())); }

void DrawsPanel::showDrawCount(const DrawHistory& h) {
    countTimer_->stop();
    std::string note = "共 " + std::to_string(h.draws.size()) + " 期";
    if (h.badLineCount > 0) note += "；" + badLinesNote(h);
    drawsNote_->setText(ui::qs(note));
}

std::optional<DrawHistory> DrawsPanel::drawsToCheck() {
    DrawHistory h = parseDraws(drawsBox_->toPlainText().toStdString());
    showDrawCount(h);
    if (h.draws.empty()) {
        std::string text = kNoDraws;
        if (h.badLineCount > 0) text += "\r\n" + badLinesNote(h);
        services_.tell(text, MessageIcon::Exclamation);
        return std::nullopt;
    }
    return h;
}

void DrawsPanel::clearDraws() {
    drawsBox_->clear();
    updateDrawCount();
}

bool DrawsPanel::importDraws() {
    if (!services_.files) return false;
    FileDialogRequest request;
    request.filter = "文本文件|*.txt";
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
    // format) would only wipe the draws the player has typed: say so and
    // keep them.
    const DrawHistory h = parseDraws(file.text.toStdString());
    if (h.draws.empty()) {
        std::string text = kImportNoDraws;
        if (h.badLineCount > 0) text += "\r\n" + badLinesNote(h);
        services_.tell(text, MessageIcon::Exclamation, kImportTitle);
        return false;
    }
    // Draws with issues join the kept history; the box then shows all of
    // it, unless some draws had no issue (they are not kept, and shown as
    // the file has them).
    if (history_ && anyIssue(h)) mergeIntoHistory(h);
    if (history_ && everyIssue(h) && !history_->store().empty()) {
        showKeptDraws();
    } else {
        drawsBox_->setPlainText(file.text);
        showDrawCount(h);
    }
    return true;
}

void DrawsPanel::keepDrawsIn(KeptHistory* history) {
    history_ = history;
    // A history loaded from its file shows where the box is free for it.
    const auto loaded = [this] {
        if (!merging_ && (drawsBox_->document()->isEmpty() || showsKept_)) showKeptDraws();
    };
    connect(history_, &KeptHistory::historyChanged, this, loaded);
    if (!history_->store().empty()) loaded();
}

void DrawsPanel::showKeptDraws() {
    settingBox_ = true;
    drawsBox_->setPlainText(QString::fromStdString(history_->drawsText()));
    settingBox_ = false;
    showsKept_ = !history_->store().empty();
    updateDrawCount();
}

bool DrawsPanel::mergePasted(const QString& text) {
    if (!history_) return false;
    const DrawHistory h = parseDraws(text.toStdString());
    if (!anyIssue(h)) return false;
    const bool showedKept = showsKept_ || drawsBox_->document()->isEmpty();
    mergeIntoHistory(h);
    // The box showed the kept draws (or nothing): it shows them again, the
    // pasted ones in their places. Otherwise the paste goes in as it is.
    if (!showedKept || !everyIssue(h)) return false;
    showKeptDraws();
    return true;
}

void DrawsPanel::mergeIntoHistory(const DrawHistory& parsed) {
    merging_ = true;
    const HistoryMerge merged = history_->merge(parsed);
    merging_ = false;
    const MergeReport& r = merged.report;
    std::string text;
    if (!r.conflicts.empty() || r.withoutIssue > 0) text = "开奖历史：" + mergeNote(r) + "。";
    if (!merged.save.ok) {
        if (!text.empty()) text += "\r\n";
        text += kNotSaved + merged.save.error.toStdString();
    }
    if (text.empty()) return;
    services_.tell(text, merged.save.ok ? MessageIcon::Information : MessageIcon::Exclamation, kImportTitle);
}

}  // namespace numsift
