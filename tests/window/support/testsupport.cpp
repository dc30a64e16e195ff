#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

void openPortInWindow(QWidget *window, const QString &path)
{
    auto *box = window->findChild<QComboBox *>(QStringLiteral("portNameBox"));
    auto *button = window->findChild<QPushButton *>(QStringLiteral("openButton"));
    if (!box || !button)
        return;
    box->addItem(path);
    box->setCurrentIndex(box->count() - 1);
    button->click();
}

bool waitForCommandEnd(int timeoutMs)
{
    // A box or dialog during a command takes the busy cursor away while it shows.
    return waitUntil([] { return QApplication::overrideCursor() == nullptr && !QApplication::activeModalWidget(); },
                     timeoutMs);
}

bool waitForRefresh(QWidget *window, int timeoutMs)
{
    for (QTimer *t : window->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (t->interval() == 100 && t->isActive())
            return QSignalSpy(t, &QTimer::timeout).wait(timeoutMs);
    }
    return false;
}

ModalCloser::ModalCloser(int closeAfterMs)
    : timer(new QTimer), startMs(QDateTime::currentMSecsSinceEpoch()), closeAfter(closeAfterMs)
{
    QObject::connect(timer, &QTimer::timeout, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (seenSince < 0) {
            seenSince = now;
            if (firstSeenAtMs < 0)
                firstSeenAtMs = now - startMs;
        }
        if (now - seenSince < closeAfter)
            return;
        ++count;
        lastTitle = box->windowTitle();
        lastText = box->text();
        seenSince = -1;
        if (!box->buttons().isEmpty()) {
            // The close question is answered "Close without writing"; any
            // other box by its first button.
            QAbstractButton *answer = box->buttons().first();
            for (QAbstractButton *b : box->buttons())
                if (box->buttonRole(b) == QMessageBox::DestructiveRole)
                    answer = b;
            answer->click();
        } else
            box->done(0);
    });
    timer->start(10);
}

ModalCloser::~ModalCloser()
{
    delete timer;
}

FileDialogAnswer::FileDialogAnswer(const QString &path) : timer(new QTimer)
{
    QObject::connect(timer, &QTimer::timeout, [this, path] {
        auto *dlg = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dlg || answered)
            return;
        answered = true;
        title = dlg->windowTitle();
        directory = dlg->directory().absolutePath();
        filters = dlg->nameFilters();
        if (whileShown)
            whileShown();
        if (path.isEmpty()) {
            dlg->reject();
        } else {
            dlg->setOption(QFileDialog::DontConfirmOverwrite);
            // selectFile leaves the name field alone while it has the focus,
            // which depends on when the window got activated.
            if (QWidget *focused = QApplication::focusWidget())
                focused->clearFocus();
            dlg->selectFile(path);
            static_cast<QDialog *>(dlg)->accept();
        }
    });
    timer->start(10);
}

FileDialogAnswer::~FileDialogAnswer()
{
    delete timer;
}
