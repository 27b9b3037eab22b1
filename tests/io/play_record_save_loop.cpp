// Adds two play records in turn, for ever, to the file named by its first
// argument (tests/io/save_loop.h): a test kills it with SIGKILL at any
// moment and finds the file whole. With a count after the file it adds that
// many and ends: a test runs two at once and finds every record both added.
#include <QString>

#include <cstdio>
#include <cstdlib>

#include "io/play_record_file.h"
#include "tests/io/play_record_samples.h"
#include "tests/io/save_loop.h"

namespace {

struct Recorder {
    numsift::PlayRecordFile file;
    numsift::DrawStore history;

    numsift::AddedRecord save(const numsift::PlayRecord& record) const { return file.add(record, history); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) return 2;
    const Recorder recorder{numsift::PlayRecordFile(QString::fromLocal8Bit(argv[1])), {}};
    if (argc == 3) {
        for (int n = std::atoi(argv[2]); n > 0; --n) {
            const numsift::AddedRecord added =
                recorder.save(n % 2 ? numsift::testdata::recordA() : numsift::testdata::recordB());
            if (!added.ok) {
                std::fprintf(stderr, "%s\n", added.error.toUtf8().constData());
                return 1;
            }
        }
        return 0;
    }
    return numsift::testdata::runSaveLoop(recorder, numsift::testdata::recordA(),
                                          numsift::testdata::recordB());
}
