#pragma once
// "记录本期": freezes the result as the play for an issue not yet drawn (the
// one after the last kept draw, or a later one the player names), with its
// multiple and the panel as a scheme, in the play record (PlayRecords). A
// record that may not be made is refused with its reason, and the dialog
// stays open for another issue; a record kept closes it.

#include <QDialog>

#include <optional>

#include "analysis/play_ledger.h"
#include "platform/platform.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace numsift {

class Panel;
class PlayRecords;

class RecordDialog : public QDialog {
    Q_OBJECT
public:
    RecordDialog(const Panel& panel, PlayRecords& records, MessageSink& messages, QWidget* parent = nullptr);

    // The record the boxes make now, timed now.
    PlayRecord record() const;
    // "记录": the refusal said; or the record added in the background, and
    // once it is kept the dialog says so and closes.
    void keep();

    QLineEdit* issueEdit() const { return issue_; }
    QSpinBox* multipleEdit() const { return multiple_; }
    QLabel* stakeLabel() const { return stake_; }
    QPushButton* keepButton() const { return keep_; }

    // Closing waits while an add is under way: the record may be kept.
    void reject() override;

private:
    void showStake();
    void added(bool ok, const QString& error);
    void tell(const std::string& text, MessageIcon icon);

    const Panel& panel_;
    PlayRecords& records_;
    MessageSink& messages_;
    NumberSet set_;
    std::optional<PlayRecord> adding_;  // the record this dialog is adding

    QLineEdit* issue_ = nullptr;
    QSpinBox* multiple_ = nullptr;
    QLabel* stake_ = nullptr;
    QPushButton* keep_ = nullptr;
};

}  // namespace numsift
