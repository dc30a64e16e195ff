#include "shortcuts.h"

#include "texts.h"
#include "ui_mainwindow.h"

#include <QShortcut>
#include <QTabWidget>

namespace {

void giveShortcut(QWidget *window, QAbstractButton *button, const QKeySequence &key, const QString &what)
{
    auto *shortcut = new QShortcut(key, window);
    // click() refuses on a disabled button; an enabled one runs its slot,
    // where the command guard refuses while another command runs.
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(what.trimmed(), key.toString(QKeySequence::NativeText)));
}

}  // namespace

void giveCommandShortcuts(QWidget *window, Ui::MainWindow *ui)
{
    const LinkTexts link = linkTexts();
    // The port button's text says what it does now; its tool tip says both.
    giveShortcut(window, ui->openButton, shortcuts::openClose(),
                 link.openText + QStringLiteral(" / ") + link.closeText);
    giveShortcut(window, ui->toolButton_Read, shortcuts::read(), ui->toolButton_Read->text());
    giveShortcut(window, ui->toolButton_Send, shortcuts::write(), ui->toolButton_Send->text());
    giveShortcut(window, ui->toolButton_Save, shortcuts::save(), ui->toolButton_Save->text());
    giveShortcut(window, ui->toolButton_Load, shortcuts::load(), ui->toolButton_Load->text());
}

void givePageKeys(QWidget *window, QTabWidget *pages)
{
    const auto turn = [pages](int by) {
        const int n = pages->count();
        if (n > 0)
            pages->setCurrentIndex((pages->currentIndex() + by + n) % n);
    };
    for (const QKeySequence &key : shortcuts::nextPage())
        QObject::connect(new QShortcut(key, window), &QShortcut::activated, pages, [turn] { turn(1); });
    for (const QKeySequence &key : shortcuts::previousPage())
        QObject::connect(new QShortcut(key, window), &QShortcut::activated, pages, [turn] { turn(-1); });
}
