// The main window driven through its controls: clicks and keys via QTest,
// controls found by their names.

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <memory>

#include "conditions/hint_texts.h"
#include "conditions/run_order.h"
#include "controls/entry_box.h"
#include "controls/select_button.h"
#include "results/group_size.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/conditions/page_compound.h"
#include "ui/results/result_area.h"
#include "ui/shell/tab_strip.h"
#include "tests/ui/window_fixture.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

const QColor kGreen(0, 255, 0), kYellow(255, 255, 0), kLightYellow(255, 255, 192);
const QColor kLightBlue(192, 192, 255), kRed(255, 0, 0);

QColor face(QWidget* w) { return buttonFace(qobject_cast<QPushButton*>(w)); }
QColor base(QWidget* w) { return w->palette().color(QPalette::Active, QPalette::Base); }

}  // namespace

class MainWindowTest : public WindowFixture {
    Q_OBJECT

    std::vector<QString> opened;
    bool editorStarts = false;

    // QTest::mouseMove takes a point at (0, 0) for the centre.
    void moveCursorTo(QWidget* widget, const QPoint& pos) {
        QCursor::setPos(widget->mapToGlobal(pos));
        QApplication::processEvents();
    }
    void focusInto(QWidget* box) {
        click(box);
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), box);
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        newDoubles();
        opened.clear();
        // The desktop's own file dialogs; the editor records what it is asked to open.
        WindowServices desktop = services();
        desktop.files = nullptr;
        desktop.openTextFile = [this](const QString& p) {
            opened.push_back(p);
            return editorStarts;
        };
        w = openWindow(std::move(desktop));
    }
    void cleanup() { w.reset(); }

    void startState() {
        QVERIFY(find("fraTab_1")->isVisible());
        for (int i : {0, 2, 3, 4}) QVERIFY(!find(QStringLiteral("fraTab_%1").arg(i))->isVisible());
        QCOMPARE(face(member("cmdTab", 1)), kGreen);
        for (int i = 0; i < 12; ++i)
            if (i != 1) QVERIFY(!member<SelectButton>("cmdTab", i)->isSelected());
        QVERIFY(!find("shpFlash")->isVisible());
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("未开始过滤"));
        QCOMPARE(find<QLabel>("lblCount")->text(), QStringLiteral("0"));
        QVERIFY(!find("T_nonb")->isVisible());
        QCOMPARE(member<QLineEdit>("txtWrong", 0)->text(), QStringLiteral("0"));
        QCOMPARE(find<QLineEdit>("txtPage")->text(), QStringLiteral("3000"));
        // Grey hints in the empty boxes; boxes without a hint stay empty.
        auto* c0 = member<EntryBox>("txtCompose", 0);
        QVERIFY(c0->isGrey());
        QCOMPARE(c0->toPlainText(), QString::fromStdString(hints::kCompose[0]).remove(QLatin1Char('\r')));
        QVERIFY(member<EntryBox>("txtCompose", 1)->toPlainText().isEmpty());
        QVERIFY(find<EntryBox>("txtHKD")->isGrey());
        // The areas at their design places (15 twips a pixel).
        QCOMPARE(find("fraButton")->geometry(), QRect(4, 4, 945, 27));
        QCOMPARE(find("fraResult")->geometry(), QRect(800, 28, 251, 683));
        QCOMPARE(find("fraFilterSpecial")->geometry(), QRect(10, 660, 785, 49));
        QCOMPARE(find("fraTab_1")->geometry(), QRect(2, 37, 797, 621));
        QCOMPARE(find("fraTab_3")->size(), QSize(1003, 683));
        QCOMPARE(member("cmdTab", 11)->geometry(), QRect(518, 0, 73, 25));
        QCOMPARE(member("cmdTab", 0)->geometry().x(), 818);
        // The 012 grid: nine a row, captions in base 3.
        QCOMPARE(member<QCheckBox>("chk012", 8)->text(), QStringLiteral("00022"));
        QCOMPARE(member<QCheckBox>("chk012", 9)->text(), QStringLiteral("00100"));
        QCOMPARE(member<QCheckBox>("chk012", 80)->text(), QStringLiteral("02222"));
        QCOMPARE(member<QCheckBox>("chk012", 242)->text(), QStringLiteral("22222"));
        QCOMPARE(member("chk012", 9)->x(), member("chk012", 0)->x());
        QCOMPARE(member("chk012", 9)->y(), member("chk012", 0)->y() + member("chk012", 0)->height());
        QCOMPARE(member("chk012", 1)->x(), member("chk012", 0)->x() + member("chk012", 0)->width());
        QCOMPARE(member<QCheckBox>("chkDX", 1)->text(), QString::fromUtf8("大大大大小"));
        QCOMPARE(member<QCheckBox>("chkZH", 16)->text(), QString::fromUtf8("合质质质质"));
        QVERIFY(messages->shown.empty());
    }

    void compoundTabEnablesOneBoxAndBlinks() {
        click(member("cmdTab", 7));
        QVERIFY(find("fraTab_4")->isVisible());
        QCOMPARE(w->pages().composeMode(), 3);
        for (int i = 0; i < 8; ++i) {
            auto* b = member<EntryBox>("txtCompose", i);
            QCOMPARE(b->isEnabled(), i == 3);
            if (i != 3) QVERIFY(base(b) != kLightYellow);
        }
        QCOMPARE(base(member("txtCompose", 3)), kLightYellow);
        PageCompound* page = w->conditions().compoundPage();
        QVERIFY(page->flashTimer()->isActive());
        QCOMPARE(page->flashTimer()->interval(), 300);
        QFrame* marker = page->marker();
        bool expected = false;
        for (int tick = 1; tick <= 6; ++tick) {
            page->flashTick();
            expected = !expected;
            if (tick < 6) QCOMPARE(marker->isVisible(), expected);
        }
        QVERIFY(marker->isVisible());
        QVERIFY(!page->flashTimer()->isActive());
        const QRect box = member("txtCompose", 3)->geometry();
        QCOMPARE(marker->pos(),
                 box.topLeft() - QPoint(PageCompound::kFlashBorder, PageCompound::kFlashBorder));
        QVERIFY(marker->geometry().contains(box));
    }

    void intersectionTabHidesResults() {
        click(member("cmdTab", 3));
        QVERIFY(find("fraTab_3")->isVisible());
        QVERIFY(!find("fraResult")->isVisible());
        click(member("cmdTab", 2));
        QVERIFY(find("fraResult")->isVisible());
        QVERIFY(!find("fraTab_3")->isVisible());
        QVERIFY(find("fraTab_2")->isVisible());
        // The same tab twice stays selected.
        click(member("cmdTab", 2));
        QCOMPARE(face(member("cmdTab", 2)), kGreen);
        QCOMPARE(w->tabStrip()->selected(), 2);
    }

    void helpButtonsHover() {
        QWidget* dan = find("cmdDanHelp");
        QWidget* ex = member("cmdEx", 0);
        QCOMPARE(face(dan), kLightBlue);
        // The cursor moved by the window system: enter, move and leave events.
        QTest::mouseMove(dan, dan->rect().center());
        QCOMPARE(face(dan), kRed);
        QCOMPARE(face(ex), kLightBlue);
        QTest::mouseMove(ex, ex->rect().center());
        QCOMPARE(face(ex), kRed);
        QCOMPARE(face(dan), kLightBlue);
        // The edge itself is outside: strictly inside on all four sides.
        moveCursorTo(ex, QPoint(0, 0));
        QCOMPARE(face(ex), kLightBlue);
        QCOMPARE(face(dan), kLightBlue);
        moveCursorTo(ex, QPoint(ex->width() - 1, ex->height() - 1));
        QCOMPARE(face(ex), kRed);
        // Off both buttons: both light blue.
        QTest::mouseMove(find("fraTab_1"), QPoint(2, 2));
        QCOMPARE(face(ex), kLightBlue);
        QCOMPARE(face(dan), kLightBlue);
        // A button hidden under the cursor does not stay red.
        QTest::mouseMove(dan, dan->rect().center());
        QCOMPARE(face(dan), kRed);
        click(member("cmdTab", 2));
        QCOMPARE(face(dan), kLightBlue);
    }

    void helpTexts() {
        click(find("cmdDanHelp"));
        click(member("cmdEx", 0));
        QCOMPARE(messages->shown.size(), std::size_t(2));
        QCOMPARE(messages->shown[0].title, std::string("Numsift"));
        QCOMPARE(messages->shown[0].icon, MessageIcon::None);
        QCOMPARE(QString::fromStdString(messages->shown[0].text).split(QStringLiteral("\r\n")).size(), 11);
        QCOMPARE(messages->shown[1].icon, MessageIcon::Information);
        const QStringList lines =
            QString::fromStdString(messages->shown[1].text).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.first(), QString::fromUtf8("特别排除说明"));
    }

    void bankerCountNeedsDigits() {
        click(member("cmdDan", 1));
        click(member("cmdDan", 2));
        QCOMPARE(face(member("cmdDan", 1)), kGreen);
        click(member("cmdDanCount", 3));
        QVERIFY(!member<SelectButton>("cmdDanCount", 3)->isSelected());
        QCOMPARE(messages->shown.size(), std::size_t(1));
        QCOMPARE(messages->shown[0].text, std::string("选择的胆码个数不对！个数不能大于已选择的胆码数量！"));
        QCOMPARE(messages->shown[0].icon, MessageIcon::Exclamation);
        click(member("cmdDanCount", 2));
        click(member("cmdDanCount", 0));  // count 0 always goes
        QVERIFY(member<SelectButton>("cmdDanCount", 2)->isSelected());
        QVERIFY(member<SelectButton>("cmdDanCount", 0)->isSelected());
        click(find("chkDanOption"));
        click(member("cmdDanCount", 5));
        QVERIFY(member<SelectButton>("cmdDanCount", 5)->isSelected());
        QCOMPARE(messages->shown.size(), std::size_t(1));
        // Group 1 has no digits: a count above 0 is refused there.
        click(member("cmdDanCount", 7));
        QVERIFY(!member<SelectButton>("cmdDanCount", 7)->isSelected());
        // "全" flips digits and counts 1-5, count 0 untouched; "清" clears the group.
        click(member("cmdDanButton_all", 1));
        for (int d = 0; d < 10; ++d) QVERIFY(member<SelectButton>("cmdDan", 10 + d)->isSelected());
        QVERIFY(!member<SelectButton>("cmdDanCount", 6)->isSelected());
        QVERIFY(member<SelectButton>("cmdDanCount", 11)->isSelected());
        click(member("cmdDanButton", 0));
        QVERIFY(!member<SelectButton>("cmdDan", 1)->isSelected());
        QVERIFY(!member<SelectButton>("cmdDanCount", 2)->isSelected());
        QVERIFY(member<SelectButton>("cmdDan", 15)->isSelected());
    }

    void ratioButtonsToggleInTheirColours() {
        click(member("cmdBi", 2));
        click(member("cmdBi", 18));
        QCOMPARE(face(member("cmdBi", 2)), kGreen);
        QCOMPARE(face(member("cmdBi", 18)), kYellow);
        click(member("cmdBiButton_all", 0));  // inverts row 0
        QVERIFY(!member<SelectButton>("cmdBi", 2)->isSelected());
        QVERIFY(member<SelectButton>("cmdBi", 0)->isSelected());
        click(member("cmdBiButton", 1));  // row 1 only
        QVERIFY(member<SelectButton>("cmdBi", 0)->isSelected());
        click(member("cmdBiButton", 3));
        QVERIFY(!member<SelectButton>("cmdBi", 18)->isSelected());
    }

    void everyPatternTickedLeavesNothing() {
        click(member("cmdDX", 0));
        for (int i = 0; i < 32; ++i) QVERIFY(member<QCheckBox>("chkDX", i)->isChecked());
        click(member("cmdFilter", 0));
        QCOMPARE(find<QLabel>("lblCount")->text(), QStringLiteral("0"));
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("过滤完毕！"));
        auto* note = find<QPlainTextEdit>("T_nonb");
        QVERIFY(note->isVisible());
        QVERIFY(note->toPlainText().startsWith(QString::fromUtf8("本次缩水结果为0注\n")));
        QVERIFY(w->panel().results().empty());
        // "清" of the group unticks it; the next run keeps everything.
        click(member("cmdDX", 1));
        click(member("cmdFilter", 0));
        QCOMPARE(find<QLabel>("lblCount")->text(), QStringLiteral("100000"));
        QVERIFY(!note->isVisible());
    }

    void invalidEntryAnsweredNoKeepsFocus() {
        click(member("cmdTab", 5));
        auto* box = member<EntryBox>("txtCompose", 1);
        focusInto(box);
        QCOMPARE(base(box), kLightYellow);
        QTest::keyClicks(box, QStringLiteral("12 345"));
        auto* other = member<QCheckBox>("chkEx", 0);
        messages->setNextAnswer(MessageAnswer::No);
        click(other);
        QApplication::processEvents();
        QCOMPARE(messages->shown.size(), std::size_t(1));
        const Message& m = messages->shown[0];
        QCOMPARE(m.title, std::string("条件提示"));
        QCOMPARE(m.icon, MessageIcon::Exclamation);
        QCOMPARE(m.buttons, MessageButtons::YesNo);
        QVERIFY(m.text.starts_with("输入的内容不符合格式要求！是否自动清空？"));
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->toPlainText(), QStringLiteral("12 345"));
        QVERIFY(!other->isChecked());  // the click never arrived
        // Tab is refused the same way.
        messages->setNextAnswer(MessageAnswer::No);
        QTest::keyClick(box, Qt::Key_Tab);
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(messages->shown.size(), std::size_t(2));
        // The run does not start either.
        messages->setNextAnswer(MessageAnswer::No);
        click(member("cmdFilter", 0));
        QApplication::processEvents();
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("未开始过滤"));
        QCOMPARE(QApplication::focusWidget(), box);
        // The same when the window has lost its activation meanwhile (a
        // message box closed without a window manager to activate it again).
        QWidget elsewhere;
        elsewhere.show();
        QApplication::setActiveWindow(&elsewhere);
        QVERIFY(QApplication::focusWidget() != box);
        messages->setNextAnswer(MessageAnswer::No);
        click(member("cmdFilter", 0));
        QApplication::processEvents();
        QCOMPARE(messages->shown.size(), std::size_t(4));
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("未开始过滤"));
        messages->setNextAnswer(MessageAnswer::No);
        w->panel().startRun();
        QCOMPARE(messages->shown.size(), std::size_t(5));
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("未开始过滤"));
        elsewhere.hide();
        QApplication::setActiveWindow(w.get());
        box->setFocus();
        // Yes keeps the valid items and lets the focus go.
        messages->setNextAnswer(MessageAnswer::Yes);
        click(other);
        QApplication::processEvents();
        QVERIFY(other->isChecked());
        QCOMPARE(box->toPlainText().trimmed(), QStringLiteral("12"));
        QVERIFY(base(box) != kLightYellow);
    }

    void clickAfterARefusalWhoseReleaseWasLostStillActs() {
        // A refused click whose release never reaches the window (the question
        // box's own loop took it) must not swallow the release of the next click.
        click(member("cmdTab", 5));
        auto* box = member<EntryBox>("txtCompose", 1);
        focusInto(box);
        QTest::keyClicks(box, QStringLiteral("12 345"));
        QPushButton* run = member<QPushButton>("cmdFilter", 0);
        messages->setNextAnswer(MessageAnswer::No);
        QTest::mousePress(run, Qt::LeftButton, {}, run->rect().center());
        QApplication::processEvents();
        QCOMPARE(messages->shown.size(), std::size_t(1));
        QCOMPARE(QApplication::focusWidget(), box);
        messages->setNextAnswer(MessageAnswer::Yes);
        click(run);
        QApplication::processEvents();
        QCOMPARE(messages->shown.size(), std::size_t(2));
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("过滤完毕！"));
        QCOMPARE(box->toPlainText().trimmed(), QStringLiteral("12"));
    }

    void validEntryIsLaidOutSilently() {
        click(member("cmdTab", 4 + 1));
        auto* box = member<EntryBox>("txtCompose", 1);
        focusInto(box);
        QTest::keyClicks(box, QStringLiteral("01,02;03 04 05 06 07 08 09 10 11"));
        click(member("chkEx", 1));
        QVERIFY(messages->shown.empty());
        QCOMPARE(box->toPlainText(), QStringLiteral("01 02 03 04 05 06 07 08 09 10 \n11"));
        // Double-click empties the box; the hint of box 3 returns on leaving.
        click(member("cmdTab", 7));
        auto* four = member<EntryBox>("txtCompose", 3);
        focusInto(four);
        QVERIFY(four->toPlainText().isEmpty());
        QTest::keyClicks(four, QStringLiteral("2406"));
        QTest::mouseDClick(four->viewport(), Qt::LeftButton);
        QVERIFY(four->toPlainText().isEmpty());
        click(member("chkEx", 2));
        QVERIFY(four->isGrey());
        QVERIFY(four->showingHint());
    }

    void sumValueBoxValidates() {
        auto* box = find<EntryBox>("txtHKD");
        focusInto(box);
        QVERIFY(box->toPlainText().isEmpty());
        QCOMPARE(base(box), base(find("txtDan5")));  // no colour change
        QTest::keyClicks(box, QStringLiteral("01 46 45"));
        messages->setNextAnswer(MessageAnswer::Yes);
        click(member("chkDW", 0));
        QApplication::processEvents();
        QCOMPARE(messages->shown.size(), std::size_t(1));
        QVERIFY(messages->shown[0].text.ends_with("和数值输入要保持两位数，例如 01 02 03 ..."));
        QCOMPARE(box->toPlainText(), QStringLiteral("01 45"));
    }

    void toleranceBoxes() {
        auto* lower = member<QLineEdit>("txtWrong", 0);
        auto* upper = member<QLineEdit>("txtWrong", 1);
        lower->setText(QString());
        QTest::keyClicks(lower, QStringLiteral("3a-7"));
        QCOMPARE(lower->text(), QStringLiteral("37"));
        lower->setText(QStringLiteral("3"));
        upper->setText(QStringLiteral("1"));
        click(member("cmdFilter", 0));
        QCOMPARE(lower->text(), QStringLiteral("1"));
        QCOMPARE(upper->text(), QStringLiteral("1"));
        QVERIFY(w->panel().results().empty());  // nothing fails exactly one check
        lower->setText(QStringLiteral("07"));
        upper->setText(QStringLiteral("09"));
        click(member("cmdFilter", 0));
        QCOMPARE(lower->text(), QStringLiteral("07"));
        QCOMPARE(upper->text(), QStringLiteral("9"));
    }

    void editingKeysPassTheNumberBoxes() {
        // Delete (with the DEL character X11 gives it) edits; Tab is no typed
        // key either: it moves the focus on, and leaving runs the box's own
        // rule (group size applied, drawn number checked).
        for (const char* name : {"txtWrong_0", "txtWrong_1"}) {
            auto* e = find<QLineEdit>(QString::fromLatin1(name));
            e->setText(QStringLiteral("10"));
            focusInto(e);
            e->setCursorPosition(0);
            QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
            QApplication::sendEvent(e, &del);
            QCOMPARE(e->text(), QStringLiteral("0"));
            QTest::keyClick(e, Qt::Key_Tab);
            QApplication::processEvents();
            QVERIFY(QApplication::focusWidget() != e);
        }
        click(member("cmdFilter", 0));
        auto* size = find<QLineEdit>("txtPage");
        focusInto(size);
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("20000"));
        QTest::keyClick(size, Qt::Key_Tab);
        QApplication::processEvents();
        QVERIFY(QApplication::focusWidget() != size);
        QCOMPARE(w->resultArea()->pageButtonCount(), 5);
        auto* drawn = find<QLineEdit>("txtLottoNumber");
        focusInto(drawn);
        QTest::keyClicks(drawn, QStringLiteral("1234."));
        QTest::keyClick(drawn, Qt::Key_Tab);
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), drawn);
        QCOMPARE(messages->shown.back().text, std::string("请输入5位数字组成的奖号！"));
        drawn->setText(QStringLiteral("12345"));
        QTest::keyClick(drawn, Qt::Key_Backtab, Qt::ShiftModifier);
        QApplication::processEvents();
        QVERIFY(QApplication::focusWidget() != drawn);
    }

    void clearAllResetsConditionsOnly() {
        int baseCleared = 0;
        connect(member<QPushButton>("cmdBase", 0), &QPushButton::clicked, this, [&] { ++baseCleared; });
        w->conditions().straightKillBox()->setEntryText(QStringLiteral("12345 54321"));
        click(member("chkDW", 13));
        click(member("chkHKD", 25));
        find<EntryBox>("txtHKD")->setEntryText(QStringLiteral("01"));
        click(member("cmdDan", 3));
        click(member("cmdBi", 20));
        click(member("chkJO", 4));
        click(member("chkZH", 5));
        click(member("cmdTab", 2));
        click(member("chk012", 100));
        click(member("chkEx", 13));
        member<EntryBox>("txtCompose", 6)->setEntryText(QStringLiteral("2406"));
        click(find("chkDanOption"));
        member<QLineEdit>("txtWrong", 1)->setText(QStringLiteral("2"));
        click(member("cmdFilter", 0));
        const auto before = w->panel().results();
        QVERIFY(!before.empty());

        click(member("cmdFilter", 2));
        const FilterInput cleared = w->conditions().filterInput();
        FilterInput empty;
        empty.straightKill.hint = cleared.straightKill.hint;
        empty.sumValueKill.hint = cleared.sumValueKill.hint;
        for (HintedText CompoundInput::*box : kCompoundBoxes) {
            (empty.compound.*box).hint = (cleared.compound.*box).hint;
            (empty.compound.*box).text = (empty.compound.*box).hint;
        }
        empty.countRepeats = true;  // "胆码计重" keeps its state
        QCOMPARE(cleared.compound.mustFour.text, cleared.compound.mustFour.hint);
        empty.straightKill.text = empty.straightKill.hint;
        empty.sumValueKill.text = empty.sumValueKill.hint;
        QVERIFY(cleared == empty);
        QVERIFY(w->conditions().straightKillBox()->isGrey());
        QCOMPARE(face(member("cmdBi", 20)), systemButtonFace());
        QCOMPARE(baseCleared, 1);
        QCOMPARE(member<QLineEdit>("txtWrong", 1)->text(), QStringLiteral("2"));
        QVERIFY(w->panel().results() == before);
        QCOMPARE(find<QLabel>("lblCount")->text(), QString::number(before.size()));
    }

    void runMatchesTheConditionRun() {
        // A dozen conditions set through the controls.
        auto* kill = w->conditions().straightKillBox();
        focusInto(kill);
        QTest::keyClicks(kill, QStringLiteral("12345 54321"));
        click(member("chkDW", 0));    // 万位 0
        click(member("chkDW", 47));   // 个位 7
        click(member("chkHKD", 5));   // sum tail 5
        click(member("chkHKD", 10));  // span 0
        auto* sums = find<EntryBox>("txtHKD");
        focusInto(sums);
        QTest::keyClicks(sums, QStringLiteral("00 45 20"));
        click(member("cmdDan", 1));
        click(member("cmdDan", 2));
        click(member("cmdDanCount", 1));
        click(member("chkDX", 31));  // 小小小小小
        click(member("chkJO", 10));
        click(member("chkZH", 0));   // 质质质质质
        click(member("chkEx", 0));   // 上山
        click(member("chkEx", 12));  // ABCDE
        click(member("cmdBi", 2));   // keep 2:3
        click(member("cmdBi", 3));   // keep 3:2
        click(member("cmdBi", 19));  // kill AC 2
        click(member("cmdTab", 2));
        click(member("chk012", 0));
        click(member("cmdTab", 5));
        auto* two = member<EntryBox>("txtCompose", 1);
        focusInto(two);
        QTest::keyClicks(two, QStringLiteral("23"));
        click(member("cmdTab", 11));
        auto* pos = member<EntryBox>("txtCompose", 7);
        focusInto(pos);
        QTest::keyClicks(pos, QStringLiteral("12***"));
        member<QLineEdit>("txtWrong", 1)->setText(QStringLiteral("1"));
        click(member("cmdFilter", 0));
        QVERIFY(messages->shown.empty());

        FilterInput in;
        in.straightKill = {"12345 54321", hints::kStraightKill};
        in.positionalKill[0][0] = true;
        in.positionalKill[4][7] = true;
        in.sumTailKill[5] = true;
        in.spanKill[0] = true;
        in.sumValueKill = {"00 45 20", hints::kSumValue};
        in.banker[0].digits[1] = in.banker[0].digits[2] = true;
        in.banker[0].counts[1] = true;
        in.bigSmallKill.set(*classBoxOfCaption(ClassKind::BigSmall, "小小小小小"));
        in.oddEvenKill.set(
            *classBoxOfCaption(ClassKind::OddEven, member<QCheckBox>("chkJO", 10)->text().toStdString()));
        in.primeCompositeKill.set(*classBoxOfCaption(ClassKind::PrimeComposite, "质质质质质"));
        in.shapeKill.set(kShapeUphill).set(kShapeABCDE);
        in.bigSmallRatio.set(2).set(3);
        in.acKill.set(2);
        in.roadKill.set(*roadPatternOfCaption("00000"));
        for (std::size_t i = 0; i < 8; ++i) (in.compound.*kCompoundBoxes[i]).hint = hints::kCompose[i];
        in.compound.killTwo.text = "23";
        in.compound.positional.text = "12***";
        const RunResult expected = runFilter(in, NumberSet{}, Tolerance{0, 1});
        QVERIFY(!expected.result.empty());
        QCOMPARE(w->panel().results().size(), expected.result.size());
        QVERIFY(w->panel().results() == expected.result);
        QCOMPARE(find<QLabel>("lblCount")->text(), QString::number(expected.result.size()));
        QCOMPARE(w->panel().lastRun()->matrix.columnCount(), expected.matrix.columnCount());

        // The same state set through setFilterInput reads back unchanged.
        const FilterInput read = w->conditions().filterInput();
        w->panel().clearAllConditions();
        w->conditions().setFilterInput(read);
        QVERIFY(w->conditions().filterInput() == read);
    }

    void pageButtonsCopyTheirGroup() {
        click(member("cmdFilter", 0));  // all 100,000
        ResultArea* area = w->resultArea();
        QCOMPARE(area->pageButtonCount(), 34);
        QCOMPARE(area->pageButton(33)->toolTip(), QStringLiteral("99001 - 100000"));
        auto* size = find<QLineEdit>("txtPage");
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("1000"));
        QTest::keyClick(size, Qt::Key_Return);
        QCOMPARE(area->pageButtonCount(), 100);
        QVERIFY(find("scrPage")->isVisible());
        click(member("cmdPage", 2));
        click(member("cmdPage", 6));
        QCOMPARE(face(member("cmdPage", 2)), kRed);
        QCOMPARE(face(member("cmdPage", 6)), kGreen);
        const QStringList copied = QString::fromStdString(clipboard->content)
                                       .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), 1000);
        QCOMPARE(copied.first(), QStringLiteral("06000"));
        QCOMPARE(copied.last(), QStringLiteral("06999"));
        // A size below the range is clamped with its message.
        size->setText(QStringLiteral("999"));
        QTest::keyClick(size, Qt::Key_Return);
        QCOMPARE(size->text(), QStringLiteral("1000"));
        QCOMPARE(messages->shown.back().text.substr(0, 10), std::string("分组注数").substr(0, 10));
    }

    void pageButtonAppliesTheEditedBoxFirst() {
        // The page buttons take no focus: the box being edited keeps it, and
        // is applied before the page is copied, as leaving it would.
        click(member("cmdFilter", 0));  // all 100,000 in groups of 3000
        auto* size = find<QLineEdit>("txtPage");
        focusInto(size);
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("1000"));
        click(member("cmdPage", 2));
        QApplication::processEvents();
        QCOMPARE(w->resultArea()->pageButtonCount(), 100);
        QCOMPARE(face(member("cmdPage", 2)), kGreen);
        QStringList copied = QString::fromStdString(clipboard->content)
                                 .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), 1000);
        QCOMPARE(copied.first(), QStringLiteral("02000"));
        QCOMPARE(QApplication::focusWidget(), size);
        // A size out of range is clamped with its message first.
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("200000"));
        click(member("cmdPage", 0));
        QApplication::processEvents();
        QCOMPARE(messages->shown.back().text, std::string(kGroupSizeAboveMessage));
        QCOMPARE(w->resultArea()->pageButtonCount(), 1);
        copied = QString::fromStdString(clipboard->content)
                     .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        QCOMPARE(copied.size(), 100000);

        // A refused drawn number keeps the page from being copied.
        clipboard->content.clear();
        auto* drawn = find<QLineEdit>("txtLottoNumber");
        focusInto(drawn);
        QTest::keyClicks(drawn, QStringLiteral("1234"));
        click(member("cmdPage", 0));
        QApplication::processEvents();
        QCOMPARE(messages->shown.back().text, std::string("请输入5位数字组成的奖号！"));
        QVERIFY(clipboard->content.empty());
        QCOMPARE(QApplication::focusWidget(), drawn);
        // Dots alone are cleaned away as leaving cleans them, then the page is copied.
        drawn->setText(QStringLiteral(".."));
        click(member("cmdPage", 0));
        QCOMPARE(drawn->text(), QString());
        QVERIFY(!clipboard->content.empty());
    }

    void exportWithoutEditorShowsTheNumbers() {
        click(member("cmdFilter", 4));
        QCOMPARE(messages->shown.back().text, std::string("结果注数为 0，请先进行过滤！"));
        QVERIFY(opened.empty());
        w->conditions().straightKillBox()->setEntryText(QStringLiteral("00000"));
        click(member("cmdFilter", 0));
        click(member("cmdFilter", 4));
        QCOMPARE(opened.size(), std::size_t(1));
        QVERIFY(opened[0].endsWith(QStringLiteral(".txt")));
        QVERIFY(clipboard->content.starts_with("00001 00002"));
        auto* viewer = w->findChild<QDialog*>(QStringLiteral("exportViewer"));
        QVERIFY(viewer);
        QVERIFY(viewer->findChild<QLabel*>(QStringLiteral("exportPathLabel"))->text().contains(opened[0]));
        QVERIFY(viewer->findChild<QPlainTextEdit*>(QStringLiteral("exportText"))
                    ->toPlainText()
                    .startsWith(QStringLiteral("00001 00002")));
        QFile::remove(opened[0]);
    }

    void prizeCheck() {
        auto* drawn = find<QLineEdit>("txtLottoNumber");
        auto* bonus = find<QPushButton>("cmdBonus");
        focusInto(drawn);
        QTest::keyClicks(drawn, QStringLiteral("1234"));
        QVERIFY(!bonus->isEnabled());
        QTest::keyClick(drawn, Qt::Key_Return);
        QVERIFY(messages->shown.empty());
        QTest::keyClicks(drawn, QStringLiteral("."));
        QVERIFY(bonus->isEnabled());
        QTest::keyClick(drawn, Qt::Key_Return);  // no result yet: the count message first
        QCOMPARE(messages->shown.back().text, std::string("结果注数为 0，请先进行过滤！"));
        // Leaving with four digits is refused.
        click(member("chkDW", 0));
        QApplication::processEvents();
        QCOMPARE(messages->shown.back().text, std::string("请输入5位数字组成的奖号！"));
        QCOMPARE(QApplication::focusWidget(), drawn);
        QVERIFY(!member<QCheckBox>("chkDW", 0)->isChecked());
        drawn->setText(QStringLiteral("54321"));
        click(member("cmdFilter", 0));
        focusInto(drawn);
        QTest::keyClick(drawn, Qt::Key_Return);
        QCOMPARE(messages->shown.back().text, std::string("恭喜您！结果中包含奖号 54321 ！"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
