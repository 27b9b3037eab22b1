// 特别排除: every ticked shape box is a check of its own, with a column
// captioned like the box; columns follow the boxes' evaluation order.
#include "conditions/captions.h"
#include "conditions/checks.h"
#include "conditions/column_fill.h"
#include "conditions/number_traits.h"

namespace numsift {

void checkSpecialShapes(const FilterInput& in, const CandidateTable& t, ConditionMatrix& m) {
    if (t.size() == 0) return;
    const std::uint16_t* shapes = numberTraits().shapes.data();
    const std::uint32_t* v = t.values.data();
    const std::size_t n = t.size();
    for (int box : kShapeRunOrder) {
        if (!in.shapeKill.test(static_cast<std::size_t>(box))) continue;
        std::uint8_t* column = appendColumn(m, {ConditionId::Shapes, box});
        if (isWholeSpace(t))
            for (std::size_t i = 0; i < n; ++i) column[i] = static_cast<std::uint8_t>((shapes[i] >> box) & 1);
        else
            for (std::size_t i = 0; i < n; ++i)
                column[i] = static_cast<std::uint8_t>((shapes[v[i]] >> box) & 1);
    }
}

}  // namespace numsift
