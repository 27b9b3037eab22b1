#include "ui/results/result_area.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "controls/entry_box.h"
#include "controls/result_list.h"
#include "controls/select_button.h"
#include "controls/t_scroll.h"
#include "results/group_size.h"
#include "results/prize_check.h"
#include "ui/sets/box_text.h"
#include "ui/kit/widget_kit.h"
#include "ui/kit/window_layout.h"
#include "ui/kit/window_texts.h"

namespace numsift {

namespace {

// Where the controls stand (pixels). Down the area: the count, the result
// list (it takes the height the panels below leave), the results panel
// picResult and the filter panel picFilter; each panel's controls are placed
// within it.
constexpr int kInnerLeft = 4, kInnerWidth = 243;
constexpr int kListTop = 24;
constexpr int kCopyTipTop = 24;
constexpr int kContainerTop = 44;
constexpr int kContainerWidth = 205;
constexpr int kLegendHeight = 40;
constexpr int kFilterPanelHeight = 144;
constexpr QRect kCountCaption(kInnerLeft + 2, 4, 56, 18);  // "结果注数"
constexpr QRect kLblCount(kInnerLeft + 60, 4, 120, 18);
constexpr QRect kTNonb(kInnerLeft + 20, kListTop + 40, kInnerWidth - 40, 110);
// picResult: the group size line, the copy tip, the page buttons, the legend.
constexpr QRect kGroupSizeCaption(0, 3, 86, 18);  // "每个按键设置为"
constexpr QRect kTxtPage(88, 1, 60, 21);
constexpr QRect kGroupSizeUnit(152, 3, 50, 18);  // "注号码"
constexpr QRect kLblCopyTip(0, kCopyTipTop, kInnerWidth, 18);
// picGroup, the legend: two swatches with their captions, then a line.
constexpr QRect kUntouchedSwatch(20, 4, 14, 14), kUntouchedCaption(38, 2, 60, 18);
constexpr QRect kVisitedSwatch(110, 4, 14, 14), kVisitedCaption(128, 2, 60, 18);
constexpr QRect kLegendLine(0, 20, kInnerWidth, 18);
// picFilter: the prize check, the tolerance and status line, the buttons.
constexpr QRect kDrawnNumberCaption(0, 3, 52, 18);  // "输入奖号"
constexpr QRect kTxtLottoNumber(54, 1, 64, 21);
constexpr QRect kCmdBonus(124, 0, 80, 23);
// The group editor's button, in the room right of 兑奖匹配 above the tolerance.
constexpr QRect kGroupButton(206, 0, kInnerWidth - 206, 23);
constexpr QRect kLabel9(0, 30, 52, 18);
constexpr QRect kTxtWrong[2] = {{54, 28, 32, 21}, {100, 28, 32, 21}};
constexpr QRect kLabel11(90, 30, 8, 18);
constexpr QRect kLZtai(140, 30, 103, 18);
constexpr QRect kCmdFilter[5] = {
    {0, 54, kInnerWidth, 32}, {0, 90, 120, 25}, {123, 90, 120, 25}, {0, 118, 120, 25}, {123, 118, 120, 25}};

const QColor kVisitedRed(255, 0, 0);

QColor pageColour(PageColour c) {
    switch (c) {
        case PageColour::Current: return kSelectedGreen;
        case PageColour::Visited: return kVisitedRed;
        case PageColour::Untouched: break;
    }
    return {};
}

QLabel* swatch(QWidget* parent, const QColor& colour, const QRect& r) {
    auto* l = new QLabel(parent);
    l->setGeometry(r);
    l->setFrameShape(QFrame::Box);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, colour.isValid() ? colour : systemButtonFace());
    l->setPalette(p);
    return l;
}

// Digits, "." and Backspace pass; every other character key is discarded.
// Keys that type nothing visible (Tab, Delete, which X11 reports as the DEL
// character, and the arrows) are editing and focus keys and pass too.
bool isRefusedKey(const QKeyEvent* k) {
    if (k->key() == Qt::Key_Backspace) return false;
    if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return k->matches(QKeySequence::Paste);
    for (QChar c : k->text())
        if (c.isPrint() && !(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.')) return true;
    return false;
}

QLineEdit* numberEdit(QWidget* parent, const QRect& r, const QString& name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setGeometry(r);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9.]{0,%1}").arg(maxLength)), e));
    return e;
}

}  // namespace

ResultArea::ResultArea(Clipboard& clipboard, MessageSink& messages, QWidget* parent)
    : QFrame(parent), messages_(messages), state_(*this, clipboard, messages) {
    setObjectName(QStringLiteral("fraResult"));
    setFrameShape(QFrame::StyledPanel);
    // Its place in the window: the panels below are stacked to its height.
    setGeometry(ui::layout::kResultArea);

    ui::placeLabel(this, ui::qs("结果注数"), kCountCaption);
    lblCount_ = ui::placeLabel(this, QStringLiteral("0"), kLblCount, QStringLiteral("lblCount"));
    QFont bold = lblCount_->font();
    bold.setBold(true);
    lblCount_->setFont(bold);

    lstResult_ = new ResultList(this);
    lstResult_->setObjectName(QStringLiteral("lstResult"));
    lstResult_->setGeometry(kInnerLeft, kListTop, kInnerWidth, 300);
    lstResult_->setBackColor(QColor(255, 255, 255));

    T_nonb_ = new QPlainTextEdit(this);
    T_nonb_->setObjectName(QStringLiteral("T_nonb"));
    T_nonb_->setReadOnly(true);
    T_nonb_->setGeometry(kTNonb);
    T_nonb_->hide();

    // The results panel: group size, copy tip, page buttons and legend.
    picResult_ = new QWidget(this);
    picResult_->setObjectName(QStringLiteral("picResult"));
    ui::placeLabel(picResult_, ui::qs("每个按键设置为"), kGroupSizeCaption);
    txtPage_ = numberEdit(picResult_, kTxtPage, QStringLiteral("txtPage"), kGroupSizeMaxLength);
    txtPage_->setText(QString::number(kStartGroupSize));
    ui::placeLabel(picResult_, ui::qs("注号码"), kGroupSizeUnit);
    lblCopyTip_ = ui::placeLabel(picResult_, ui::qs("点下面按键复制号码，可分多次投注"), kLblCopyTip,
                                 QStringLiteral("lblCopyTip"));
    lblCopyTip_->setAlignment(Qt::AlignCenter);
    picPageContainer_ = new QWidget(picResult_);
    picPageContainer_->setObjectName(QStringLiteral("picPageContainer"));
    picPageContainer_->setGeometry((kInnerWidth - kContainerWidth) / 2, kContainerTop, kContainerWidth,
                                   kPageButtonHeight);
    picPage_ = new QWidget(picPageContainer_);
    picPage_->setObjectName(QStringLiteral("picPage"));
    picPage_->setGeometry(0, 0, kContainerWidth, kPageButtonHeight);
    scrPage_ = new TScroll(picPageContainer_);
    scrPage_->setObjectName(QStringLiteral("scrPage"));
    scrPage_->setForeColor(kWindowBarColour);
    scrPage_->hide();
    connect(scrPage_, &TScroll::Scroll, this,
            [this] { picPage_->move(0, pageAreaTop(scrPage_->value(), kPageButtonHeight)); });
    cmdPage_.push_back(makePageButton(0));

    picGroup_ = new QWidget(picResult_);
    picGroup_->setObjectName(QStringLiteral("picGroup"));
    picGroup_->setGeometry(0, kContainerTop + kPageButtonHeight, kInnerWidth, kLegendHeight);
    swatch(picGroup_, QColor(), kUntouchedSwatch);
    ui::placeLabel(picGroup_, ui::qs("无复制"), kUntouchedCaption);
    swatch(picGroup_, kVisitedRed, kVisitedSwatch);
    ui::placeLabel(picGroup_, ui::qs("复制过"), kVisitedCaption);
    auto* legend = ui::placeLabel(picGroup_, ui::qs("单击过=红色/当前=绿色/没点过=无色"), kLegendLine);
    legend->setAlignment(Qt::AlignCenter);

    // The filter panel: prize check, tolerance, status and the run buttons.
    picFilter_ = new QWidget(this);
    picFilter_->setObjectName(QStringLiteral("picFilter"));
    ui::placeLabel(picFilter_, ui::qs("输入奖号"), kDrawnNumberCaption);
    txtLottoNumber_ =
        numberEdit(picFilter_, kTxtLottoNumber, QStringLiteral("txtLottoNumber"), kDrawnNumberMaxLength);
    cmdBonus_ = ui::placeButton(picFilter_, ui::qs("兑奖匹配"), kCmdBonus, QStringLiteral("cmdBonus"));
    cmdBonus_->setEnabled(false);
    connect(txtLottoNumber_, &QLineEdit::textChanged, this,
            [this](const QString& t) { cmdBonus_->setEnabled(prizeCheckEnabled(t.toStdString())); });
    connect(cmdBonus_, &QPushButton::clicked, this, &ResultArea::checkPrize);
    guardFocus(txtLottoNumber_, [this](bool mayAsk) { return leaveDrawnNumber(mayAsk); });
    guardFocus(txtPage_, [this](bool mayAsk) { return leaveGroupSize(mayAsk); });

    groupButton_ = ui::placeButton(picFilter_, ui::qs("分组"), kGroupButton, QStringLiteral("groupButton"));
    groupButton_->setToolTip(ui::qs("分组容错：给一些条件设自己的容错"));
    ui::placeLabel(picFilter_, ui::qs("容错级别"), kLabel9, QStringLiteral("Label9"));
    txtWrong_[0] = numberEdit(picFilter_, kTxtWrong[0], ui::memberName("txtWrong", 0), 2);
    ui::placeLabel(picFilter_, QStringLiteral("-"), kLabel11, QStringLiteral("Label11"));
    txtWrong_[1] = numberEdit(picFilter_, kTxtWrong[1], ui::memberName("txtWrong", 1), 2);
    for (QLineEdit* e : txtWrong_) e->setText(QStringLiteral("0"));
    lblStatus_ = ui::placeLabel(picFilter_, ui::qs(ui::texts::kStatusIdle), kLZtai, QStringLiteral("L_ztai"));

    const char* captions[5] = {"开始缩水", "转为组选", "清空所有条件", "复制全部号码", "导出全部号码"};
    for (int i = 0; i < 5; ++i)
        cmdFilter_[i] =
            ui::placeButton(picFilter_, ui::qs(captions[i]), kCmdFilter[i], ui::memberName("cmdFilter", i));
    QFont big = cmdFilter_[0]->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    cmdFilter_[0]->setFont(big);

    for (QLineEdit* e : {txtPage_, txtLottoNumber_, txtWrong_[0], txtWrong_[1]}) e->installEventFilter(this);

    picResult_->setGeometry(kInnerLeft, 0, kInnerWidth, kCopyTipTop);
    picFilter_->setGeometry(kInnerLeft, 0, kInnerWidth, kFilterPanelHeight);
    stackPanels();
}

ResultArea::~ResultArea() = default;

QPushButton* ResultArea::pageButton(int index) const { return cmdPage_[static_cast<std::size_t>(index)]; }

SelectButton* ResultArea::makePageButton(int index) {
    auto* b = new SelectButton(QString::number(index + 1), picPage_);
    b->setObjectName(ui::memberName("cmdPage", index));
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, [this, index] { pageClicked(index); });
    return b;
}

void ResultArea::pageClicked(int index) {
    // The page buttons take no focus, so a box being edited is still
    // focused: it is applied first. A typed group size rebuilds the buttons,
    // this one among them, so then the page is copied once the click is over.
    if (txtPage_->isModified()) {
        QMetaObject::invokeMethod(
            this, [this, index] { clickPageAfterCommit(index); }, Qt::QueuedConnection);
        return;
    }
    clickPageAfterCommit(index);
}

void ResultArea::clickPageAfterCommit(int index) {
    if (!commitEntries()) return;
    state_.clickPage(index);
}

bool ResultArea::commitEntries() {
    if (commitHook_ && !commitHook_()) return false;
    // Edited while the window had no focus to leave: applied all the same.
    if (txtPage_->isModified()) applyGroupSize();
    return true;
}

void ResultArea::stackPanels() {
    const int h = height();
    const int listHeight = std::max(40, h - kListTop - picResult_->height() - picFilter_->height() - 4);
    lstResult_->setGeometry(kInnerLeft, kListTop, kInnerWidth, listHeight);
    picResult_->move(kInnerLeft, kListTop + listHeight);
    picFilter_->move(kInnerLeft, kListTop + listHeight + picResult_->height());
}

void ResultArea::hideNote() { T_nonb_->hide(); }

void ResultArea::showNote(const std::string& text) {
    T_nonb_->setPlainText(ui::boxText(text));
    T_nonb_->show();
    T_nonb_->raise();
}

void ResultArea::layoutPages(const PageLayout& layout) {
    if (!layout.showPages) {
        picResult_->resize(kInnerWidth, kCopyTipTop);
        stackPanels();
        return;
    }
    // Every button but member 0 goes; member 0 is reset and the others are
    // made anew at the places the layout gives.
    setUpdatesEnabled(false);
    while (cmdPage_.size() > 1) {
        delete cmdPage_.back();
        cmdPage_.pop_back();
    }
    SelectButton* first = cmdPage_[0];
    first->setFaceColour(QColor());
    const int pages = std::max(1, layout.pages);
    cmdPage_.reserve(static_cast<std::size_t>(pages));
    for (int i = 1; i < pages; ++i) cmdPage_.push_back(makePageButton(i));
    for (int i = 0; i < pages && i < static_cast<int>(layout.buttons.size()); ++i) {
        const PageButtonPlace& place = layout.buttons[static_cast<std::size_t>(i)];
        SelectButton* b = cmdPage_[static_cast<std::size_t>(i)];
        b->setGeometry(place.left, place.top, layout.buttonWidth, layout.buttonHeight);
        b->setText(ui::qs(place.caption));
        b->setToolTip(ui::qs(place.toolTip));
        b->show();
    }
    picPage_->setGeometry(0, 0, kContainerWidth, layout.pageAreaHeight);
    picPageContainer_->resize(kContainerWidth, layout.containerHeight);
    const PageScrollBar& bar = layout.scrollBar;
    if (bar.visible) {
        scrPage_->setMin(bar.min);
        scrPage_->setMax(bar.max);
        scrPage_->setSingleStep(bar.smallChange);
        scrPage_->setPageStep(bar.largeChange);
        scrPage_->setGeometry(pageScrollBarLeft(kContainerWidth, TScroll::kWidth), 0, TScroll::kWidth,
                              layout.containerHeight);
        scrPage_->setValue(bar.value);
        scrPage_->show();
        scrPage_->raise();
    } else {
        scrPage_->hide();
    }
    picPage_->move(0, pageAreaTop(bar.visible ? scrPage_->value() : 0, layout.buttonHeight));
    picGroup_->move(0, kContainerTop + layout.containerHeight);
    picResult_->resize(kInnerWidth, kContainerTop + layout.containerHeight + kLegendHeight);
    stackPanels();
    setUpdatesEnabled(true);
}

void ResultArea::setCount(int count) { lblCount_->setText(QString::number(count)); }

void ResultArea::clearList() { lstResult_->Clear(); }

void ResultArea::fillList(std::span<const std::uint32_t> values) { lstResult_->SetData(values); }

void ResultArea::paintPage(int page, PageColour colour) {
    if (page < 0 || page >= pageButtonCount()) return;
    cmdPage_[static_cast<std::size_t>(page)]->setFaceColour(pageColour(colour));
}

void ResultArea::scrollListTo(int row) { lstResult_->SetTopIndex(row); }

void ResultArea::setGroupSizeText(const std::string& text) { txtPage_->setText(ui::qs(text)); }

void ResultArea::applyGroupSize() { state_.applyGroupSize(txtPage_->text().toStdString()); }

LeaveAnswer ResultArea::leaveGroupSize(bool mayAsk) {
    // An untouched box holds the size the buttons were built with.
    if (!txtPage_->isModified()) return LeaveAnswer::Go;
    if (!mayAsk && decideGroupSize(txtPage_->text().toStdString(), state_.appliedGroupSize()).message)
        return LeaveAnswer::NeedsAnswer;
    applyGroupSize();
    return LeaveAnswer::Go;
}

LeaveAnswer ResultArea::leaveDrawnNumber(bool mayAsk) {
    if (!mayAsk &&
        cleanDrawnNumber(txtLottoNumber_->text().toStdString()).state == DrawnNumberState::Rejected)
        return LeaveAnswer::NeedsAnswer;
    return validateDrawnNumber() ? LeaveAnswer::Go : LeaveAnswer::Stay;
}

bool ResultArea::validateDrawnNumber() {
    const CleanedDrawnNumber c = state_.validateDrawnNumber(txtLottoNumber_->text().toStdString());
    if (c.state == DrawnNumberState::Rejected) {
        txtLottoNumber_->selectAll();
        return false;
    }
    txtLottoNumber_->setText(ui::qs(c.text));
    return true;
}

void ResultArea::checkPrize() {
    const PrizeCheckOutcome out = state_.checkPrize(txtLottoNumber_->text().toStdString());
    if (out.kind == PrizeCheckOutcome::Kind::Rejected) {
        txtLottoNumber_->setFocus(Qt::OtherFocusReason);
        txtLottoNumber_->selectAll();
    } else if (out.kind != PrizeCheckOutcome::Kind::NoResults) {
        txtLottoNumber_->setText(ui::qs(out.drawn.text));
    }
}

bool ResultArea::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit) return false;
    if (event->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(event);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (enter && edit == txtPage_) {
            applyGroupSize();
            return false;
        }
        if (enter && edit == txtLottoNumber_) {
            if (cmdBonus_->isEnabled()) checkPrize();
            return true;
        }
        if (enter) return true;
        return isRefusedKey(k);
    }
    if (event->type() == QEvent::FocusIn && (edit == txtWrong_[0] || edit == txtWrong_[1])) {
        QMetaObject::invokeMethod(edit, &QLineEdit::selectAll, Qt::QueuedConnection);
        return false;
    }
    return false;
}

}  // namespace numsift
