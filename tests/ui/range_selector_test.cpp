// The history's one range: every selector sets it and follows it, whichever
// the player used; 期号 a–b takes the draws of those issues; the figures
// count over the range while 当前遗漏 stays the whole history's.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "analysis/draw_history.h"
#include "ui/analysis/kept_history.h"
#include "ui/analysis/range_selector.h"

namespace numsift {

class RangeSelectorTest : public QObject {
    Q_OBJECT

    static void typeIssue(QLineEdit* box, const char* issue) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::fromLatin1(issue));
        QTest::keyClick(box, Qt::Key_Return);
    }

private slots:
    void everySelectorShowsAndSetsTheOneRange() {
        KeptHistory history;
        // 2026001..2026010: 万位 digit 9 only in the oldest draw.
        std::string text = "2026001 90000\n";
        for (int i = 2; i <= 10; ++i)
            text += "20260" + QString::number(i).rightJustified(2, u'0').toStdString() + " 1234" +
                    std::to_string(i % 10) + "\n";
        history.merge(parseDraws(text));
        QCOMPARE(history.store().size(), std::size_t{10});
        RangeSelector trend(&history), rules(&history);

        trend.choice()->setCurrentIndex(RangeSelector::LastN);
        trend.count()->setValue(4);
        QCOMPARE(history.range(), DrawRange::newest(4));
        QCOMPARE(history.windowDraws().size(), std::size_t{4});
        // A count typed is one change, when it is entered.
        QSignalSpy changes(&history, &KeptHistory::windowChanged);
        trend.count()->setFocus();
        trend.count()->selectAll();
        QTest::keyClicks(trend.count(), QStringLiteral("35"));
        QCOMPARE(changes.count(), 0);
        QTest::keyClick(trend.count(), Qt::Key_Return);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(history.range(), DrawRange::newest(35));
        trend.count()->setValue(4);
        // The other selector follows, and its count box is the one in use.
        QCOMPARE(rules.choice()->currentIndex(), int(RangeSelector::LastN));
        QCOMPARE(rules.count()->value(), 4);
        QVERIFY(rules.count()->isEnabled());
        // 万位9 was last seen nine draws ago; the range of four does not
        // make it look fresh.
        const ItemFigures& nine = history.stats()[positionItem(1, 9)];
        QCOMPARE(nine.currentOmission, 9u);
        QCOMPARE(nine.hits, 0u);

        rules.choice()->setCurrentIndex(RangeSelector::Issues);
        QVERIFY(rules.fromIssue()->isVisible() || !rules.isVisible());
        QVERIFY(rules.count()->isHidden());
        // Until both ends are given the range stays.
        QCOMPARE(history.range(), DrawRange::newest(4));
        typeIssue(rules.fromIssue(), "2026008");
        typeIssue(rules.toIssue(), "2026003");
        QCOMPARE(history.range(), DrawRange::issues("2026008", "2026003"));
        QCOMPARE(history.rangeSpan(), (DrawSpan{2, 8}));  // 2026003..2026008, either order
        QCOMPARE(history.windowText(), QStringLiteral("期号 2026008–2026003，共 6 期"));
        QCOMPARE(trend.choice()->currentIndex(), int(RangeSelector::Issues));
        QCOMPARE(trend.fromIssue()->text(), QStringLiteral("2026008"));

        trend.choice()->setCurrentIndex(RangeSelector::Last30);
        QCOMPARE(history.range(), DrawRange::newest(30));
        QCOMPARE(history.windowText(), QStringLiteral("全部 10 期"));  // fewer than 30 kept
        QCOMPARE(rules.choice()->currentIndex(), int(RangeSelector::Last30));
    }
};

}  // namespace numsift

QTEST_MAIN(numsift::RangeSelectorTest)
#include "range_selector_test.moc"
