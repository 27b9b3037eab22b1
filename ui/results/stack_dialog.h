#pragma once
// "方案叠加": several schemes (files, or the panel as it stands) run over the
// same candidates; each number's count is how many schemes keep it. The
// dialog lists the schemes, shows how many numbers have each count, and
// sends the numbers whose count lies in the chosen range to the result area.

#include <QDialog>

#include <cstdint>
#include <memory>
#include <vector>

#include "conditions/scheme.h"
#include "conditions/scheme_stack.h"
#include "platform/platform.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace numsift {

class Panel;

class StackDialog : public QDialog {
    Q_OBJECT
public:
    // "添加当前条件" reads panel, the run uses its base set, and the result goes
    // to its result area.
    StackDialog(Panel& panel, FileDialogs& files, MessageSink& messages, QWidget* parent = nullptr);
    ~StackDialog() override;

    // "添加方案文件": a scheme file through the file dialog (all or nothing).
    bool addSchemeFile();
    bool addSchemeFrom(const QString& path);
    // "添加当前条件".
    bool addCurrentPanel();
    // "删除": the selected scheme.
    void removeSelected();
    // "开始叠加": runs every scheme; false (and a message) with fewer than two.
    bool runStack();
    // "送到结果区": the numbers whose count lies in the range; false before a
    // run or when none has such a count.
    bool sendResult();

    const std::vector<Scheme>& schemes() const { return schemes_; }
    const StackCounts* stack() const { return stack_.get(); }
    std::vector<std::uint32_t> chosenNumbers() const;
    // How many schemes keep each of chosenNumbers().
    std::vector<std::uint16_t> chosenCounts() const;

    QListWidget* schemeList() const { return list_; }
    QSpinBox* countBox(int index) const { return index ? highest_ : lowest_; }
    QTableWidget* histogramTable() const { return histogram_; }
    QLabel* summaryLabel() const { return summary_; }

private:
    void add(Scheme scheme, const QString& label);
    void schemesChanged();
    void showChosen();
    void tell(const std::string& text, MessageIcon icon = MessageIcon::Exclamation);

    Panel& panel_;
    FileDialogs& files_;
    MessageSink& messages_;
    std::vector<Scheme> schemes_;
    std::unique_ptr<StackCounts> stack_;

    QListWidget* list_ = nullptr;
    QSpinBox* lowest_ = nullptr;
    QSpinBox* highest_ = nullptr;
    QTableWidget* histogram_ = nullptr;
    QLabel* summary_ = nullptr;
    QPushButton* send_ = nullptr;
};

}  // namespace numsift
