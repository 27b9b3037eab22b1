#include "ui/play/play_inputs.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include "results/shop_file.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr int kIssueDigits = 20;

}  // namespace

QLineEdit* issueBox(QWidget* parent, const std::string& issue) {
    auto* box = new QLineEdit(ui::qs(issue), parent);
    box->setObjectName(QStringLiteral("issueBox"));
    box->setMaxLength(kIssueDigits);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setMaximumWidth(120);
    return box;
}

QSpinBox* multipleBox(QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QStringLiteral("multipleBox"));
    box->setRange(kMinMultiple, kMaxMultiple);
    box->setValue(kMinMultiple);
    box->setSuffix(ui::qs(" 倍"));
    box->setMaximumWidth(120);
    return box;
}

}  // namespace numsift
