#pragma once
// Page 3 "交集功能": two number sets A (txtJoin(0)) and B (txtJoin(1)) combined
// by intersection, union or either difference into the result box
// txtJoin(2), with the counts lblJoin(0..2), the nine buttons cmdJoin(0..8)
// and the captions Label3, Label12, Label10 and Label16(0..2).

#include <QWidget>

#include <array>
#include <string>

#include "engine/number_set_store.h"
#include "sets/set_operations.h"
#include "ui/sets/set_services.h"

class QLabel;
class QPushButton;

namespace numsift {

class NumberBox;
class NumberBoxBinding;

// Numbers a line in the result box after an operation.
inline constexpr int kJoinResultLineWidth = 5;

class PageJoin : public QWidget {
    Q_OBJECT
public:
    PageJoin(NumberSetStore* store, SetServices services, QWidget* parent = nullptr);

    NumberBox* txtJoin(int index) const { return txtJoin_.at(static_cast<std::size_t>(index)); }
    QLabel* lblJoin(int index) const { return lblJoin_.at(static_cast<std::size_t>(index)); }
    QPushButton* cmdJoin(int index) const { return cmdJoin_.at(static_cast<std::size_t>(index)); }
    NumberBoxBinding* binding(int index) const { return bindings_.at(static_cast<std::size_t>(index)); }

    // The click of cmdJoin(index), 0..8.
    void cmdJoinClick(int index);

    void clearSide(int side);
    // Another part of the window puts numbers into A or B; they go through
    // the same re-parse as a paste, so box, set and count agree.
    void setSideText(int side, const std::string& engineText);
    void importSide(int side);
    void copyResult();
    void runOperation(sets::SetOperation op);

    void releasePasteInterception();

private:
    NumberSetStore* store_;
    SetServices services_;
    std::array<NumberBox*, 3> txtJoin_{};
    std::array<QLabel*, 3> lblJoin_{};
    std::array<QPushButton*, 9> cmdJoin_{};
    std::array<NumberBoxBinding*, 3> bindings_{};
};

}  // namespace numsift
