#include "ui/analysis/diagnosis_panel.h"

#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "analysis/analysis_text.h"
#include "analysis/draw_history.h"
#include "ui/kit/panel.h"
#include "ui/kit/widget_kit.h"

namespace numsift {

namespace {

constexpr const char* kBadNumber = "请输入一个五位数号码，例如 35789";
const QColor kFailColour(176, 0, 0);

// Where the controls stand in the panel (pixels; the panel stands at 8, 382
// of the page).
constexpr QRect kExplainTitle(0, 0, 240, 18);
constexpr QRect kExplainBox(0, 20, 110, 24);
constexpr QRect kExplainButton(114, 20, 60, 24);
constexpr QRect kCopyExplanationButton(178, 20, 62, 24);
constexpr QRect kExplainLabel(0, 48, 240, 52);
constexpr QRect kExplainTable(0, 102, 240, 134);

std::string toleranceText(Tolerance t) { return std::to_string(t.lower) + "-" + std::to_string(t.upper); }

// The captions of the failed checks of one set of the grouped tolerance
// (every failed check without groups), joined by "、".
std::string failedIn(const Explanation& e, std::optional<std::size_t> set) {
    std::string s;
    for (const CheckVerdict& c : e.checks)
        if (c.failed && (!set || c.set == *set)) s += (s.empty() ? "" : "、") + c.caption;
    return s;
}

// The fails against the tolerance they are judged by. With groups, each
// group whose fails lie outside its own tolerance, named with it, as
// numsift-cli explain says: "分组“比例”错误 1 项（大小比），超出其容错 0-0".
std::string failText(const Explanation& e) {
    if (e.groups.empty()) {
        const std::string failed = failedIn(e, std::nullopt);
        return "错误 " + std::to_string(e.failCount) + "/" + std::to_string(e.checks.size()) + " 项" +
               (failed.empty() ? "" : "（" + failed + "）") + "，" +
               (e.withinTolerance ? "在容错 " : "超出容错 ") + toleranceText(e.tolerance) +
               (e.withinTolerance ? " 内" : "");
    }
    std::string s;
    for (std::size_t set = 0; set < e.groups.size(); ++set) {
        const SetVerdict& g = e.groups[set];
        if (g.withinTolerance) continue;
        const std::string failed = failedIn(e, set);
        const bool rest = set + 1 == e.groups.size();
        s += (s.empty() ? "" : "；") + (rest ? g.name : "分组“" + g.name + "”") + "错误 " +
             std::to_string(g.failCount) + " 项" + (failed.empty() ? "" : "（" + failed + "）") +
             "，超出其容错 " + toleranceText(g.tolerance);
    }
    if (s.empty())
        s = "错误 " + std::to_string(e.failCount) + "/" + std::to_string(e.checks.size()) +
            " 项，每个分组都在其容错内";
    return s;
}

}  // namespace

DiagnosisPanel::DiagnosisPanel(Panel& panel, PageServices services, QWidget* parent)
    : QWidget(parent), panel_(panel), services_(services) {
    setObjectName(QStringLiteral("diagnosisPanel"));
    QFont bold = font();
    bold.setBold(true);
    auto* title = ui::placeLabel(this, ui::qs("号码诊断"), kExplainTitle, QStringLiteral("explainTitle"));
    title->setFont(bold);
    explainBox_ = new QLineEdit(this);
    explainBox_->setObjectName(QStringLiteral("explainBox"));
    explainBox_->setGeometry(kExplainBox);
    explainBox_->setMaxLength(20);
    explainBox_->setPlaceholderText(ui::qs("五位数号码"));
    auto* explainButton =
        ui::placeButton(this, ui::qs("诊断"), kExplainButton, QStringLiteral("explainButton"));
    auto* copyButton = ui::placeButton(this, ui::qs("复制"), kCopyExplanationButton,
                                       QStringLiteral("copyExplanationButton"));
    explainLabel_ = ui::placeLabel(this, QString(), kExplainLabel, QStringLiteral("explainLabel"));
    explainLabel_->setWordWrap(true);
    explainLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    explainTable_ = new QTableWidget(0, 3, this);
    explainTable_->setObjectName(QStringLiteral("explainTable"));
    explainTable_->setGeometry(kExplainTable);
    explainTable_->setHorizontalHeaderLabels({ui::qs("步骤"), ui::qs("条件"), ui::qs("结果")});
    explainTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    explainTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    explainTable_->verticalHeader()->hide();
    explainTable_->verticalHeader()->setDefaultSectionSize(20);
    explainTable_->setColumnWidth(0, 36);
    explainTable_->setColumnWidth(1, 104);
    explainTable_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    explainTable_->horizontalHeader()->setStretchLastSection(true);

    connect(explainButton, &QPushButton::clicked, this, [this] { explainNumber(); });
    connect(explainBox_, &QLineEdit::returnPressed, this, [this] { explainNumber(); });
    connect(copyButton, &QPushButton::clicked, this, [this] { copyExplanation(); });
}

DiagnosisPanel::~DiagnosisPanel() = default;

bool DiagnosisPanel::explainNumber() {
    const std::optional<std::uint32_t> value = parseSingleNumber(explainBox_->text().toStdString());
    if (!value) {
        services_.tell(kBadNumber, MessageIcon::Exclamation);
        return false;
    }
    if (!panel_.commitEntries()) return false;
    explainNumber(*value);
    return true;
}

void DiagnosisPanel::explainNumber(std::uint32_t value) {
    const Scheme scheme = panel_.runScheme();
    explanation_ =
        std::make_unique<Explanation>(explain(scheme.input, panel_.base(), scheme.grouping(), value));
    const Explanation& e = *explanation_;
    explainBox_->setText(QString::fromStdString(numberText(e.value)));

    std::string line = numberText(e.value) + "：" + (e.survives ? "保留" : "淘汰") + "。" + failText(e);
    if (e.baseUsed) line += e.inBase ? "，在大底中" : "，不在大底中";
    explainLabel_->setText(ui::qs(line));
    QPalette pal = explainLabel_->palette();
    pal.setColor(QPalette::WindowText, e.survives ? palette().color(QPalette::WindowText) : kFailColour);
    explainLabel_->setPalette(pal);

    explainTable_->setRowCount(static_cast<int>(e.checks.size()));
    for (int r = 0; r < static_cast<int>(e.checks.size()); ++r) {
        const CheckVerdict& c = e.checks[static_cast<std::size_t>(r)];
        // With groups, a failed check names its group and that group's tolerance.
        std::string verdict = c.failed ? "未通过" : "通过";
        if (c.failed && c.set < e.groups.size())
            verdict += "（" + e.groups[c.set].name + " " + toleranceText(e.groups[c.set].tolerance) + "）";
        const QString cells[3] = {QString::number(c.step), ui::qs(c.caption), ui::qs(verdict)};
        for (int k = 0; k < 3; ++k) {
            auto* item = new QTableWidgetItem(cells[k]);
            if (c.failed) item->setForeground(QBrush(kFailColour));
            explainTable_->setItem(r, k, item);
        }
    }
}

bool DiagnosisPanel::copyExplanation() {
    if (!explanation_) {
        services_.tell(kBadNumber, MessageIcon::Information);
        return false;
    }
    return services_.copy(explainText(*explanation_, "\r\n"));
}

}  // namespace numsift
