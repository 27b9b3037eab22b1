#pragma once
// The condition matrix of a run: one column of fail marks (0 or 1) per active
// check, one cell per candidate row. Columns remember the run-order step and
// the caption of the check that appended them.

#include <cstdint>
#include <string>
#include <vector>

namespace numsift {

struct CheckColumn {
    int step = 0;         // step of the run order, 1..21
    std::string caption;  // e.g. "杀和尾", or a shape box caption "上山"
    std::vector<std::uint8_t> marks;

    std::size_t markedCount() const;
};

class ConditionMatrix {
public:
    explicit ConditionMatrix(std::size_t rows = 0) : rows_(rows) {}

    // Appends a column with every cell 0 and returns its cells (rows() bytes).
    // The pointer stays valid while the matrix lives.
    std::uint8_t* appendColumn(int step, std::string caption);

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
