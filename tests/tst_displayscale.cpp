#include "support/testmain.h"

#include "base/displayscale.h"
#include "base/widgetscale.h"

#include <QLabel>

class TestDisplayScale : public QObject
{
    Q_OBJECT

private slots:
    void scaleRule_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("expected");

        QTest::newRow("96 dpi laptop") << 96.0 << 1366 << 728 << 1.0;
        QTest::newRow("144 dpi fits") << 144.0 << 1920 << 1040 << 1.5;
        QTest::newRow("192 dpi too big, falls to 1.5") << 192.0 << 1920 << 1040 << 1.5;
        QTest::newRow("192 dpi on 1600x900 gives 1.25") << 192.0 << 1600 << 900 << 1.25;
        QTest::newRow("120 dpi too short gives 1.0") << 120.0 << 1280 << 680 << 1.0;
        // Boundaries: the window fits exactly; 1.5 needs more than 1494 x 984.
        QTest::newRow("exact fit at 1.0") << 96.0 << 997 << 657 << 1.0;
        QTest::newRow("one pixel short at 1.0") << 96.0 << 996 << 657 << 1.0;
        QTest::newRow("1.5 needs width-1 above 1494") << 192.0 << 1495 << 1000 << 1.25;
        QTest::newRow("odd ratio that fits is kept") << 110.0 << 1920 << 1080 << 110.0 / 96.0;
    }

    void scaleRule()
    {
        QFETCH(double, dpi);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, expected);
        QCOMPARE(DisplayScale::compute(dpi, dpi, QRect(0, 0, width, height)), expected);
    }

    void smallerDpiAxisWins()
    {
        // 192 x 96: the ratio is taken from the smaller axis (1.0).
        QCOMPARE(DisplayScale::compute(192, 96, QRect(0, 0, 1366, 728)), 1.0);
    }

    void availableAreaOffsetDoesNotMatter()
    {
        // A task bar at the top moves the area without shrinking it further.
        QCOMPARE(DisplayScale::compute(144, 144, QRect(0, 40, 1920, 1040)), 1.5);
    }

    void childGeometryIsScaledAndRounded()
    {
        QWidget root;
        root.resize(997, 657);
        auto *frame = new QWidget(&root);
        frame->setGeometry(10, 10, 977, 637);
        auto *label = new QLabel(frame);
        label->setGeometry(3, 5, 101, 33);

        DisplayScale::scaleChildGeometry(&root, 1.25);

        QCOMPARE(frame->geometry(), QRect(13, 13, 1221, 796)); // 12.5 -> 13, 796.25 -> 796
        QCOMPARE(label->geometry(), QRect(4, 6, 126, 41)); // 3.75, 6.25, 126.25, 41.25
    }
};

QUILLON_TEST_MAIN(TestDisplayScale)
#include "tst_displayscale.moc"
