#include "ui/play/record_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

#include "conditions/scheme.h"
#include "io/play_record_file.h"
#include "results/tickets.h"
#include "ui/kit/panel.h"
#include "ui/kit/widget_kit.h"
#include "ui/play/play_inputs.h"
#include "ui/play/play_records.h"

namespace numsift {

namespace {

constexpr const char* kTitle = "记录本期";

}  // namespace

RecordDialog::RecordDialog(const Panel& panel, PlayRecords& records, MessageSink& messages, QWidget* parent)
    : QDialog(parent), panel_(panel), records_(records), messages_(messages) {
    setWindowTitle(ui::qs(kTitle));
    set_.values = panel_.results();
    std::sort(set_.values.begin(), set_.values.end());
    set_.values.erase(std::unique(set_.values.begin(), set_.values.end()), set_.values.end());

    auto* what = new QLabel(ui::qs("本期号码：当前结果 %1 注").arg(set_.size()), this);
    what->setObjectName(QStringLiteral("recordSetLabel"));
    issue_ = issueBox(this, records_.proposedIssue());
    multiple_ = multipleBox(this);
    stake_ = new QLabel(this);
    stake_->setObjectName(QStringLiteral("recordStakeLabel"));
    auto* form = new QFormLayout;
    form->addRow(ui::qs("期号"), issue_);
    form->addRow(ui::qs("倍数"), multiple_);
    form->addRow(ui::qs("投入"), stake_);

    QString scheme = ui::qs("同时记下当前的条件面板（方案）。");
    const RunResult* run = panel_.lastRun();
    if (!run || run->result != panel_.results())
        scheme = ui::qs("当前结果不是【开始缩水】直接得到的；同时记下的是当前的条件面板（方案）。");
    auto* note = new QLabel(scheme + ui::qs("\n只能记录还没有开奖的一期；记下后不能修改或删除，"
                                            "开奖后在【投注记录】里计奖。"),
                            this);
    note->setWordWrap(true);

    keep_ = ui::dialogButton(this, "记录", "keepRecordButton");
    auto* cancel = ui::dialogButton(this, "取消", "cancelRecordButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(keep_);
    buttons->addWidget(cancel);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(what);
    whole->addLayout(form);
    whole->addWidget(note);
    whole->addLayout(buttons);
    resize(420, sizeHint().height());

    showStake();
    connect(multiple_, &QSpinBox::valueChanged, this, &RecordDialog::showStake);
    connect(keep_, &QPushButton::clicked, this, &RecordDialog::keep);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(&records_, &PlayRecords::added, this, &RecordDialog::added);
}

PlayRecord RecordDialog::record() const {
    PlayRecord r;
    r.issue = issue_->text().toStdString();
    r.time = recordTimeNow();
    r.set = set_;
    r.multiple = multiple_->value();
    r.scheme = saveScheme(panel_.scheme());
    return r;
}

void RecordDialog::showStake() {
    const PlayRecord r = record();
    stake_->setText(ui::qs("%1 注 × %2 元 × %3 倍 = %4 元")
                        .arg(r.bets())
                        .arg(kYuanPerBet)
                        .arg(r.multiple)
                        .arg(r.stake()));
}

void RecordDialog::keep() {
    if (adding_) return;
    const PlayRecord r = record();
    if (const QString why = records_.refusal(r); !why.isEmpty()) {
        tell(why.toStdString(), MessageIcon::Exclamation);
        return;
    }
    adding_ = r;
    keep_->setEnabled(false);
    keep_->setText(ui::qs("正在记录…"));
    records_.add(r);
}

void RecordDialog::reject() {
    if (!adding_) QDialog::reject();
}

void RecordDialog::added(bool ok, const QString& error) {
    if (!adding_) return;
    const PlayRecord r = std::move(*adding_);
    adding_.reset();
    keep_->setEnabled(true);
    keep_->setText(ui::qs("记录"));
    if (!ok) {
        tell(error.toStdString(), MessageIcon::Exclamation);
        return;
    }
    tell("已记录第 " + r.issue + " 期：" + std::to_string(r.bets()) + " 注 × " + std::to_string(r.multiple) +
             " 倍，投入 " + std::to_string(r.stake()) + " 元",
         MessageIcon::Information);
    accept();
}

void RecordDialog::tell(const std::string& text, MessageIcon icon) {
    messages_.show(Message{kTitle, text, icon, MessageButtons::Ok});
}

}  // namespace numsift
