// Rounds and a panel that is never lost: 结果转为大底, undo of the actions
// that replace the panel whole, and the panel kept in the data folder and
// offered back at the next start.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

#include "conditions/scheme.h"
#include "controls/entry_box.h"
#include "io/kept_panel_file.h"
#include "results/result_copy.h"
#include "tests/fakes/platform_fakes.h"
#include "tests/ui/window_fixture.h"
#include "ui/sets/number_box.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/panel_keeper.h"
#include "ui/shell/scheme_files.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/panel_rounds.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// Everything an undo or a restore must give back exactly, as the player
// sees it and as a run reads it.
struct Seen {
    QString scheme;  // the panel as a scheme file
    QString tolerance[2];
    QString boxes[3];  // txtBase, txtJoin(0), txtJoin(1)
    QString counts[3];
    KeptPanel sets;

    bool operator==(const Seen& o) const {
        return scheme == o.scheme && tolerance[0] == o.tolerance[0] && tolerance[1] == o.tolerance[1] &&
               std::equal(boxes, boxes + 3, o.boxes) && std::equal(counts, counts + 3, o.counts) &&
               sets.base == o.sets.base && sets.setA == o.sets.setA && sets.setB == o.sets.setB;
    }
};

Seen seen(MainWindow& w) {
    Seen s;
    s.scheme = QString::fromStdString(saveScheme(w.panel().scheme()));
    for (int i = 0; i < 2; ++i) s.tolerance[i] = w.conditions().toleranceText(i);
    s.boxes[0] = w.basePage()->txtBase()->toPlainText();
    s.counts[0] = w.basePage()->lblBase()->text();
    for (int i = 0; i < 2; ++i) {
        s.boxes[1 + i] = w.joinPage()->txtJoin(i)->toPlainText();
        // A or B never filled shows no count yet; emptied, it shows 0.
        s.counts[1 + i] = w.joinPage()->lblJoin(i)->text();
        if (s.counts[1 + i].isEmpty()) s.counts[1 + i] = QStringLiteral("0");
    }
    s.sets = w.rounds().panelState();
    return s;
}

char* toString(const Seen& s) {
    return qstrdup(qPrintable(s.scheme + QStringLiteral(" | ") + s.tolerance[0] + QLatin1Char('-') +
                              s.tolerance[1] + QStringLiteral(" | ") + s.counts[0] + QLatin1Char(' ') +
                              s.counts[1] + QLatin1Char(' ') + s.counts[2]));
}

QByteArray bytesOf(const QString& path);

// Whether the kept panel file at path holds the panel as seen.
bool holds(const QString& path, const Seen& s) {
    const KeptPanelRead read = readKeptPanel(bytesOf(path).toStdString());
    return read.problem == KeptProblem::None &&
           QString::fromStdString(saveScheme(read.panel.scheme)) == s.scheme &&
           read.panel.base == s.sets.base && read.panel.setA == s.sets.setA && read.panel.setB == s.sets.setB;
}

QAction* menuAction(MainWindow& w, const char* name) {
    return probe::findControl<QToolButton>(&w, QStringLiteral("fileMenuButton"))
        ->menu()
        ->findChild<QAction*>(QString::fromLatin1(name));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers every message box the moment it is shown, from inside its own
// event loop, with a real click on its one button.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() { qApp->installEventFilter(this); }
    ~BoxAnswerer() override { qApp->removeEventFilter(this); }

    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (!box || event->type() != QEvent::Show) return false;
        texts << box->text();
        QPointer<QMessageBox> target(box);
        QTimer::singleShot(0, box, [target] {
            if (!target || QApplication::activeModalWidget() != target) return;
            const QList<QAbstractButton*> buttons = target->buttons();
            if (buttons.size() == 1)
                probe::clickCentre(buttons.front());
            else
                target->done(QDialog::Rejected);
        });
        return false;
    }
};

}  // namespace

class PanelRoundsTest : public WindowFixture {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;

    // Windows of their own: a test opens several, one after another.
    std::unique_ptr<MainWindow> openWindow(MessageSink* sink) {
        WindowServices desktop = services();
        desktop.messages = sink;
        return WindowFixture::openWindow(desktop);
    }
    std::unique_ptr<MainWindow> openWindow() { return openWindow(messages.get()); }
    DataFolder folder() const { return DataFolder{true, dir->path(), {}}; }
    QString keptPath() const { return dir->filePath(QLatin1String(kKeptPanelFileName)); }

    static QWidget* member(MainWindow& w, const char* array, int i) {
        return probe::findMember(&w, array, i);
    }

    // Conditions of several kinds, a tolerance, a base set and sets A and B.
    static void fillPanel(MainWindow& w) {
        click(member(w, "chkDW", 13));
        click(member(w, "chkHKD", 25));
        click(member(w, "cmdBi", 20));
        click(member(w, "chkEx", 13));
        w.conditions().straightKillBox()->setEntryText(QStringLiteral("12345 54321"));
        probe::findMember<EntryBox>(&w, "txtCompose", 6)->setEntryText(QStringLiteral("2406"));
        w.conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("1"));
        w.basePage()->setBaseText("00001 12345 54321 99999 00042");
        w.joinPage()->setSideText(0, "11111 22222");
        w.joinPage()->setSideText(1, "33333");
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        newDoubles();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
    }
    void cleanup() { dir.reset(); }

    void eachActionThatReplacesThePanelIsUndoneExactly() {
        auto w = openWindow();
        QAction* undo = menuAction(*w, "undoAction");
        QCOMPARE(undo->text(), u("撤销"));
        QVERIFY(!undo->isEnabled());
        fillPanel(*w);
        const Seen before = seen(*w);
        QVERIFY(before.counts[0] == QStringLiteral("5"));

        // 清空所有条件, undone with Ctrl+Z (the focus is on the button).
        click(member(*w, "cmdFilter", 2));
        QVERIFY(seen(*w).scheme != before.scheme);
        QCOMPARE(w->basePage()->txtBase()->toPlainText(), QString());
        QCOMPARE(undo->text(), u("撤销 清空所有条件"));
        QVERIFY(undo->isEnabled());
        QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(seen(*w), before);
        QCOMPARE(menuAction(*w, "redoAction")->text(), u("重做 清空所有条件"));

        // 载入方案, undone from the menu.
        const QString file = dir->filePath(QStringLiteral("other.json"));
        Scheme other = emptyScheme();
        other.input.sumTailKill[7] = true;
        other.tolerance = {0, 2};
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray::fromStdString(saveScheme(other)));
        }
        QVERIFY(w->schemeFiles().loadSchemeFrom(file));
        QCOMPARE(seen(*w).scheme, QString::fromStdString(saveScheme(other)));
        QCOMPARE(undo->text(), u("撤销 载入方案"));
        undo->trigger();
        QCOMPARE(seen(*w), before);
        // Loading touches no number set; a change after it is a step of
        // its own, undone first.
        QVERIFY(w->schemeFiles().loadSchemeFrom(file));
        w->basePage()->setBaseText("00007");
        undo->trigger();
        QCOMPARE(seen(*w).scheme, QString::fromStdString(saveScheme(other)));
        QCOMPARE(w->basePage()->txtBase()->toPlainText(), before.boxes[0]);
        undo->trigger();
        QCOMPARE(seen(*w), before);

        // 结果转为大底: the base set becomes the result, as a paste would
        // leave it; the same run on it keeps the same numbers.
        click(member(*w, "cmdFilter", 0));
        const std::vector<std::uint32_t> result = w->panel().results();
        QVERIFY(!result.empty() && result.size() < 5);
        menuAction(*w, "resultToBaseAction")->trigger();
        QCOMPARE(w->basePage()->txtBase()->toPlainText(),
                 QString::fromStdString(formatNumbers(result, kBaseLineWidth)).remove(QLatin1Char('\r')));
        QCOMPARE(w->basePage()->lblBase()->text(), QString::number(result.size()));
        QVERIFY(w->numberSets().base().values == result);
        QCOMPARE(seen(*w).scheme, before.scheme);
        click(member(*w, "cmdFilter", 0));
        QVERIFY(w->panel().results() == result);
        QCOMPARE(undo->text(), u("撤销 结果转为大底"));
        undo->trigger();
        QCOMPARE(seen(*w), before);
        QVERIFY(messages->shown.empty());
    }

    void bigActionsStackAndATextBoxUndoesItsOwnTyping() {
        auto w = openWindow();
        fillPanel(*w);
        const Seen filled = seen(*w);
        click(member(*w, "cmdFilter", 2));
        w->conditions().setToleranceTexts(QStringLiteral("0"), QStringLiteral("0"));
        const Seen cleared = seen(*w);
        click(member(*w, "cmdFilter", 0));
        QVERIFY(w->rounds().resultToBase());  // 100,000 numbers
        QCOMPARE(w->basePage()->lblBase()->text(), QStringLiteral("100000"));

        // Ctrl+Z in a box undoes the typing there, not the panel.
        EntryBox* kill = w->conditions().straightKillBox();
        click(kill);
        QCOMPARE(QApplication::focusWidget(), kill);
        QTest::keyClicks(kill, QStringLiteral("1"));
        QTest::keyClick(kill, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(kill->entryText(), QString());
        QCOMPARE(w->basePage()->lblBase()->text(), QStringLiteral("100000"));

        QAction* undo = menuAction(*w, "undoAction");
        QCOMPARE(undo->text(), u("撤销 结果转为大底"));
        undo->trigger();
        QCOMPARE(seen(*w), cleared);
        QCOMPARE(undo->text(), u("撤销 容错级别"));
        undo->trigger();
        QCOMPARE(undo->text(), u("撤销 清空所有条件"));
        undo->trigger();
        QCOMPARE(seen(*w), filled);
        // And forth again, the same steps.
        QVERIFY(w->rounds().redo() && w->rounds().redo());
        QCOMPARE(seen(*w), cleared);
        QVERIFY(w->rounds().redo());
        QCOMPARE(w->basePage()->lblBase()->text(), QStringLiteral("100000"));
        QVERIFY(!w->rounds().redo());
    }

    // Without a result, 结果转为大底 says so in a real message box opened
    // from the menu, and the base set stays.
    void resultToBaseWithoutAResultSaysSo() {
        BoxAnswerer answerer;
        auto w = openWindow(nullptr);  // the desktop's own message boxes
        w->basePage()->setBaseText("00001 00002");
        auto chooseFromMenu = [&w] {
            auto* button = probe::findControl<QToolButton>(w.get(), QStringLiteral("fileMenuButton"));
            QTimer::singleShot(0, button, [button] {
                QMenu* menu = button->menu();
                QAction* action = menu->findChild<QAction*>(QStringLiteral("resultToBaseAction"));
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            });
            click(button);
        };

        chooseFromMenu();  // before any run
        QTRY_COMPARE(answerer.texts.size(), 1);
        QCOMPARE(answerer.texts[0], u(kNoResultMessage));

        for (int d = 0; d < 10; ++d) click(member(*w, "chkDW", d));  // 万位 killed whole
        click(member(*w, "cmdFilter", 0));
        QVERIFY(w->panel().results().empty());
        chooseFromMenu();
        QTRY_COMPARE(answerer.texts.size(), 2);
        QCOMPARE(answerer.texts[1], u(kNoResultMessage));
        QCOMPARE(w->basePage()->txtBase()->toPlainText(), QStringLiteral("00001 00002"));
        QCOMPARE(w->basePage()->lblBase()->text(), QStringLiteral("2"));
        QCOMPARE(menuAction(*w, "undoAction")->text(), u("撤销 万位9"));
    }

    void theKeptPanelIsSavedAfterAChangeAndOnClose() {
        auto w = openWindow();
        w->keepPanelIn(folder());
        PanelKeeper* keeper = w->rounds().panelKeeper();
        QVERIFY(keeper);
        QVERIFY(!menuAction(*w, "restoreLastPanelAction")->isEnabled());  // nothing kept yet
        QVERIFY(!w->rounds().keptPanelNote()->isVisible());
        QVERIFY(!keeper->timer()->isActive());

        click(member(*w, "chkDW", 13));
        QVERIFY(keeper->timer()->isActive());
        QVERIFY(keeper->timer()->isSingleShot());
        QCOMPARE(keeper->timer()->interval(), PanelKeeper::kWaitMs);
        QVERIFY(!QFileInfo::exists(keptPath()));  // not before the wait ends
        QVERIFY(keeper->flush());                 // the wait ends
        QVERIFY(!keeper->timer()->isActive());
        KeptPanelRead read = readKeptPanel(bytesOf(keptPath()).toStdString());
        QCOMPARE(read.problem, KeptPanelRead::Problem::None);
        QCOMPARE(saveScheme(read.panel.scheme), saveScheme(w->panel().scheme()));
        QVERIFY(read.panel.scheme.input.positionalKill[1][3]);

        // When the wait ends by itself, the panel is written on a thread of
        // its own while the window goes on.
        keeper->timer()->setInterval(0);
        w->basePage()->setBaseText("00001 00002");
        QTRY_COMPARE(readKeptPanel(bytesOf(keptPath()).toStdString()).panel.base.values.size(),
                     std::size_t(2));
        keeper->timer()->setInterval(PanelKeeper::kWaitMs);

        // Each kind of change starts the wait again.
        const auto restarts = [&](auto&& change) {
            keeper->timer()->stop();
            change();
            return keeper->timer()->isActive();
        };
        QVERIFY(restarts([&] { w->basePage()->setBaseText("12345"); }));
        QVERIFY(restarts([&] { w->joinPage()->setSideText(1, "54321"); }));
        QVERIFY(restarts(
            [&] { probe::findMember<QLineEdit>(w.get(), "txtWrong", 1)->setText(QStringLiteral("2")); }));
        QVERIFY(restarts([&] { click(member(*w, "cmdBi", 20)); }));
        QVERIFY(restarts([&] {
            probe::findMember<EntryBox>(w.get(), "txtCompose", 6)->setEntryText(QStringLiteral("2406"));
        }));
        QVERIFY(restarts([&] {
            w->pages().selectTab(2);
            click(member(*w, "chk012", 100));
        }));

        // Closing saves at once.
        const KeptPanel last = w->rounds().panelState();
        w->close();
        read = readKeptPanel(bytesOf(keptPath()).toStdString());
        QCOMPARE(read.problem, KeptPanelRead::Problem::None);
        QCOMPARE(saveScheme(read.panel.scheme), saveScheme(last.scheme));
        QVERIFY(read.panel.base == last.base && read.panel.setB == last.setB);
        QCOMPARE(read.panel.base.values, std::vector<std::uint32_t>{12345});
        w.reset();

        // A start that changes nothing leaves the kept panel as it was.
        const QByteArray kept = bytesOf(keptPath());
        auto again = openWindow();
        again->keepPanelIn(folder());
        again->conditions().straightKillBox()->setFocus();  // the hint goes and comes back
        click(member(*again, "cmdFilter", 0));
        again->close();
        QCOMPARE(bytesOf(keptPath()), kept);
    }

    void theNextStartOpensEmptyAndRestoresTheKeptPanelExactly() {
        auto first = openWindow();
        first->keepPanelIn(folder());
        const Seen empty = seen(*first);
        fillPanel(*first);
        const Seen filled = seen(*first);
        first->close();
        first.reset();

        auto w = openWindow();
        w->keepPanelIn(folder());
        QCOMPARE(seen(*w), empty);
        QAction* restore = menuAction(*w, "restoreLastPanelAction");
        QVERIFY(restore->isEnabled());
        QLabel* note = w->rounds().keptPanelNote();
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains(u("恢复上次的条件")));
        QVERIFY(messages->shown.empty());

        restore->trigger();
        QCOMPARE(seen(*w), filled);
        QVERIFY(!note->isVisible());
        QCOMPARE(menuAction(*w, "undoAction")->text(), u("撤销 恢复上次的条件"));
        QVERIFY(w->rounds().undo());
        QCOMPARE(seen(*w), empty);

        // The note's link restores too.
        emit note->linkActivated(QStringLiteral("restore"));
        QCOMPARE(seen(*w), filled);
    }

    void aDamagedKeptFileIsSetAsideWithAMessage() {
        const QByteArray damaged = "# Numsift kept panel, format 1\nscheme 9999\n{";
        {
            QFile f(keptPath());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(damaged);
        }
        auto w = openWindow();
        w->keepPanelIn(folder());
        QTRY_COMPARE(messages->shown.size(), std::size_t(1));
        const QString text = QString::fromStdString(messages->shown[0].text);
        QVERIFY2(text.startsWith(u("上次的条件文件已损坏（第 2 行），已改名保存为 ")), qPrintable(text));
        QCOMPARE(messages->shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(!QFileInfo::exists(keptPath()));
        const QStringList aside = QDir(dir->path()).entryList({QStringLiteral("kept-panel.txt.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QVERIFY(text.contains(QDir::toNativeSeparators(dir->filePath(aside[0]))));
        QCOMPARE(bytesOf(dir->filePath(aside[0])), damaged);
        QVERIFY(!menuAction(*w, "restoreLastPanelAction")->isEnabled());

        click(member(*w, "chkDW", 13));
        QVERIFY(w->rounds().panelKeeper()->flush());
        QCOMPARE(readKeptPanel(bytesOf(keptPath()).toStdString()).problem, KeptPanelRead::Problem::None);
    }

    // The reason is a click away, in a real message box answered with a
    // real click; no box pops up by itself while the player works.
    void aFailedSaveIsShownBesideTheCountWithItsReason() {
        BoxAnswerer answerer;
        auto w = openWindow(nullptr);
        w->keepPanelIn(folder());
        // The data folder is gone and a file stands in its place.
        QVERIFY(QDir(dir->path()).removeRecursively());
        {
            QFile f(dir->path());
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        click(member(*w, "chkDW", 13));
        QVERIFY(!w->rounds().panelKeeper()->flush());
        QLabel* note = w->rounds().keptPanelNote();
        QVERIFY(note->isVisible());
        QVERIFY(note->text().contains(u("条件未能保存")));
        QVERIFY2(note->toolTip().contains(QDir::toNativeSeparators(keptPath())), qPrintable(note->toolTip()));
        QVERIFY(answerer.texts.isEmpty());
        QTest::mouseClick(note, Qt::LeftButton, {}, QPoint(8, note->height() / 2));
        QTRY_COMPARE(answerer.texts.size(), 1);
        QCOMPARE(answerer.texts[0], note->toolTip());
        QVERIFY(answerer.texts[0].contains(u("原文件未改动")));

        // The folder is back: the next save goes through and the note goes.
        QVERIFY(QFile::remove(dir->path()));
        QVERIFY(QDir().mkpath(dir->path()));
        click(member(*w, "chkDW", 14));
        QVERIFY(w->rounds().panelKeeper()->flush());
        QVERIFY(!note->isVisible());
        QCOMPARE(readKeptPanel(bytesOf(keptPath()).toStdString()).problem, KeptPanelRead::Problem::None);
    }

    // A slip before restoring does not take the kept panel away: it is set
    // aside first, and the next start offers both.
    void anEditBeforeRestoringKeepsTheKeptPanelForTheNextStart() {
        const QString earlierPath = dir->filePath(QLatin1String(kEarlierPanelFileName));
        auto first = openWindow();
        first->keepPanelIn(folder());
        fillPanel(*first);
        const Seen filled = seen(*first);
        first->close();
        first.reset();
        QVERIFY(!QFileInfo::exists(earlierPath));  // nothing was kept before

        auto second = openWindow();
        second->keepPanelIn(folder());
        click(member(*second, "chkDW", 0));
        QVERIFY(second->rounds().panelKeeper()->flush());
        const Seen slip = seen(*second);
        QVERIFY(holds(earlierPath, filled));
        QVERIFY(holds(keptPath(), slip));
        QVERIFY(!menuAction(*second, "restoreEarlierPanelAction")->isEnabled());
        // Within this start the kept panel is still there to restore.
        QVERIFY(second->rounds().restoreLastPanel());
        QCOMPARE(seen(*second), filled);
        QVERIFY(second->rounds().undo());
        QCOMPARE(seen(*second), slip);
        second->close();
        second.reset();

        auto third = openWindow();
        third->keepPanelIn(folder());
        QAction* earlier = menuAction(*third, "restoreEarlierPanelAction");
        QVERIFY(earlier->isEnabled());
        menuAction(*third, "restoreLastPanelAction")->trigger();
        QCOMPARE(seen(*third), slip);
        earlier->trigger();
        QCOMPARE(seen(*third), filled);
        QCOMPARE(menuAction(*third, "undoAction")->text(), u("撤销 恢复更早的条件"));
        // Restored, the kept panel needs no setting aside: the earlier file stays.
        const QByteArray kept = bytesOf(earlierPath);
        click(member(*third, "chkDW", 1));
        QVERIFY(third->rounds().panelKeeper()->flush());
        QCOMPARE(bytesOf(earlierPath), kept);
    }
};

QTEST_MAIN(PanelRoundsTest)
#include "panel_rounds_test.moc"
