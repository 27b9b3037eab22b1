// The entry box's leave check against the click that leaves it.

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "controls/entry_box.h"

using numsift::EntryBox;
using numsift::LeaveAnswer;

class EntryBoxTest : public QObject {
    Q_OBJECT
private slots:
    void aClickOnAControlTheCheckRebuildsGoesToItsSuccessor() {
        // Leaving the box rebuilds the button that was pressed (as a new group
        // size rebuilds the page buttons): the click reaches the new button
        // standing in its place, once, and nothing touches the old one.
        QWidget window;
        window.resize(300, 100);
        auto* box = new EntryBox(&window);
        box->setGeometry(0, 0, 100, 30);
        QPointer<QPushButton> button = new QPushButton(QStringLiteral("旧"), &window);
        button->setGeometry(150, 0, 100, 30);
        int oldClicks = 0, newClicks = 0, checks = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++oldClicks; });
        QPointer<QPushButton> successor;
        box->setValidator([&](EntryBox&, bool) {
            ++checks;
            if (button) {
                delete button;
                successor = new QPushButton(QStringLiteral("新"), &window);
                successor->setGeometry(150, 0, 100, 30);
                successor->show();
                QObject::connect(successor, &QPushButton::clicked, [&] { ++newClicks; });
            }
            return LeaveAnswer::Go;
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("12"));

        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(200, 15));
        QApplication::processEvents();

        QVERIFY(!button);
        QVERIFY(successor);
        QCOMPARE(oldClicks, 0);
        QCOMPARE(newClicks, 1);
        QCOMPARE(checks, 1);
        QCOMPARE(QApplication::focusWidget(), successor.data());
    }
};

QTEST_MAIN(EntryBoxTest)
#include "entry_box_test.moc"
