#include "commandguard.h"
#include "mainwindow.h"
#include "texts.h"

#include <QMessageBox>

bool MainWindow::beginCommand(const CommandScope &command, PortCheck port)
{
    if (!command || !commands->pause(kButtonPauseMs))
        return false;
    if (port == PortCheck::Needed && !linkOpen()) {
        const LinkTexts texts = linkTexts();
        QMessageBox::about(nullptr, texts.title, texts.noPort);
        return false;
    }
    return true;
}
