// Texts fitted into cells: the size chosen, the ink kept inside its cell and
// centred there, and what is kept dropped with the font.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "ui/kit/fitted_text.h"

using numsift::FittedText;

namespace {

// The columns and rows with ink (darker than light grey) in image.
QRect inkIn(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) ink |= QRect(x, y, 1, 1);
    return ink;
}

QImage drawn(FittedText& fitted, const QRect& box, const QString& text, int pixel) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    fitted.draw(p, box, text, pixel);
    return image;
}

}  // namespace

class FittedTextTest : public QObject {
    Q_OBJECT
private slots:
    void theLargestSizeThatFitsIsChosen() {
        FittedText fitted;
        fitted.setFont(QApplication::font());
        const FittedText::Fit roomy = fitted.fit(QStringLiteral("12"), 100, 12);
        QCOMPARE(roomy.pixel, 12);
        QVERIFY(roomy.width > 0);
        const int full = fitted.fit(QStringLiteral("2918"), 1000, 12).width;
        const FittedText::Fit tight = fitted.fit(QStringLiteral("2918"), full - 3, 12);
        QVERIFY(tight.pixel < 12);
        QVERIFY(tight.width <= full - 3);
        // Nothing fits: the smallest size, wider than the room.
        const FittedText::Fit squeezed = fitted.fit(QStringLiteral("2918294529973018"), 20, 12);
        QCOMPARE(squeezed.pixel, FittedText::kSmallestPixel);
        QVERIFY(squeezed.width > 20);
    }

    void theInkStaysInItsCellAndStandsInItsMiddle() {
        FittedText fitted;
        fitted.setFont(QApplication::font());
        const QRect box(60, 5, 40, 20);
        const QRect centred = inkIn(drawn(fitted, box, QStringLiteral("37"), 12));
        QVERIFY(!centred.isEmpty());
        QVERIFY(box.contains(centred));
        QVERIFY(std::abs(centred.center().x() - box.center().x()) <= 2);
        QVERIFY(std::abs(centred.center().y() - box.center().y()) <= 3);
        // Drawn again from what was kept: the same pixels.
        QCOMPARE(drawn(fitted, box, QStringLiteral("37"), 12), drawn(fitted, box, QStringLiteral("37"), 12));
        // A text too long even at the smallest size is squeezed across the cell.
        const QRect squeezed = inkIn(drawn(fitted, box, QStringLiteral("2918294529973018"), 12));
        QVERIFY(box.adjusted(0, 0, 1, 0).contains(squeezed));
    }

    void anotherFontDropsWhatWasKept() {
        FittedText fitted;
        QFont font = QApplication::font();
        fitted.setFont(font);
        fitted.fit(QStringLiteral("12"), 100, 12);
        QVERIFY(fitted.kept() > 0);
        fitted.setFont(font);
        QVERIFY(fitted.kept() > 0);
        font.setItalic(true);
        fitted.setFont(font);
        QCOMPARE(fitted.kept(), 0);
    }
};

QTEST_MAIN(FittedTextTest)
#include "fitted_text_test.moc"
