#pragma once
// A small line chart over a run of draws: a few series of one value per
// draw (a rule's rolling hit rate beside its chance line, the walk's
// cumulative 投入 and 奖金), a value axis whose figures say what the values
// are, the first, middle and last draws' labels below, a legend above. With
// nothing to draw it shows a line of text instead ("计算中…").

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

namespace numsift {

class SeriesChart : public QWidget {
    Q_OBJECT
public:
    struct Series {
        QString name;
        QColor colour;
        bool dashed = false;
        std::vector<double> values;  // one per draw
    };

    explicit SeriesChart(QWidget* parent = nullptr);

    // The series (all of one length) and a label per draw (its issue).
    void setSeries(std::vector<Series> series, QStringList labels);
    // How a value reads on the axis ("87.5%", "12万").
    void setValueText(std::function<QString(double)> text);
    // The value axis: from 0 (or the smallest value) to the largest.
    void setFromZero(bool fromZero) { fromZero_ = fromZero; }
    // Nothing drawn, the text in its place.
    void showMessage(const QString& text);

    const std::vector<Series>& series() const { return series_; }
    const QString& message() const { return message_; }

    QSize sizeHint() const override { return {400, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<Series> series_;
    QStringList labels_;
    std::function<QString(double)> valueText_;
    QString message_;
    bool fromZero_ = true;
};

}  // namespace numsift
