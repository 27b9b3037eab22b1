// The player's own rules in the data folder: read back as written, a file
// that is not a whole own-rules file set aside and never read in part, and
// changes made to what the file holds at that moment.
#include "io/own_rules_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "tests/io/file_bytes.h"

using namespace numsift;
using numsift::testdata::bytesOf;
using numsift::testdata::writeBytes;

namespace {

const KillRule kFormula{RuleFamily::Pos1, RuleKind::Formula, 1, 0, {{3, 0, 0, 0, 1, 0, 0, 0}, 7}};
const KillRule kHot{RuleFamily::Span, RuleKind::Hot, 2, 50, {}};

class OwnRulesFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path() const { return dir_.filePath(QLatin1String(kOwnRulesFileName)); }
    QStringList setAside() const {
        return QDir(dir_.path()).entryList({QStringLiteral("own-rules.txt.*")}, QDir::Files);
    }
    QTemporaryDir dir_;
};

}  // namespace

TEST(OwnRulesText, ReadsBackWhatItWrites) {
    for (const std::vector<KillRule>& rules :
         {std::vector<KillRule>{}, std::vector<KillRule>{kFormula}, std::vector<KillRule>{kFormula, kHot}}) {
        const std::string text = ownRulesText(rules);
        const OwnRulesRead read = readOwnRules(text);
        EXPECT_EQ(read.problem, KeptProblem::None) << text;
        EXPECT_EQ(read.rules, rules) << text;
    }
    EXPECT_EQ(ownRulesText({kFormula}),
              "# Numsift own rules, format 1\n[\n    {\"kill\": \"pos1\", \"by\": \"formula\", \"formula\": "
              "\"3*d1 + d5 + 7\"}\n  ]\nend 1\n");
    // An editor's CR LF reads the same.
    std::string crlf;
    for (char c : ownRulesText({kHot})) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(readOwnRules(crlf).rules, std::vector<KillRule>{kHot});
}

TEST(OwnRulesText, AnythingButAWholeFileIsForeignNewerOrDamaged) {
    const std::string whole = ownRulesText({kFormula, kHot});
    EXPECT_EQ(readOwnRules("").problem, KeptProblem::Foreign);
    EXPECT_EQ(readOwnRules("[]\nend 0\n").problem, KeptProblem::Foreign);
    EXPECT_EQ(readOwnRules("# Numsift own rules, format 2\n[]\nend 0\n").problem, KeptProblem::Newer);
    for (const std::string& bad : {
             whole.substr(0, whole.size() - 1),                          // the last line break cut off
             whole.substr(0, whole.rfind("end")),                        // no end line
             whole.substr(0, whole.find("},") + 1) + "\n",               // cut inside the rules
             std::string(whole).replace(whole.rfind('2'), 1, "3"),       // the count is wrong
             whole + "end 2\n",                                          // a line after the end
             std::string(whole).replace(whole.find("pos1"), 4, "pos9"),  // a rule that does not read
             std::string("# Numsift own rules, format x\n[]\nend 0\n"),
         }) {
        const OwnRulesRead read = readOwnRules(bad);
        EXPECT_EQ(read.problem, KeptProblem::Damaged) << bad;
        EXPECT_TRUE(read.rules.empty()) << bad;
    }
}

TEST_F(OwnRulesFileTest, ChangesAreMadeToWhatTheFileHoldsNow) {
    OwnRulesFile first(path()), second(path());
    EXPECT_TRUE(first.load().empty());  // no file yet
    const OwnRulesUpdate a = first.update([](std::vector<KillRule>& r) { r.push_back(kFormula); });
    ASSERT_TRUE(a.save.ok);
    // Another window adds its rule to the file as it is now: both stay.
    const OwnRulesUpdate b = second.update([](std::vector<KillRule>& r) { r.push_back(kHot); });
    ASSERT_TRUE(b.save.ok);
    EXPECT_EQ(b.rules, (std::vector<KillRule>{kFormula, kHot}));
    EXPECT_EQ(first.load(), (std::vector<KillRule>{kFormula, kHot}));
    // A change that changes nothing writes nothing.
    const QByteArray before = bytesOf(path());
    EXPECT_TRUE(first.update([](std::vector<KillRule>&) {}).save.ok);
    EXPECT_EQ(bytesOf(path()), before);
}

TEST_F(OwnRulesFileTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    OwnRulesFile file(path());
    ASSERT_TRUE(file.update([](std::vector<KillRule>& r) { r.push_back(kFormula); }).save.ok);
    const QByteArray before = bytesOf(path());
    const OwnRulesUpdate u = file.update([](std::vector<KillRule>& r) { r.push_back(kHot); },
                                         [](SaveStep step) { return step != SaveStep::Commit; });
    EXPECT_FALSE(u.save.ok);
    EXPECT_TRUE(u.save.error.contains(QStringLiteral("自编规则文件")));
    EXPECT_EQ(u.rules, std::vector<KillRule>{kFormula});
    EXPECT_EQ(bytesOf(path()), before);
}

TEST_F(OwnRulesFileTest, ADamagedFileIsSetAsideAndTheRulesStartEmpty) {
    writeBytes(path(), "# Numsift own rules, format 1\n[\n    {\"kill\": \"pos1\", \"by\": \"repeat\"}\n");
    OwnRulesFile file(path());
    QString message;
    EXPECT_TRUE(file.load(&message).empty());
    EXPECT_TRUE(message.contains(QStringLiteral("自编规则")));
    ASSERT_EQ(setAside().size(), 1);
    EXPECT_TRUE(setAside()[0].contains(QStringLiteral(".damaged-")));
    EXPECT_FALSE(QFile::exists(path()));
    // The next save starts a new file; the old one stays beside it.
    EXPECT_TRUE(file.update([](std::vector<KillRule>& r) { r.push_back(kHot); }).save.ok);
    EXPECT_EQ(OwnRulesFile(path()).load(), std::vector<KillRule>{kHot});
    EXPECT_EQ(setAside().size(), 1);
}
