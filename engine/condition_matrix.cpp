#include "engine/condition_matrix.h"

#include <numeric>

namespace numsift {

std::size_t CheckColumn::markedCount() const {
    std::size_t n = 0;
    for (std::uint8_t m : marks) n += m;
    return n;
}

std::uint8_t* ConditionMatrix::appendColumn(int step, std::string caption, std::optional<ColumnId> id) {
    columns_.push_back(CheckColumn{step, std::move(caption), std::vector<std::uint8_t>(rows_, 0), id});
    return columns_.back().marks.data();
}

std::vector<std::uint8_t> ConditionMatrix::failCounts() const {
    std::vector<std::uint8_t> counts(rows_, 0);
    std::uint8_t* c = counts.data();
    for (const CheckColumn& col : columns_) {
        const std::uint8_t* m = col.marks.data();
        for (std::size_t i = 0; i < rows_; ++i) c[i] = static_cast<std::uint8_t>(c[i] + m[i]);
    }
    return counts;
}

}  // namespace numsift
