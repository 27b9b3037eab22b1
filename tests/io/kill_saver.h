#pragma once
// The test half of "a save killed at any moment leaves the old file or the
// new one": killSaversMidSave starts a saver (tests/io/save_loop.h) again and
// again and kills it (SIGKILL) once it has begun save 1, 2, 3 or 4; when its
// last words are "saving", the kill caught that save before it ended. After
// each kill, afterKill(round) checks the file and removes what the saver left
// beside it. It goes on until some kills have caught a save and answers how
// many did.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

#include <gtest/gtest.h>

namespace numsift::testdata {

inline int killSaversMidSave(const QString& saver, const QStringList& arguments,
                             const std::function<void(int round)>& afterKill) {
    int killedMidSave = 0;
    for (int round = 0; round < 60 && (round < 8 || killedMidSave < 2); ++round) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(saver, arguments);
        if (!process.waitForStarted()) {
            ADD_FAILURE() << "the saver did not start";
            return killedMidSave;
        }
        const QByteArray killAt = "saving " + QByteArray::number(1 + round % 4) + "\n";
        for (QByteArray line; line != killAt;) {
            if (!process.canReadLine()) {
                if (!process.waitForReadyRead(30000)) {
                    ADD_FAILURE() << "the saver said nothing";
                    return killedMidSave;
                }
                continue;
            }
            line = process.readLine();
        }
        process.kill();  // SIGKILL
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
        const QList<QByteArray> after = process.readAll().split('\n');
        killedMidSave += after.size() < 2 || after[after.size() - 2].startsWith("saving ");
        afterKill(round);
    }
    return killedMidSave;
}

}  // namespace numsift::testdata
