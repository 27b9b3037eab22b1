#include "controls/result_list.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>

#include "controls/t_scroll.h"
#include "engine/number.h"
#include "engine/rounding.h"

namespace numsift {

namespace {

Qt::PenStyle penStyleOf(int borderStyle) {
    switch (borderStyle) {
        case 2: return Qt::DashLine;
        case 3: return Qt::DotLine;
        case 4: return Qt::DashDotLine;
        case 5: return Qt::DashDotDotLine;
        default: return Qt::SolidLine;
    }
}

}  // namespace

ResultList::ResultList(QWidget* parent) : QWidget(parent), scroll_(new TScroll(this)) {
    const QPalette pal = QApplication::palette();
    backColor_ = pal.color(QPalette::Button);
    foreColor_ = pal.color(QPalette::ButtonText);
    scroll_->setObjectName(QStringLiteral("rlScroll"));
    scroll_->setForeColor(kWindowBarColour);
    scroll_->hide();
    connect(scroll_, &TScroll::Scroll, this, &ResultList::onScroll);
    // The wheel turned over the bar scrolls the list just as over the rows.
    scroll_->installEventFilter(this);
    layoutRows();
}

bool ResultList::scrollBarShown() const { return !scroll_->isHidden(); }

void ResultList::SetData(std::span<const std::uint32_t> values) {
    data_.assign(values.begin(), values.end());
    const int n = static_cast<int>(data_.size());
    totalRows_ = n / kPerRow + (n % kPerRow > 0 ? 1 : 0);
    scroll_->setValue(0);
    topRow_ = 0;
    hasData_ = true;
    layoutRows();
    update();
}

void ResultList::SetTopIndex(int row) {
    if (!hasData_ || !scrollBarShown()) return;
    const int clamped = std::clamp(row, scroll_->min(), std::max(scroll_->min(), scroll_->max()));
    if (clamped == scroll_->value()) return;
    topRow_ = clamped;
    scroll_->setValue(clamped);
    update();
}

void ResultList::Clear() {
    hasData_ = false;
    scroll_->hide();
    update();
}

void ResultList::setBackColor(const QColor& c) {
    backColor_ = c;
    update();
}

void ResultList::setForeColor(const QColor& c) {
    foreColor_ = c;
    update();
}

void ResultList::setBorderColor(const QColor& c) {
    borderColor_ = c;
    update();
}

void ResultList::setBorderStyle(int s) {
    borderStyle_ = s;
    update();
}

void ResultList::onScroll() {
    topRow_ = scroll_->value();
    update();
}

void ResultList::layoutRows() {
    textHeight_ = QFontMetrics(font()).size(Qt::TextSingleLine, QStringLiteral("国")).height();
    const int nominal = textHeight_ + 4;
    const int usable = height() - 2 - 4;
    const int rows = static_cast<int>(roundHalfEven(static_cast<double>(usable) / nominal));
    // A list too short for one row still shows one.
    visibleRows_ = std::max(rows, 1);
    rowHeight_ = usable > 0 ? static_cast<double>(usable) / visibleRows_ : nominal;

    scroll_->setGeometry(width() - 1 - TScroll::kWidth, 1, TScroll::kWidth, std::max(height() - 2, 0));
    if (hasData_ && visibleRows_ < totalRows_) {
        scroll_->setMin(0);
        scroll_->setMax(totalRows_ - visibleRows_);
        if (scroll_->value() > scroll_->max()) scroll_->setValue(scroll_->max());
        scroll_->setSingleStep(1);
        scroll_->setPageStep(visibleRows_);
        if (scroll_->isHidden()) scroll_->show();
    } else {
        if (!scroll_->isHidden()) scroll_->hide();
        // Every row fits now: show them from the first, or rows above the top
        // would stay out of reach with no bar to bring them back.
        if (hasData_) {
            scroll_->setMin(0);
            scroll_->setValue(0);
            topRow_ = 0;
        }
    }
}

QString ResultList::rowText(int row) const {
    if (row < 0 || row >= totalRows_) return {};
    const std::size_t first = static_cast<std::size_t>(row) * kPerRow;
    const std::size_t last = std::min(first + kPerRow, data_.size());
    char buf[kPerRow * 6];
    char* p = buf;
    for (std::size_t i = first; i < last; ++i) {
        if (i != first) *p++ = ' ';
        writeNumber(data_[i] % kNumberSpace, p);
        p += 5;
    }
    return QString::fromLatin1(buf, static_cast<int>(p - buf));
}

QStringList ResultList::visibleLines() const {
    QStringList lines;
    if (!hasData_) return lines;
    const int lineCount = std::clamp(totalRows_ - topRow_, 0, visibleRows_);
    lines.reserve(lineCount);
    for (int r = 0; r < lineCount; ++r) lines.push_back(rowText(topRow_ + r));
    return lines;
}

void ResultList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), backColor_);
    if (hasData_) {
        const QStringList lines = visibleLines();
        const int ascent = QFontMetrics(font()).ascent();
        p.setPen(foreColor_);
        p.setFont(font());
        for (int r = 0; r < lines.size(); ++r) p.drawText(QPointF(4, r * rowHeight_ + 4 + ascent), lines[r]);
        p.setPen(QPen(borderColor_, 1, Qt::SolidLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (borderStyle_ != 0) {
        p.setPen(QPen(borderColor_, 1, penStyleOf(borderStyle_)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ResultList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutRows();
}

void ResultList::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) layoutRows();
    QWidget::changeEvent(event);
}

bool ResultList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scroll_ && event->type() == QEvent::Wheel) {
        turnWheel(static_cast<QWheelEvent*>(event));
        return event->isAccepted();
    }
    return QWidget::eventFilter(watched, event);
}

void ResultList::wheelEvent(QWheelEvent* event) { turnWheel(event); }

void ResultList::turnWheel(QWheelEvent* event) {
    if (!scrollBarShown()) {
        event->ignore();
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta > 0 && scroll_->value() > scroll_->min())
        scroll_->setValue(scroll_->value() - kWheelStep);
    else if (delta < 0 && scroll_->value() < scroll_->max())
        scroll_->setValue(scroll_->value() + kWheelStep);
    event->accept();
}

}  // namespace numsift
