#include "io/kept_panel_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/io/kept_panel_samples.h"
#include "tests/io/kill_saver.h"
#include "tests/io/file_bytes.h"

using namespace numsift;
using numsift::testdata::bytesOf;
using numsift::testdata::panelA;
using numsift::testdata::panelB;
using numsift::testdata::writeBytes;

namespace {

// A small panel whose file has every section filled.
KeptPanel smallPanel() {
    KeptPanel p;
    p.scheme = testdata::sampleScheme(3, "23 45");
    p.base.values = {1, 12345, 99999};
    p.setA.values = {0, 42};
    p.setB.values = {54321};
    return p;
}

class KeptPanelFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path() const { return dir_.filePath(QLatin1String(kKeptPanelFileName)); }
    // The folder's entries other than the kept file itself.
    QStringList others() const {
        QStringList names =
            QDir(dir_.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.removeAll(QLatin1String(kKeptPanelFileName));
        return names;
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(KeptPanelFileTest, SavedPanelLoadsBackTheSame) {
    KeptPanelFile file(path());
    const LoadedPanel none = file.load();  // no file yet: nothing, nothing to say
    EXPECT_FALSE(none.panel);
    EXPECT_TRUE(none.message.isEmpty());

    const KeptPanel small = smallPanel();
    ASSERT_TRUE(file.save(small).ok);
    const std::string scheme = saveScheme(small.scheme);
    EXPECT_EQ(bytesOf(path()).toStdString(), "# Numsift kept panel, format 1\nscheme " +
                                                 std::to_string(scheme.size()) + "\n" + scheme +
                                                 "\nbase 17\n00001 12345 99999\nset-a 11\n00000 00042\n"
                                                 "set-b 5\n54321\nend\n");
    const LoadedPanel loaded = KeptPanelFile(path()).load();
    ASSERT_TRUE(loaded.panel);
    EXPECT_EQ(*loaded.panel, small);
    EXPECT_TRUE(loaded.message.isEmpty());
    EXPECT_TRUE(others().isEmpty());  // no temporary file left beside it

    for (const KeptPanel& p : {panelA(), panelB(), KeptPanel{}}) {
        ASSERT_TRUE(file.save(p).ok);
        EXPECT_EQ(KeptPanelFile(path()).load().panel, p);
    }

    EXPECT_TRUE(KeptPanel{}.empty());
    KeptPanel tolerant;
    tolerant.scheme.tolerance = {0, 1};
    EXPECT_FALSE(tolerant.empty());  // a tolerance alone is worth giving back
    KeptPanel onlyB;
    onlyB.setB.values = {7};
    EXPECT_FALSE(onlyB.empty());

    DataFolder folder;
    EXPECT_TRUE(keptPanelPath(folder).isEmpty());  // no folder, no path
    folder.ok = true;
    folder.path = dir_.path();
    EXPECT_EQ(keptPanelPath(folder), path());
}

TEST_F(KeptPanelFileTest, NoCutOrChangedFileReadsAsAPanel) {
    const std::string whole = keptPanelText(smallPanel());
    ASSERT_EQ(readKeptPanel(whole).problem, KeptPanelRead::Problem::None);
    // Cut short anywhere past the signature: damaged, never half-read.
    for (std::size_t size = 31; size < whole.size(); ++size) {
        const KeptPanelRead read = readKeptPanel(std::string_view(whole).substr(0, size));
        EXPECT_EQ(read.problem, KeptPanelRead::Problem::Damaged) << size;
        EXPECT_EQ(read.panel, KeptPanel{}) << size;
    }

    auto damagedLine = [](std::string text) {
        const KeptPanelRead read = readKeptPanel(text);
        return read.problem == KeptPanelRead::Problem::Damaged ? read.line : -1;
    };
    auto changed = [&whole](std::string_view from, std::string_view to) {
        std::string text = whole;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const int baseLine =
        1 + static_cast<int>(std::count(whole.begin(), whole.begin() + whole.find("base "), '\n'));
    EXPECT_EQ(damagedLine(changed("base 17\n00001 12345 99999", "base 17\n00001 12345 9999x")), baseLine + 1);
    EXPECT_EQ(damagedLine(changed("base 17\n00001 12345 99999", "base 17\n12345 00001 99999")), baseLine + 1);
    EXPECT_EQ(damagedLine(changed("base 17\n00001 12345 99999", "base 17\n00001  12345 9999")), baseLine + 1);
    EXPECT_EQ(damagedLine(changed("base 17", "base 16")), baseLine);
    EXPECT_EQ(damagedLine(changed("base 17", "base 017")), baseLine);
    EXPECT_EQ(damagedLine(changed("set-a 11", "set-b 11")), baseLine + 2);
    EXPECT_EQ(damagedLine(changed("\"23 45\"", "\"23 4x\"")), 3);  // a scheme that does not load
    EXPECT_EQ(damagedLine(changed("format 1", "format x")), 1);
    EXPECT_EQ(damagedLine(whole + "more\n"), baseLine + 7);
    EXPECT_EQ(damagedLine(changed("end\n", "END\n")), baseLine + 6);

    EXPECT_EQ(readKeptPanel(changed("format 1", "format 2")).problem, KeptPanelRead::Problem::Newer);
    EXPECT_EQ(readKeptPanel(changed("format 1", "format 2")).version, 2);
    EXPECT_EQ(readKeptPanel("").problem, KeptPanelRead::Problem::Foreign);
    EXPECT_EQ(readKeptPanel("{\"numsift\": 1}\n").problem, KeptPanelRead::Problem::Foreign);
}

TEST_F(KeptPanelFileTest, AFileThatCannotBeReadIsSetAsideNeverDeleted) {
    struct Case {
        QByteArray bytes;
        const char* suffix;
        const char* says;
    };
    const QByteArray whole = QByteArray::fromStdString(keptPanelText(smallPanel()));
    const Case cases[] = {
        {whole.left(whole.size() - 10), "damaged", "已损坏（第 "},
        {"garbage", "foreign", "不是 Numsift 的条件文件"},
        {"# Numsift kept panel, format 2\nscheme 0\n\n", "newer", "由更新版本的 Numsift 写成（格式 2）"},
    };
    QStringList asides;
    for (const Case& c : cases) {
        writeBytes(path(), c.bytes);
        KeptPanelFile file(path());
        const LoadedPanel loaded = file.load();
        EXPECT_FALSE(loaded.panel) << c.suffix;
        ASSERT_FALSE(loaded.setAsidePath.isEmpty()) << c.suffix;
        EXPECT_TRUE(
            QFileInfo(loaded.setAsidePath)
                .fileName()
                .startsWith(QStringLiteral("kept-panel.txt.") + QLatin1String(c.suffix) + QLatin1Char('-')))
            << loaded.setAsidePath.toStdString();
        EXPECT_EQ(bytesOf(loaded.setAsidePath), c.bytes);
        EXPECT_FALSE(QFileInfo::exists(path()));
        EXPECT_TRUE(loaded.message.startsWith(QStringLiteral("上次的条件文件") + QString::fromUtf8(c.says)))
            << loaded.message.toStdString();
        EXPECT_TRUE(loaded.message.contains(QDir::toNativeSeparators(loaded.setAsidePath)));
        ASSERT_TRUE(file.save(smallPanel()).ok);  // a new panel goes where the old one was
        asides << loaded.setAsidePath;
    }
    asides.removeDuplicates();
    EXPECT_EQ(asides.size(), 3);

    // A folder in the file's place is moved aside whole.
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("kept-panel.txt/inside")));
    const LoadedPanel folder = KeptPanelFile(path()).load();
    EXPECT_TRUE(QFileInfo(folder.setAsidePath + QStringLiteral("/inside")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path()));
}

TEST_F(KeptPanelFileTest, ASaveFailingAtAnyStepLeavesTheOldFileAndSaysWhy) {
    KeptPanelFile file(path());
    ASSERT_TRUE(file.save(panelB()).ok);
    const QByteArray old = bytesOf(path());

    int steps = 0, writes = 0;
    ASSERT_TRUE(
        file.save(panelA(), [&](SaveStep s) { return ++steps, writes += s == SaveStep::Write, true; }).ok);
    EXPECT_GE(writes, 3);  // the file takes several chunks, so a write can fail halfway
    ASSERT_TRUE(file.save(panelB()).ok);
    ASSERT_EQ(bytesOf(path()), old);

    for (int failing = 0; failing < steps; ++failing) {
        int seen = 0;
        const SaveResult r = file.save(panelA(), [&](SaveStep) { return seen++ != failing; });
        EXPECT_FALSE(r.ok) << failing;
        EXPECT_TRUE(r.error.contains(QDir::toNativeSeparators(path()))) << r.error.toStdString();
        EXPECT_EQ(bytesOf(path()), old) << failing;
        EXPECT_TRUE(others().isEmpty()) << others().join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_EQ(KeptPanelFile(path()).load().panel, panelB());
}

// A program killed while saving leaves QSaveFile's temporary file beside the
// kept one; the next start reads the kept file as it was and saves anew.
TEST_F(KeptPanelFileTest, ATemporaryFileLeftByACrashMidSaveIsIgnored) {
    ASSERT_TRUE(KeptPanelFile(path()).save(panelB()).ok);
    const QByteArray half = QByteArray::fromStdString(keptPanelText(panelA())).left(300000);
    const QString left = path() + QStringLiteral(".Ab12Cd");
    writeBytes(left, half);

    KeptPanelFile file(path());
    const LoadedPanel loaded = file.load();
    EXPECT_EQ(loaded.panel, panelB());
    EXPECT_TRUE(loaded.message.isEmpty()) << loaded.message.toStdString();
    ASSERT_TRUE(file.save(panelA()).ok);
    EXPECT_EQ(KeptPanelFile(path()).load().panel, panelA());
    EXPECT_EQ(bytesOf(left), half);  // not read, not overwritten

    // Killed during the very first save: there is no kept panel yet.
    ASSERT_TRUE(QFile::remove(path()));
    const LoadedPanel first = KeptPanelFile(path()).load();
    EXPECT_FALSE(first.panel);
    EXPECT_TRUE(first.message.isEmpty());
}

TEST_F(KeptPanelFileTest, AKilledSaveLeavesTheOldPanelOrTheNewOne) {
    ASSERT_TRUE(KeptPanelFile(path()).save(panelA()).ok);
    const KeptPanel a = panelA(), b = panelB();
    const int killedMidSave =
        testdata::killSaversMidSave(QStringLiteral(NUMSIFT_PANEL_SAVE_LOOP), {path()}, [&](int round) {
            const LoadedPanel p = KeptPanelFile(path()).load();
            EXPECT_TRUE(p.message.isEmpty()) << p.message.toStdString();
            EXPECT_TRUE(p.panel == a || p.panel == b) << "round " << round;
            for (const QString& name : others()) QFile::remove(dir_.filePath(name));  // a temporary file left
        });
    EXPECT_GE(killedMidSave, 2) << "no kill landed inside a save";
}
