// The hover highlight rule on its own, and loading a sheet file.
// The window-level behaviour is covered with the pages.
#include "hover.h"

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kFormSheet = QStringLiteral("QComboBox{font:bold 20px;}");

}  // namespace

class TestHover : public QObject
{
    Q_OBJECT

private slots:

    void twentiethTickUnderThePointerSwitchesColourOff()
    {
        int n = 0;
        for (int tick = 1; tick <= 19; ++tick) {
            QCOMPARE(hoverStep(n, true), HoverAction::None);
            QCOMPARE(n, tick);
        }
        QCOMPARE(hoverStep(n, true), HoverAction::ApplyRev);
        QCOMPARE(n, 20);
        // Re-applied on every further tick while the pointer stays.
        QCOMPARE(hoverStep(n, true), HoverAction::ApplyRev);
        QCOMPARE(hoverStep(n, true), HoverAction::ApplyRev);
        QCOMPARE(n, 20);
        // First tick after leaving brings the colour back, once.
        QCOMPARE(hoverStep(n, false), HoverAction::ApplyNormal);
        QCOMPARE(n, 0);
        QCOMPARE(hoverStep(n, false), HoverAction::None);
        QCOMPARE(n, 0);
    }

    void shortVisitsAddUp()
    {
        int n = 0;
        for (int i = 0; i < 10; ++i)
            QCOMPARE(hoverStep(n, true), HoverAction::None);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(hoverStep(n, false), HoverAction::None);
        QCOMPARE(n, 10);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(hoverStep(n, true), HoverAction::None);
        QCOMPARE(hoverStep(n, true), HoverAction::ApplyRev);

        // 19, away, back for one tick.
        n = 0;
        for (int i = 0; i < 19; ++i)
            hoverStep(n, true);
        QCOMPARE(hoverStep(n, false), HoverAction::None);
        QCOMPARE(hoverStep(n, true), HoverAction::ApplyRev);
    }

    void sheetFileTextReplacesTheSheet()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("sheet.qss");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // The text ends at a NUL byte.
        f.write(QByteArray("QComboBox{font:bold 22px;}\r\n\0trailing", 38));
        f.close();

        QComboBox box;
        box.setStyleSheet(kFormSheet);
        QVERIFY(applyStyleResource(&box, path));
        QCOMPARE(box.styleSheet(), QStringLiteral("QComboBox{font:bold 22px;}\r\n"));
    }

    void sheetThatDoesNotOpenKeepsTheStyle()
    {
        QComboBox box;
        box.setStyleSheet(kFormSheet);
        QVERIFY(!applyStyleResource(&box, QStringLiteral(":/no/such/sheet.qss")));
        QCOMPARE(box.styleSheet(), kFormSheet);
    }
};

QTEST_MAIN(TestHover)
#include "tst_hover.moc"
