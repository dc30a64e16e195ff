#include "shortcuts.h"

#include "texts.h"
#include "ui_mainwindow.h"

#include <QShortcut>

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
