// The resource bundle: the two combo-box sheets the hover highlight swaps in,
// and the pictures the top bar shows.
#include <QComboBox>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QtTest>

namespace {

struct Block
{
    QString selector;
    QStringList declarations;
};

// Split a sheet into its blocks; whitespace around selectors and
// declarations is layout only, so it is dropped here.
QVector<Block> parseSheet(const QString &text)
{
    QVector<Block> blocks;
    const QStringList chunks = text.split(QLatin1Char('}'));
    for (const QString &chunk : chunks) {
        if (chunk.trimmed().isEmpty())
            continue;
        const int open = chunk.indexOf(QLatin1Char('{'));
        Block b;
        b.selector = open < 0 ? QString() : chunk.left(open).trimmed();
        const QStringList parts = chunk.mid(open + 1).split(QLatin1Char(';'));
        for (const QString &p : parts) {
            if (!p.trimmed().isEmpty())
                b.declarations << p.trimmed() + QLatin1Char(';');
        }
        // A trailing fragment without ';' would be malformed; keep it
        // visible in the comparison instead of silently fixing it.
        if (!parts.isEmpty() && !parts.last().trimmed().isEmpty())
            b.declarations.last().chop(1);
        blocks << b;
    }
    return blocks;
}

const QStringList kMain = {
    "background-color: rgb(85, 170, 255);",
    "border-style:outset;",
    "border-width:4px;",
    "border-radius:4px;",
    "border-color:rgba(0,0,0,0);",
    "font:bold 22px;",
    "color:rgba(255,255,255,255);",
    "padding:0px;",
};
const QStringList kHover = {
    "background-color:rgba(100,255,100,100);",
    "border-color:rgba(255,255,255,255);",
    "color:rgba(255,255,255,255);",
};

QByteArray readResource(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// Mean colour of the pixels within radius r of the image centre.
QColor centreColour(const QImage &img, int r)
{
    const QImage im = img.convertToFormat(QImage::Format_ARGB32);
    const int cx = im.width() / 2, cy = im.height() / 2;
    qint64 sr = 0, sg = 0, sb = 0, n = 0;
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) > r * r)
                continue;
            const QRgb p = im.pixel(x, y);
            sr += qRed(p);
            sg += qGreen(p);
            sb += qBlue(p);
            ++n;
        }
    return QColor(int(sr / n), int(sg / n), int(sb / n));
}

}  // namespace

class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void sheetBytes_data();
    void sheetBytes();
    void sheetFont_data();
    void sheetFont();
    void images_data();
    void images();
    void ledColours();
};

void TestResources::sheetBytes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("hover");
    QTest::newRow("normal") << ":/comboBox.qss" << 482 << kHover;
    // The resting sheet's hover block repeats the main block, so hovering
    // changes nothing.
    QTest::newRow("resting") << ":/comboBox_REV.qss" << 658 << kMain;
}

void TestResources::sheetBytes()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QFETCH(QStringList, hover);

    const QByteArray bytes = readResource(path);
    QCOMPARE(bytes.size(), size);
    QVERIFY(!bytes.contains('\0'));

    // Every line ends in CR LF, including the last; no stray CR or LF.
    QVERIFY(bytes.endsWith("\r\n"));
    for (int i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            QVERIFY2(i > 0 && bytes[i - 1] == '\r', qPrintable(QString("bare LF at %1").arg(i)));
        if (bytes[i] == '\r')
            QVERIFY2(i + 1 < bytes.size() && bytes[i + 1] == '\n', qPrintable(QString("bare CR at %1").arg(i)));
    }

    // Invalid UTF-8 decodes to U+FFFD and does not survive the round trip.
    const QString text = QString::fromUtf8(bytes);
    QCOMPARE(text.toUtf8(), bytes);

    const QVector<Block> blocks = parseSheet(text);
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(blocks[0].selector, QString("QComboBox"));
    QCOMPARE(blocks[0].declarations, kMain);
    QCOMPARE(blocks[1].selector, QString("QComboBox:hover"));
    QCOMPARE(blocks[1].declarations, hover);
}

void TestResources::sheetFont_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("normal") << ":/comboBox.qss";
    QTest::newRow("resting") << ":/comboBox_REV.qss";
}

void TestResources::sheetFont()
{
    QFETCH(QString, path);
    const QString sheet = QString::fromUtf8(readResource(path));
    QVERIFY(!sheet.isEmpty());

    // Start from a different size so the check shows the sheet's font won.
    QComboBox box;
    box.setStyleSheet("QComboBox{font:bold 20px;}");
    box.ensurePolished();
    QCOMPARE(box.font().pixelSize(), 20);

    box.setStyleSheet(sheet);
    box.ensurePolished();
    QCOMPARE(box.font().pixelSize(), 22);
    QVERIFY(box.font().bold());
}

void TestResources::images_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("lightIcon");
    const QString dir = ":/myImage/images/";
    QTest::newRow("red") << dir + "red.png" << 200 << false;
    QTest::newRow("green") << dir + "green.png" << 200 << false;
    for (const char *name : {"Receive", "open", "save", "Send", "Reset"})
        QTest::newRow(name) << dir + name + ".png" << 256 << true;
}

void TestResources::images()
{
    QFETCH(QString, path);
    QFETCH(int, size);
    QFETCH(bool, lightIcon);

    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage img = reader.read();
    QVERIFY2(!img.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(img.size(), QSize(size, size));
    QVERIFY(img.hasAlphaChannel());

    // Round pictures on a transparent square: the corners must not paint
    // over the dark top bar.
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    for (const QPoint &c : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(qAlpha(argb.pixel(c)), 0);

    if (lightIcon) {
        // The strokes are light so they read on the dark bar; weight each
        // pixel by its opacity.
        qint64 lum = 0, weight = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb p = argb.pixel(x, y);
                lum += qint64(qGray(p)) * qAlpha(p);
                weight += qAlpha(p);
            }
        QVERIFY2(weight > 255 * size * size / 50, "icon is nearly empty");
        QVERIFY(lum / weight >= 180);
    }

    // The form's way of loading it: a QIcon from the path, drawn at button size.
    const QIcon icon(path);
    QVERIFY(!icon.pixmap(QSize(60, 60)).isNull());
}

void TestResources::ledColours()
{
    const QColor red = centreColour(QImage(":/myImage/images/red.png"), 30);
    QVERIFY2(red.red() > 150 && red.red() > 2 * red.green() && red.red() > 2 * red.blue(), qPrintable(red.name()));
    const QColor green = centreColour(QImage(":/myImage/images/green.png"), 30);
    QVERIFY2(green.green() > 150 && green.green() > 2 * green.red() && green.green() > 2 * green.blue(),
             qPrintable(green.name()));
}

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
