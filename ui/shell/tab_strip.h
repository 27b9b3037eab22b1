#pragma once
// fraButton: the twelve tab buttons cmdTab(0)..cmdTab(11). A click selects
// exactly the clicked tab (reset all, then toggle it in green) and asks the
// window to switch pages.

#include <QFrame>

#include <array>

namespace numsift {

class SelectButton;

class TabStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr int kTabCount = 12;

    explicit TabStrip(QWidget* parent = nullptr);

    SelectButton* tab(int index) const { return tabs_[index]; }
    // The selection reset of every tab, then the toggle of index (green).
    void select(int index);
    int selected() const;

signals:
    void tabClicked(int index);

private:
    std::array<SelectButton*, kTabCount> tabs_{};
};

}  // namespace numsift
