// What keeps every state: the history of what transmitters held, the
// state the marks compare the pages with, page undo and the recent files.
#include "commandguard.h"
#include "filedialogs.h"
#include "filestate.h"
#include "history.h"
#include "historytexts.h"
#include "historywindow.h"
#include "mainwindow.h"
#include "marks.h"
#include "pagesteps.h"
#include "transmitterlink.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>

namespace {

const char kRecentKey[] = "recentFiles";
const char kPortKey[] = "lastPort";
constexpr int kRecentFiles = 8;

// The recent files and the last port, the same for every program of the
// window (the tool and its demo).
QString settingValue(const char *key)
{
    return QSettings(QStringLiteral("zqconfig"), QStringLiteral("zqconfig")).value(QLatin1String(key)).toString();
}

QStringList settingList(const char *key)
{
    return QSettings(QStringLiteral("zqconfig"), QStringLiteral("zqconfig")).value(QLatin1String(key)).toStringList();
}

void setSetting(const char *key, const QVariant &value)
{
    QSettings(QStringLiteral("zqconfig"), QStringLiteral("zqconfig")).setValue(QLatin1String(key), value);
}

QAction *windowAction(QWidget *window, const char *name, const QString &text, const QKeySequence &key)
{
    auto *a = new QAction(text, window);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    window->addAction(a);
    return a;
}

// A button of its own text that does what `action` does; its tip names
// the action and its key.
QToolButton *statusButton(QStatusBar *bar, const char *name, QAction *action)
{
    auto *b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setAutoRaise(true);
    b->setText(action->text());
    b->setToolTip(QStringLiteral("%1 (%2)").arg(action->text(), action->shortcut().toString(QKeySequence::NativeText)));
    QObject::connect(b, &QToolButton::clicked, action, &QAction::trigger);
    bar->addPermanentWidget(b);
    return b;
}

}  // namespace

void MainWindow::setUpKeeping()
{
    const HistoryTexts texts = historyTexts();
    history = new HistoryStore(HistoryStore::defaultFolder(), this);
    steps = new PageSteps(this, cfg);
    steps->showPagesWith([this] { ui_Display(); });
    // A command that talks to the transmitter starts a fresh undo history:
    // its states are in the kept history.
    connect(commands, &CommandGuard::started, this, [this] { steps->hold(true); });
    connect(commands, &CommandGuard::ended, this, [this] {
        steps->hold(false);
        if (linkOpen())
            steps->restart();
        else
            steps->notice();
    });

    QAction *undo = steps->stack()->createUndoAction(this, texts.undo);
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = steps->stack()->createRedoAction(this, texts.redo);
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcut(QKeySequence::Redo);
    addAction(undo);
    addAction(redo);

    QAction *showAll = windowAction(this, "actionHistory", texts.history, QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(showAll, &QAction::triggered, this, &MainWindow::showHistory);
    QAction *withFile =
        windowAction(this, "actionCompareWithFile", texts.compareFile, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    connect(withFile, &QAction::triggered, this, &MainWindow::compareWithFile);
    QAction *withHeld = windowAction(this, "actionCompareWithTransmitter", texts.compareHeld,
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    withHeld->setEnabled(false);
    connect(withHeld, &QAction::triggered, this, &MainWindow::compareWithHeld);
    QAction *open =
        windowAction(this, "actionOpenOnPages", texts.openOnPages, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(open, &QAction::triggered, this, [this] { openOnPages(); });
    differences->addMenuActions({undo, redo, withFile, withHeld, open, showAll});
    differences->beforeTakingBack([this] { steps->separate(); });

    // The status line: the history, and while another state is compared,
    // which one, a click away from the transmitter again.
    QToolButton *historyButton = statusButton(statusBar(), "historyButton", showAll);
    QToolButton *comparing = statusButton(statusBar(), "comparingButton", withHeld);
    comparing->hide();
    connect(withHeld, &QAction::changed, comparing,
            [comparing, withHeld] { comparing->setVisible(withHeld->isEnabled()); });
    connect(history, &HistoryStore::unwritable, historyButton, [historyButton](const QString &why) {
        const QString said = historyTexts().unwritable.arg(why);
        historyButton->setText(historyButton->fontMetrics().elidedText(said, Qt::ElideMiddle, 400));
        historyButton->setToolTip(said);
    });

    // The port last opened is offered first when it is there.
    const int last = ui->portNameBox->findText(settingValue(kPortKey));
    if (last >= 0)
        ui->portNameBox->setCurrentIndex(last);
    connect(ui->openButton, &QAbstractButton::clicked, this, [this] {
        if (linkOpen())
            setSetting(kPortKey, ui->portNameBox->currentText());
    });

    // Load's own context menu: open on the pages, and the recent files
    // for either.
    ui->toolButton_Load->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->toolButton_Load, &QWidget::customContextMenuRequested, this, [this, open](const QPoint &at) {
        QMenu menu(this);
        menu.addAction(open);
        const QStringList recent = settingList(kRecentKey);
        if (!recent.isEmpty()) {
            QMenu *sub = menu.addMenu(historyTexts().recent);
            for (const QString &path : recent) {
                QMenu *file = sub->addMenu(QFileInfo(path).fileName());
                file->setToolTip(path);
                file->addAction(ui->toolButton_Load->text().trimmed(), this, [this, path] {
                    presetLoadPath = path;
                    ui->toolButton_Load->click();
                    presetLoadPath.clear();
                });
                file->addAction(historyTexts().openOnPages, this, [this, path] { openOnPages(path); });
            }
        }
        menu.exec(ui->toolButton_Load->mapToGlobal(at));
    });
}

void MainWindow::keepHeld(HistoryEvent e)
{
    if (heldKnown)
        history->keep(known, e, link->port().portName());
}

void MainWindow::keepBefore(HistoryEvent before, HistoryEvent after)
{
    afterWrite = after;
    keepHeld(before);
}

void MainWindow::compareWith(const ConfigModel &state, const QString &name)
{
    reference = state;
    differences->setReference(&reference, name);
    findChild<QAction *>(QStringLiteral("actionCompareWithTransmitter"))->setEnabled(true);
    findChild<QToolButton *>(QStringLiteral("comparingButton"))->setText(historyTexts().comparing.arg(name));
}

void MainWindow::compareWithHeld()
{
    differences->setReference(nullptr, QString());
    findChild<QAction *>(QStringLiteral("actionCompareWithTransmitter"))->setEnabled(false);
}

void MainWindow::compareWithFile()
{
    const QString path = askLoadPath(this, fileFolder);
    ConfigModel state;
    if (path.isEmpty() || !readStateFile(this, path, cfg, state))
        return;
    fileFolder = folderOf(path);
    rememberFile(path);
    compareWith(state, QFileInfo(path).fileName());
}

void MainWindow::putOnPages(const ConfigModel &state)
{
    if (steps->holding())
        return;
    steps->separate();
    takeBack(cfg, state);
    ui_Display();
}

void MainWindow::showHistory()
{
    if (!historyWindow) {
        auto *w = new HistoryWindow(this, *history,
                                    {[this](const ConfigModel &s, const QString &name) { compareWith(s, name); },
                                     [this](const ConfigModel &s) { putOnPages(s); }});
        connect(history, &HistoryStore::kept, w, &HistoryWindow::fill);
        historyWindow = w;
    }
    static_cast<HistoryWindow *>(historyWindow)->fill();
    historyWindow->show();
    historyWindow->raise();
    historyWindow->activateWindow();
}

void MainWindow::rememberFile(const QString &path)
{
    QStringList recent = settingList(kRecentKey);
    const QString full = QFileInfo(path).absoluteFilePath();
    recent.removeAll(full);
    recent.prepend(full);
    setSetting(kRecentKey, QVariant(recent.mid(0, kRecentFiles)));
}
