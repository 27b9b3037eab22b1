#pragma once
// The table of the 规则杀号 page: one row per rule (the built-in library,
// then the player's own), with the figures of the chosen range beside it —
// 期数, 命中, 命中率 beside 理论命中率, 当前连对, 最长连错, 下期杀, p值, 校正p值
// and the verdict in plain words — and whether the panel uses the rule.
// Sorting goes by the figures' values (kSortRole), not their text.

#include <QAbstractTableModel>

#include <vector>

#include "analysis/rule_figures.h"

namespace numsift {

struct RuleRow {
    KillRule rule;
    bool own = false;  // the player's own, not built in
};

class RuleTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Caption,
        Source,
        Judged,
        Right,
        HitRate,
        Chance,
        RightRun,
        WrongRun,
        NextKills,
        PValue,
        AdjustedPValue,
        Verdict,
        InPanel,
        ColumnCount
    };

    explicit RuleTableModel(QObject* parent = nullptr);

    // New rows: their figures are unknown until setFigures.
    void setRows(std::vector<RuleRow> rows);
    const std::vector<RuleRow>& rows() const { return rows_; }
    std::vector<KillRule> rules() const;
    // The figures of every row, in row order; empty: not known (yet).
    void setFigures(std::vector<RuleFigures> figures);
    const std::vector<RuleFigures>& figures() const { return figures_; }
    // The rules the panel uses: their rows say so.
    void setPanelRules(std::vector<KillRule> rules);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool inPanel(const KillRule& rule) const;

    std::vector<RuleRow> rows_;
    std::vector<RuleFigures> figures_;
    std::vector<KillRule> panelRules_;
};

// "规则\t来源\t期数\t…" and one line per row, in the order given: what
// "复制规则表" puts on the clipboard.
std::string ruleTableText(const RuleTableModel& model, const std::vector<int>& rowOrder,
                          std::string_view eol);

}  // namespace numsift
