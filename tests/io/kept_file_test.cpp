// What the kept files share (io/kept_file.h): a symbolic link in a kept
// file's place is never a door to another file, at load or at save.
#include "io/kept_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <string>
#include <vector>

#include "io/draw_history_file.h"
#include "io/kept_panel_file.h"
#include "tests/io/draw_history_samples.h"
#include "tests/io/kept_panel_samples.h"
#include "tests/io/file_bytes.h"

using namespace numsift;
using numsift::testdata::bytesOf;

namespace {

// Both kept files behind one face: load (true when something was read) and
// save.
struct Kept {
    const char* name;
    std::function<bool(const QString& path, QString* message)> load;
    std::function<SaveResult(const QString& path)> save;
};

std::vector<Kept> bothFiles() {
    return {
        {kDrawHistoryFileName,
         [](const QString& path, QString* message) {
             DrawHistoryFile file(path);
             const LoadedHistory h = file.load();
             *message = h.message;
             return !h.store.empty();
         },
         [](const QString& path) { return DrawHistoryFile(path).save(testdata::historyA()); }},
        {kKeptPanelFileName,
         [](const QString& path, QString* message) {
             KeptPanelFile file(path);
             const LoadedPanel p = file.load();
             *message = p.message;
             return p.panel.has_value();
         },
         [](const QString& path) { return KeptPanelFile(path).save(testdata::panelB()); }},
    };
}

}  // namespace

TEST(KeptFile, ALinkInAKeptFilesPlaceIsNeitherReadNorWrittenThrough) {
    for (const Kept& kept : bothFiles()) {
        SCOPED_TRACE(kept.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(kept.name));
        // The link points at a kept file of the right form, elsewhere.
        const QString target = dir.filePath(QStringLiteral("elsewhere.txt"));
        ASSERT_TRUE(kept.save(target).ok);
        const QByteArray targetBytes = bytesOf(target);
        ASSERT_TRUE(QFile::link(target, path));

        // At load: moved aside as a link, its target neither read nor touched.
        QString message;
        EXPECT_FALSE(kept.load(path, &message));
        EXPECT_TRUE(message.contains(QStringLiteral("是一个符号链接，已改名保存为 ")))
            << message.toStdString();
        EXPECT_FALSE(QFileInfo(path).isSymLink());
        const QStringList asides = QDir(dir.path())
                                       .entryList({QLatin1String(kept.name) + QStringLiteral(".foreign-*")},
                                                  QDir::AllEntries | QDir::System);
        ASSERT_EQ(asides.size(), 1);
        EXPECT_TRUE(QFileInfo(dir.filePath(asides[0])).isSymLink());
        EXPECT_EQ(bytesOf(target), targetBytes);

        // At save: a link put in its place since refuses the save.
        ASSERT_TRUE(kept.save(path).ok);
        ASSERT_TRUE(QFile::remove(path));
        const QString victim = dir.filePath(QStringLiteral("victim.txt"));
        {
            QFile f(victim);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("precious\n");
        }
        ASSERT_TRUE(QFile::link(victim, path));
        const SaveResult r = kept.save(path);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(QStringLiteral("是一个符号链接，为免改写它指向的文件，不会保存")))
            << r.error.toStdString();
        EXPECT_EQ(bytesOf(victim), QByteArray("precious\n"));
        EXPECT_TRUE(QFileInfo(path).isSymLink());
    }
}
