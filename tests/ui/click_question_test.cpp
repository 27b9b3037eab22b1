// The questions a box asks when a click leaves it, shown as the real modal
// message boxes and answered from inside their own event loops, with real
// press/release pairs on the clicked controls. Built twice: once with the
// mouse events sent to the widgets, once through the window system as a
// desktop delivers them (the focus moves before the press reaches the widget).

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

#include "controls/entry_box.h"
#include "tests/fakes/platform_fakes.h"
#include "ui/shell/app_setup.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/results/result_area.h"
#include "ui/shell/tab_strip.h"
#include "tests/ui/window_fixture.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

namespace {

// Answers every message box the moment it is shown, from a timer that runs in
// the box's own event loop: a click on the named button (a real press and
// release), or Enter. Before answering it lets go of a mouse button that the
// test still holds, over the control it was pressed on, through the window
// system: the box is modal, so that release never reaches the window, as when
// a user lets go while the question appears.
class Answerer : public QObject {
public:
    enum class By { Mouse, Enter };

    Answerer() { qApp->installEventFilter(this); }
    ~Answerer() override { qApp->removeEventFilter(this); }

    void answer(const char* button, By by = By::Mouse) {
        button_ = QString::fromUtf8(button);
        by_ = by;
    }

    QStringList titles, texts;
    QPointer<QWidget> held;  // the control the test's mouse button is down on

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (!box) return false;
        titles << box->windowTitle();
        texts << box->text();
        QPointer<QMessageBox> target(box);
        QTimer::singleShot(0, box, [this, target] {
            if (!target || QApplication::activeModalWidget() != target) return;
            releaseHeldButton();
            if (by_ == By::Enter) {
                QTest::keyClick(target, Qt::Key_Return);
                return;
            }
            // Boxes with one button are confirmed with it.
            const QList<QAbstractButton*> buttons = target->buttons();
            for (QAbstractButton* b : buttons)
                if (b->text() == button_ || buttons.size() == 1) {
                    probe::clickCentre(b);
                    return;
                }
            target->done(QDialog::Rejected);
            QFAIL(qPrintable(QStringLiteral("no button %1 on %2").arg(button_, target->text())));
        });
        return false;
    }

private:
    void releaseHeldButton() {
        if (!held) return;
        QWidget* w = held;
        held = nullptr;
        QWindow* window = w->window()->windowHandle();
        QTest::mouseRelease(window, Qt::LeftButton, {},
                            window->mapFromGlobal(w->mapToGlobal(w->rect().center())));
    }

    QString button_ = QString::fromUtf8("是");
    By by_ = By::Mouse;
};

}  // namespace

class ClickQuestionTest : public WindowFixture {
    Q_OBJECT

    std::unique_ptr<Answerer> answerer;

    QString countShown() { return find<QLabel>("lblCount")->text(); }

    // Whatever a click queued (the question, the click it held) runs.
    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    // A user's click: the press, then the release, which happens while a
    // question raised by the press is up when the press shows one at once.
    void userClick(QWidget* target) {
        answerer->held = target;
        QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
        if (answerer->held) {
            answerer->held = nullptr;
            QTest::mouseRelease(target, Qt::LeftButton, {}, target->rect().center());
        }
        settle();
    }

    void typeInto(EntryBox* box, const QString& text) {
        if (QApplication::focusWidget() != box) userClick(box);
        QCOMPARE(QApplication::focusWidget(), box);
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    EntryBox* killTwoBox() {
        userClick(member("cmdTab", 5));  // 杀两码
        return member<EntryBox>("txtCompose", 1);
    }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init() {
        newDoubles();
        answerer = std::make_unique<Answerer>();
        // No message sink and no file dialogs given: the window shows real
        // message boxes.
        w = openWindow(WindowServices{nullptr, clipboard.get(), nullptr, {}});
    }
    void cleanup() {
        w.reset();
        answerer.reset();
    }

    void yesLetsTheRunStartOnce() {
        // Tolerance 0-0; "12 13" kills every number holding 1 and 2 or 1 and 3.
        EntryBox* box = killTwoBox();
        typeInto(box, QStringLiteral("12 13"));
        auto* run = member<QPushButton>("cmdFilter", 0);
        userClick(run);
        QCOMPARE(countShown(), QStringLiteral("75010"));
        QVERIFY(answerer->texts.isEmpty());

        typeInto(box, QStringLiteral("45 6"));
        QSignalSpy runs(run, &QPushButton::clicked);
        answerer->answer("是");
        userClick(run);
        QCOMPARE(answerer->titles, QStringList{QString::fromUtf8("条件提示")});
        QCOMPARE(box->toPlainText().trimmed(), QStringLiteral("45"));
        // Numbers holding both 4 and 5: 100000 - 2 * 9^5 + 8^5 = 14670.
        QCOMPARE(countShown(), QStringLiteral("85330"));
        QCOMPARE(runs.count(), 1);
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("过滤完毕！"));
        QVERIFY(!run->isDown());
        QCOMPARE(w->panel().results().size(), std::size_t(85330));
        // The copy takes the new set.
        userClick(member("cmdFilter", 3));
        QVERIFY(clipboard->content.starts_with("00000 00001"));
        QCOMPARE(QString::fromStdString(clipboard->content).count(QLatin1Char(' ')) + 1, 85330);
    }

    void yesTicksTheClickedBoxOnce() {
        EntryBox* box = killTwoBox();
        typeInto(box, QStringLiteral("12 345"));
        auto* tick = member<QCheckBox>("chkEx", 0);
        QSignalSpy toggles(tick, &QCheckBox::toggled);
        answerer->answer("是", Answerer::By::Enter);
        userClick(tick);
        QCOMPARE(answerer->texts.size(), 1);
        QVERIFY(answerer->texts[0].startsWith(QString::fromUtf8("输入的内容不符合格式要求！是否自动清空？")));
        QVERIFY(tick->isChecked());
        QCOMPARE(toggles.count(), 1);
        QCOMPARE(box->toPlainText().trimmed(), QStringLiteral("12"));
        QVERIFY(QApplication::focusWidget() != box);
    }

    void yesSwitchesTheClickedTab() {
        EntryBox* box = killTwoBox();
        typeInto(box, QStringLiteral("7"));
        QSignalSpy tabs(w->tabStrip(), &TabStrip::tabClicked);
        answerer->answer("是");
        userClick(member("cmdTab", 2));  // 杀012路
        QCOMPARE(answerer->texts.size(), 1);
        QCOMPARE(tabs.count(), 1);
        QCOMPARE(w->pages().currentTab(), 2);
        QVERIFY(find("fraTab_2")->isVisible());
        QVERIFY(!find("fraTab_4")->isVisible());
        QVERIFY(!member<QPushButton>("cmdTab", 2)->isDown());
    }

    void noSwallowsTheClickAndKeepsTheFocus() {
        EntryBox* box = killTwoBox();
        typeInto(box, QStringLiteral("45 6"));
        auto* run = member<QPushButton>("cmdFilter", 0);
        auto* tick = member<QCheckBox>("chkEx", 0);
        QSignalSpy runs(run, &QPushButton::clicked);
        answerer->answer("否");
        userClick(run);
        userClick(tick);
        userClick(member("cmdTab", 2));
        QCOMPARE(answerer->texts.size(), 3);
        QCOMPARE(runs.count(), 0);
        QCOMPARE(find<QLabel>("L_ztai")->text(), QString::fromUtf8("未开始过滤"));
        QVERIFY(!tick->isChecked());
        QCOMPARE(w->pages().currentTab(), 5);
        QVERIFY(!run->isDown());
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->toPlainText(), QStringLiteral("45 6"));
        // The next click, answered 是, acts once.
        answerer->answer("是");
        userClick(run);
        QCOMPARE(runs.count(), 1);
        QCOMPARE(countShown(), QStringLiteral("85330"));
    }

    void sumValueBoxAsksTheSameWay() {
        auto* box = find<EntryBox>("txtHKD");
        typeInto(box, QStringLiteral("01 46 45"));
        auto* tick = member<QCheckBox>("chkDW", 0);
        answerer->answer("是");
        userClick(tick);
        QCOMPARE(answerer->texts.size(), 1);
        QCOMPARE(box->toPlainText(), QStringLiteral("01 45"));
        QVERIFY(tick->isChecked());
    }

    void groupSizeMessageLetsTheRunStart() {
        userClick(member("cmdFilter", 0));
        auto* size = find<QLineEdit>("txtPage");
        userClick(size);
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("999"));
        auto* run = member<QPushButton>("cmdFilter", 0);
        QSignalSpy runs(run, &QPushButton::clicked);
        answerer->answer("确定");
        userClick(run);
        QCOMPARE(answerer->texts.size(), 1);
        QVERIFY(answerer->texts[0].startsWith(QString::fromUtf8("分组注数输入范围")));
        QCOMPARE(size->text(), QStringLiteral("1000"));
        QCOMPARE(runs.count(), 1);
        QVERIFY(!run->isDown());
        QCOMPARE(w->resultArea()->pageButtonCount(), 100);
    }

    void refusedDrawnNumberSwallowsTheClick() {
        auto* drawn = find<QLineEdit>("txtLottoNumber");
        userClick(drawn);
        QTest::keyClicks(drawn, QStringLiteral("1234"));
        auto* tick = member<QCheckBox>("chkEx", 0);
        answerer->answer("确定");
        userClick(tick);
        QCOMPARE(answerer->texts, QStringList{QString::fromUtf8("请输入5位数字组成的奖号！")});
        QVERIFY(!tick->isChecked());
        QCOMPARE(QApplication::focusWidget(), drawn);
        // Five digits (the refused text is selected): the click acts without a message.
        QTest::keyClicks(drawn, QStringLiteral("12345"));
        userClick(tick);
        QCOMPARE(answerer->texts.size(), 1);
        QVERIFY(tick->isChecked());
    }

    void pageButtonChecksTheEditedBoxFirst() {
        userClick(member("cmdFilter", 0));  // all 100,000
        auto* drawn = find<QLineEdit>("txtLottoNumber");
        userClick(drawn);
        QTest::keyClicks(drawn, QStringLiteral("1234"));
        auto* page = member<QPushButton>("cmdPage", 0);
        userClick(page);
        QCOMPARE(answerer->texts, QStringList{QString::fromUtf8("请输入5位数字组成的奖号！")});
        QVERIFY(clipboard->content.empty());
        QVERIFY(!page->isDown());
        QCOMPARE(QApplication::focusWidget(), drawn);
        // A group size out of range: its message, then the page of the new grouping.
        drawn->clear();
        auto* size = find<QLineEdit>("txtPage");
        userClick(size);
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("500"));
        userClick(member("cmdPage", 1));
        QCOMPARE(answerer->texts.size(), 2);
        QCOMPARE(size->text(), QStringLiteral("1000"));
        QCOMPARE(w->resultArea()->pageButtonCount(), 100);
        QVERIFY(clipboard->content.starts_with("01000 01001"));
    }

    void emptiedHintedBoxLosesItsHintWhenClickedAgain() {
        // 是 empties a box with a hint, and the window is not activated again
        // (no window manager): clicking back into it still removes the hint,
        // so only what is typed becomes the condition.
        userClick(member("cmdTab", 4));  // 杀垃圾复式, with a hint
        auto* box = member<EntryBox>("txtCompose", 0);
        typeInto(box, QStringLiteral("xyz"));
        answerer->answer("是");
        userClick(member("chkEx", 0));
        QCOMPARE(answerer->texts.size(), 1);
        QVERIFY(box->showingHint());
        QVERIFY(box->isGrey());
        QWidget elsewhere;
        elsewhere.show();
        QApplication::setActiveWindow(&elsewhere);
        userClick(box->viewport());
        QVERIFY(!box->showingHint());
        QVERIFY(!box->isGrey());
        QTest::keyClicks(box, QStringLiteral("1"));
        QCOMPARE(box->toPlainText(), QStringLiteral("1"));
        QCOMPARE(box->entryText(), QStringLiteral("1"));
        // Typing into a box that shows its hint removes it just the same.
        box->clearEntry();
        QVERIFY(box->showingHint());
        QTest::keyClicks(box, QStringLiteral("2"));
        QCOMPARE(box->toPlainText(), QStringLiteral("2"));
    }
};

QTEST_MAIN(ClickQuestionTest)
#include "click_question_test.moc"
