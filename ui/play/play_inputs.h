#pragma once
// The two boxes every play dialog asks with: the issue (期号, digits only)
// and the multiple (倍数, what a shop slip takes).

#include <string>

class QLineEdit;
class QSpinBox;
class QWidget;

namespace numsift {

// A 期号 box holding issue, which takes digits only.
QLineEdit* issueBox(QWidget* parent, const std::string& issue);
// A 倍数 box from 1 to 99, at 1.
QSpinBox* multipleBox(QWidget* parent);

}  // namespace numsift
