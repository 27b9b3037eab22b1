// Any bytes through the draw-history reader and an import into a kept
// history: no crash; the history stays in issue order, accounts for every
// draw offered, reads back from its own file as the same history, and takes
// the same text again without change.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "analysis/draw_store.h"
#include "io/draw_history_file.h"

using namespace numsift;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DrawHistory parsed = parseDraws(text);
    for (const Draw& d : parsed.draws)
        if (d.value >= 100000 || (!d.date.empty() && readDate(d.date, false) != d.date)) std::abort();

    DrawStore store;
    const MergeReport r = store.merge(parsed);
    if (r.added + r.unchanged + r.conflicts.size() + r.withoutIssue != parsed.draws.size()) std::abort();
    if (store.size() != r.added) std::abort();
    for (std::size_t i = 1; i < store.size(); ++i)
        if (compareIssues(store.draws()[i - 1].issue, store.draws()[i].issue) >= 0) std::abort();

    const KeptHistoryRead read = readKeptHistory(keptHistoryText(store));
    if (read.problem != KeptHistoryRead::Problem::None || !(read.store == store)) std::abort();

    DrawStore again = store;
    const MergeReport r2 = again.merge(parsed);
    if (!(again == store) || r2.changed()) std::abort();

    // The strict file reader on the raw bytes, and back through its writer.
    const KeptHistoryRead raw = readKeptHistory(text);
    if (raw.problem == KeptHistoryRead::Problem::None &&
        !(readKeptHistory(keptHistoryText(raw.store)).store == raw.store))
        std::abort();

    return 0;
}
