#include "ui/analysis/backtest_models.h"

#include <QBrush>
#include <QColor>

#include "analysis/analysis_text.h"

namespace numsift {

namespace {

const QColor kMissColour(176, 0, 0);
const QColor kFlagBackground(255, 220, 220);

QString percent(double share) { return QString::fromStdString(percentText(100.0 * share)); }

// What the draw's row shows in the result column; with groups, a killed
// draw names each group it failed and that group's tolerance:
// "淘汰（比例 0-0）".
QString verdictText(const BacktestReport& report, const DrawOutcome& d) {
    std::string s = drawVerdictText(d);
    if (!d.inBase || d.failedSets.empty() || report.summary.groups.empty()) return QString::fromStdString(s);
    const GroupedTolerance grouping = report.summary.grouping();
    std::string sets;
    for (std::size_t set : d.failedSets) {
        const Tolerance t = grouping.toleranceOf(set);
        sets += (sets.empty() ? "" : "、") + setName(grouping, set) + " " + std::to_string(t.lower) + "-" +
                std::to_string(t.upper);
    }
    return QString::fromStdString(s + "（" + sets + "）");
}

}  // namespace

void DrawTableModel::setReport(std::shared_ptr<const BacktestReport> report) {
    beginResetModel();
    report_ = std::move(report);
    endResetModel();
}

int DrawTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !report_ ? 0 : static_cast<int>(report_->draws.size());
}

int DrawTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

std::uint32_t DrawTableModel::numberAt(int row) const {
    if (!report_ || row < 0 || row >= rowCount()) return 0;
    return report_->draws[static_cast<std::size_t>(row)].value;
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const {
    if (!report_ || !index.isValid() || index.row() >= rowCount()) return {};
    const DrawOutcome& d = report_->draws[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == kSortRole) {
        const bool sort = role == kSortRole;
        switch (index.column()) {
            case Label: return QString::fromStdString(d.label);
            case Number:
                return sort ? QVariant(d.value) : QVariant(QString::fromStdString(numberText(d.value)));
            case Fails: return d.failCount;
            case Verdict:
                if (sort) return d.survives ? 0 : (d.inBase ? 1 : 2);
                return verdictText(*report_, d);
            case Failed: return QString::fromStdString(failedCaptionsText(*report_, d));
            default: return {};
        }
    }
    if (role == Qt::ForegroundRole && !d.survives) return QBrush(kMissColour);
    if (role == Qt::ToolTipRole && index.column() == Verdict) return verdictText(*report_, d);
    if (role == Qt::TextAlignmentRole && (index.column() == Fails || index.column() == Number))
        return int(Qt::AlignCenter);
    return {};
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    static const char* const kHeads[ColumnCount] = {"期号", "号码", "错误数", "结果", "未通过的条件"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kHeads[section]) : QVariant();
}

void ColumnTableModel::setReport(std::shared_ptr<const BacktestReport> report) {
    beginResetModel();
    report_ = std::move(report);
    endResetModel();
}

int ColumnTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !report_ ? 0 : static_cast<int>(report_->columns.size());
}

int ColumnTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ColumnTableModel::data(const QModelIndex& index, int role) const {
    if (!report_ || !index.isValid() || index.row() >= rowCount()) return {};
    const ColumnOutcome& c = report_->columns[static_cast<std::size_t>(index.row())];
    if (role == kSortRole) {
        switch (index.column()) {
            case Step: return index.row();  // run order
            case Caption: return QString::fromStdString(c.caption);
            case CandidatesMarked: return qulonglong(c.candidatesMarked);
            case CandidateShare: return c.candidateShare;
            case DrawsMarked: return qulonglong(c.drawsMarked);
            case DrawShare: return c.drawShare;
            case Expected: return c.expectedDraws;
            case OverKills: return c.overKills ? 0 : 1;
            case PValue: return c.tailProbability;
            case AdjustedPValue: return c.adjustedProbability;
            default: return {};
        }
    }
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
            case Step: return c.step;
            case Caption: return QString::fromStdString(c.caption);
            case CandidatesMarked: return qulonglong(c.candidatesMarked);
            case CandidateShare: return percent(c.candidateShare);
            case DrawsMarked: return qulonglong(c.drawsMarked);
            case DrawShare: return percent(c.drawShare);
            case Expected: return QString::number(c.expectedDraws, 'f', 1);
            case OverKills: return c.overKills ? QStringLiteral("是") : QString();
            case PValue: return QString::fromStdString(pValueText(c.tailProbability));
            case AdjustedPValue: return QString::fromStdString(pValueText(c.adjustedProbability));
            default: return {};
        }
    }
    if (role == Qt::BackgroundRole && c.overKills) return QBrush(kFlagBackground);
    if (role == Qt::ToolTipRole && c.overKills)
        return QStringLiteral("该条件杀掉的历史开奖明显多于按它所杀号码比例应有的期数（p = %1，校正后 %2）")
            .arg(QString::fromStdString(pValueText(c.tailProbability)),
                 QString::fromStdString(pValueText(c.adjustedProbability)));
    return {};
}

QVariant ColumnTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    static const char* const kHeads[ColumnCount] = {"步骤",     "条件", "标记候选", "候选占比", "标记开奖",
                                                    "开奖占比", "期望", "误杀偏多", "p值",      "校正p值"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kHeads[section]) : QVariant();
}

}  // namespace numsift
