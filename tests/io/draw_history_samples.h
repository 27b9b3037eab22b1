#pragma once
// Two different draw histories of 20,000 draws and more, large enough that
// a save takes several write chunks and some milliseconds.

#include "analysis/draw_store.h"

namespace numsift::testdata {

inline DrawStore sampleHistory(int draws, int seed) {
    std::vector<KeptDraw> kept;
    kept.reserve(static_cast<std::size_t>(draws));
    for (int i = 1; i <= draws; ++i) {
        const std::string date = i % 3 == 0 ? "2026-01-0" + std::to_string(1 + i % 9) : "";
        kept.push_back({std::to_string(2000000 + i), date, static_cast<std::uint32_t>(i * seed % 100000)});
    }
    return *DrawStore::fromOrdered(std::move(kept));
}

inline DrawStore historyA() { return sampleHistory(20000, 7); }
inline DrawStore historyB() { return sampleHistory(20001, 13); }

}  // namespace numsift::testdata
