#include "ui/rules/rule_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

#include "analysis/analysis_text.h"
#include "ui/analysis/backtest_models.h"

namespace numsift {

namespace {

constexpr const char* kHeaders[RuleTableModel::ColumnCount] = {
    "规则",     "来源",   "期数", "命中",    "命中率", "理论命中率", "当前连对",
    "最长连错", "下期杀", "p值",  "校正p值", "结论",   "本期"};

constexpr const char* kHeaderTips[RuleTableModel::ColumnCount] = {
    "",
    "内置规则，或自己添加的公式",
    "所选范围内前面至少有一期开奖的期数：每期只用它之前的开奖算出杀号",
    "杀号全对（开奖号码不含所杀的值）的期数",
    "命中 ÷ 期数",
    "同样的杀号、随机开奖时杀对的机会（各期的平均）：命中率要和它比",
    "范围末尾连续杀对的期数",
    "范围内最长的连续杀错期数",
    "下一期（全部开奖之后）要杀的值",
    "单侧二项检验：杀号若只靠运气，至少命中这么多期的概率",
    "p值按表中全部规则 Holm 校正",
    "校正p值 ≤ 5% 且命中率高于理论命中率才算优于随机",
    "已用于本期（页1上蓝框所示）"};

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

RuleTableModel::RuleTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void RuleTableModel::setRows(std::vector<RuleRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    figures_.clear();
    endResetModel();
}

std::vector<KillRule> RuleTableModel::rules() const {
    std::vector<KillRule> rules;
    rules.reserve(rows_.size());
    for (const RuleRow& r : rows_) rules.push_back(r.rule);
    return rules;
}

void RuleTableModel::setFigures(std::vector<RuleFigures> figures) {
    figures_ = std::move(figures);
    if (figures_.size() != rows_.size()) figures_.clear();
    if (!rows_.empty()) emit dataChanged(index(0, Judged), index(rowCount() - 1, Verdict));
}

void RuleTableModel::setPanelRules(std::vector<KillRule> rules) {
    panelRules_ = std::move(rules);
    if (!rows_.empty()) emit dataChanged(index(0, InPanel), index(rowCount() - 1, InPanel));
}

bool RuleTableModel::inPanel(const KillRule& rule) const {
    return std::find(panelRules_.begin(), panelRules_.end(), rule) != panelRules_.end();
}

int RuleTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RuleTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RuleTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const RuleRow& r = rows_[row];
    const int column = index.column();
    const bool known = !figures_.empty();
    if (role == Qt::DisplayRole || role == kSortRole) {
        const bool sort = role == kSortRole;
        switch (column) {
            case Caption: return text(killRuleCaption(r.rule));
            case Source: return QString::fromUtf8(r.own ? "自编" : "内置");
            case InPanel: return inPanel(r.rule) ? QString::fromUtf8("已用") : QString();
            default: break;
        }
        if (!known) return sort ? QVariant(-1.0) : QVariant(QString());
        const RuleFigures& f = figures_[row];
        switch (column) {
            case Judged: return sort ? QVariant(double(f.judged)) : QVariant(qulonglong(f.judged));
            case Right: return sort ? QVariant(double(f.right)) : QVariant(qulonglong(f.right));
            case HitRate: return sort ? QVariant(f.hitRate) : QVariant(text(percentText(100.0 * f.hitRate)));
            case Chance: return sort ? QVariant(f.chance) : QVariant(text(percentText(100.0 * f.chance)));
            case RightRun:
                return sort ? QVariant(double(f.currentRightRun)) : QVariant(qulonglong(f.currentRightRun));
            case WrongRun:
                return sort ? QVariant(double(f.longestWrongRun)) : QVariant(qulonglong(f.longestWrongRun));
            case NextKills: return text(valuesText(f.nextKills));
            case PValue: return sort ? QVariant(f.pValue) : QVariant(text(pValueText(f.pValue)));
            case AdjustedPValue:
                return sort ? QVariant(f.adjustedPValue) : QVariant(text(pValueText(f.adjustedPValue)));
            case Verdict: return text(std::string(verdictText(f)));
            default: return {};
        }
    }
    if (role == Qt::TextAlignmentRole && column != Caption && column != Verdict)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (known && column == Verdict) {
        const bool beats = figures_[row].beatsChance;
        if (role == Qt::ForegroundRole) return QBrush(beats ? QColor(0, 120, 0) : QColor(110, 110, 110));
        if (role == Qt::FontRole && beats) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
    }
    if (role == Qt::ForegroundRole && column == InPanel) return QBrush(QColor(30, 90, 220));
    return {};
}

QVariant RuleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(kHeaders[section]);
    if (role == Qt::ToolTipRole && *kHeaderTips[section]) return QString::fromUtf8(kHeaderTips[section]);
    return {};
}

std::string ruleTableText(const RuleTableModel& model, const std::vector<int>& rowOrder,
                          std::string_view eol) {
    std::string s;
    for (int c = 0; c < RuleTableModel::ColumnCount; ++c) s += std::string(c ? "\t" : "") + kHeaders[c];
    s += eol;
    for (int row : rowOrder) {
        for (int c = 0; c < RuleTableModel::ColumnCount; ++c) {
            if (c) s += '\t';
            s += model.data(model.index(row, c), Qt::DisplayRole).toString().toStdString();
        }
        s += eol;
    }
    return s;
}

}  // namespace numsift
