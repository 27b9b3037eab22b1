#include "engine/number.h"

namespace numsift {

const std::array<Digits, kNumberSpace>& digitTable() {
    static const auto table = [] {
        std::array<Digits, kNumberSpace> t{};
        for (std::uint32_t v = 0; v < kNumberSpace; ++v) {
            t[v] = {static_cast<std::uint8_t>(v / 10000), static_cast<std::uint8_t>(v / 1000 % 10),
                    static_cast<std::uint8_t>(v / 100 % 10), static_cast<std::uint8_t>(v / 10 % 10),
                    static_cast<std::uint8_t>(v % 10)};
        }
        return t;
    }();
    return table;
}

}  // namespace numsift
