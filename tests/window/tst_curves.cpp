// Curve geometry number by number, and the two curve widgets rendered into
// images so a drawing fault shows up as well as an arithmetic one.
#include "configmodel.h"
#include "curewidget.h"
#include "curvegeometry.h"
#include "mwidget.h"

#include <QImage>
#include <QtTest>

Q_DECLARE_METATYPE(CurvePoint)

namespace QTest {
template <> char *toString(const CurvePoint &p)
{
    return qstrdup(QByteArray("(" + QByteArray::number(p.x) + ", " + QByteArray::number(p.y) + ")").constData());
}
}  // namespace QTest

namespace {

const std::array<int, 7> kStartPoints = {0, 16, 33, 50, 67, 84, 100};

std::vector<int> range15(int from, int to)
{
    std::vector<int> v;
    for (int x = from; x <= to; x += 15)
        v.push_back(x);
    return v;
}

QImage render(QWidget &w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);  // anything left magenta was not painted
    w.render(&img);
    return img;
}

QRgb px(const QImage &img, int x, int y)
{
    return img.pixel(x, y) & 0xffffff;
}

constexpr QRgb kRed = 0xff0000, kGreen = 0x00ff00, kWhite = 0xffffff;

}  // namespace

class TestCurves : public QObject
{
    Q_OBJECT

private slots:
    void dashStartsAreMultiplesOf15InRange()
    {
        QCOMPARE(dashStarts(21, 269), range15(30, 255));
        QCOMPARE(dashStarts(21, 30), std::vector<int>{30});
        QVERIFY(dashStarts(21, 29).empty());
        QVERIFY(dashStarts(21, -5).empty());
        QCOMPARE(dashStarts(-20, 0), (std::vector<int>{-15, 0}));
    }

    void throttleAtFormSize()
    {
        const ThrottleLayout t = throttleLayout(300, 300, kStartPoints);
        QVERIFY(t.rowsDrawn);
        QVERIFY(t.columnsDrawn);
        QCOMPARE(t.rows, (std::array<int, 11>{30, 54, 78, 102, 126, 150, 174, 198, 222, 246, 270}));
        QCOMPARE(t.columns, (std::array<int, 6>{63, 106, 150, 193, 236, 280}));
        QCOMPARE(t.rowDashX, range15(30, 255));
        QCOMPARE(t.columnDashY, range15(30, 255));
        const std::array<CurvePoint, 7> curve = {
            {{30, 270}, {63, 231}, {106, 190}, {150, 150}, {193, 109}, {236, 68}, {280, 30}}};
        for (int k = 0; k < 7; ++k)
            QCOMPARE(t.curve[k], curve[k]);
        // The scale texts sit 7 pixels below their grid lines.
        for (int k = 0; k < 11; ++k)
            QCOMPARE(kThrottleScale[k].at.y, t.rows[k] + 7);
        QCOMPARE(QByteArray(kThrottleScale[0].text), QByteArray("100"));
        QCOMPARE(QByteArray(kThrottleScale[10].text), QByteArray("  0"));
    }

    void throttleHeightsFollowValuesUnclamped_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("y");
        QTest::newRow("0 at the bottom") << 0 << 270;
        QTest::newRow("100 at the top") << 100 << 30;
        QTest::newRow("33 truncates") << 33 << 190;  // 30 + 16080/100
        QTest::newRow("above 100 leaves the outline") << 150 << -90;
        QTest::newRow("below 0 leaves the outline") << -20 << 318;
    }
    void throttleHeightsFollowValuesUnclamped()
    {
        QFETCH(int, value);
        QFETCH(int, y);
        QCOMPARE(throttleY(value, 300), y);
        const ThrottleLayout t = throttleLayout(300, 300, {value, value, value, value, value, value, value});
        for (const CurvePoint &p : t.curve)
            QCOMPARE(p.y, y);
    }

    void throttleGridFollowsWidgetSize()
    {
        // Rows depend on the width, columns on the height.
        ThrottleLayout t = throttleLayout(50, 300, kStartPoints);
        QVERIFY(!t.rowsDrawn);
        QVERIFY(t.rowDashX.empty());
        QVERIFY(t.columnsDrawn);
        t = throttleLayout(51, 50, kStartPoints);
        QVERIFY(t.rowsDrawn);
        QVERIFY(!t.columnsDrawn);
        QVERIFY(t.columnDashY.empty());
        // A larger widget stretches the grid and the curve's last point.
        t = throttleLayout(400, 200, kStartPoints);
        QCOMPARE(t.rows[10], 170);
        QCOMPARE(t.columns[5], 380);
        QCOMPARE(t.curve[6], (CurvePoint{380, 30}));
        QCOMPARE(t.curve[0], (CurvePoint{30, 170}));
    }

    void dualRatePoints_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("expo");
        QTest::addColumn<CurvePoint>("lowerStart");
        QTest::addColumn<CurvePoint>("lowerControl");
        QTest::addColumn<CurvePoint>("upperStart");
        QTest::addColumn<CurvePoint>("upperControl");
        QTest::newRow("R70 E-30") << 70 << -30 << CurvePoint{20, 224} << CurvePoint{72, 170} << CurvePoint{260, 56}
                                  << CurvePoint{208, 110};
        QTest::newRow("R100 E0 straight diagonal")
            << 100 << 0 << CurvePoint{20, 260} << CurvePoint{80, 200} << CurvePoint{260, 20} << CurvePoint{200, 80};
        QTest::newRow("R100 E100") << 100 << 100 << CurvePoint{20, 260} << CurvePoint{120, 260} << CurvePoint{260, 20}
                                   << CurvePoint{160, 20};
        QTest::newRow("R100 E-100") << 100 << -100 << CurvePoint{20, 260} << CurvePoint{40, 140} << CurvePoint{260, 20}
                                    << CurvePoint{240, 140};
        QTest::newRow("R0 flat whatever E")
            << 0 << 80 << CurvePoint{20, 140} << CurvePoint{80, 140} << CurvePoint{260, 140} << CurvePoint{200, 140};
    }
    void dualRatePoints()
    {
        QFETCH(int, rate);
        QFETCH(int, expo);
        const DualRateLayout d = dualRateLayout(280, 280, rate, expo);
        QCOMPARE(d.centre, (CurvePoint{140, 140}));
        QTEST(d.lowerStart, "lowerStart");
        QTEST(d.lowerControl, "lowerControl");
        QTEST(d.upperStart, "upperStart");
        QTEST(d.upperControl, "upperControl");
    }

    void dualRateHalvesArePointSymmetric()
    {
        // At the form's size the truncations cancel, so any sign or
        // operand mix-up in one half breaks the symmetry somewhere.
        for (int r = 0; r <= 100; ++r) {
            for (int e = -100; e <= 100; ++e) {
                const DualRateLayout d = dualRateLayout(280, 280, r, e);
                const CurvePoint s{d.lowerStart.x + d.upperStart.x, d.lowerStart.y + d.upperStart.y};
                const CurvePoint c{d.lowerControl.x + d.upperControl.x, d.lowerControl.y + d.upperControl.y};
                if (s != CurvePoint{280, 280} || c != CurvePoint{280, 280})
                    QFAIL(qPrintable(QString("R=%1 E=%2").arg(r).arg(e)));
            }
        }
    }

    void dualRateCentreLinesFollowWidgetSize()
    {
        DualRateLayout d = dualRateLayout(280, 280, 100, 0);
        QCOMPARE(d.rowDashX, range15(30, 255));
        QCOMPARE(d.columnDashY, range15(30, 255));
        d = dualRateLayout(40, 41, 100, 0);
        QVERIFY(!d.rowDrawn);
        QVERIFY(d.rowDashX.empty());
        QVERIFY(d.columnDrawn);
        d = dualRateLayout(41, 40, 100, 0);
        QVERIFY(d.rowDrawn);
        QVERIFY(!d.columnDrawn);
    }

    void extremeValuesDoNotOverflow()
    {
        // Not reachable through the editors, but a bad packet must not
        // turn into undefined arithmetic.
        const DualRateLayout d = dualRateLayout(280, 280, INT_MAX, INT_MIN);
        QVERIFY(d.lowerStart.y > 140);  // far below the outline, not wrapped
        QVERIFY(d.upperStart.y < 140);
        QCOMPARE(throttleY(INT_MIN, 300), INT_MAX);
    }

    void throttleWidgetPaints()
    {
        ConfigModel cfg;
        cureWidget w;
        w.setModel(&cfg);
        w.resize(300, 300);
        QImage img = render(w);
        QCOMPARE(px(img, 150, 150), kRed);  // curve through the centre point
        QCOMPARE(px(img, 63, 231), kRed);
        QCOMPARE(px(img, 164, 137), kRed);  // mid-segment
        // A quarter, half and three quarters along each of the six segments,
        // and the last one's end at the right edge of the outline.
        const std::array<CurvePoint, 7> pts = throttleLayout(300, 300, kStartPoints).curve;
        for (int k = 0; k < 6; ++k)
            for (int q = 1; q < 4; ++q)
                QCOMPARE(
                    px(img, pts[k].x + (pts[k + 1].x - pts[k].x) * q / 4, pts[k].y + (pts[k + 1].y - pts[k].y) * q / 4),
                    kRed);
        QCOMPARE(px(img, 280, 30), kRed);
        QCOMPARE(px(img, 85, 90), kWhite);    // between grid lines
        QCOMPARE(px(img, 299, 299), kWhite);  // the fill covers the whole widget
        QCOMPARE(px(img, 30, 42), kGreen);    // outline, left edge
        QCOMPARE(px(img, 279, 42), kGreen);   // outline, right edge
        QCOMPARE(px(img, 34, 78), kGreen);    // a grid dash ...
        QCOMPARE(px(img, 41, 78), kWhite);    // ... and the gap after it
        QCOMPARE(px(img, 106, 48), kGreen);   // a column dash
        bool dark = false;                    // the "100" label
        for (int y = 25; y <= 37 && !dark; ++y)
            for (int x = 0; x < 26 && !dark; ++x)
                dark = qGray(img.pixel(x, y)) < 100;
        QVERIFY(dark);
        for (int y = 25; y <= 37; ++y)  // ... clear of the widget's edge
            QVERIFY(qGray(img.pixel(0, y)) > 200 && qGray(img.pixel(1, y)) > 200);

        // The curve follows the model on the next paint.
        cfg.THCURE_Data04 = 100;
        img = render(w);
        QCOMPARE(px(img, 150, 30), kRed);
        QCOMPARE(px(img, 164, 137), kWhite);
    }

    void dualRateWidgetPaints()
    {
        ConfigModel cfg;
        mWidget w;
        w.setModel(&cfg);
        w.resize(280, 280);
        cfg.DR_RATE = 100;
        cfg.DR_EXP = 0;
        QImage img = render(w);
        QCOMPARE(px(img, 80, 200), kRed);  // on the diagonal
        QCOMPARE(px(img, 200, 80), kRed);
        QCOMPARE(px(img, 240, 240), kWhite);
        QCOMPARE(px(img, 20, 100), kGreen);  // outline
        QCOMPARE(px(img, 34, 140), kGreen);  // centre-line dash
        QCOMPARE(px(img, 42, 140), kWhite);  // gap

        cfg.DR_RATE = 0;
        cfg.DR_EXP = 60;
        img = render(w);
        QCOMPARE(px(img, 60, 140), kRed);  // flat through the centre
        QCOMPARE(px(img, 230, 140), kRed);
        QCOMPARE(px(img, 80, 200), kWhite);

        cfg.DR_RATE = 70;
        cfg.DR_EXP = -30;
        img = render(w);
        QCOMPARE(px(img, 21, 224), kRed);  // starts of both halves
        QCOMPARE(px(img, 258, 56), kRed);
    }
};

QTEST_MAIN(TestCurves)
#include "tst_curves.moc"
