#include "portoffer.h"

#include "portlist.h"
#include "texts.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QSerialPortInfo>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <utility>

QString portNameOf(const QString &nameOrPath)
{
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        if (info.systemLocation() == nameOrPath)
            return info.portName();
    return nameOrPath;
}

namespace {

// Paints the box as QComboBox::paintEvent does, with the short form as its
// text; the form's sheet and the platform style draw everything else.
class ShortNamePainter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QComboBox *>(watched);
        if (!box || event->type() != QEvent::Paint || box->isEditable())
            return false;
        QStylePainter painter(box);
        painter.setPen(box->palette().color(QPalette::Text));
        QStyleOptionComboBox opt;
        opt.initFrom(box);
        opt.editable = false;
        opt.frame = box->hasFrame();
        if (box->hasFocus())
            opt.state |= QStyle::State_Selected;
        opt.subControls = QStyle::SC_All;
        if (box->view()->isVisible())
            opt.state |= QStyle::State_On;
        opt.iconSize = box->iconSize();
        opt.currentIcon = box->itemIcon(box->currentIndex());
        painter.drawComplexControl(QStyle::CC_ComboBox, opt);
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
        opt.currentText =
            box->fontMetrics().elidedText(shortPortName(box->currentText()), Qt::ElideLeft, field.width());
        painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
        return true;
    }
};

}  // namespace

namespace {

// "/" over the focused box starts the question with it typed.
class SlashStartsPath : public QObject
{
public:
    SlashStartsPath(QComboBox *box, std::function<void(const QString &)> ask) : QObject(box), ask(std::move(ask)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent *>(event)->text() != QLatin1String("/"))
            return false;
        ask(QStringLiteral("/"));
        return true;
    }

private:
    const std::function<void(const QString &)> ask;
};

}  // namespace

void letPortPathBeTyped(QComboBox *box, const std::function<void(const QString &)> &take)
{
    const LinkTexts texts = linkTexts();
    const auto ask = [box, take, texts](const QString &typed) {
        QInputDialog dialog(box->window());
        dialog.setWindowTitle(texts.title);
        dialog.setLabelText(texts.typePathLabel);
        dialog.setTextValue(typed);
        const QString path = dialog.exec() == QDialog::Accepted ? dialog.textValue().trimmed() : QString();
        if (!path.isEmpty())
            take(path);
    };
    auto *action = new QAction(texts.typePath, box);
    QObject::connect(action, &QAction::triggered, box, [ask] { ask(QString()); });
    box->addAction(action);
    box->setContextMenuPolicy(Qt::ActionsContextMenu);
    box->installEventFilter(new SlashStartsPath(box, ask));
}

void showPortNamesInFull(QComboBox *box)
{
    box->installEventFilter(new ShortNamePainter(box));
    QObject::connect(box, &QComboBox::currentTextChanged, box, [box](const QString &text) { box->setToolTip(text); });
    const auto fitList = [box] {
        int widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest = std::max(widest, box->view()->fontMetrics().horizontalAdvance(box->itemText(i)));
        // Room for the entry's margins and a scroll bar.
        box->view()->setMinimumWidth(widest + 40);
    };
    QObject::connect(box->model(), &QAbstractItemModel::rowsInserted, box, fitList);
    QObject::connect(box->model(), &QAbstractItemModel::rowsRemoved, box, fitList);
}
