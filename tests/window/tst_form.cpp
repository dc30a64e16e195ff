// The main window's form: names, classes, ranges, items, texts, looks.
// The window's slots bind to the widgets by object name, so a misspelt or
// missing name fails silently at run time; these tables catch it here.

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>

#include "curewidget.h"
#include "historytexts.h"
#include "mainwindow.h"
#include "mwidget.h"
#include "options.h"
#include "settingstable.h"
#include "texts.h"
#include "ui_mainwindow.h"

namespace {

QStringList seq(const char *pattern, int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::fromUtf8(pattern).arg(i);
    return out;
}

// Upper (0) or lower (1) bars of the eight channels: progressBar_10 ... progressBar_81.
QStringList bars(int half)
{
    QStringList out;
    for (int ch = 1; ch <= 8; ++ch)
        out << QStringLiteral("progressBar_%1%2").arg(ch).arg(half);
    return out;
}

QStringList words(const char *list)
{
    return QString::fromUtf8(list).split(QLatin1Char(' '));
}

bool isInternal(const QObject *o, const QObject *window)
{
    if (o->objectName().isEmpty() || o->objectName().startsWith(QLatin1String("qt_")))
        return true;
    if (o == static_cast<const QWidget *>(window)->layout())
        return true;
    for (const QObject *p = o->parent(); p && p != window; p = p->parent())
        if (qobject_cast<const QTabBar *>(p) || qobject_cast<const QAbstractSpinBox *>(p)
            || qobject_cast<const QComboBox *>(p))
            return true;
    return false;
}

// Every widget and layout the form itself created, skipping Qt's own helpers.
QList<QObject *> formObjects(QMainWindow *w)
{
    QList<QObject *> out;
    const auto all = w->findChildren<QObject *>();
    for (QObject *o : all)
        if ((o->isWidgetType() || qobject_cast<QLayout *>(o)) && !isInternal(o, w))
            out << o;
    return out;
}

bool under(const QWidget *w, const char *ancestor)
{
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (p->objectName() == QLatin1String(ancestor))
            return true;
    return false;
}

// --- looks, rebuilt from their parts; whitespace between tokens is free ----

QString squeeze(QString sheet)
{
    return sheet.replace(QRegularExpression(QStringLiteral("\\s*([{};])\\s*")), QStringLiteral("\\1")).trimmed();
}

QString block(const QString &selector, const QStringList &decls)
{
    return selector + '{' + decls.join(QString()) + '}';
}

const QStringList hover = {"background-color:rgba(100,255,100,100);", "border-color:rgba(255,255,255,255);",
                           "color:rgba(255,255,255,255);"};

QString field(const QString &cls, const char *bg, const char *font, const char *colour, bool withHover)
{
    QString s = block(cls, {bg, "border-style:outset;", "border-width:4px;", "border-radius:4px;",
                            "border-color:rgba(0,0,0,0);", font, colour, "padding:0px;"});
    return withHover ? s + block(cls + ":hover", hover) : s;
}

QString button(const QString &cls, const char *bg, const char *width, const char *radius, const char *font,
               const char *pressedBg = nullptr, const char *pressedColour = nullptr)
{
    QString s = block(cls, {bg, "border-style:outset;", width, radius, "border-color:rgba(0,0,0,0);", font,
                            "color:rgba(255,255,255,255);", "padding:0px;"});
    if (pressedBg)
        s += block(cls + ":pressed",
                   {pressedBg, "border-color:rgba(255,255,255,30);", "border-style:inset;", pressedColour})
             + block(cls + ":hover", hover);
    return s;
}

QString bar(const char *groove, const char *chunk)
{
    return block("QProgressBar:vertical", {"border-radius:0px;", groove, "color: transparent;", "text-align:center;"})
           + block("QProgressBar::chunk:vertical", {chunk, "margin:0px;", "height:1px;"});
}

const char *GREY = "background-color: rgb(70, 70, 70);";
const char *BLUE = "background-color: rgb(85, 170, 255);";
const char *WHITE = "color:rgba(255,255,255,255);";
const char *YELLOW = "color:rgba(255,255,0,255);";

const QStringList editor22 = words(
    "comboBox_rev8 comboBox_AUX8 comboBox_EleMix comboBox_PRM02_Master comboBox_PRM02_Slave comboBox_PRM02_Master_2 "
    "spinBox_sub8 spinBox_Lepa2 spinBox_Lepa8 spinBox_Repa8 spinBox_delay8 spinBox_FS8 spinBox_Elev01 spinBox_Elev02 "
    "spinBox_PRM02_Data1 spinBox_PRM02_Data2 spinBox_PRM02_Data3 spinBox_Rssi spinBox_Mode spinBox_Vertion "
    "spinBox_step1 spinBox_step2 spinBox_step3 spinBox_step4 "
    "doubleSpinBox_Volt doubleSpinBox_rxVolt doubleSpinBox_extVolt");

// The sheet each widget must carry; an empty string for the plain
// containers (columns) that carry none.
QString expectedSheet(const QWidget *w)
{
    const QString n = w->objectName();
    const QString cls = QString::fromLatin1(w->metaObject()->className());
    const QStringList gradient = words("tab tab_3 tab_4 tab_5 tab_6");
    const QStringList panels = words("frame_2 frame_4 frame_5 frame_7 frame_8");
    const QStringList captions14 = words("lineEdit_26 lineEdit_27 lineEdit_30 lineEdit_37");
    const QStringList readouts14 = words("lineEdit_TX lineEdit_EXT lineEdit_RSSI lineEdit_RX");
    const QStringList values26 = QStringList{"lineEdit"} + seq("lineEdit_%1", 2, 8);
    const QStringList names26 = QStringList{"lineEdit_9"} + seq("lineEdit_%1", 19, 25);
    const QStringList trims = seq("lineEdit_Trim_%1", 1, 4);

    if (n == "centralwidget")
        return "background-color: rgb(40, 40, 40);";
    if (n == "frame")
        return QString();
    if (gradient.contains(n))
        return "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, stop:0 rgba(255, 0, 0, 255), "
               "stop:1 rgba(255, 255, 255, 255));";
    if (n == "tab_2")
        return "background-color: qlineargradient(spread:pad, x1:0, y1:0, x2:0.006, y2:1, stop:0 rgba(255, 19, 19, "
               "255), stop:1 rgba(255, 255, 255, 255));";
    if (panels.contains(n))
        return "background-color: rgb(50, 50, 50);";
    if (n == "frame_3")
        return "background-color: rgb(50,50, 50);";
    if (n == "widget_3" || n == "widget_4")
        return "background-color: rgb(255, 255, 255);";
    if (cls == "QGroupBox")
        return block("QGroupBox", {"font:bold 20px;", "color: rgb(255, 170, 0);"});
    if (cls == "QLineEdit") {
        if (captions14.contains(n))
            return field(cls, GREY, "font:bold 14px;", WHITE, false);
        if (readouts14.contains(n))
            return field(cls, GREY, "font:bold 14px;", YELLOW, false);
        if (values26.contains(n))
            return field(cls, BLUE, "font:bold 26px;", WHITE, false);
        if (names26.contains(n))
            return field(cls, "background-color: rgb(0, 0, 0);", "font:bold 26px;", YELLOW, false);
        if (trims.contains(n))
            return field(cls, GREY, "font:bold 20px;", YELLOW, false);
        if (n == "lineEdit_36")
            return field(cls, GREY, "font:bold 22px;", WHITE, false);
        return field(cls, GREY, "font:bold 20px;", WHITE, false);
    }
    if (n == "portNameBox")
        return field(cls, "background-color: rgb(255, 255, 255);", "font:bold 20px;", "color:rgba(0,0,0,255);", true);
    if (cls == "QComboBox" || cls == "QSpinBox" || cls == "QDoubleSpinBox")
        return field(cls, BLUE, editor22.contains(n) ? "font:bold 22px;" : "font:bold 20px;", WHITE, true);
    if (cls == "QPushButton")
        return button(cls, "background-color:rgba(100,100,100,100);", "border-width:4px;", "border-radius:10px;",
                      "font:bold 16px;", "background-color:rgba(100,255,100,200);", "color:rgba(0,0,0,100);");
    if (n == "toolButton_led")
        return button(cls, "background-color:rgba(70,70,70,70);", "border-width:0px;", "border-radius:0px;",
                      "font:bold 16px;");
    if (n == "toolButton_Reset")
        return button(cls, "background-color:rgba(70,70,70,70);", "border-width:4px;", "border-radius:10px;",
                      "font:bold 14px;", "background-color:rgba(255,255,0,255);", "color:rgba(255,0,0,100);");
    if (cls == "QToolButton")
        return button(cls, "background-color:rgba(70,70,70,70);", "border-width:4px;", "border-radius:10px;",
                      "font:bold 14px;", "background-color:rgba(100,255,100,200);", "color:rgba(0,0,0,100);");
    if (cls == "QProgressBar")
        return n.endsWith('0') ? bar("background-color:rgba(255,255,255,255);", "background-color:rgba(0,0,255,255);")
                               : bar("background-color:rgba(0,0,255,255);", "background-color:rgba(255,255,255,255);");
    if (n == "tabWidget")
        return block("QTabWidget::pane", {"border:10px;"}) + block("QTabWidget::tab-bar", {"alignment:left;"})
               + block("QTabBar::tab", {"border: none;", "border-top-left-radius: 10px;",
                                        "border-top-right-radius: 10px;", "font:bold 18px;", "color: white;",
                                        "background: rgb(80,80,80);", "height: 50px;", "min-width: 140px;"})
               + block("QTabBar::tab:hover", {"background:rgb(0, 0, 0, 0);"})
               + block("QTabBar::tab:selected",
                       {"border-color: white;", "background:red;", "color:rgb(0, 255, 255, 255);"});
    return QString();
}

// --- names and classes -------------------------------------------------------

struct Named
{
    QStringList names;
    const char *cls;
};

QList<Named> editorsAndLabels()
{
    return {
        {words("lineEdit_26 lineEdit_27 lineEdit_30 lineEdit_37 lineEdit_TX lineEdit_EXT lineEdit_RSSI lineEdit_RX "
               "lineEdit lineEdit_9 lineEdit_28 lineEdit_29")
             + seq("lineEdit_%1", 2, 8) + seq("lineEdit_%1", 19, 25) + seq("lineEdit_%1", 31, 36)
             + seq("lineEdit_%1", 53, 57) + seq("lineEdit_%1", 45, 51) + seq("lineEdit_%1", 73, 77)
             + words("lineEdit_78 lineEdit_95 lineEdit_96 lineEdit_97 lineEdit_98") + seq("lineEdit_%1", 141, 146)
             + seq("lineEdit_%1", 125, 132)
             + words("lineEdit_79 lineEdit_80 lineEdit_83 lineEdit_84 lineEdit_85 lineEdit_86")
             + seq("lineEdit_%1", 89, 94) + seq("lineEdit_%1", 101, 106) + seq("lineEdit_%1", 119, 124)
             + words("lineEdit_63 lineEdit_68 lineEdit_66 lineEdit_67 lineEdit_64 lineEdit_65 lineEdit_69 "
                     "lineEdit_70 lineEdit_71 lineEdit_72 lineEdit_81")
             + seq("lineEdit_Trim_%1", 1, 4),
         "QLineEdit"},
        {seq("spinBox_sub%1", 1, 8) + seq("spinBox_Lepa%1", 1, 8) + seq("spinBox_Repa%1", 1, 8)
             + seq("spinBox_FS%1", 1, 8) + seq("spinBox_delay%1", 1, 8)
             + words("spinBox_DR_UP1 spinBox_DR_DOWN1 spinBox_DR_RATE spinBox_DR_EXP spinBox_Rssi spinBox_Mode "
                     "spinBox_Vertion")
             + seq("spinBox_Atti%1", 1, 6) + seq("spinBox_Elev0%1", 1, 6) + seq("spinBox_Ru%1", 1, 4)
             + seq("spinBox_THCURE_Data0%1", 1, 7) + seq("spinBox_PRM01_Data%1", 1, 3)
             + seq("spinBox_PRM02_Data%1", 1, 3) + seq("spinBox_PRM03_Data%1", 1, 3) + seq("spinBox_PRM04_Data%1", 1, 3)
             + seq("spinBox_step%1", 1, 4),
         "QSpinBox"},
        {words("doubleSpinBox_Volt doubleSpinBox_rxVolt doubleSpinBox_extVolt"), "QDoubleSpinBox"},
        {words("portNameBox comboBox_DR_MIX1 comboBox_DR_CH1 comboBox_DR_SW1 comboBox_AttiM comboBox_EleMix "
               "comboBox_RuMix comboBox_DR_MIX2 comboBox_DR_CH2 comboBox_DR_SW2 comboBox_DR_POSI comboBox_THCURE_MIX "
               "comboBox_PRM02_Master_2")
             + seq("comboBox_rev%1", 1, 8) + seq("comboBox_AUX%1", 1, 8) + seq("comboBox_PRM0%1_Mix", 1, 4)
             + seq("comboBox_PRM0%1_Master", 1, 4) + seq("comboBox_PRM0%1_Slave", 1, 4),
         "QComboBox"},
        {bars(0) + bars(1), "QProgressBar"},
        {words("openButton pushButton_Reset2"), "QPushButton"},
        {words("toolButton_Read toolButton_Load toolButton_Send toolButton_Save toolButton_Reset toolButton_led"),
         "QToolButton"},
        {words("groupBox groupBox_2 groupBox_3 groupBox_4 groupBox_5 groupBox_6 groupBox_14 groupBox_8 groupBox_7 "
               "groupBox_10 groupBox_13 groupBox_19 groupBox_18 groupBox_11 groupBox_12 groupBox_15 groupBox_21 "
               "groupBox_17 groupBox_20 groupBox_23"),
         "QGroupBox"},
        {words("frame frame_2 frame_3 frame_4 frame_5 frame_7 frame_8"), "QFrame"},
        {{"widget_3"}, "mWidget"},
        {{"widget_4"}, "cureWidget"},
    };
}

}  // namespace

// A window with by-name slots, to see what setupUi's own index changes reach.
class ProbeWindow : public QMainWindow
{
    Q_OBJECT
public:
    int revChanges = 0;
    int tabChanges = 0;
private slots:
    void on_comboBox_rev3_currentIndexChanged(int) { ++revChanges; }
    void on_tabWidget_currentChanged(int) { ++tabChanges; }
};

class FormTest : public QObject
{
    Q_OBJECT
    QMainWindow *win = nullptr;
    Ui::MainWindow ui;

    template <class T> T *one(const QString &name)
    {
        const auto found = win->findChildren<T *>(name);
        return found.size() == 1 ? found.first() : nullptr;
    }

private slots:
    void initTestCase()
    {
        win = new QMainWindow;
        ui.setupUi(win);
    }
    void cleanupTestCase() { delete win; }

    void window()
    {
        QCOMPARE(win->objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(win->windowTitle(), QStringLiteral("Zarvik&Quorel-V5.1"));
        QCOMPARE(win->size(), QSize(1100, 680));
        QCOMPARE(win->minimumSize(), QSize(0, 0));
        QCOMPARE(win->maximumSize(), QSize(11100, 8000));
        QCOMPARE(win->centralWidget(), ui.centralwidget);
        QVERIFY(!win->menuWidget());
        QVERIFY(win->findChildren<QToolBar *>().isEmpty());
    }

    void objectCount()
    {
        const auto objs = formObjects(win);
        QSet<QString> names;
        for (QObject *o : objs)
            names.insert(o->objectName());
        QCOMPARE(names.size(), objs.size());  // no name used twice
        QCOMPARE(objs.size(), 364);
    }

    void classes()
    {
        QStringList bad;
        int lineEdits = 0;
        for (const Named &group : editorsAndLabels()) {
            if (QLatin1String(group.cls) == QLatin1String("QLineEdit"))
                lineEdits += group.names.size();
            for (const QString &n : group.names) {
                const auto found = win->findChildren<QWidget *>(n);
                if (found.size() != 1 || QLatin1String(found.first()->metaObject()->className()) != group.cls)
                    bad << n;
            }
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(' ')));
        // No stray line edit beyond the listed ones.
        int formLineEdits = 0;
        for (QObject *o : formObjects(win))
            formLineEdits += qobject_cast<QLineEdit *>(o) ? 1 : 0;
        QCOMPARE(formLineEdits, lineEdits);
        QCOMPARE(lineEdits, 107);
        // The members handed to the window are the named objects.
        QCOMPARE(one<QSpinBox>("spinBox_PRM03_Data2"), ui.spinBox_PRM03_Data2);
        QCOMPARE(one<QComboBox>("comboBox_PRM02_Master_2"), ui.comboBox_PRM02_Master_2);
        QCOMPARE(one<QWidget>("widget_3"), static_cast<QWidget *>(ui.widget_3));
    }

    void spinBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        auto rows = [](const QStringList &names, int lo, int hi, QList<int> values) {
            for (int i = 0; i < names.size(); ++i)
                QTest::newRow(qPrintable(names[i])) << names[i] << lo << hi << values.value(i, values.last());
        };
        rows(seq("spinBox_sub%1", 1, 8), -100, 100, {0});
        rows(seq("spinBox_Lepa%1", 1, 8), 0, 120, {96});
        rows(seq("spinBox_Repa%1", 1, 8), 0, 120, {96});
        rows(seq("spinBox_FS%1", 1, 8), 0, 100, {50, 50, 0, 50});
        rows(seq("spinBox_delay%1", 1, 8), 0, 100, {100});
        rows({"spinBox_DR_UP1", "spinBox_DR_DOWN1", "spinBox_DR_RATE"}, 0, 100, {100});
        rows({"spinBox_DR_EXP"}, -100, 100, {100});
        rows(seq("spinBox_Atti%1", 1, 6), 0, 100, {14, 29, 44, 56, 69, 88});
        rows(seq("spinBox_Elev0%1", 1, 6), -100, 100, {100, 100, 100, -100, 100, 100});
        rows(seq("spinBox_Ru%1", 1, 4), -100, 100, {50, -50, 50, 50});
        rows(seq("spinBox_THCURE_Data0%1", 1, 7), 0, 100, {0, 16, 33, 50, 67, 84, 100});
        rows(seq("spinBox_PRM01_Data%1", 1, 3) + seq("spinBox_PRM02_Data%1", 1, 3)
                 + QStringList{"spinBox_PRM03_Data1", "spinBox_PRM04_Data1"},
             -100, 100, {100});
        rows(words("spinBox_PRM03_Data2 spinBox_PRM03_Data3 spinBox_PRM04_Data2 spinBox_PRM04_Data3"), 0, 100, {100});
        rows({"spinBox_Rssi"}, -100, 0, {-100});
        rows({"spinBox_Mode"}, 1, 4, {2});
        rows({"spinBox_Vertion"}, 0, 1000, {0});
        rows(seq("spinBox_step%1", 1, 4), 1, 20, {2});
    }
    void spinBoxes()
    {
        QFETCH(QString, name);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, value);
        QSpinBox *s = one<QSpinBox>(name);
        QVERIFY(s);
        QCOMPARE(s->minimum(), minimum);
        QCOMPARE(s->maximum(), maximum);
        QCOMPARE(s->singleStep(), 1);
        QCOMPARE(s->value(), value);
    }

    void voltageSpinBoxes()
    {
        for (const QString &n : words("doubleSpinBox_Volt doubleSpinBox_rxVolt doubleSpinBox_extVolt")) {
            QDoubleSpinBox *d = one<QDoubleSpinBox>(n);
            QVERIFY2(d, qPrintable(n));
            QCOMPARE(d->decimals(), 1);
            QCOMPARE(d->minimum(), 0.0);
            QCOMPARE(d->maximum(), 99.9);
            QCOMPARE(d->singleStep(), 0.1);
            QCOMPARE(d->value(), 11.0);
            QCOMPARE(d->text(), QStringLiteral("11.0"));
        }
    }

    void combos_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("current");
        const QStringList onOff = words("关闭 打开");
        const QStringList ch4 = seq("CH%1", 1, 4), ch8 = seq("CH%1", 1, 8);
        const QStringList aux = words("SwA SwB VrA VrB/SwC NULL Lock-C");
        auto row = [](const QString &n, const QStringList &items, int current) {
            QTest::newRow(qPrintable(n)) << n << items << current;
        };
        row("portNameBox", {}, -1);
        for (int k = 1; k <= 8; ++k)
            row(QString("comboBox_rev%1").arg(k), words("正相 反相"), k == 3 ? 1 : 0);
        for (int k = 1; k <= 4; ++k)
            row(QString("comboBox_AUX%1").arg(k), {"预留"}, 0);
        const int auxStart[] = {1, 3, 0, 2};
        for (int k = 5; k <= 8; ++k)
            row(QString("comboBox_AUX%1").arg(k), aux, auxStart[k - 5]);
        row("comboBox_DR_MIX1", onOff, 0);
        row("comboBox_DR_CH1", ch4, 0);
        row("comboBox_DR_SW1", {"SWA"}, 0);
        row("comboBox_AttiM", words("CH5 CH6 CH7 CH8 关闭"), 4);
        row("comboBox_EleMix", onOff, 0);
        row("comboBox_RuMix", onOff, 0);
        row("comboBox_DR_MIX2", onOff, 0);
        row("comboBox_DR_CH2", ch4, 0);
        row("comboBox_DR_SW2", {"SWA"}, 0);
        row("comboBox_DR_POSI", words("UP DOWN"), 0);
        row("comboBox_THCURE_MIX", onOff, 0);
        const int master[] = {0, 1, 0, 1}, slave[] = {3, 5, 3, 5};
        for (int m = 1; m <= 4; ++m) {
            row(QString("comboBox_PRM0%1_Mix").arg(m), words("禁止 关闭 打开"), 0);
            row(QString("comboBox_PRM0%1_Master").arg(m), ch8, master[m - 1]);
            row(QString("comboBox_PRM0%1_Slave").arg(m), ch8, slave[m - 1]);
        }
        row("comboBox_PRM02_Master_2", {"V5.1"}, 0);
    }
    void combos()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, items);
        QFETCH(int, current);
        QComboBox *c = one<QComboBox>(name);
        QVERIFY(c);
        QStringList shown;
        for (int i = 0; i < c->count(); ++i)
            shown << c->itemText(i);
        QCOMPARE(shown, items);
        QCOMPARE(c->currentIndex(), current);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        auto rows = [](const QStringList &names, const QStringList &texts) {
            QCOMPARE(names.size(), texts.size());
            for (int i = 0; i < names.size(); ++i)
                QTest::newRow(qPrintable(names[i])) << names[i] << texts[i];
        };
        rows(words("lineEdit_26 lineEdit_27 lineEdit_30 lineEdit_37"), words("遥控: 动力: 信号: 接收:"));
        rows(words("lineEdit_TX lineEdit_EXT lineEdit_RX lineEdit_RSSI"), {" 0.0V", " 0.0V", " 0.0V", "null"});
        rows(QStringList{"lineEdit"} + seq("lineEdit_%1", 2, 8), QVector<QString>(8, "0").toList());
        rows(QStringList{"lineEdit_9"} + seq("lineEdit_%1", 19, 25), seq("CH%1", 1, 8));
        rows(words("lineEdit_28 lineEdit_29") + seq("lineEdit_%1", 31, 36), seq("CH%1:", 1, 8));
        rows(seq("lineEdit_%1", 53, 57), words("混控: 通道: 开关: 上档: 下档:"));
        rows(seq("lineEdit_%1", 45, 51), words("通道: 姿态1: 姿态2: 姿态3: 姿态4: 姿态5: 姿态6:"));
        rows(seq("lineEdit_%1", 73, 77), words("混控: 副翼1: 副翼2: 升降2: 升降1:"));
        rows(words("lineEdit_78 lineEdit_95 lineEdit_96 lineEdit_97 lineEdit_98"),
             words("混控: 升降1: 升降2: 尾舵2: 尾舵1:"));
        rows(words("lineEdit_146 lineEdit_142 lineEdit_141 lineEdit_143 lineEdit_144 lineEdit_145"),
             {"混控:", " 通道:", "开关:", " 位置:", "比率:", "指数:"});
        rows(words("lineEdit_130 lineEdit_126 lineEdit_125 lineEdit_127 lineEdit_128 lineEdit_129 lineEdit_131 "
                   "lineEdit_132"),
             QStringList{"混控:"} + seq("曲线点%1:", 1, 7));
        const QStringList prm = words("混控: 主控: 被控: 偏置: 上边: 下边:");
        rows(words("lineEdit_80 lineEdit_83 lineEdit_79 lineEdit_84 lineEdit_85 lineEdit_86"), prm);
        rows(words("lineEdit_94 lineEdit_90 lineEdit_89 lineEdit_91 lineEdit_92 lineEdit_93"), prm);
        rows(words("lineEdit_106 lineEdit_102 lineEdit_101 lineEdit_103 lineEdit_104 lineEdit_105"), prm);
        rows(seq("lineEdit_%1", 119, 124), prm);
        rows(words("lineEdit_63 lineEdit_68 lineEdit_66 lineEdit_67"),
             words("遥控器电压: 接收机电压: 动力电池电压: RSSI信号:"));
        rows(words("lineEdit_64 lineEdit_65 lineEdit_69"), words("遥控器摇杆模式: 遥控器固件版本: 电脑调参APP版本:"));
        rows(words("lineEdit_70 lineEdit_71 lineEdit_72 lineEdit_81"),
             words("步阶微调一: 步阶微调二: 步阶微调三: 步阶微调四:"));
        rows(seq("lineEdit_Trim_%1", 1, 4), QVector<QString>(4, "(0)").toList());
        rows(words("toolButton_Read toolButton_Load toolButton_Send toolButton_Save toolButton_Reset toolButton_led "
                   "openButton pushButton_Reset2"),
             {" 读取数据", "加载数据", "写入数据", "保存数据", "出厂设置", "", "打开串口", "重置数据"});
        rows(words("groupBox groupBox_2 groupBox_3 groupBox_4 groupBox_14 groupBox_5 groupBox_6"),
             words("通道 舵机相位 中点微调 舵机行程量--L---R--- 失控保护 舵机延迟 辅助通道"));
        rows(words("groupBox_8 groupBox_7 groupBox_10 groupBox_13 groupBox_19 groupBox_18"),
             words("大小舵设置 姿态选择 升降副翼混控 V型尾翼混控 大小舵曲线 油门曲线"));
        rows(words("groupBox_11 groupBox_12 groupBox_15 groupBox_21 groupBox_17 groupBox_20 groupBox_23"),
             {"可编程混控一", "可编程混控二", "可编程混控三", "可编程混控四", "报警设置", " 版本 / 模式", "重置数据"});
    }
    void texts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QObject *o = one<QObject>(name);
        QVERIFY(o);
        if (auto *e = qobject_cast<QLineEdit *>(o))
            QCOMPARE(e->text(), text);
        else if (auto *b = qobject_cast<QAbstractButton *>(o))
            QCOMPARE(b->text(), text);
        else if (auto *g = qobject_cast<QGroupBox *>(o))
            QCOMPARE(g->title(), text);
        else
            QFAIL("no text to compare");
    }

    // Every line edit is centred; only CH8's caption takes typing, and the
    // focus only where clicked.  The other captions and the read-outs take no
    // focus, and in the window keep no selection; the first focus is the open
    // button's.  Of the spin boxes only the firmware number's read-out is read-only.
    void lineEditFlags()
    {
        const QStringList editable = {"lineEdit_36"};
        QStringList bad;
        for (QObject *o : formObjects(win))
            if (auto *e = qobject_cast<QLineEdit *>(o))
                if (e->alignment() != Qt::AlignCenter || e->isReadOnly() == editable.contains(e->objectName())
                    || e->focusPolicy() != (e->isReadOnly() ? Qt::NoFocus : Qt::ClickFocus))
                    bad << e->objectName();
        for (QAbstractSpinBox *b : win->findChildren<QAbstractSpinBox *>())
            if (b->isReadOnly() != (b->objectName() == "spinBox_Vertion"))
                bad << b->objectName();
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(' ')));
        MainWindow shown;
        QCOMPARE(shown.focusWidget(), shown.findChild<QWidget *>(QStringLiteral("openButton")));
        auto *caption = shown.findChild<QLineEdit *>(QStringLiteral("lineEdit_26"));
        caption->selectAll();
        QVERIFY(!caption->hasSelectedText());
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        auto row = [](const char *n, int x, int y, int w, int h) {
            QTest::newRow(n) << QString(n) << QRect(x, y, w, h);
        };
        row("frame", 0, 0, 1200, 110);
        row("toolButton_Read", 20, 5, 110, 90);
        row("toolButton_Save", 380, 5, 110, 91);
        row("toolButton_Reset", 500, 5, 110, 90);
        row("openButton", 630, 5, 100, 90);
        row("portNameBox", 740, 35, 120, 40);
        row("toolButton_led", 870, 35, 40, 40);
        row("lineEdit_37", 920, 80, 85, 25);
        row("lineEdit_RSSI", 1010, 54, 85, 25);
        row("tabWidget", 10, 110, 1080, 560);
        row("frame_4", 2, 10, 1060, 490);
        row("lineEdit_8", 20 + 135 * 7, 10, 80, 50);
        row("lineEdit_25", 30 + 135 * 7, 60, 60, 31);
        row("progressBar_40", 35 + 135 * 3, 105, 50, 180);
        row("progressBar_41", 35 + 135 * 3, 285, 50, 180);
        row("groupBox_4", 405, 10, 215, 470);
        row("groupBox_6", 915, 10, 140, 470);
        row("groupBox_10", 470, 10, 330, 350);
        row("groupBox_11", 10, 5, 250, 481);
        row("groupBox_21", 790, 5, 250, 477);
        row("widget_3", 220, 90, 280, 280);
        row("widget_4", 210, 80, 300, 300);
        row("lineEdit_81", 10, 400, 180, 56);
        row("spinBox_step3", 180, 340, 80, 56);
        row("lineEdit_Trim_2", 260, 280, 80, 56);
        row("pushButton_Reset2", 10, 130, 281, 61);
    }
    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QWidget *w = one<QWidget>(name);
        QVERIFY(w);
        QCOMPARE(w->geometry(), rect);
    }

    // Columns: where each editor stands, and how its column lays it out.
    void columns()
    {
        struct Col
        {
            const char *first;
            QRect rect;
            int count;
        };
        const Col cols[] = {
            {"lineEdit_28", {10, 30, 91, 431}, 8},          {"spinBox_Repa1", {110, 30, 91, 431}, 8},
            {"comboBox_AUX1", {15, 30, 121, 431}, 8},       {"lineEdit_53", {6, 26, 101, 311}, 5},
            {"comboBox_AttiM", {110, 30, 101, 431}, 7},     {"spinBox_Elev05", {220, 90, 101, 121}, 2},
            {"comboBox_RuMix", {120, 30, 111, 301}, 5},     {"lineEdit_130", {10, 29, 101, 431}, 8},
            {"lineEdit_80", {5, 20, 101, 451}, 6},          {"comboBox_PRM04_Mix", {120, 30, 101, 441}, 6},
            {"doubleSpinBox_Volt", {210, 30, 131, 251}, 4}, {"lineEdit_64", {10, 29, 201, 181}, 3},
        };
        for (const Col &c : cols) {
            QWidget *w = one<QWidget>(c.first);
            QVERIFY2(w && w->parentWidget(), c.first);
            QWidget *column = w->parentWidget();
            QCOMPARE(column->geometry(), c.rect);
            auto *lay = qobject_cast<QVBoxLayout *>(column->layout());
            QVERIFY2(lay, c.first);
            QCOMPARE(lay->count(), c.count);
            QCOMPARE(lay->itemAt(0)->widget(), w);
        }

        int seen = 0;
        const QStringList tightBoxes = words("groupBox_8 groupBox_10 groupBox_13 groupBox_11 groupBox_12");
        const QStringList preferred = seq("comboBox_rev%1", 1, 8) + seq("comboBox_AUX%1", 1, 8);
        for (QVBoxLayout *lay : win->findChildren<QVBoxLayout *>()) {
            if (isInternal(lay, win))
                continue;
            ++seen;
            QWidget *column = lay->parentWidget();
            QCOMPARE(QString(column->metaObject()->className()), QStringLiteral("QWidget"));
            QVERIFY(qobject_cast<QGroupBox *>(column->parentWidget()));
            QCOMPARE(lay->contentsMargins(), QMargins(0, 0, 0, 0));
            const QString box = column->parentWidget()->objectName();
            const bool basics = under(column, "tab_2");
            const int styleSpacing = column->style()->pixelMetric(QStyle::PM_LayoutVerticalSpacing, nullptr, column);
            QCOMPARE(lay->spacing(), basics ? 5 : tightBoxes.contains(box) ? 0 : styleSpacing);
            for (int i = 0; i < lay->count(); ++i) {
                QWidget *w = lay->itemAt(i)->widget();
                const QString n = w->objectName();
                QSizePolicy::Policy h = QSizePolicy::Expanding;
                if ((basics && qobject_cast<QSpinBox *>(w)) || n == "spinBox_Ru4")
                    h = QSizePolicy::Minimum;
                else if (preferred.contains(n))
                    h = QSizePolicy::Preferred;
                QVERIFY2(w->sizePolicy().horizontalPolicy() == h, qPrintable(n));
                QVERIFY2(w->sizePolicy().verticalPolicy() == QSizePolicy::Expanding, qPrintable(n));
            }
        }
        QCOMPARE(seen, 33);
    }

    void styleSheets()
    {
        QStringList bad;
        for (QObject *o : formObjects(win)) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w && squeeze(w->styleSheet()) != expectedSheet(w))
                bad << w->objectName();
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(' ')));
        // A literal sample, so the expectations above can't drift with the form.
        QCOMPARE(squeeze(ui.spinBox_Mode->styleSheet()),
                 QStringLiteral("QSpinBox{background-color: rgb(85, 170, 255);border-style:outset;border-width:4px;"
                                "border-radius:4px;border-color:rgba(0,0,0,0);font:bold 22px;"
                                "color:rgba(255,255,255,255);padding:0px;}QSpinBox:hover{"
                                "background-color:rgba(100,255,100,100);border-color:rgba(255,255,255,255);"
                                "color:rgba(255,255,255,255);}"));
        QVERIFY(ui.tabWidget->styleSheet().contains("background:rgb(0, 0, 0, 0);"));
    }

    void fonts()
    {
        const QFont tabs = ui.tabWidget->font();
        QCOMPARE(tabs.family(), QStringLiteral("Arial"));
        QCOMPARE(tabs.pointSize(), 11);
        QCOMPARE(int(tabs.weight()), int(QFont::Bold));
        QVERIFY(ui.portNameBox->testAttribute(Qt::WA_SetFont));
        QCOMPARE(ui.portNameBox->font().family(), QStringLiteral("Microsoft YaHei"));
        QVERIFY(ui.portNameBox->font().bold() && !ui.portNameBox->font().italic());
        const QStringList withFont = words(
            "groupBox groupBox_2 groupBox_3 groupBox_4 groupBox_5 groupBox_6 "
            "groupBox_14 groupBox_8");
        for (QGroupBox *g : win->findChildren<QGroupBox *>()) {
            const bool own = withFont.contains(g->objectName());
            QVERIFY2(g->testAttribute(Qt::WA_SetFont) == own, qPrintable(g->objectName()));
            if (own) {
                QCOMPARE(g->font().family(), QStringLiteral("Arial"));
                QCOMPARE(int(g->font().weight()), int(QFont::Bold));
                QVERIFY(!g->font().italic());
            }
        }
    }

    void tabs()
    {
        QTabWidget *t = ui.tabWidget;
        const QStringList pages = words("tab tab_2 tab_3 tab_4 tab_5 tab_6");
        const QStringList titles = words("舵量显示 基础菜单 高级菜单1 高级菜单2 混控设置 系统设置");
        const QStringList panels = words("frame_3 frame_2 frame_4 frame_5 frame_8 frame_7");
        QCOMPARE(t->count(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(t->widget(i)->objectName(), pages[i]);
            QCOMPARE(t->tabText(i), titles[i]);
            QCOMPARE(one<QFrame>(panels[i])->parentWidget(), t->widget(i));
        }
        QCOMPARE(t->currentIndex(), 2);
        QVERIFY(t->hasMouseTracking() && t->hasTabletTracking());
        QCOMPARE(t->focusPolicy(), Qt::NoFocus);
        QCOMPARE(t->contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(!t->acceptDrops() && !t->autoFillBackground());
        QCOMPARE(t->tabPosition(), QTabWidget::North);
        QCOMPARE(t->tabShape(), QTabWidget::Rounded);
        QCOMPARE(t->iconSize(), QSize(100, 100));
        QCOMPARE(t->elideMode(), Qt::ElideMiddle);
        QVERIFY(t->documentMode() && t->isMovable() && !t->tabsClosable() && !t->tabBarAutoHide());
        // Hover rules in the sheets switch mouse tracking on for many more
        // widgets, so only the ones the form sets are checked.
        for (const char *n :
             {"tab", "tab_2", "tab_3", "frame_2", "frame", "comboBox_rev6", "comboBox_rev7", "comboBox_rev8"})
            QVERIFY2(one<QWidget>(n)->hasMouseTracking(), n);
        QVERIFY(ui.comboBox_rev8->hasTabletTracking() && !ui.comboBox_rev7->hasTabletTracking());
    }

    void topBar()
    {
        QStringList order;
        for (QObject *o : ui.frame->children())
            order << o->objectName();
        QCOMPARE(order, words("openButton portNameBox lineEdit_26 lineEdit_27 lineEdit_30 lineEdit_RSSI lineEdit_TX "
                              "lineEdit_EXT toolButton_led toolButton_Reset toolButton_Read toolButton_Load "
                              "toolButton_Save toolButton_Send lineEdit_37 lineEdit_RX"));
        for (const char *n :
             {"toolButton_Read", "toolButton_Load", "toolButton_Send", "toolButton_Save", "toolButton_Reset"}) {
            QToolButton *b = one<QToolButton>(n);
            QCOMPARE(b->iconSize(), QSize(60, 60));
            QCOMPARE(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        }
        QCOMPARE(ui.toolButton_led->iconSize(), QSize(40, 40));
        QCOMPARE(ui.toolButton_led->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(ui.frame->frameShape(), QFrame::StyledPanel);
        QCOMPARE(ui.frame->frameShadow(), QFrame::Raised);
    }

    // zqconfig-file labels settings with the form's texts (so the window's
    // catalogue translates them) and shows them with its items and ranges.
    void settingsTableMatchesTheForm()
    {
        QSet<QString> texts;
        for (QLineEdit *e : win->findChildren<QLineEdit *>())
            texts << e->text();
        for (QGroupBox *g : win->findChildren<QGroupBox *>())
            texts << g->title();
        for (int k = 0; k < ui.tabWidget->count(); ++k)
            texts << ui.tabWidget->tabText(k);
        for (const Setting &s : settingsTable()) {
            for (const char *t : {s.page, s.group, s.label})
                QVERIFY2(!*t || texts.contains(QString::fromUtf8(t)), t);
            // Every editor the declaration names is on the form, as declared.
            QVERIFY2(s.boxes.isEmpty() == (s.shown == Shown::Trim || s.shown == Shown::Plain), qPrintable(s.name));
            for (const QString &name : s.boxes) {
                if (s.shown == Shown::Choice) {
                    QComboBox *box = one<QComboBox>(name);
                    QVERIFY2(box, qPrintable(name));
                    QStringList items;
                    for (int k = 0; k < box->count(); ++k)
                        items << box->itemText(k);
                    QCOMPARE(items, s.items);
                } else if (s.shown == Shown::Number) {
                    QSpinBox *box = one<QSpinBox>(name);
                    QVERIFY2(box, qPrintable(name));
                    QCOMPARE(box->minimum(), s.editLo);
                    QCOMPARE(box->maximum(), s.editHi);
                } else {
                    QVERIFY2(one<QDoubleSpinBox>(name), qPrintable(name));
                }
            }
        }
    }

    void progressBars()
    {
        for (int ch = 1; ch <= 8; ++ch) {
            QProgressBar *up = one<QProgressBar>(bars(0).at(ch - 1));
            QProgressBar *down = one<QProgressBar>(bars(1).at(ch - 1));
            QVERIFY(up && down);
            QCOMPARE(up->maximum(), 1010);
            QCOMPARE(up->value(), 10);
            QCOMPARE(down->maximum(), 1000);
            QCOMPARE(down->value(), 1000);
            QCOMPARE(up->geometry().bottom() + 1, down->geometry().top());  // upper bar sits on the lower one
            for (QProgressBar *b : {up, down}) {
                QCOMPARE(b->minimum(), 0);
                QCOMPARE(b->orientation(), Qt::Vertical);
                QVERIFY(!b->isTextVisible() && !b->invertedAppearance());
                QCOMPARE(b->textDirection(), QProgressBar::BottomToTop);
            }
        }
    }

    // The sheets repaint the palette once they are polished, so the palette
    // is taken at the moment the form hands it over.
    void revPalette()
    {
        struct Catcher : QObject
        {
            QPalette first;
            bool seen = false;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                if (!seen && e->type() == QEvent::PaletteChange && o->objectName() == QLatin1String("comboBox_rev1")) {
                    first = static_cast<QWidget *>(o)->palette();
                    seen = true;
                }
                return false;
            }
        } catcher;
        qApp->installEventFilter(&catcher);
        {
            QMainWindow w;
            Ui::MainWindow form;
            form.setupUi(&w);
            QVERIFY(form.comboBox_rev1->testAttribute(Qt::WA_SetPalette));
        }
        qApp->removeEventFilter(&catcher);
        QVERIFY(catcher.seen);
        const QPalette p = catcher.first;
        const QColor white(255, 255, 255), blue(85, 170, 255);
        for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            for (auto r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                QCOMPARE(p.color(g, r), white);
            for (auto r : {QPalette::Button, QPalette::Base, QPalette::Window})
                QCOMPARE(p.color(g, r), blue);
            QCOMPARE(p.color(g, QPalette::PlaceholderText), QColor(255, 255, 255, 128));
            QCOMPARE(p.brush(g, QPalette::PlaceholderText).style(), Qt::NoBrush);
        }
    }

    void curveWidgets()
    {
        QVERIFY(qobject_cast<mWidget *>(one<QWidget>("widget_3")));
        QVERIFY(qobject_cast<cureWidget *>(one<QWidget>("widget_4")));
        QCOMPARE(ui.widget_3->parentWidget(), ui.groupBox_19);
        QCOMPARE(ui.widget_4->parentWidget(), ui.groupBox_18);
    }

    // Every text the form looks up has a finished entry in the bundled
    // English catalogue (lrelease leaves unfinished ones out), and in
    // English no widget shows a Chinese character.
    void englishCatalogue()
    {
        struct Recorder : QTranslator
        {
            mutable QStringList asked;
            QString translate(const char *context, const char *source, const char *, int) const override
            {
                if (qstrcmp(context, "MainWindow") == 0)
                    asked << QString::fromUtf8(source);
                return QString();
            }
        } recorder;
        QTranslator en;
        QVERIFY(en.load(QStringLiteral(":/i18n/zqconfig_en.qm")));
        QMainWindow w;
        Ui::MainWindow form;
        QCoreApplication::installTranslator(&recorder);
        form.setupUi(&w);
        QCoreApplication::removeTranslator(&recorder);
        QVERIFY(recorder.asked.contains(QStringLiteral("打开串口")));
        for (const QString &source : recorder.asked)
            QVERIFY2(!en.translate("MainWindow", source.toUtf8()).isEmpty(), qPrintable(source));

        // The whole window in English, after a refresh has filled it.
        QVERIFY(useEnglishTexts(true));
        MainWindow english;
        QVERIFY(QMetaObject::invokeMethod(&english, "ui_Display"));
        useEnglishTexts(false);
        QStringList shown{english.windowTitle()};
        for (QWidget *c : english.findChildren<QWidget *>()) {
            for (const char *property : {"text", "title", "toolTip", "statusTip", "whatsThis", "placeholderText"})
                shown << c->property(property).toString();
            if (auto *t = qobject_cast<QTabWidget *>(c))
                for (int i = 0; i < t->count(); ++i)
                    shown << t->tabText(i);
            if (auto *box = qobject_cast<QComboBox *>(c))
                for (int i = 0; i < box->count(); ++i)
                    shown << box->itemText(i);
        }
        const QRegularExpression cjk(QStringLiteral("[\\x{2e80}-\\x{9fff}\\x{f900}-\\x{faff}\\x{ff00}-\\x{ffef}]"));
        QVERIFY(shown.contains(QStringLiteral("OPEN")));
        for (const QString &text : shown)
            QVERIFY2(!text.contains(cjk), qPrintable(text));
    }

    // Every message, dialog and button text and every label of the settings
    // table is a source text with a finished entry in each bundled catalogue,
    // and in English none is left Chinese.
    void messageCatalogues()
    {
        struct Recorder : QTranslator
        {
            mutable QList<QByteArrayList> asked;  // context, source, disambiguation
            QString translate(const char *context, const char *source, const char *which, int) const override
            {
                asked << QByteArrayList{context, source, which};
                return QString();
            }
        } recorder;
        QVERIFY(useEnglishTexts(false));
        QCoreApplication::installTranslator(&recorder);
        linkTexts(), verifyTexts(), fileTexts(), guardTexts(), differenceTexts(), historyTexts();
        for (const Setting &s : settingsTable())
            settingLabel(s, 1);
        QCoreApplication::removeTranslator(&recorder);
        QVERIFY(recorder.asked.contains(QByteArrayList{"LinkTexts", "关闭串口", QByteArray()}));
        QVERIFY(recorder.asked.contains(QByteArrayList{"Setting", "微调", QByteArray()}));

        const QRegularExpression cjk(QStringLiteral("[\\x{2e80}-\\x{9fff}\\x{f900}-\\x{faff}\\x{ff00}-\\x{ffef}]"));
        QVERIFY(knownLanguages().contains(QStringLiteral("en")));
        for (const QString &language : knownLanguages()) {
            if (language == QLatin1String(kSourceLanguage))
                continue;
            QTranslator catalogue;
            QVERIFY(catalogue.load(QStringLiteral(":/i18n/zqconfig_%1.qm").arg(language)));
            for (const QByteArrayList &a : recorder.asked) {
                // The form's texts are checked above; a qualifier such as "L"
                // it looks up there too is the same word in every language.
                if (a[0] == "MainWindow")
                    continue;
                const QString text = catalogue.translate(a[0], a[1], a[2].isEmpty() ? nullptr : a[2].constData());
                const QByteArray where = language.toLatin1() + ' ' + a.join(' ');
                QVERIFY2(!text.isEmpty(), where.constData());
                QVERIFY2(language != QLatin1String("en") || !text.contains(cjk), where.constData());
            }
        }
    }

    // The start indexes are set before the slots are bound, so they never
    // reach a slot; the first later change does.
    void startIndexesReachNoSlot()
    {
        ProbeWindow w;
        Ui::MainWindow form;
        form.setupUi(&w);
        QCOMPARE(form.comboBox_rev3->currentIndex(), 1);
        QCOMPARE(w.revChanges, 0);
        QCOMPARE(w.tabChanges, 0);
        form.comboBox_rev3->setCurrentIndex(0);
        form.tabWidget->setCurrentIndex(0);
        QCOMPARE(w.revChanges, 1);
        QCOMPARE(w.tabChanges, 1);
    }
};

QTEST_MAIN(FormTest)
#include "tst_form.moc"
