#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "io/data_folder.h"

using namespace numsift;

namespace {

// Points Qt's data location at a fresh folder (Linux reads XDG_DATA_HOME)
// and names the application, as the window does at start-up.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        oldHome_ = qgetenv("XDG_DATA_HOME");
        hadHome_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home_.path()));
        QCoreApplication::setApplicationName(QStringLiteral("Numsift"));
    }
    void TearDown() override {
        if (hadHome_)
            qputenv("XDG_DATA_HOME", oldHome_);
        else
            qunsetenv("XDG_DATA_HOME");
        QCoreApplication::setApplicationName(QString());
    }
    QString expected() const { return home_.filePath(QStringLiteral("Numsift")); }

    QTemporaryDir home_;
    QByteArray oldHome_;
    bool hadHome_ = false;
};

}  // namespace

TEST_F(DataFolderTest, MadeWhenFirstAskedForAndFoundAgainAfter) {
    ASSERT_FALSE(QFileInfo::exists(expected()));
    const DataFolder first = dataFolder();
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_EQ(QDir(first.path).absolutePath(), QDir(expected()).absolutePath());
    EXPECT_TRUE(QFileInfo(first.path).isDir());

    QFile kept(QDir(first.path).filePath(QStringLiteral("kept.txt")));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("12345");
    kept.close();
    const DataFolder again = dataFolder();
    EXPECT_TRUE(again.ok);
    EXPECT_EQ(again.path, first.path);
    EXPECT_TRUE(QFileInfo::exists(kept.fileName()));  // asking again empties nothing
}

TEST_F(DataFolderTest, AFileInTheWayIsReportedAndLeftAlone) {
    QFile blocker(expected());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("mine");
    blocker.close();
    const DataFolder folder = dataFolder();
    EXPECT_FALSE(folder.ok);
    EXPECT_TRUE(folder.error.contains(QStringLiteral("数据文件夹")));
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), QByteArray("mine"));
}

TEST_F(DataFolderTest, AnUnnamedProgramGetsNoFolderAtTheSharedRoot) {
    QCoreApplication::setApplicationName(QString());
    const DataFolder folder = dataFolder();
    EXPECT_FALSE(folder.ok);
    EXPECT_TRUE(QDir(home_.path()).isEmpty());
}
