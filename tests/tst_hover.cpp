// The hover highlight rule on its own and on a single combo box.
#include "hover.h"
#include "testsupport.h"

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString resourceText(const char *path)
{
    QFile f(QString::fromLatin1(path));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

const QString kFormSheet = QStringLiteral("QComboBox{font:bold 20px;}");

} // namespace

class TestHover : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetProgramState(); }

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

    void comboBoxFollowsThePointer()
    {
        QComboBox box;
        box.setStyleSheet(kFormSheet);
        // A missing bundle must leave the form's sheet in place; with the
        // bundle the resource text is applied.
        const QString rev = resourceText(kComboSheetRev);
        const QString normal = resourceText(kComboSheet);
        const QString afterRev = rev.isNull() ? kFormSheet : rev;
        const QString afterNormal = normal.isNull() ? afterRev : normal;

        int n = 0;
        box.setAttribute(Qt::WA_UnderMouse, true);
        for (int i = 0; i < 19; ++i)
            hoverHighlight(&box, n);
        QCOMPARE(n, 19);
        QCOMPARE(box.styleSheet(), kFormSheet);
        hoverHighlight(&box, n);
        QCOMPARE(n, 20);
        QCOMPARE(box.styleSheet(), afterRev);

        // Something else touching the sheet is overwritten on the next tick
        // while the pointer stays (only if the bundle is there).
        box.setStyleSheet(kFormSheet);
        hoverHighlight(&box, n);
        QCOMPARE(box.styleSheet(), afterRev);

        box.setAttribute(Qt::WA_UnderMouse, false);
        hoverHighlight(&box, n);
        QCOMPARE(n, 0);
        QCOMPARE(box.styleSheet(), afterNormal);
    }
};

QTEST_MAIN(TestHover)
#include "tst_hover.moc"
