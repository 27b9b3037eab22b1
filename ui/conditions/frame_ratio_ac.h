#pragma once
// fraFilter(2): the ratio rows "大小比", "奇偶比", "质合比" (cmdBi 0-17, green
// when selected: ratios to keep) and the AC row "杀AC值" (cmdBi 18-26, yellow:
// values to kill), each row with "清" (cmdBiButton) and "全" (cmdBiButton_all).

#include <QFrame>

#include <array>

class QPushButton;

namespace numsift {

struct FilterInput;
class SelectButton;

class FrameRatioAc : public QFrame {
    Q_OBJECT
public:
    explicit FrameRatioAc(QWidget* parent = nullptr);

    SelectButton* button(int index) const { return cmdBi_[index]; }
    QPushButton* clearButton(int row) const { return cmdBiButton_[row]; }

    void readInto(FilterInput& input) const;
    void applyFrom(const FilterInput& input);

private:
    std::array<SelectButton*, 27> cmdBi_{};         // ratios 0-17 (green), AC values 18-26 (yellow)
    std::array<QPushButton*, 4> cmdBiButton_{};     // "清": unselects a row
    std::array<QPushButton*, 4> cmdBiButtonAll_{};  // "全": flips every button of a row
};

}  // namespace numsift
