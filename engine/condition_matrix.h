#pragma once
// The condition matrix of a run: one column of fail marks (0 or 1) per active
// check, one cell per candidate row. Columns remember the run-order step, the
// caption of the check that appended them and which condition that was.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace numsift {

// The conditions of the panel, listed in conditions/condition_id.h; the
// matrix only carries them.
enum class ConditionId : std::uint8_t;

// Which condition appended a column and, for a condition with a column per
// item (a shape box of 特别排除), which item.
struct ColumnId {
    ConditionId condition;
    int item = -1;  // -1: the condition's one column

    bool operator==(const ColumnId&) const = default;
};

struct CheckColumn {
    int step = 0;         // step of the run order, 1..21
    std::string caption;  // e.g. "杀和尾", or a shape box caption "上山"
    std::vector<std::uint8_t> marks;
    std::optional<ColumnId> id;  // empty for a check that is not one of the panel's conditions

    std::size_t markedCount() const;
};

class ConditionMatrix {
public:
    explicit ConditionMatrix(std::size_t rows = 0) : rows_(rows) {}

    // Appends a column with every cell 0 and returns its cells (rows() bytes).
    // The pointer stays valid while the matrix lives.
    std::uint8_t* appendColumn(int step, std::string caption, std::optional<ColumnId> id = std::nullopt);

    std::size_t rows() const { return rows_; }
    std::size_t columnCount() const { return columns_.size(); }
    const CheckColumn& column(std::size_t i) const { return columns_[i]; }
    const std::vector<CheckColumn>& columns() const { return columns_; }

    // Sum of each row: the number of active checks the candidate fails.
    std::vector<std::uint8_t> failCounts() const;

private:
    std::size_t rows_;
    std::vector<CheckColumn> columns_;
};

}  // namespace numsift
