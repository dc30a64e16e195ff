#include "mainwindow.h"
#include "options.h"
#include "portoffer.h"

#include <QApplication>
#include <QComboBox>

int main(int argc, char *argv[])
{
    const ProgramOptions program{QStringLiteral("Configures the 8-channel transmitter over its serial line."), true};
    int status = 0;
    if (answeredWithoutWindow(argc, argv, program, &status))
        return status;

    QApplication a(argc, argv);
    const StartOptions options = parseStartOptions(a.arguments(), qEnvironmentVariable(kLangVariable), program);
    if (options.action != StartOptions::Run)
        return reportStartOptions(options);
    useEnglishTexts(options.english);

    MainWindow w;
    preselectPort(w.findChild<QComboBox *>(QStringLiteral("portNameBox")), options.port);
    w.show();
    return a.exec();
}
