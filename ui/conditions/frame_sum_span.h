#pragma once
// fraFilter(1) "和、跨、胆": sum tails (chkHKD 0-9), the sum-value box txtHKD,
// spans (chkHKD 10-19) and digits killed anywhere (chkHKD 20-29, "通杀码"),
// each row with its "清" button cmdHKD.

#include <QGroupBox>

#include <array>

class QCheckBox;
class QPushButton;

namespace numsift {

struct FilterInput;
class EntryBox;
class MessageSink;

class FrameSumSpan : public QGroupBox {
    Q_OBJECT
public:
    FrameSumSpan(MessageSink* messages, QWidget* parent = nullptr);

    QCheckBox* box(int index) const { return chkHKD_[index]; }            // chkHKD(0..29)
    QPushButton* clearButton(int index) const { return cmdHKD_[index]; }  // cmdHKD(0..3)

    void readInto(FilterInput& input) const;
    void applyFrom(const FilterInput& input);

private:
    std::array<QCheckBox*, 30> chkHKD_{};   // sum tails (0-9), spans (10-19), 通杀码 digits (20-29)
    std::array<QPushButton*, 4> cmdHKD_{};  // "清" of the sum tails, spans, 通杀码 and the sum values
    EntryBox* txtHKD_ = nullptr;            // "杀和值": sum values to kill
};

}  // namespace numsift
