#pragma once
// fraFilter(0) "定位杀": ten digit boxes for each of the five positions
// (chkDW(10r + d)), a "清" button per row (cmdDW(r)).

#include <QGroupBox>

#include <array>

class QCheckBox;
class QPushButton;

namespace numsift {

struct FilterInput;

class FramePositionalKill : public QGroupBox {
    Q_OBJECT
public:
    explicit FramePositionalKill(QWidget* parent = nullptr);

    QCheckBox* box(int position, int digit) const { return chkDW_[position * 10 + digit]; }
    QPushButton* clearButton(int position) const { return cmdDW_[position]; }

    void readInto(FilterInput& input) const;
    void applyFrom(const FilterInput& input);

private:
    std::array<QCheckBox*, 50> chkDW_{};   // digits to kill at each position, 万位 first, ten a position
    std::array<QPushButton*, 5> cmdDW_{};  // "清": unticks a position
};

}  // namespace numsift
