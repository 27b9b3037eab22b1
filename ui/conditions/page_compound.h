#pragma once
// fraTab(4): the eight compound boxes txtCompose(0..7) with their title and
// format labels (lblCompose), and the marker shpFlash that blinks around the
// box the compound tabs enable (tmrFlash, 300 ms, six times, then it stays).

#include <QFrame>

#include <array>

class QLabel;
class QTimer;

namespace numsift {

struct FilterInput;
class EntryBox;
class MessageSink;

inline const QColor kComposeFocus(255, 255, 192);

class PageCompound : public QFrame {
    Q_OBJECT
public:
    static constexpr int kFlashIntervalMs = 300;
    static constexpr int kFlashBorder = 2;  // pixels

    PageCompound(MessageSink* messages, QWidget* parent = nullptr);

    EntryBox* box(int index) const { return boxes_[index]; }
    QFrame* marker() const { return shpFlash_; }
    QTimer* flashTimer() const { return tmrFlash_; }

    // Enables only box mode (light yellow), disables the others and starts
    // the marker blink.
    void setComposeMode(int mode);
    // One tick of the marker blink.
    void flashTick();

    void readInto(FilterInput& input) const;
    void applyFrom(const FilterInput& input);

private:
    std::array<EntryBox*, 8> boxes_{};  // txtCompose, one a compose mode; only the mode's box is enabled
    QFrame* shpFlash_ = nullptr;
    QTimer* tmrFlash_ = nullptr;
    int mode_ = 0;
    int flashCount_ = 0;
};

}  // namespace numsift
