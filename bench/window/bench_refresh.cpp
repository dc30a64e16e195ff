// Cost of the 100 ms refresh: one ui_Display tick over all pages, and one
// full paint of each curve widget.  Both run ten times a second for the
// life of the window.
//
//   QT_QPA_PLATFORM=offscreen ./bench_refresh [-median 5]
#include "configmodel.h"
#include "curewidget.h"
#include "hover.h"
#include "mainwindow.h"
#include "monitorstate.h"
#include "mwidget.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMetaMethod>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

class BenchRefresh : public QObject
{
    Q_OBJECT

    QMetaMethod tickMethod(MainWindow &w)
    {
        const QMetaObject *mo = w.metaObject();
        return mo->method(mo->indexOfSlot("ui_Display()"));
    }

    // Shown on `page` and painted once, as a user has it.
    bool showOnPage(MainWindow &w, int page)
    {
        w.findChild<QTabWidget *>("tabWidget")->setCurrentIndex(page);
        w.show();
        return QTest::qWaitForWindowExposed(&w);
    }

private slots:
    void tickUnchangedModel_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("hidden window") << -1;
        QTest::newRow("shown, channel page") << 1;
        QTest::newRow("shown, curve page") << 3;
    }
    void tickUnchangedModel()
    {
        QFETCH(int, page);
        cfg = ConfigModel{};
        hoverCounters = HoverCounters{};
        MainWindow w;
        if (page >= 0)
            QVERIFY(showOnPage(w, page));
        const QMetaMethod tick = tickMethod(w);
        // Make sure the tick really reaches the widgets before timing it.
        cfg.sub1 = 7;
        QVERIFY(tick.invoke(&w));
        QCOMPARE(w.findChild<QSpinBox *>("spinBox_sub1")->value(), 7);
        cfg.sub1 = 0;
        tick.invoke(&w);
        QCoreApplication::processEvents();
        QBENCHMARK {
            tick.invoke(&w);
        }
    }

    // The monitor page while the sticks move: every bar and value changes
    // between two ticks, and the paint that follows is counted too.
    void tickMovingSticks()
    {
        cfg = ConfigModel{};
        mon = MonitorState{};
        MainWindow w;
        QVERIFY(showOnPage(w, 0));
        const QMetaMethod tick = tickMethod(w);
        int step = 0;
        QBENCHMARK {
            ++step;
            for (int k = 0; k < 8; ++k)
                mon.*kServoFields[k] = 1000 + ((step + k) % 2 ? 400 : -400) + k;
            mon.TxVoltLive = 800 + step % 2;
            tick.invoke(&w);
            QCoreApplication::sendPostedEvents();
        }
    }

    // While the pointer rests on a combo box past the threshold its sheet
    // is read and applied again on every tick.
    void tickWithPointerRestingOnACombo()
    {
        cfg = ConfigModel{};
        hoverCounters = HoverCounters{};
        MainWindow w;
        // The pointer can only rest on a box that is shown, and only a
        // shown (polished) box pays for the new sheet.
        QVERIFY(showOnPage(w, 3));
        QComboBox *box = w.findChild<QComboBox *>("comboBox_DR_POSI");
        box->setAttribute(Qt::WA_UnderMouse, true);
        hoverCounters.drPosi = kHoverTicks;
        const QMetaMethod tick = tickMethod(w);
        tick.invoke(&w);
        QFile rev(QString::fromLatin1(kComboSheetRev));
        if (rev.open(QIODevice::ReadOnly))
            QCOMPARE(box->styleSheet(), QString::fromUtf8(rev.readAll()));
        else
            qWarning("the style sheets are not in the bundle; this measures the failed open only");
        QBENCHMARK {
            tick.invoke(&w);
        }
    }

    void paintThrottleCurve()
    {
        cfg = ConfigModel{};
        cureWidget w;
        w.resize(300, 300);
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        QBENCHMARK {
            w.render(&img);
        }
    }

    void paintDualRateCurve()
    {
        cfg = ConfigModel{};
        cfg.DR_RATE = 70;
        cfg.DR_EXP = -30;
        mWidget w;
        w.resize(280, 280);
        QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
        QBENCHMARK {
            w.render(&img);
        }
    }
};

QTEST_MAIN(BenchRefresh)
#include "bench_refresh.moc"
