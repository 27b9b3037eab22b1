#pragma once
// The saver of the test that a save killed at any moment leaves the old file
// or the new one (tests/io/kill_saver.h): it saves a and b in turn, for ever,
// writing "saving N" before each save and "saved N" after it.

#include <cstdio>

namespace numsift::testdata {

template <typename File, typename Content>
int runSaveLoop(const File& file, const Content& a, const Content& b) {
    for (long n = 1;; ++n) {
        std::printf("saving %ld\n", n);
        std::fflush(stdout);
        const auto r = file.save(n % 2 == 0 ? a : b);
        if (!r.ok) {
            std::fprintf(stderr, "%s\n", r.error.toUtf8().constData());
            return 1;
        }
        std::printf("saved %ld\n", n);
        std::fflush(stdout);
    }
}

}  // namespace numsift::testdata
