// The window as a whole: slot binding by name, editors reaching the
// model, the port list, the refresh cycle and the blocking wait.
#include "configmodel.h"
#include "delayms.h"
#include "language.h"
#include "look.h"
#include "mainwindow.h"
#include "modelfields.h"
#include "options.h"
#include "startup.h"
#include "testsupport.h"
#include "windowprobe.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaMethod>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QTextStream>
#include <QtTest>

#include <cstdlib>
#include <functional>
#include <vector>

// Registers the bundled resources before the static start below runs,
// which may come before their own registration.
static void registerResources()
{
    Q_INIT_RESOURCE(zqconfig);
    Q_INIT_RESOURCE(zqconfig_i18n);
}

namespace {

QStringList capturedMessages;

// Started with ZQ_START_ARGS set, this suite starts the application as the
// program does with those arguments (split at spaces, the program's name
// first) and exits at once: 0 when writes are then read back, 1 when not.
// On the way it prints what the start-up gave the desktop and Qt's own
// dialogs: the window icon, a message box's Cancel button, a file dialog's
// name label.
[[maybe_unused]] const bool startedAsTheProgram = [] {
    if (!qEnvironmentVariableIsSet("ZQ_START_ARGS"))
        return false;
    static QList<QByteArray> words = qgetenv("ZQ_START_ARGS").split(' ');
    static std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    static int argc = int(argv.size());
    argv.push_back(nullptr);
    registerResources();
    StartOptions options;
    int status = 0;
    const auto app = startApplication(argc, argv.data(), {QStringLiteral("about"), true}, &options, &status);
    if (app) {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Cancel);
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        const auto *label = files.findChild<QLabel *>(QStringLiteral("fileNameLabel"));
        QTextStream(stdout) << "icon " << !QApplication::windowIcon().pixmap(32, 32).isNull() << "\n"
                            << "cancel " << box.button(QMessageBox::Cancel)->text() << "\n"
                            << "file name " << (label ? label->text() : QString()) << "\n";
        fflush(stdout);
    }
    std::_Exit(!app ? 2 : options.verify ? 0 : 1);
}();

void captureHandler(QtMsgType, const QMessageLogContext &, const QString &msg)
{
    capturedMessages << msg;
}

struct Editor
{
    QString name;
    std::function<double(const ConfigModel &)> field;
};

QVector<Editor> editorTable()
{
    QVector<Editor> t;
    auto add = [&t](const QString &name, CfgField f) {
        t.push_back({name, [f](const ConfigModel &cfg) { return double(cfg.*f); }});
    };
    for (int i = 0; i < 8; ++i) {
        const QString n = QString::number(i + 1);
        add("spinBox_sub" + n, kSubFields[i]);
        add("spinBox_Lepa" + n, kLepaFields[i]);
        add("spinBox_Repa" + n, kRepaFields[i]);
        add("spinBox_FS" + n, kFsFields[i]);
        add("spinBox_delay" + n, kDelayFields[i]);
        add("comboBox_rev" + n, kRevFields[i]);
    }
    for (int i = 0; i < 4; ++i)
        add(QString("comboBox_AUX%1").arg(i + 5), kAuxFields[i]);
    for (int i = 0; i < 6; ++i) {
        add(QString("spinBox_Atti%1").arg(i + 1), kAttiFields[i]);
        add(QString("spinBox_Elev0%1").arg(i + 1), kElevFields[i]);
    }
    for (int i = 0; i < 4; ++i)
        add(QString("spinBox_Ru%1").arg(i + 1), kRuFields[i]);
    for (int i = 0; i < 7; ++i)
        add(QString("spinBox_THCURE_Data0%1").arg(i + 1), kThCurveFields[i]);
    for (int m = 0; m < 4; ++m) {
        const QString p = QString("PRM0%1_").arg(m + 1);
        add("comboBox_" + p + "Mix", kPrmFields[m].mix);
        add("comboBox_" + p + "Master", kPrmFields[m].master);
        add("comboBox_" + p + "Slave", kPrmFields[m].slave);
        add("spinBox_" + p + "Data1", kPrmFields[m].data1);
        add("spinBox_" + p + "Data2", kPrmFields[m].data2);
        add("spinBox_" + p + "Data3", kPrmFields[m].data3);
    }
    add("comboBox_DR_MIX1", &ConfigModel::DR_MIX);
    add("comboBox_DR_MIX2", &ConfigModel::DR_MIX);
    add("comboBox_DR_CH1", &ConfigModel::DR_CH);
    add("comboBox_DR_CH2", &ConfigModel::DR_CH);
    add("comboBox_DR_SW2", &ConfigModel::DR_SW);
    add("comboBox_DR_POSI", &ConfigModel::DR_POSI);
    add("spinBox_DR_UP1", &ConfigModel::DR_UP1);
    add("spinBox_DR_DOWN1", &ConfigModel::DR_DOWN1);
    add("spinBox_DR_RATE", &ConfigModel::DR_RATE);
    add("spinBox_DR_EXP", &ConfigModel::DR_EXP);
    add("comboBox_AttiM", &ConfigModel::AttiM);
    add("comboBox_EleMix", &ConfigModel::EleMix);
    add("comboBox_RuMix", &ConfigModel::RuMix);
    add("comboBox_THCURE_MIX", &ConfigModel::THCURE_MIX);
    add("spinBox_Mode", &ConfigModel::Mode);
    add("spinBox_Vertion", &ConfigModel::Vertion);
    add("spinBox_Rssi", &ConfigModel::Rssi);
    t.push_back({"doubleSpinBox_Volt", [](const ConfigModel &cfg) { return cfg.Volt; }});
    t.push_back({"doubleSpinBox_rxVolt", [](const ConfigModel &cfg) { return cfg.rxVolt; }});
    t.push_back({"doubleSpinBox_extVolt", [](const ConfigModel &cfg) { return cfg.extVolt; }});
    for (int r = 1; r <= 4; ++r)
        t.push_back({QString("spinBox_step%1").arg(r),
                     [r](const ConfigModel &cfg) { return double(cfg.StkStep[trimRowChannel(cfg.Mode, r)]); }});
    return t;
}

}  // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    // The status line sits below the form, which keeps its designed place
    // and size: the window grows by the line; in English it speaks English.
    // A smaller window scrolls the form, a larger one centres it.
    void statusLineBelowTheForm_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QSize>("grown");
        QTest::newRow("Chinese") << false << "未打开串口" << QSize();
        QTest::newRow("English") << true << "No port open" << QSize();
        QTest::newRow("smaller, scrolled") << false << "未打开串口" << QSize(-300, -200);
        QTest::newRow("larger, centred") << false << "未打开串口" << QSize(400, 300);
    }
    void statusLineBelowTheForm()
    {
        QFETCH(bool, english);
        QFETCH(QSize, grown);
        QVERIFY(useEnglishTexts(english));
        MainWindow w;
        w.resize(w.size() + grown);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *form = w.findChild<QWidget *>(QStringLiteral("centralwidget"));
        QCOMPARE(QRect(form->mapTo(&w, QPoint()), form->size()),
                 QRect(QPoint(std::max(0, grown.width() / 2), std::max(0, grown.height() / 2)), QSize(1100, 680)));
        const auto *area = w.findChild<QScrollArea *>();
        QCOMPARE(area->horizontalScrollBar()->isVisible() + area->verticalScrollBar()->isVisible(),
                 2 * (grown.width() < 0));
        QVERIFY(w.statusBar()->isVisible());
        QCOMPARE(w.statusBar()->geometry().top(), 680 + grown.height());
        QCOMPARE(w.height(), 680 + grown.height() + w.statusBar()->height());
        QTEST(w.findChild<QLabel *>(QStringLiteral("statusLink"))->text(), "link");
        useEnglishTexts(false);
    }

    void everySlotNamedAfterAWidgetBindsWithoutWarnings()
    {
        capturedMessages.clear();
        QtMessageHandler old = qInstallMessageHandler(captureHandler);
        {
            MainWindow w;
            qInstallMessageHandler(old);

            // Every on_<object>_<signal> slot names an existing widget
            // with that signal; a typo would silently leave an editor
            // without effect.
            const QMetaObject *mo = w.metaObject();
            int bound = 0;
            for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
                const QMetaMethod m = mo->method(i);
                const QString sig = QString::fromLatin1(m.methodSignature());
                if (!sig.startsWith("on_"))
                    continue;
                const QString name = QString::fromLatin1(m.name());
                const int cut = name.lastIndexOf('_');
                const QString object = name.mid(3, cut - 3);
                const QString signal = name.mid(cut + 1);
                QObject *child = w.findChild<QObject *>(object);
                QVERIFY2(child, qPrintable("no widget for " + sig));
                const QByteArray signalSig = (signal + sig.mid(sig.indexOf('('))).toLatin1();
                QVERIFY2(child->metaObject()->indexOfSignal(signalSig) >= 0,
                         qPrintable("no signal " + signalSig + " on " + object));
                ++bound;
            }
            QCOMPARE(bound, 130);
            int slotCount = 0;
            for (int i = mo->methodOffset(); i < mo->methodCount(); ++i)
                slotCount += mo->method(i).methodType() == QMetaMethod::Slot;
            QCOMPARE(slotCount, 158);
        }
        qInstallMessageHandler(old);
        for (const QString &msg : capturedMessages)
            QVERIFY2(!msg.contains("connectSlotsByName"), qPrintable(msg));
    }

    void eachEditorStoresItsValueIntoTheModel()
    {
        MainWindow w;
        const auto table = editorTable();
        QCOMPARE(table.size(), 123);  // every on_ slot but the seven buttons
        for (const Editor &e : table) {
            QWidget *widget = w.findChild<QWidget *>(e.name);
            QVERIFY2(widget, qPrintable(e.name));
            double expected = 0;
            if (auto *d = qobject_cast<QDoubleSpinBox *>(widget)) {
                expected = d->value() == 12.3 ? 45.6 : 12.3;
                d->setValue(expected);
            } else if (auto *s = qobject_cast<QSpinBox *>(widget)) {
                expected = s->value() == s->minimum() ? s->maximum() : s->minimum();
                if (e.name.startsWith("spinBox_step"))
                    expected = s->value() == 7 ? 8 : 7;
                s->setValue(int(expected));
            } else if (auto *c = qobject_cast<QComboBox *>(widget)) {
                if (c->count() == 1) {
                    // A single item cannot change; let the box announce
                    // its index as if it had, over a model value it
                    // does not show.
                    w.model().DR_SW = 2;
                    expected = 0;
                    QVERIFY(QMetaObject::invokeMethod(c, "currentIndexChanged", Q_ARG(int, 0)));
                } else {
                    expected = (c->currentIndex() + 1) % c->count();
                    c->setCurrentIndex(int(expected));
                }
            } else {
                QFAIL(qPrintable("unexpected editor class for " + e.name));
            }
            QVERIFY2(qFuzzyCompare(e.field(w.model()) + 1000, expected + 1000),
                     qPrintable(QString("%1: model %2, widget %3").arg(e.name).arg(e.field(w.model())).arg(expected)));
        }
    }

    void formStartValuesNeverReachTheModel()
    {
        // The window's model starts at the initial values; if a handler ran
        // during setupUi, a form start value would have replaced one.
        MainWindow w;
        const QStringList changed = modelDiff(w.model(), ConfigModel());
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(' ')));
    }

    void startsOnTheFirstPageWithThePortListOfTheSystem()
    {
        MainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Zarvik&Quorel-V5.1"));
        // The form's 1100 x 680 and the status line below it.
        QCOMPARE(w.size(), QSize(1100, 680 + w.statusBar()->sizeHint().height()));
        QCOMPARE(w.findChild<QTabWidget *>("tabWidget")->currentIndex(), 0);
        auto *ports = w.findChild<QComboBox *>("portNameBox");
        QStringList expected;
        for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
            expected << info.portName();
        QStringList shown;
        for (int i = 0; i < ports->count(); ++i) {
            shown << ports->itemText(i);
            QVERIFY(ports->itemIcon(i).isNull());
            QVERIFY(!ports->itemData(i).isValid());
        }
        QCOMPARE(shown, expected);
    }

    void fittingFamilyTakesTheFirstThatFitsElseTheNarrowest()
    {
        QFont f;
        f.setPixelSize(26);
        f.setBold(true);
        const QStringList texts{"CH1", "CH88"};
        const auto width = [&](const char *family) {
            f.setFamily(family);
            return QFontMetrics(f).horizontalAdvance("CH88");
        };
        const int wide = width("DejaVu Sans"), narrow = width("Liberation Sans Narrow");
        QVERIFY2(narrow < wide, "needs fonts-liberation and fonts-dejavu");
        const QStringList both{"DejaVu Sans", "Liberation Sans Narrow"};
        QCOMPARE(fittingFamily(f, texts, wide, both), QStringLiteral("DejaVu Sans"));
        QCOMPARE(fittingFamily(f, texts, wide - 1, both), QStringLiteral("Liberation Sans Narrow"));
        QCOMPARE(fittingFamily(f, texts, narrow - 1, both), QStringLiteral("Liberation Sans Narrow"));
    }

    // What the sheets cannot say: the channel names fit their boxes and
    // the spin boxes show arrows, in the sheet's text colour, also after a
    // hover swapped the sheet.
    void channelNamesFitAndSpinArrowsShow()
    {
        MainWindow w;
        w.show();
        for (const char *n : {"lineEdit_9", "lineEdit_19", "lineEdit_25"}) {
            auto *e = w.findChild<QLineEdit *>(n);
            QCOMPARE(e->font().pixelSize(), 26);
            QVERIFY(e->font().bold());
            // 60 px less the sheet's 4 px borders and QLineEdit's 2 px margins.
            QVERIFY2(QFontMetrics(e->font()).horizontalAdvance(e->text()) <= 60 - 8 - 4, n);
        }
        auto *spin = w.findChild<QSpinBox *>("spinBox_sub1");
        spin->setStyleSheet(spin->styleSheet());
        const QImage shot = spin->grab().toImage();
        QStyleOptionSpinBox opt;
        opt.initFrom(spin);
        opt.rect = spin->rect();
        opt.subControls = QStyle::SC_All;
        for (auto button : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown}) {
            const QRect r = spin->style()->subControlRect(QStyle::CC_SpinBox, &opt, button, spin);
            int arrow = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    arrow += shot.pixelColor(x, y) == QColor(Qt::white);
            QVERIFY2(arrow >= 3, qPrintable(QString::number(arrow)));
        }
    }

    void refreshRunsEvery100msWithoutAPort()
    {
        MainWindow w;
        w.show();
        // The refresh pushes the model into the widgets even with no port;
        // flipping the model after each push makes every refresh show.
        auto *sub3 = w.findChild<QSpinBox *>("spinBox_sub3");
        int refreshes = 0;
        connect(sub3, QOverload<int>::of(&QSpinBox::valueChanged), this, [&refreshes, &w] {
            ++refreshes;
            w.model().sub3 = -w.model().sub3;
        });
        w.model().sub3 = 42;
        QTRY_VERIFY_WITH_TIMEOUT(refreshes > 0, 5000);
        const int first = refreshes;
        QElapsedTimer span;
        span.start();
        // 20 periods of 100 ms; the time allowed leaves room for a loaded machine.
        QTRY_VERIFY_WITH_TIMEOUT(refreshes >= first + 20, 5000);
        QVERIFY2(span.elapsed() >= 1200, qPrintable(QString::number(span.elapsed())));
        auto *value1 = w.findChild<QLineEdit *>("lineEdit");
        QTRY_COMPARE_WITH_TIMEOUT(value1->text(), QStringLiteral("1000"), 5000);
    }

    void closingTheWindowWithAnOpenPortSendsNothing()
    {
        PtyPeer peer;
        QVERIFY(peer.isOpen());
        {
            MainWindow w;
            openPortInWindow(&w, peer.slavePath());
            QVERIFY(peer.waitFor("OK", 5000));
            peer.clearReceived();
        }
        QCOMPARE(peer.collectFor(300), QByteArray());
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("env");
        QTest::addColumn<bool>("qtOptionsTaken");
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("shown");  // port when running, else part of the message
        const int run = StartOptions::Run, fail = StartOptions::Fail;
        QTest::newRow("default") << ""
                                 << "" << true << run << false << "";
        QTest::newRow("environment") << ""
                                     << "en" << true << run << true << "";
        QTest::newRow("option wins") << "--lang zh"
                                     << "en" << true << run << false << "";
        QTest::newRow("option alone") << "--lang=en --port /dev/serial/by-id/x"
                                      << "zh" << true << run << true << "/dev/serial/by-id/x";
        QTest::newRow("bad option") << "--lang fr"
                                    << "en" << true << fail << false << "'fr' in --lang; accepted values: en, zh";
        QTest::newRow("bad environment") << ""
                                         << "EN" << true << fail << false << "'EN' in ZQCONFIG_LANG";
        QTest::newRow("Qt's options, early") << "-stylesheet a.qss -reverse --port ttyUSB1"
                                             << "" << false << run << false << "ttyUSB1";
        QTest::newRow("unknown option") << "--prot ttyUSB1"
                                        << "" << true << fail << false << "'prot'";
        QTest::newRow("help wins") << "--lang fr -h"
                                   << "" << true << int(StartOptions::ShowHelp) << false << "--port <name>";
    }

    void commandLine()
    {
        QFETCH(QString, args);
        QFETCH(QString, env);
        QFETCH(bool, qtOptionsTaken);
        QFETCH(int, action);
        QFETCH(bool, english);
        QFETCH(QString, shown);
        const QStringList argv = QStringList{"/usr/bin/zqconfig"} + args.split(' ', Qt::SkipEmptyParts);
        const StartOptions o = parseStartOptions(argv, env, {QStringLiteral("about"), true}, qtOptionsTaken);
        QCOMPARE(int(o.action), action);
        QCOMPARE(o.language, QLatin1String(english ? "en" : "zh"));
        QVERIFY2((action == StartOptions::Run ? o.port == shown : o.message.contains(shown)), qPrintable(o.message));
    }

    // Answered before a window could open: there is no display to open one on.
    void commandLineWithoutDisplay()
    {
        const struct
        {
            QStringList args;
            int status;
            const char *out;
        } cases[] = {
            {{"--help"}, 0, "--lang <en|zh>"},          {{"--help"}, 0, "window: zh (Chinese, the default) or en"},
            {{"--version"}, 0, "zqconfig 5.1 (Qt "},    {{"--lang", "xx"}, 2, "en, zh"},
            {{"--bogus"}, 2, "Unknown option 'bogus'"}, {{"-reverse", "--port"}, 2, "Missing value after '--port'"},
            {{}, 1, "no display to open the window"},   {{}, 1, "use zqconfig-file\n"}};
        for (const auto &c : cases) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(name);
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(ZQCONFIG_EXE), c.args);
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), c.status);
            QVERIFY(QString::fromLocal8Bit(c.status ? p.readAllStandardError() : p.readAllStandardOutput())
                        .contains(c.out));
        }
    }

    // The read-back switch as a user sets it reaches the program.
    void readBackSwitchAtStartUp()
    {
        const struct
        {
            const char *args, *env;
            int status;
        } cases[] = {{"", "", 0}, {" --no-verify", "", 1}, {"", "0", 1}, {"", "1", 0}};
        for (const auto &c : cases) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("ZQ_START_ARGS", QStringLiteral("zqconfig") + c.args);
            env.insert("ZQCONFIG_VERIFY", c.env);
            env.insert("QT_QPA_PLATFORM", "offscreen");
            p.setProcessEnvironment(env);
            p.start(QCoreApplication::applicationFilePath(), QStringList());
            QVERIFY(p.waitForFinished(60000));
            QVERIFY2(p.exitCode() == c.status, c.args + QByteArray(" ZQCONFIG_VERIFY=") + c.env);
        }
        // The programs hand it to their window.
        for (bool verify : {false, true}) {
            StartOptions options;
            options.verify = verify;
            MainWindow w;
            applyWindowOptions(w, options);
            QCOMPARE(WindowProbe::verifiesWrites(w), verify);
        }
    }

    // The program's start gives the window its icon, and Qt's own dialogs
    // the window's language: Chinese from the distribution's catalogue,
    // English as Qt is written.
    void startUpGivesIconAndDialogLanguage_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("Chinese, the default") << ""
                                              << "取消"
                                              << "文件名称(&N)：";
        QTest::newRow("English") << " --lang en"
                                 << "Cancel"
                                 << "File &name:";
    }

    void startUpGivesIconAndDialogLanguage()
    {
        QFETCH(QString, args);
        QFETCH(QString, cancel);
        QFETCH(QString, fileName);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const QString qtCatalogues = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
        const QString qtCatalogues = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
        if (args.isEmpty() && !QFile::exists(qtCatalogues + QStringLiteral("/qtbase_zh_CN.qm")))
            QSKIP("Qt's Chinese catalogue is not installed (./run.sh installs it)");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZQ_START_ARGS", QStringLiteral("zqconfig") + args);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.remove("ZQCONFIG_LANG");
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(p.waitForFinished(60000));
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(lines.contains(QStringLiteral("icon 1")), qPrintable(lines.join(" | ")));
        QVERIFY2(lines.contains(QStringLiteral("cancel ") + cancel), qPrintable(lines.join(" | ")));
        QVERIFY2(lines.contains(QStringLiteral("file name ") + fileName), qPrintable(lines.join(" | ")));
    }

    void delayKeepsTheEventLoopRunning()
    {
        bool fired = false;
        QTimer::singleShot(50, [&fired] { fired = true; });
        QElapsedTimer t;
        t.start();
        DelayMs(200);
        QVERIFY(fired);
        QVERIFY(t.elapsed() >= 190);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
