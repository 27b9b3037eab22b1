#include "ui/analysis/range_selector.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>

#include "analysis/draw_range.h"
#include "ui/analysis/kept_history.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kCaptions[] = {"全部", "近30期", "近50期", "近100期", "近N期", "期号"};
constexpr std::size_t kFixedDraws[] = {0, 30, 50, 100};

constexpr QRect kChoice(0, 0, 84, RangeSelector::kHeight);
constexpr QRect kCount(88, 0, 76, RangeSelector::kHeight);
constexpr QRect kFrom(88, 0, 70, RangeSelector::kHeight);
constexpr QRect kDash(158, 0, 12, RangeSelector::kHeight);
constexpr QRect kTo(170, 0, 70, RangeSelector::kHeight);

}  // namespace

RangeSelector::RangeSelector(KeptHistory* history, QWidget* parent) : QWidget(parent), history_(history) {
    setObjectName(QStringLiteral("rangeSelector"));
    choice_ = new QComboBox(this);
    choice_->setObjectName(QStringLiteral("windowChoice"));
    choice_->setGeometry(kChoice);
    for (const char* caption : kCaptions) choice_->addItem(ui::qs(caption));
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("windowCount"));
    count_->setGeometry(kCount);
    count_->setRange(1, 100000);
    count_->setValue(200);
    count_->setSuffix(ui::qs(" 期"));
    // A count typed is one change when it is entered, not one per digit: each
    // change recounts every page and saves the range.
    count_->setKeyboardTracking(false);
    auto* issues = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,12}")), this);
    from_ = new QLineEdit(this);
    from_->setObjectName(QStringLiteral("rangeFromIssue"));
    from_->setGeometry(kFrom);
    from_->setValidator(issues);
    from_->setPlaceholderText(ui::qs("起始期号"));
    ui::placeLabel(this, ui::qs("–"), kDash, QStringLiteral("rangeDash"))->setAlignment(Qt::AlignCenter);
    to_ = new QLineEdit(this);
    to_->setObjectName(QStringLiteral("rangeToIssue"));
    to_->setGeometry(kTo);
    to_->setValidator(issues);
    to_->setPlaceholderText(ui::qs("结束期号"));
    resize(kWidth, kHeight);

    connect(choice_, &QComboBox::currentIndexChanged, this, &RangeSelector::chosen);
    connect(count_, &QSpinBox::valueChanged, this, &RangeSelector::chosen);
    connect(from_, &QLineEdit::editingFinished, this, &RangeSelector::chosen);
    connect(to_, &QLineEdit::editingFinished, this, &RangeSelector::chosen);
    connect(history_, &KeptHistory::windowChanged, this, &RangeSelector::showRange);
    showRange();
}

void RangeSelector::showControls(int choice) {
    count_->setVisible(choice != Issues);
    count_->setEnabled(choice == LastN);
    from_->setVisible(choice == Issues);
    to_->setVisible(choice == Issues);
    findChild<QLabel*>(QStringLiteral("rangeDash"))->setVisible(choice == Issues);
}

void RangeSelector::chosen() {
    if (showing_) return;
    const int choice = choice_->currentIndex();
    showControls(choice);
    if (choice == Issues) {
        // Both ends first; an empty one leaves the range as it is.
        if (from_->text().isEmpty() || to_->text().isEmpty()) return;
        history_->setRange(DrawRange::issues(from_->text().toStdString(), to_->text().toStdString()));
    } else if (choice == LastN) {
        history_->setRange(DrawRange::newest(static_cast<std::size_t>(count_->value())));
    } else {
        const std::size_t draws = kFixedDraws[choice];
        history_->setRange(draws == 0 ? DrawRange::all() : DrawRange::newest(draws));
    }
}

void RangeSelector::showRange() {
    const DrawRange& range = history_->range();
    int choice = All;
    switch (range.kind) {
        case DrawRange::Kind::All: break;
        case DrawRange::Kind::Last:
            choice = range.last == 30    ? Last30
                     : range.last == 50  ? Last50
                     : range.last == 100 ? Last100
                                         : LastN;
            break;
        case DrawRange::Kind::Issues: choice = Issues; break;
    }
    showing_ = true;
    {
        const QSignalBlocker blockChoice(choice_), blockCount(count_);
        choice_->setCurrentIndex(choice);
        if (choice == LastN) count_->setValue(static_cast<int>(range.last));
        if (choice == Issues) {
            from_->setText(QString::fromStdString(range.fromIssue));
            to_->setText(QString::fromStdString(range.toIssue));
        }
    }
    showControls(choice);
    showing_ = false;
}

}  // namespace numsift
