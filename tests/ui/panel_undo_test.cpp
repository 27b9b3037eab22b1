// Undo one step at a time, with redo: every change of the panel is a step
// named in the menu, the keys work outside text boxes and leave a text
// box's own typing alone, and the menu works with real clicks.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include "conditions/condition_id.h"
#include "conditions/scheme.h"
#include "controls/entry_box.h"
#include "engine/number.h"
#include "tests/ui/window_fixture.h"
#include "ui/conditions/condition_panel.h"
#include "ui/sets/number_box.h"
#include "ui/sets/page_base.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/panel_history.h"
#include "ui/shell/panel_rounds.h"
#include "ui/shell/tab_strip.h"
#include "ui/shell/window_pages.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

QString u(const char* s) { return QString::fromUtf8(s); }

// The panel as a run reads it and as the player sees its boxes.
struct Snapshot {
    std::string scheme;
    QString tolerance[2];
    QString base;

    bool operator==(const Snapshot& o) const {
        return scheme == o.scheme && tolerance[0] == o.tolerance[0] && tolerance[1] == o.tolerance[1] &&
               base == o.base;
    }
};

char* toString(const Snapshot& s) {
    return qstrdup((s.scheme + " | " + s.tolerance[0].toStdString() + "-" + s.tolerance[1].toStdString() +
                    " | " + s.base.left(40).toStdString())
                       .c_str());
}

}  // namespace

class PanelUndoTest : public WindowFixture {
    Q_OBJECT

    Snapshot snapshot() {
        return Snapshot{saveScheme(w->panel().scheme()),
                        {w->conditions().toleranceText(0), w->conditions().toleranceText(1)},
                        w->basePage()->txtBase()->toPlainText()};
    }
    QAction* action(const char* name) {
        return find<QToolButton>(QStringLiteral("fileMenuButton"))
            ->menu()
            ->findChild<QAction*>(QString::fromLatin1(name));
    }
    // Leaves the box with the focus by Tab, as a player does.
    static void typeAndLeave(QWidget* box, const QString& text) {
        click(box);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() {
        newDoubles();
        openWindow();
    }

    void everyChangeIsOneStepNamedInTheMenuAndRedoneExactly() {
        QAction* undo = action("undoAction");
        QAction* redo = action("redoAction");
        QCOMPARE(undo->text(), u("撤销"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());

        std::vector<Snapshot> states{snapshot()};
        std::vector<QString> names;
        const auto step = [&](const char* name, const std::function<void()>& change) {
            change();
            w->rounds().history().settle();
            names.push_back(u(name));
            states.push_back(snapshot());
            QCOMPARE(undo->text(), u("撤销 ") + u(name));
        };
        step("千位3", [&] { click(member("chkDW", 13)); });
        // A click that ticks a whole row is one step.
        step("大大大大大等 32 项", [&] { click(find(QStringLiteral("cmdDX_0"))); });
        // A box counts once it is left, not per key.
        step("杀两码", [&] {
            click(member("cmdTab", 5));
            typeAndLeave(member<EntryBox>("txtCompose", 1), QStringLiteral("12"));
        });
        step("容错级别", [&] {
            QLineEdit* upper = member<QLineEdit>("txtWrong", 1);
            click(upper);
            QTest::keyClick(upper, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(upper, QStringLiteral("12"));
            QTest::keyClick(upper, Qt::Key_Tab);
        });
        step("分组容错", [&] {
            w->conditions().setToleranceGroups(
                {ToleranceGroup{"定位", Tolerance{0, 1}, {*columnOfCaption("定位杀")}}});
        });
        step("大底号码", [&] { w->basePage()->setBaseText("00001 12345 99999"); });
        QCOMPARE(states.back().tolerance[1], QStringLiteral("12"));
        QVERIFY(states.back().scheme.find("\"kill2\": \"12\"") != std::string::npos);
        QCOMPARE(w->numberSets().base().values, (std::vector<std::uint32_t>{1, 12345, 99999}));

        // Back one step at a time, each named as it goes, to the empty panel.
        for (std::size_t i = names.size(); i-- > 0;) {
            QCOMPARE(undo->text(), u("撤销 ") + names[i]);
            undo->trigger();
            QCOMPARE(snapshot(), states[i]);
            QCOMPARE(redo->text(), u("重做 ") + names[i]);
        }
        QVERIFY(!undo->isEnabled());
        QVERIFY(w->numberSets().base().values.empty());
        QVERIFY(w->conditions().toleranceGroups().empty());
        // And forth again.
        for (std::size_t i = 0; i < names.size(); ++i) {
            redo->trigger();
            QCOMPARE(snapshot(), states[i + 1]);
        }
        QVERIFY(!redo->isEnabled());
        QCOMPARE(w->numberSets().base().values, (std::vector<std::uint32_t>{1, 12345, 99999}));

        // A new change after an undo ends the way forth.
        undo->trigger();
        click(member("chkDW", 0));
        w->rounds().history().settle();
        QVERIFY(!redo->isEnabled());
        QCOMPARE(undo->text(), u("撤销 万位0"));
    }

    void theKeysUndoAndRedoOutsideTextBoxesOnly() {
        auto* box = member<QCheckBox>("chkDW", 13);
        click(box);
        QVERIFY(box->isChecked());
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!box->isChecked());
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(box->isChecked());
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(box->isChecked());

        // In a text box the keys are the box's: its typing goes, the tick stays.
        EntryBox* kill = w->conditions().straightKillBox();
        click(kill);
        QTest::keyClicks(kill, QStringLiteral("12345"));
        for (const auto modifiers : {Qt::KeyboardModifiers(Qt::ControlModifier),
                                     Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)}) {
            QTest::keyClick(kill, Qt::Key_Z, modifiers);
            QTest::keyClick(kill, Qt::Key_Y, Qt::ControlModifier);
        }
        QTest::keyClick(kill, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(box->isChecked());
        QCOMPARE(action("undoAction")->text(), u("撤销 千位3"));
        QLineEdit* lower = member<QLineEdit>("txtWrong", 0);
        click(lower);
        QTest::keyClick(lower, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(lower, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(box->isChecked());
    }

    // The menu's 撤销 and 重做 chosen with real presses and releases.
    void theMenuUndoesAndRedoesWithRealClicks() {
        auto* box = member<QCheckBox>("chkDW", 7);
        click(box);
        auto* button = find<QToolButton>(QStringLiteral("fileMenuButton"));
        const auto choose = [button](const char* name) {
            QTimer::singleShot(0, button, [button, name] {
                QMenu* menu = button->menu();
                QAction* a = menu->findChild<QAction*>(QString::fromLatin1(name));
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
            });
            click(button);
        };
        choose("undoAction");
        QTRY_VERIFY(!box->isChecked());
        choose("redoAction");
        QTRY_VERIFY(box->isChecked());
    }

    // Undoing puts back what changed and nothing else: a tick beside a base
    // set of 100,000 numbers leaves the base set's box as it stands.
    void undoingATickLeavesALargeBaseSetAlone() {
        std::string all;
        for (std::uint32_t n = 0; n < kNumberSpace; ++n) all += numberText(n) + ' ';
        w->basePage()->setBaseText(all);
        w->rounds().history().settle();
        const QString base = w->basePage()->txtBase()->toPlainText();
        int baseChanges = 0;
        connect(w->basePage()->txtBase(), &QPlainTextEdit::textChanged, this, [&] { ++baseChanges; });
        click(member("chkDW", 13));
        QVERIFY(w->rounds().undo());
        QVERIFY(w->rounds().redo());
        QCOMPARE(baseChanges, 0);
        QCOMPARE(w->numberSets().base().size(), std::size_t(kNumberSpace));
        QCOMPARE(w->basePage()->txtBase()->toPlainText(), base);
        QCOMPARE(w->rounds().history().stack()->count(), 2);
    }
};

QTEST_MAIN(PanelUndoTest)
#include "panel_undo_test.moc"
