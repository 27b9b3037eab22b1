// The kept draw history as the player controls it from the window: typed
// draws kept, a changed draw asked about (once through a real message box),
// kept draws corrected and removed in a list with undo, the range checked
// and remembered, two windows on one folder, and a save that fails for real.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "analysis/draw_history.h"
#include "tests/ui/modal_answers.h"
#include "tests/ui/window_fixture.h"
#include "ui/analysis/draws_list_dialog.h"
#include "ui/analysis/draws_panel.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/page_backtest.h"
#include "ui/analysis/backtest_tables.h"
#include "ui/analysis/range_selector.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/window_pages.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

QByteArray drawsText(int first, int count, std::uint32_t value0 = 11111) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray::number(first + i) + ' ' +
                QByteArray::number((value0 + 7u * static_cast<unsigned>(i)) % 100000).rightJustified(5, '0') +
                '\n';
    return text;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class HistoryWindowTest : public WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    QString path(const char* name) const { return dir->filePath(QString::fromUtf8(name)); }
    QString historyPath() const { return path("draw-history.csv"); }
    std::unique_ptr<MainWindow> windowOn(WindowServices s) {
        auto window = std::make_unique<MainWindow>(std::move(s));
        window->keepHistoryIn(historyPath());
        window->show();
        window->pages().showBacktestPage();
        return window;
    }
    DrawsPanel* draws() { return w->backtestPage()->draws(); }
    void importFile(const char* name, const QByteArray& bytes) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        choose(path(name));
        click(find(QStringLiteral("importDrawsButton")));
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() {
        newDoubles();
        dir = std::make_unique<QTemporaryDir>();
        w = windowOn(services());
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() {
        w.reset();
        dir.reset();
    }

    void aTypedDrawIsKeptAndTheNextImportKeepsIt() {
        importFile("a.txt", drawsText(2026001, 5));
        // Today's draw typed at the end of the box, then 开始验证 clicked.
        QPlainTextEdit* box = draws()->drawsBox();
        click(box);
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, u("2026006 35789"));
        click(find(QStringLiteral("runBacktestButton")));
        QCoreApplication::processEvents();
        QCOMPARE(w->history().store().size(), std::size_t(6));
        QCOMPARE(w->history().store().draws().back().value, 35789u);
        QCOMPARE(w->backtestPage()->tables()->report()->draws.size(), std::size_t(6));
        QVERIFY(draws()->drawsNote()->text().startsWith(u("输入 6 期：新增 1 期，已有 5 期")));
        QVERIFY(fileBytes(historyPath()).contains("2026006,,35789"));
        // The next import does not take it out of the box or the history.
        importFile("b.txt", drawsText(2026007, 2));
        QCOMPARE(w->history().store().size(), std::size_t(8));
        QVERIFY(box->toPlainText().contains(u("2026006 35789")));
        // The box opens at the newest draws.
        QCOMPARE(box->verticalScrollBar()->value(), box->verticalScrollBar()->maximum());

        // A line taken out of the box is not taken out of the history.
        box->setFocus();
        QString text = box->toPlainText();
        box->setPlainText(text.remove(u("2026003 11125\n")));
        draws()->commitTyped();
        QCOMPARE(w->history().store().size(), std::size_t(8));
        QVERIFY(box->toPlainText().contains(u("2026003 11125")));
        QVERIFY(draws()->drawsNote()->text().contains(u("框里删去的 1 期仍在开奖历史里")));
    }

    void aChangedDrawIsAskedInARealMessageBoxAndCanBeUndone() {
        // Real message boxes, answered with a real click.
        w = windowOn(WindowServices{nullptr, clipboard.get(), files.get(), {}});
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        w->history().merge(parseDraws("2025190 49972\n2025191 12345\n"));
        {
            ModalAnswers yes("是");
            QApplication::clipboard()->setText(u("2025190 49973\n"));
            draws()->drawsBox()->setFocus();
            draws()->drawsBox()->paste();
            QCOMPARE(yes.texts, QStringList{u("期号 2025190 已有 49972，改为 49973？")});
        }
        QCOMPARE(w->history().store().draws()[0].value, 49973u);
        QVERIFY(fileBytes(historyPath()).contains("2025190,,49973"));
        QVERIFY(draws()->drawsBox()->toPlainText().startsWith(u("2025190 49973")));
        // The correction is one step of the history's undo.
        QUndoStack* undo = w->history().undoStack();
        QCOMPARE(undo->undoText(), u("改正期号 2025190"));
        undo->undo();
        QCOMPARE(w->history().store().draws()[0].value, 49972u);
        QVERIFY(draws()->drawsBox()->toPlainText().startsWith(u("2025190 49972")));
        // 否 keeps the kept draw.
        {
            ModalAnswers no("否");
            QApplication::clipboard()->setText(u("2025191 54321\n"));
            draws()->drawsBox()->paste();
            QCOMPARE(no.texts.size(), 1);
        }
        QCOMPARE(w->history().store().draws()[1].value, 12345u);
    }

    void theListCorrectsAndRemovesDrawsEachStepUndoable() {
        importFile("a.txt", drawsText(2026001, 4));
        DrawsListDialog list(&w->history(), PageServices{messages.get(), clipboard.get(), files.get()},
                             w.get());
        list.show();
        QApplication::setActiveWindow(&list);
        QVERIFY(QTest::qWaitForWindowActive(&list));
        QTableView* table = list.table();
        // Newest first: row 0 is 2026004. Correct its number.
        const QRect cell = table->visualRect(table->model()->index(0, 2));
        const auto openEditor = [&] {
            // A click on the cell, then F2.
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::keyClick(table, Qt::Key_F2);
            QCoreApplication::processEvents();
            return qobject_cast<QLineEdit*>(QApplication::focusWidget());
        };
        QWidget* editor = openEditor();
        QVERIFY(editor);
        static_cast<QLineEdit*>(editor)->selectAll();
        QTest::keyClicks(editor, u("99999"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits queued
        QCOMPARE(w->history().store().draws()[3].value, 99999u);
        QVERIFY(fileBytes(historyPath()).contains("2026004,,99999"));
        QCOMPARE(list.undoButton()->text(), u("撤销 改正期号 2026004"));
        // A number that is not five digits is refused and said.
        QCoreApplication::processEvents();
        editor = openEditor();
        QVERIFY(editor);
        static_cast<QLineEdit*>(editor)->selectAll();
        QTest::keyClicks(editor, u("123"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits queued
        QCOMPARE(w->history().store().draws()[3].value, 99999u);
        QVERIFY(list.note()->text().contains(u("5 位数字")));

        // Two rows removed at once: one step; undo brings both back, redo removes them again.
        table->setFocus();
        table->selectRow(1);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          table->visualRect(table->model()->index(2, 0)).center());
        click(list.removeButton());
        QCOMPARE(w->history().store().size(), std::size_t(2));
        QCOMPARE(list.undoButton()->text(), u("撤销 删除 2 期"));
        QVERIFY(!draws()->drawsBox()->toPlainText().contains(u("2026002")));
        click(list.undoButton());
        QCOMPARE(w->history().store().size(), std::size_t(4));
        QVERIFY(draws()->drawsBox()->toPlainText().contains(u("2026002")));
        click(list.redoButton());
        QCOMPARE(w->history().store().size(), std::size_t(2));
        click(list.undoButton());
        click(list.undoButton());
        QCOMPARE(w->history().store().draws()[3].value, 11132u);
        QVERIFY(!list.undoButton()->isEnabled());
        // 转到期号 selects its row.
        QVERIFY(list.goToIssue(u("2026002")));
        QCOMPARE(table->currentIndex().row(), 2);
        QVERIFY(!list.goToIssue(u("2030001")));

        // An undo that another program has overtaken changes nothing and says so.
        click(list.undoButton());  // nothing to undo: disabled
        DrawHistoryFile other(historyPath());
        w->history().edit({DrawEdit{"2026001", KeptDraw{"2026001", "", 11111}, std::nullopt}},
                          u("删除期号 2026001"));
        QVERIFY(other.update([](DrawStore& s) { s.put(KeptDraw{"2026001", "", 22222}); }).save.ok);
        click(list.undoButton());
        QVERIFY(!w->history().lastEditApplied());
        QVERIFY(list.note()->text().contains(u("另一个程序")));
        QCOMPARE(w->history().store().draws()[0].value, 22222u);
    }

    void theRangeIsCheckedAndRememberedBetweenStarts() {
        importFile("a.txt", drawsText(2026001, 60));
        RangeSelector* range = draws()->range();
        QVERIFY(range->isVisible());
        range->choice()->setCurrentIndex(RangeSelector::Last50);
        click(find(QStringLiteral("runBacktestButton")));
        QCOMPARE(w->backtestPage()->tables()->report()->draws.size(), std::size_t(50));
        QCOMPARE(w->backtestPage()->tables()->report()->draws.front().label, std::string("2026011"));
        QVERIFY(draws()->drawsNote()->text().contains(u("验证范围：近 50 期")));
        // The next start counts over the same range.
        w = windowOn(services());
        QCOMPARE(w->history().range(), DrawRange::newest(50));
        QCOMPARE(draws()->range()->choice()->currentIndex(), int(RangeSelector::Last50));
        // A range file that is not one falls back to 全部.
        QFile bad(path("draw-range.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("last:-3\n");
        bad.close();
        w = windowOn(services());
        QCOMPARE(w->history().range(), DrawRange::all());
    }

    void twoWindowsOnOneFolderLoseNoDraw() {
        auto other = windowOn(services());
        importFile("a.txt", drawsText(2026001, 3));
        // The other window still shows what it loaded; its import merges
        // into what the file holds now.
        QCOMPARE(other->history().store().size(), std::size_t(0));
        other->history().merge(parseDraws(drawsText(2026004, 2).toStdString()));
        QCOMPARE(other->history().store().size(), std::size_t(5));
        // And this window's next change keeps the other's draws.
        w->history().merge(parseDraws("2026006 12345\n"));
        QCOMPARE(w->history().store().size(), std::size_t(6));
        DrawHistoryFile file(historyPath());
        QCOMPARE(file.load().store.size(), std::size_t(6));
    }

    void aSaveOverAFileSizeLimitKeepsTheOldFileAndSaysWhy() {
        importFile("a.txt", drawsText(2026001, 3));
        const QByteArray before = fileBytes(historyPath());
        // A child under a limit smaller than the history would need.
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(before.size() + 200),
                               static_cast<rlim_t>(before.size() + 200)};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
            KeptHistory history;
            history.keepIn(historyPath());
            const HistoryMerge m = history.merge(parseDraws(drawsText(2026004, 500).toStdString()));
            if (m.save.ok) _exit(11);
            if (!m.save.error.contains(u("文件超过了系统允许的大小"))) _exit(12);
            // The draws stay for the session, marked unsaved.
            if (history.store().size() != 503 || !history.unsaved()) _exit(13);
            _exit(0);
        }
        QVERIFY(child > 0);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(fileBytes(historyPath()), before);
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "history_window_test.moc"
