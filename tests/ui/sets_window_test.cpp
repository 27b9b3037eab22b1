// The number-set pages inside the main window: built as pages 0 and 3, the
// base set feeding the run, the kill list and "清空所有条件".

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "controls/entry_box.h"
#include "tests/fakes/platform_fakes.h"
#include "tests/ui/window_fixture.h"
#include "ui/conditions/kill_list_binding.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_pages.h"
#include "ui/sets/number_box.h"
#include "ui/sets/number_box_binding.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"
#include "ui/conditions/condition_panel.h"
#include "ui/shell/window_panel.h"

using namespace numsift;

class SetsWindowTest : public WindowFixture {
    Q_OBJECT
private slots:
    void init() { newDoubles(); }
    void pagesAreInstalled();
    void baseSetFeedsTheRunAndClearAllEmptiesIt();
    void killListPasteAndClearAll();
    void closingTheWindowRemovesPasteInterception();
};

void SetsWindowTest::pagesAreInstalled() {
    MainWindow window(services());
    QVERIFY(window.basePage());
    QCOMPARE(window.pages().page(0), static_cast<QWidget*>(window.basePage()));
    QCOMPARE(window.pages().page(3), static_cast<QWidget*>(window.joinPage()));
    QCOMPARE(window.findChildren<QWidget*>("fraTab_0").size(), 1);
    QVERIFY(window.findChild<NumberBox*>("txtBase"));
    QCOMPARE(window.findChild<QLabel*>("lblBase")->text(), QString("0"));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(window.findChild<NumberBox*>(QString("txtJoin_%1").arg(i)));
        QCOMPARE(window.findChild<QLabel*>(QString("lblJoin_%1").arg(i))->text(), QString());
    }
    QCOMPARE(window.findChild<QPushButton*>("cmdJoin_4")->text(), QString("AB并集"));
    QCOMPARE(window.findChild<QPushButton*>("cmdBase_1")->text(), QString("导入"));
}

void SetsWindowTest::baseSetFeedsTheRunAndClearAllEmptiesIt() {
    MainWindow window(services());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.pages().selectTab(0);
    PageBase* base = window.basePage();
    base->txtBase()->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText("12345 54321,00007");
    QTest::keyClick(base->txtBase(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(base->lblBase()->text(), QString("3"));

    window.conditions().setToleranceTexts("0", "0");
    window.panel().startRun();
    QCOMPARE(window.panel().results(), (std::vector<std::uint32_t>{7, 12345, 54321}));

    window.panel().clearAllConditions();
    QCOMPARE(base->txtBase()->toPlainText(), QString());
    QCOMPARE(base->lblBase()->text(), QString("0"));
    window.panel().startRun();
    QCOMPARE(window.panel().results().size(), size_t(100000));
}

void SetsWindowTest::killListPasteAndClearAll() {
    MainWindow window(services());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.pages().selectTab(1);
    EntryBox* txtDan5 = window.conditions().straightKillBox();
    QVERIFY(txtDan5->showingHint());
    txtDan5->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText("12345,54321");
    QTest::keyClick(txtDan5, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(txtDan5->toPlainText(), QString("12345 54321"));
    QCOMPARE(window.numberSets().baseCount(), 0u);

    window.conditions().setToleranceTexts("0", "0");
    window.panel().startRun();
    QCOMPARE(window.panel().results().size(), size_t(99998));

    window.panel().clearAllConditions();
    QVERIFY(txtDan5->toPlainText().isEmpty() || txtDan5->showingHint());
    window.panel().startRun();
    QCOMPARE(window.panel().results().size(), size_t(100000));
}

void SetsWindowTest::closingTheWindowRemovesPasteInterception() {
    auto* window = new MainWindow(services());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    window->pages().selectTab(3);
    PageJoin* join = window->joinPage();
    NumberBox* a = join->txtJoin(0);
    a->setFocus(Qt::TabFocusReason);
    QVERIFY(join->binding(0)->pasteIntercepted());
    window->close();
    QVERIFY(!join->binding(0)->pasteIntercepted());
    delete window;
}

QTEST_MAIN(SetsWindowTest)
#include "sets_window_test.moc"
