#pragma once
// The left bottom of "历史验证", "号码诊断": for one number, each check it
// fails, its fail count against the tolerance, and whether it is in the base
// set, over the panel as a run would read it.

#include <QWidget>

#include <cstdint>
#include <memory>

#include "analysis/explain.h"
#include "ui/analysis/page_services.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace numsift {

class Panel;

class DiagnosisPanel : public QWidget {
    Q_OBJECT
public:
    DiagnosisPanel(Panel& panel, PageServices services, QWidget* parent = nullptr);
    ~DiagnosisPanel() override;

    // "诊断" on the number in the box.
    bool explainNumber();
    void explainNumber(std::uint32_t value);
    // "复制": the diagnosis.
    bool copyExplanation();

    const Explanation* explanation() const { return explanation_.get(); }
    QLineEdit* explainBox() const { return explainBox_; }
    QLabel* explainLabel() const { return explainLabel_; }
    QTableWidget* explainTable() const { return explainTable_; }

private:
    Panel& panel_;
    PageServices services_;
    std::unique_ptr<Explanation> explanation_;
    QLineEdit* explainBox_ = nullptr;
    QLabel* explainLabel_ = nullptr;
    QTableWidget* explainTable_ = nullptr;
};

}  // namespace numsift
