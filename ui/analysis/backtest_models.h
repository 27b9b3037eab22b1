#pragma once
// Table models of a backtest: one row per past draw, one row per condition
// column of the run. Display texts come from the same helpers as the copied
// text; the sort role gives numbers where the column holds numbers, so a
// sort by fail count or share orders by value.

#include <QAbstractTableModel>

#include <memory>

#include "analysis/backtest.h"

namespace numsift {

inline constexpr int kSortRole = Qt::UserRole + 1;

class DrawTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Label, Number, Fails, Verdict, Failed, ColumnCount };

    explicit DrawTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setReport(std::shared_ptr<const BacktestReport> report);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The draw's number in a row of this model (not of a proxy).
    std::uint32_t numberAt(int row) const;

private:
    std::shared_ptr<const BacktestReport> report_;
};

class ColumnTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Step,
        Caption,
        CandidatesMarked,
        CandidateShare,
        DrawsMarked,
        DrawShare,
        Expected,
        OverKills,
        PValue,
        AdjustedPValue,
        ColumnCount
    };

    explicit ColumnTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    void setReport(std::shared_ptr<const BacktestReport> report);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const BacktestReport> report_;
};

}  // namespace numsift
