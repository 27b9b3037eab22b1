#pragma once
// ResultList: shows five-digit numbers as text, five to a row, drawing only
// the rows that fit. A TScroll of its own ("rlScroll") appears at the right
// edge when there are more rows than fit; the mouse wheel moves three rows.
// The list does not select or edit; its owner fills it and picks the top row.

#include <QColor>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

namespace numsift {

class TScroll;

class ResultList : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor foreColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int borderStyle READ borderStyle WRITE setBorderStyle)

public:
    static constexpr int kPerRow = 5;
    static constexpr int kWheelStep = 3;

    explicit ResultList(QWidget* parent = nullptr);

    // Takes its own copy of values and shows them from row 0.
    void SetData(std::span<const std::uint32_t> values);
    // Puts row on top, clamped into the scroll range; ignored while the list
    // is empty or all rows fit.
    void SetTopIndex(int row);
    // Shows nothing until the next SetData (the copy is kept but not drawn).
    void Clear();
    // Repaints.
    void Refresh() { update(); }

    QColor backColor() const { return backColor_; }
    QColor foreColor() const { return foreColor_; }
    QColor borderColor() const { return borderColor_; }
    // Frame line: 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot,
    // 6 solid drawn inside.
    int borderStyle() const { return borderStyle_; }
    void setBackColor(const QColor& c);
    void setForeColor(const QColor& c);
    void setBorderColor(const QColor& c);
    void setBorderStyle(int s);

    bool hasData() const { return hasData_; }
    int count() const { return static_cast<int>(data_.size()); }
    int totalRows() const { return totalRows_; }
    int topRow() const { return topRow_; }
    int visibleRows() const { return visibleRows_; }
    double rowHeight() const { return rowHeight_; }
    int textHeight() const { return textHeight_; }
    TScroll* scrollBar() const { return scroll_; }
    bool scrollBarShown() const;

    // The text of one row: its numbers joined by one blank.
    QString rowText(int row) const;
    // The lines a paint draws now, top to bottom (none while empty).
    QStringList visibleLines() const;

    QSize sizeHint() const override { return {220, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutRows();
    void onScroll();
    void turnWheel(QWheelEvent* event);

    std::vector<std::uint32_t> data_;
    bool hasData_ = false;
    int totalRows_ = 0;
    int topRow_ = 0;
    int visibleRows_ = 1;
    double rowHeight_ = 1;
    int textHeight_ = 0;

    QColor backColor_;
    QColor foreColor_;
    QColor borderColor_{0, 0, 255};
    int borderStyle_ = 1;

    TScroll* scroll_;
};

}  // namespace numsift
