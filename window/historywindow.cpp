#include "historywindow.h"

#include "filedialogs.h"
#include "filesaver.h"
#include "history.h"
#include "historytexts.h"
#include "texts.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(4096) : QByteArray();
}

}  // namespace

HistoryWindow::HistoryWindow(QWidget *parent, HistoryStore &store, Uses uses)
    : QDialog(parent), store(store), uses(std::move(uses)), list(new QTreeWidget(this))
{
    const HistoryTexts texts = historyTexts();
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(texts.historyTitle);
    list->setHeaderLabels(texts.columns.split(QLatin1Char('|')));
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setAlternatingRowColors(true);
    auto *buttons = new QDialogButtonBox(this);
    const auto add = [&](const QString &text, auto what) {
        QPushButton *b = buttons->addButton(text, QDialogButtonBox::ActionRole);
        connect(b, &QPushButton::clicked, this, what);
        connect(list, &QTreeWidget::currentItemChanged, b, [this, b] { b->setEnabled(list->currentItem()); });
        b->setEnabled(false);
        return b;
    };
    add(texts.compareEntry, [this] {
        const QString when = list->currentItem()->text(0);
        this->uses.compare(chosenState(), historyTexts().historyEntry.arg(when));
    });
    add(texts.putOnPages, [this] { this->uses.put(chosenState()); });
    add(texts.saveAs, [this] {
        const QString path = askSavePath(this, QString());
        if (path.isEmpty())
            return;
        FileSaver file(path);
        if (!file.open() || !file.commit(contentOf(chosenPath())))
            QMessageBox::critical(this, fileTexts().errorTitle, fileTexts().errorText, QMessageBox::Ok);
    });
    add(texts.showFolder,
        [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(chosenPath()).absolutePath())); });
    buttons->addButton(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(buttons);
    resize(760, 420);
    fill();
}

void HistoryWindow::fill()
{
    const HistoryTexts texts = historyTexts();
    const QString current = list->currentItem() ? chosenPath() : QString();
    list->clear();
    const QVector<HistoryEntry> entries = store.entries();
    // Each entry against the one before it in time, the next in the list.
    QVector<ConfigModel> states;
    for (const HistoryEntry &e : entries)
        states << historyState(contentOf(e.path));
    for (int i = 0; i < entries.size(); ++i) {
        const HistoryEntry &e = entries[i];
        QString differs = texts.oldest;
        if (i + 1 < entries.size()) {
            const QStringList names = historyChanges(states[i + 1], states[i]);
            differs = names.isEmpty() ? texts.same
                                      : texts.differCount.arg(names.size()).arg(names.join(QStringLiteral(", ")));
        }
        auto *item = new QTreeWidgetItem(list, {QLocale().toString(e.time, QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                                historyEventText(e.event), e.port, differs});
        item->setData(0, Qt::UserRole, e.path);
        item->setToolTip(3, differs);
        if (e.path == current)
            list->setCurrentItem(item);
    }
    for (int c = 0; c < 3; ++c)
        list->resizeColumnToContents(c);
}

QString HistoryWindow::chosenPath() const
{
    return list->currentItem() ? list->currentItem()->data(0, Qt::UserRole).toString() : QString();
}

ConfigModel HistoryWindow::chosenState() const
{
    return historyState(contentOf(chosenPath()));
}
