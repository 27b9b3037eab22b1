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
// and names the application, as the window does at start-up; the folder
// variable of tests is unset meanwhile.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        oldHome_ = qgetenv("XDG_DATA_HOME");
        hadHome_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home_.path()));
        oldChosen_ = qgetenv(kDataFolderVariable);
        hadChosen_ = qEnvironmentVariableIsSet(kDataFolderVariable);
        qunsetenv(kDataFolderVariable);
        QCoreApplication::setApplicationName(QStringLiteral("Numsift"));
    }
    void TearDown() override {
        if (hadHome_)
            qputenv("XDG_DATA_HOME", oldHome_);
        else
            qunsetenv("XDG_DATA_HOME");
        if (hadChosen_)
            qputenv(kDataFolderVariable, oldChosen_);
        else
            qunsetenv(kDataFolderVariable);
        QCoreApplication::setApplicationName(QString());
    }
    QString expected() const { return home_.filePath(QStringLiteral("Numsift")); }

    QTemporaryDir home_;
    QByteArray oldHome_, oldChosen_;
    bool hadHome_ = false, hadChosen_ = false;
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

TEST_F(DataFolderTest, TheFolderVariableTakesThePlaceOfTheUsersFolder) {
    const QString chosen = home_.filePath(QStringLiteral("trial/data"));
    qputenv(kDataFolderVariable, QFile::encodeName(chosen));
    const DataFolder folder = dataFolder();
    ASSERT_TRUE(folder.ok) << folder.error.toStdString();
    EXPECT_EQ(folder.path, chosen);
    EXPECT_TRUE(QFileInfo(chosen).isDir());
    EXPECT_FALSE(QFileInfo::exists(expected()));  // the user's own folder is not made

    // Also for a program without a name, and a relative path is made absolute.
    QCoreApplication::setApplicationName(QString());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(home_.path()));
    qputenv(kDataFolderVariable, "relative");
    const DataFolder relative = dataFolder();
    QDir::setCurrent(before);
    ASSERT_TRUE(relative.ok) << relative.error.toStdString();
    EXPECT_EQ(relative.path, home_.filePath(QStringLiteral("relative")));

    qputenv(kDataFolderVariable, "");  // empty: the user's folder as before
    QCoreApplication::setApplicationName(QStringLiteral("Numsift"));
    EXPECT_EQ(QDir(dataFolder().path).absolutePath(), QDir(expected()).absolutePath());
}
