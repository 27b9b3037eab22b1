#include "ui/sets/page_base.h"

#include <QLabel>
#include <QPushButton>

#include "controls/cjk_font.h"
#include "sets/import_flow.h"
#include "ui/sets/number_box.h"
#include "ui/sets/number_box_binding.h"
#include "ui/kit/widget_kit.h"
#include "ui/kit/window_layout.h"

namespace numsift {

namespace {

// Where the controls stand on the page (twips).
constexpr QRect kLabel5 = ui::pxRect(120, 90, 11700, 300);
constexpr QRect kTxtBase = ui::pxRect(120, 420, 11700, 8160);
constexpr QRect kLabel6 = ui::pxRect(120, 8730, 900, 360);
constexpr QRect kLblBase = ui::pxRect(1050, 8730, 1500, 360);
constexpr QRect kCmdBase[2] = {ui::pxRect(9420, 8700, 1140, 420), ui::pxRect(10650, 8700, 1140, 420)};

}  // namespace

PageBase::PageBase(NumberSetStore* store, SetServices services, QWidget* parent)
    : QWidget(parent), store_(store), services_(std::move(services)) {
    setObjectName(QStringLiteral("fraTab_0"));
    setFixedSize(ui::layout::kPageSize);
    setFont(cjkFont(9));

    auto* label5 = new QLabel(
        QStringLiteral(
            "粘贴大底号码，号码之间可以是逗号、空格、分号或回车。空白默认为全部号码（10万注）做底。"),
        this);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(kLabel5);

    txtBase_ = new NumberBox(this);
    txtBase_->setObjectName(QStringLiteral("txtBase"));
    txtBase_->setGeometry(kTxtBase);

    auto* label6 = new QLabel(QStringLiteral("号码注数"), this);
    label6->setObjectName(QStringLiteral("Label6"));
    label6->setGeometry(kLabel6);

    lblBase_ = new QLabel(QStringLiteral("0"), this);
    lblBase_->setObjectName(QStringLiteral("lblBase"));
    lblBase_->setGeometry(kLblBase);
    QPalette red = lblBase_->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    lblBase_->setPalette(red);

    const QString captions[2] = {QStringLiteral("清空"), QStringLiteral("导入")};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("cmdBase_%1").arg(i));
        button->setGeometry(kCmdBase[i]);
        cmdBase_[static_cast<std::size_t>(i)] = button;
    }
    connect(cmdBase_[0], &QPushButton::clicked, this, &PageBase::clearBase);
    connect(cmdBase_[1], &QPushButton::clicked, this, &PageBase::importBase);

    binding_ = new NumberBoxBinding(txtBase_, sets::NumberBox::Base, store_, this);
    binding_->setCountLabel(lblBase_);
}

void PageBase::clearBase() {
    txtBase_->setEntryText(QString());
    lblBase_->setText(QStringLiteral("0"));
    store_->clearBase();
}

void PageBase::importBase() {
    sets::importIntoBox(*store_, sets::NumberBox::Base, *services_.dialogs, services_.readFile,
                        *services_.messages,
                        [this](const sets::ImportOutcome& r) { binding_->showText(r.boxText); });
}

void PageBase::setBaseText(const std::string& engineText) {
    binding_->showText(sets::reparseBox(*store_, sets::NumberBox::Base, engineText));
}

void PageBase::releasePasteInterception() { binding_->releasePasteInterception(); }

}  // namespace numsift
