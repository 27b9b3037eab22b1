#include "ui/sets/page_join.h"

#include <QLabel>
#include <QPushButton>

#include "controls/cjk_font.h"
#include "sets/import_flow.h"
#include "ui/sets/box_text.h"
#include "ui/sets/number_box.h"
#include "ui/sets/number_box_binding.h"
#include "ui/kit/window_layout.h"

namespace numsift {

namespace {

// Where the controls stand (pixels). Three columns, A, B and the result:
// the title and its count, the box, then a row of buttons under each; the
// four operations in a second row under A and B, beside the note lines.
constexpr int kColumnLeft[3] = {10, 335, 660};
constexpr int kColumnWidth[3] = {315, 315, 330};
constexpr int kTitleTop = 8, kTitleWidth = 90, kTitleHeight = 22;
constexpr int kCountLeft = 96;  // from the column's left edge
constexpr int kBoxTop = 36;
constexpr int kBoxHeight = 520;
constexpr int kRow1 = 566;
constexpr int kRow2 = 606;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 10;
constexpr int kNoteLineHeight = 22;

void setRed(QLabel* label) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(p);
}

}  // namespace

PageJoin::PageJoin(NumberSetStore* store, SetServices services, QWidget* parent)
    : QWidget(parent), store_(store), services_(std::move(services)) {
    setObjectName(QStringLiteral("fraTab_3"));
    setFixedSize(ui::layout::kJoinPageSize);
    setFont(cjkFont(9));

    const char* titleNames[3] = {"Label3", "Label12", "Label10"};
    const QString titles[3] = {QStringLiteral("五星大底A"), QStringLiteral("五星大底B"),
                               QStringLiteral("最终注数")};
    const sets::NumberBox kinds[3] = {sets::NumberBox::JoinA, sets::NumberBox::JoinB,
                                      sets::NumberBox::JoinResult};
    for (std::size_t i = 0; i < 3; ++i) {
        const int left = kColumnLeft[i];
        const int width = kColumnWidth[i];
        auto* title = new QLabel(titles[i], this);
        title->setObjectName(QString::fromLatin1(titleNames[i]));
        title->setGeometry(left, kTitleTop, kTitleWidth, kTitleHeight);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);

        lblJoin_[i] = new QLabel(QString(), this);
        lblJoin_[i]->setObjectName(QStringLiteral("lblJoin_%1").arg(i));
        lblJoin_[i]->setGeometry(left + kCountLeft, kTitleTop, width - kCountLeft, kTitleHeight);
        setRed(lblJoin_[i]);

        txtJoin_[i] = new NumberBox(this);
        txtJoin_[i]->setObjectName(QStringLiteral("txtJoin_%1").arg(i));
        txtJoin_[i]->setGeometry(left, kBoxTop, width, kBoxHeight);

        bindings_[i] = new NumberBoxBinding(txtJoin_[i], kinds[i], store_, this);
        bindings_[i]->setCountLabel(lblJoin_[i]);
    }
    // Entering A or B makes it the current side; entering the result box
    // changes nothing.
    for (int side = 0; side < 2; ++side)
        connect(bindings_[static_cast<std::size_t>(side)], &NumberBoxBinding::entered, this,
                [this, side] { store_->setCurrentSide(side); });

    const QString captions[9] = {
        QStringLiteral("清空A"),  QStringLiteral("清空B"),  QStringLiteral("复制结果号码"),
        QStringLiteral("AB交集"), QStringLiteral("AB并集"), QStringLiteral("A排除B"),
        QStringLiteral("B排除A"), QStringLiteral("导入A"),  QStringLiteral("导入B")};
    for (int i = 0; i < 9; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("cmdJoin_%1").arg(i));
        cmdJoin_[static_cast<std::size_t>(i)] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { cmdJoinClick(i); });
    }
    // Under A and B: clear and import; under the result: copy; the four
    // operations in one row under A and B.
    const int half = (kColumnWidth[0] - kButtonGap) / 2;
    for (int side = 0; side < 2; ++side) {
        const int left = kColumnLeft[side];
        cmdJoin_[static_cast<std::size_t>(side)]->setGeometry(left, kRow1, half, kButtonHeight);
        cmdJoin_[static_cast<std::size_t>(7 + side)]->setGeometry(left + half + kButtonGap, kRow1, half,
                                                                  kButtonHeight);
    }
    cmdJoin_[2]->setGeometry(kColumnLeft[2], kRow1, kColumnWidth[2], kButtonHeight);
    const int opsWidth = kColumnLeft[1] + kColumnWidth[1] - kColumnLeft[0];
    const int opWidth = (opsWidth - 3 * kButtonGap) / 4;
    for (int k = 0; k < 4; ++k)
        cmdJoin_[static_cast<std::size_t>(3 + k)]->setGeometry(kColumnLeft[0] + k * (opWidth + kButtonGap),
                                                               kRow2, opWidth, kButtonHeight + 6);

    const QString lines[3] = {QStringLiteral("交集结果注数太多投注不了解决方法："),
                              QStringLiteral("把交集结果复制到【大底号码】框，"),
                              QStringLiteral("然后点击【开始缩水】就可分批复制")};
    for (int i = 0; i < 3; ++i) {
        auto* line = new QLabel(lines[i], this);
        line->setObjectName(QStringLiteral("Label16_%1").arg(i));
        line->setGeometry(kColumnLeft[2], kRow2 + i * kNoteLineHeight, kColumnWidth[2], kNoteLineHeight - 2);
        if (i == 0) setRed(line);
    }
}

void PageJoin::cmdJoinClick(int index) {
    switch (index) {
        case 0:
        case 1: clearSide(index); break;
        case 2: copyResult(); break;
        case 3:
        case 4:
        case 5:
        case 6: runOperation(static_cast<sets::SetOperation>(index - 3)); break;
        case 7:
        case 8: importSide(index - 7); break;
        default: break;
    }
}

void PageJoin::clearSide(int side) {
    const auto i = static_cast<std::size_t>(side);
    txtJoin_[i]->setEntryText(QString());
    lblJoin_[i]->setText(QStringLiteral("0"));
    store_->clearIntersection(side);
}

void PageJoin::setSideText(int side, const std::string& engineText) {
    const auto i = static_cast<std::size_t>(side);
    bindings_[i]->showText(
        sets::reparseBox(*store_, side == 0 ? sets::NumberBox::JoinA : sets::NumberBox::JoinB, engineText));
}

void PageJoin::importSide(int side) {
    const auto i = static_cast<std::size_t>(side);
    sets::importIntoBox(*store_, side == 0 ? sets::NumberBox::JoinA : sets::NumberBox::JoinB,
                        *services_.dialogs, services_.readFile, *services_.messages,
                        [this, i](const sets::ImportOutcome& r) { bindings_[i]->showText(r.boxText); });
}

void PageJoin::copyResult() {
    sets::copyJoinResult(ui::engineText(txtJoin_[2]->toPlainText()), *services_.clipboard,
                         *services_.messages);
}

void PageJoin::runOperation(sets::SetOperation op) {
    const sets::SetOperationOutcome r = sets::runSetOperation(
        *store_, op, ui::engineText(txtJoin_[0]->toPlainText()), ui::engineText(txtJoin_[1]->toPlainText()),
        *services_.messages, kJoinResultLineWidth, [this](const sets::SetOperationOutcome& outcome) {
            txtJoin_[2]->setEntryText(ui::boxText(outcome.resultText));
            lblJoin_[2]->setText(QString::number(outcome.count));
        });
    if (r.focusSide >= 0) txtJoin_[static_cast<std::size_t>(r.focusSide)]->setFocus(Qt::OtherFocusReason);
}

void PageJoin::releasePasteInterception() {
    for (NumberBoxBinding* b : bindings_) b->releasePasteInterception();
}

}  // namespace numsift
