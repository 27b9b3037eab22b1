// 生成复式, 导出单式, 记录本期 and the ledger on a panel and a history of their
// own: what the dialogs show and write, every refusal, the play record read
// in the background and scored again when a draw arrives.

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <random>

#include "analysis/draw_history.h"
#include "conditions/scheme.h"
#include "io/draw_history_file.h"
#include "io/play_record_file.h"
#include "results/result_copy.h"
#include "results/shop_file.h"
#include "tests/fakes/fake_panel.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/analysis/kept_history.h"
#include "ui/kit/copy_table_view.h"
#include "ui/play/balance_chart.h"
#include "ui/play/ledger_dialog.h"
#include "ui/play/play_records.h"
#include "ui/play/record_dialog.h"
#include "ui/play/ticket_dialog.h"
#include "ui/shell/app_setup.h"

using namespace numsift;

namespace {

// Draws 2026001 to 2026010, each "2026NNN 0000N" but the last, 12345.
std::string tenDraws() {
    std::string text;
    for (int i = 1; i <= 10; ++i)
        text += "20260" + std::string(i < 10 ? "0" : "") + std::to_string(i) + " " +
                (i == 10 ? std::string("12345") : "0000" + std::to_string(i)) + "\n";
    return text;
}

PlayRecord recordFor(const std::string& issue, std::vector<std::uint32_t> values, int multiple = 1) {
    PlayRecord r;
    r.issue = issue;
    r.time = "2026-01-10 20:00:00";
    r.set.values = std::move(values);
    r.multiple = multiple;
    return r;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const std::string& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

}  // namespace

class PlayDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<KeptHistory> history;
    FakePanel panel;
    RecordingMessages messages;
    MemoryClipboard clipboard;
    ScriptedFileDialogs files;

    PageServices services() { return PageServices{&messages, &clipboard, &files}; }
    DataFolder folder() const { return DataFolder{true, dir->path(), {}}; }
    QString recordPath() const { return dir->filePath(QLatin1String(kPlayRecordFileName)); }
    void choose(const QString& path) {
        FileDialogResult r;
        r.cancel = false;
        r.fileName = path.toStdString();
        files.results.push_back(r);
    }
    std::string lastMessage() const {
        return messages.shown.empty() ? std::string() : messages.shown.back().text;
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        history = std::make_unique<KeptHistory>();
        history->merge(parseDraws(tenDraws()));
        panel = FakePanel{};
        messages.shown.clear();
        files.requests.clear();
        files.results.clear();
        clipboard.content.clear();
    }

    void ticketViewShowsTicketsThatAreExactlyTheResult() {
        std::mt19937 random(21);
        std::vector<std::uint32_t> result;
        for (std::uint32_t v = 0; v < 100000; ++v)
            if (random() % 7 == 0) result.push_back(v);
        TicketDialog dialog(result, "2026011", services());
        QCOMPARE(dialog.table()->model()->rowCount(), static_cast<int>(dialog.tickets().size()));
        QVERIFY(expandTickets(dialog.tickets()) == result);
        QCOMPARE(dialog.summaryLabel()->text(), QString::fromStdString(ticketSummary(dialog.tickets())));
        QCOMPARE(dialog.issueEdit()->text(), QStringLiteral("2026011"));
        // Row 1 is the ticket of the smallest number, its digit sets as text.
        const Ticket& t = dialog.tickets().front();
        const QStringList sets = QString::fromStdString(ticketText(t)).split(QLatin1Char(' '));
        for (int c = 0; c < 5; ++c) QCOMPARE(dialog.table()->model()->index(0, c).data().toString(), sets[c]);
        QCOMPARE(dialog.table()->model()->index(0, 5).data().toString(), QString::number(t.bets()));

        QVERIFY(dialog.copyTickets());
        QCOMPARE(clipboard.content, ticketsText(dialog.tickets(), "\r\n"));
        choose(dir->filePath(QStringLiteral("tickets")));
        QVERIFY(dialog.exportTickets());
        QCOMPARE(readAll(dir->filePath(QStringLiteral("tickets.txt"))).toStdString(),
                 ticketsText(dialog.tickets(), "\r\n"));
    }

    void shopFileIsNamedForIssueAndMultipleAndReplacesTheOldFileWhole() {
        const std::vector<std::uint32_t> result{5, 12345, 99999};
        TicketDialog dialog(result, "2026011", services());
        dialog.multipleEdit()->setValue(5);
        const QString path = dir->filePath(QStringLiteral("shop.txt"));
        writeFile(path, std::string(100000, 'x'));  // an older, longer file
        choose(path);
        QVERIFY(dialog.exportShopFile());
        QCOMPARE(files.requests.back().fileName, std::string("单式_2026011期_5倍.txt"));
        QVERIFY(files.requests.back().save);
        QCOMPARE(readAll(path), QByteArray("00005\r\n12345\r\n99999\r\n"));
        QCOMPARE(messages.shown.back().icon, MessageIcon::Information);
        QVERIFY(lastMessage().find("第 2026011 期 5 倍的单式，共 3 注") != std::string::npos);
    }

    void shopFileRefusalsWriteNothing() {
        TicketDialog dialog({5, 12345}, "", services());
        // No issue: said before any dialog opens.
        QVERIFY(!dialog.exportShopFile());
        QCOMPARE(lastMessage(), std::string("无法导出单式：期号应为数字"));
        QVERIFY(files.requests.empty());
        // A cancelled dialog writes nothing and says nothing more.
        dialog.issueEdit()->setText(QStringLiteral("2026011"));
        const std::size_t said = messages.shown.size();
        QVERIFY(!dialog.exportShopFile());
        QCOMPARE(messages.shown.size(), said);
        // A folder that is not there: the write fails and says why.
        const QString nowhere = dir->filePath(QStringLiteral("missing/shop.txt"));
        choose(nowhere);
        QVERIFY(!dialog.exportShopFile());
        QVERIFY(lastMessage().starts_with("导出失败："));
        QVERIFY(!QFile::exists(nowhere));
        // Nothing to ticket: said, nothing copied.
        TicketDialog empty({}, "2026011", services());
        QVERIFY(!empty.copyTickets());
        QCOMPARE(lastMessage(), std::string(kNoResultMessage));
        QVERIFY(clipboard.content.empty());
    }

    void recordsAreReadInTheBackgroundAndAnAlteredRecordIsToldOnce() {
        const std::vector<PlayRecord> written{recordFor("2026011", {1, 2, 3}), recordFor("2026012", {4, 5}),
                                              recordFor("2026013", {6})};
        std::string text = playRecordText(written);
        text.replace(text.find("00004 00005"), 11, "00004 00009");  // record 2 edited by hand
        writeFile(recordPath(), text);

        PlayRecords records(*history);
        QSignalSpy told(&records, &PlayRecords::told);
        records.keepIn(folder());
        QVERIFY(records.busy());
        records.finishWork();
        QVERIFY(!records.busy());
        QCOMPARE(records.records().size(), std::size_t(1));
        QCOMPARE(told.count(), 1);
        QVERIFY(told[0][0].toString().startsWith(QString::fromUtf8("投注记录第 2 条被改动")));
        QVERIFY(records.problem().startsWith(QString::fromUtf8("投注记录第 2 条被改动")));
        records.reload();
        records.finishWork();
        QCOMPARE(told.count(), 1);
        // Nothing is added after it, and the file stays as it was.
        QCOMPARE(records.refusal(recordFor("2026014", {7})), records.problem());
        QCOMPARE(readAll(recordPath()).toStdString(), text);
    }

    void everyRefusalOfARecordSaysWhy() {
        PlayRecords unkept(*history);
        QVERIFY(unkept.refusal(recordFor("2026011", {1})).contains(QString::fromUtf8("投注记录无法保存")));

        PlayRecords records(*history);
        records.keepIn(folder());
        records.finishWork();
        QCOMPARE(records.proposedIssue(), std::string("2026011"));
        QVERIFY(records.refusal(recordFor("2026011", {1})).isEmpty());
        QVERIFY(records.refusal(recordFor("2026010", {1})).contains(QString::fromUtf8("已开奖（12345）")));
        history->merge(parseDraws("2026020 11111\n"));  // a gap: 2026011 lies before the last draw
        QVERIFY(records.refusal(recordFor("2026015", {1})).contains(QString::fromUtf8("之前")));
        QVERIFY(records.refusal(recordFor("2026021", {})).contains(QString::fromUtf8("没有号码")));

        // numsift-cli imported the draw of 2026021 since the window read the
        // history: the file on disk refuses what the window's copy allows.
        DrawStore disk = history->store();
        disk.importText("2026021 22222\n");
        writeFile(dir->filePath(QLatin1String(kDrawHistoryFileName)), keptHistoryText(disk));
        QSignalSpy added(&records, &PlayRecords::added);
        records.add(recordFor("2026021", {1}));
        records.finishWork();
        QCOMPARE(added.count(), 1);
        QVERIFY(!added[0][0].toBool());
        QVERIFY(added[0][1].toString().contains(QString::fromUtf8("已开奖（22222）")));
        QVERIFY(!QFile::exists(recordPath()));
    }

    void theLedgerIsScoredAgainWhenADrawArrives() {
        PlayRecords records(*history);
        records.keepIn(folder());
        records.add(recordFor("2026011", {12345, 54321}, 3));
        records.add(recordFor("2026012", {7}));
        records.finishWork();
        QCOMPARE(records.records().size(), std::size_t(2));
        LedgerDialog ledger(records, services());
        QCOMPARE(ledger.table()->model()->index(0, 5).data().toString(), QString::fromUtf8("待开奖"));
        QVERIFY(ledger.chart()->points().empty());
        QVERIFY(ledger.problemLabel()->isHidden());

        QSignalSpy changed(&records, &PlayRecords::changed);
        history->merge(parseDraws("2026011 54321\n"));
        QCOMPARE(changed.count(), 1);
        const QAbstractItemModel* rows = ledger.table()->model();
        QCOMPARE(rows->index(0, 5).data().toString(), QStringLiteral("54321"));
        QCOMPARE(rows->index(0, 6).data().toString(), QString::fromUtf8("是"));
        QCOMPARE(rows->index(0, 7).data().toString(), QStringLiteral("300000"));
        QCOMPARE(rows->index(1, 5).data().toString(), QString::fromUtf8("待开奖"));
        // 2 bets × 2 元 × 3 paid, 300000 won.
        QVERIFY(ledger.totalsLabel()->text().contains(
            QString::fromUtf8("投入 12 元　奖金 300000 元　盈亏 +299988 元")));
        QVERIFY(
            ledger.totalsLabel()->text().contains(QString::fromUtf8("回报率 2500000.00%（随机选号 50%）")));
        QCOMPARE(ledger.chart()->points().size(), std::size_t(1));
        QCOMPARE(ledger.chart()->points()[0].balance, std::int64_t(299988));
        // Above the chance line, which lies below zero.
        QVERIFY(ledger.chart()->balanceAt(0).y() < ledger.chart()->chanceAt(0).y());
        QVERIFY(ledger.copyLedger());
        QCOMPARE(clipboard.content, ledgerText(records.records(), records.ledger(), "\r\n"));
    }

    void recordDialogProposesTheNextIssueAndStaysOpenOnARefusal() {
        panel.result = {3, 1, 2};
        PlayRecords records(*history);
        records.keepIn(folder());
        records.finishWork();
        RecordDialog dialog(panel, records, messages);
        QCOMPARE(dialog.issueEdit()->text(), QStringLiteral("2026011"));
        dialog.multipleEdit()->setValue(4);
        QCOMPARE(dialog.stakeLabel()->text(), QString::fromUtf8("3 注 × 2 元 × 4 倍 = 24 元"));
        const PlayRecord r = dialog.record();
        QVERIFY(r.set.values == std::vector<std::uint32_t>({1, 2, 3}));
        QVERIFY(loadScheme(r.scheme).ok);

        dialog.show();
        dialog.issueEdit()->setText(QStringLiteral("2026009"));
        dialog.keep();
        QVERIFY(lastMessage().starts_with("第 2026009 期已开奖（00009）"));
        QVERIFY(dialog.isVisible());
        QVERIFY(!QFile::exists(recordPath()));

        dialog.issueEdit()->setText(QStringLiteral("2026011"));
        dialog.keep();
        QVERIFY(!dialog.keepButton()->isEnabled());  // under way
        records.finishWork();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(lastMessage(), std::string("已记录第 2026011 期：3 注 × 4 倍，投入 24 元"));
        QCOMPARE(records.records().size(), std::size_t(1));
        QCOMPARE(records.records()[0].multiple, 4);
    }
};

QTEST_MAIN(PlayDialogsTest)
#include "play_dialogs_test.moc"
