#pragma once
// Page 0 "大底号码": the base set box txtBase with its count lblBase, the
// buttons cmdBase(0) "清空" and cmdBase(1) "导入", and the captions Label5 and
// Label6. Typing, pasting and importing all fill the base set of the store,
// which the next filter run uses as its candidates.

#include <QWidget>

#include <array>
#include <string>

#include "engine/number_set_store.h"
#include "ui/sets/set_services.h"

class QLabel;
class QPushButton;

namespace numsift {

class NumberBox;
class NumberBoxBinding;

class PageBase : public QWidget {
    Q_OBJECT
public:
    PageBase(NumberSetStore* store, SetServices services, QWidget* parent = nullptr);

    NumberBox* txtBase() const { return txtBase_; }
    QLabel* lblBase() const { return lblBase_; }
    QPushButton* cmdBase(int index) const { return cmdBase_.at(static_cast<std::size_t>(index)); }
    NumberBoxBinding* binding() const { return binding_; }

    // cmdBase(0): empty box, empty base set, count "0".
    void clearBase();
    // cmdBase(1): the open dialog, then the file's numbers as the base set.
    void importBase();
    // Another page puts numbers into the box; they go through the same
    // re-parse as a paste, so box, base set and count agree.
    void setBaseText(const std::string& engineText);

    void releasePasteInterception();

private:
    NumberSetStore* store_;
    SetServices services_;
    NumberBox* txtBase_;
    QLabel* lblBase_;
    std::array<QPushButton*, 2> cmdBase_{};
    NumberBoxBinding* binding_;
};

}  // namespace numsift
