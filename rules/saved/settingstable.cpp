#include "settingstable.h"

#include "answerlayout.h"
#include "configmodel.h"
#include "framelayout.h"
#include "monitortext.h"
#include "sanity.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace {

// Where each field of the layout lies, keyed by its address in one model.
struct Place
{
    int frame, position, width, offset;
    FieldEncoding encoding;
};

class Recorder
{
public:
    Recorder(QHash<const void *, Place> &places, int frame) : places(places), frame(frame) {}

    void lead(char) { ++pos; }
    void constant(const char *c) { pos += int(qstrlen(c)); }
    void digit(int &v) { put(&v, 1, 0, FieldEncoding::Digit); }
    void hex(int &v, int offset) { put(&v, 2, offset, FieldEncoding::Hex); }
    void tenths(int &, double &volts) { put(&volts, 2, 16, FieldEncoding::Hex); }
    void tenthsDigits(int &, double &volts) { put(&volts, 3, 0, FieldEncoding::ThreeDigits); }

private:
    void put(const void *field, int width, int offset, FieldEncoding e)
    {
        places.insert(field, Place{frame, pos, width, offset, e});
        pos += width;
    }

    QHash<const void *, Place> &places;
    int frame;
    int pos = 0;
};

// Which answer carries each field back, keyed by its address in one model.
struct AnswerPlace
{
    int flag, at;
};

class AnswerRecorder
{
public:
    AnswerRecorder(QHash<const void *, AnswerPlace> &places, int flag) : places(places), flag(flag) {}

    void byte(int &v, int at, int) { places.insert(&v, {flag, at}); }
    void word(int &v, int at) { places.insert(&v, {flag, at}); }
    void tenthsWord(int &, double &volts, int at) { places.insert(&volts, {flag, at}); }
    void tenthsByte(int &, double &volts, int at) { places.insert(&volts, {flag, at}); }

private:
    QHash<const void *, AnswerPlace> &places;
    int flag;
};

// Values of the file's field that a load keeps as they are: the sanity pass
// is asked about every value the field can carry.
void findAcceptedRange(Setting &s)
{
    int carryLo = 0, carryHi = 9;
    if (s.encoding == FieldEncoding::Hex) {
        carryLo = 0x10 - s.offset;
        carryHi = 0xFF - s.offset;
    } else if (s.encoding == FieldEncoding::ThreeDigits) {
        carryHi = 999;
    }
    s.lo = carryHi + 1;
    s.hi = carryLo - 1;
    for (int x = carryLo; x <= carryHi; ++x) {
        ConfigModel m;
        s.set(m, x);
        applySanity(m);
        if (s.get(m) == x && (!s.tenths || m.*s.tenths == x)) {
            s.lo = std::min(s.lo, x);
            s.hi = std::max(s.hi, x);
        }
    }
}

QVector<Setting> build()
{
    ConfigModel probe;
    QHash<const void *, Place> places;
    {
        Recorder r(places, 0);
        framelayout::walkS(r, probe);
    }
    {
        Recorder r(places, 1);
        framelayout::walkG(r, probe);
    }
    {
        Recorder r(places, 2);
        framelayout::walkH(r, probe);
    }
    {
        Recorder r(places, 3);
        framelayout::walkI(r, probe);
    }

    QHash<const void *, AnswerPlace> answers;
    for (int flag = 1; flag <= packet::kGroups; ++flag) {
        AnswerRecorder r(answers, flag);
        answerlayout::walk(flag, r, probe);
    }

    QVector<Setting> table;
    for (const SettingDecl &d : settingDecls()) {
        if (d.working)
            continue;
        table.append(Setting{});
        Setting &s = table.last();
        static_cast<SettingDecl &>(s) = d;
        const void *address = s.field   ? static_cast<const void *>(&(probe.*s.field))
                              : s.array ? static_cast<const void *>(&(probe.*s.array)[s.index])
                                        : static_cast<const void *>(&(probe.*s.volts));
        const auto it = places.constFind(address);
        Q_ASSERT_X(it != places.constEnd(), "settingsTable", qPrintable(s.name));
        if (it == places.constEnd())
            continue;
        s.frame = it->frame;
        s.position = it->position;
        s.width = it->width;
        s.offset = it->offset;
        s.encoding = it->encoding;
        findAcceptedRange(s);
        const auto answer = answers.constFind(address);
        if (answer != answers.constEnd()) {
            s.answer = answer->flag;
            s.answerAt = answer->at;
        }
    }
    Q_ASSERT(table.size() == places.size());
    return table;
}

}  // namespace

const QVector<Setting> &settingsTable()
{
    static const QVector<Setting> table = build();
    return table;
}

const Setting *findSetting(const QString &name)
{
    for (const Setting &s : settingsTable())
        if (s.name == name)
            return &s;
    return nullptr;
}

QChar frameLead(int frame)
{
    return QLatin1Char(kFrameLead[frame & 3]);
}

QChar frameEnd(int frame)
{
    return QLatin1Char(kFrameEnd[frame & 3]);
}

QString windowText(const char *source)
{
    return QCoreApplication::translate("MainWindow", source);
}

int settingTrimRow(const Setting &s, int mode)
{
    for (int row = 1; row <= 4; ++row)
        if (trimRowChannel(mode, row) == s.index)
            return row;
    return s.index + 1;
}

QString settingLabel(const Setting &s, int mode)
{
    static const char *const kRows[4] = {"步阶微调一:", "步阶微调二:", "步阶微调三:", "步阶微调四:"};
    QString group = windowText(s.group).trimmed();
    // The end-point title carries a drawing of its two columns.
    const int drawing = group.indexOf(QLatin1String("--"));
    if (drawing > 0)
        group = group.left(drawing).trimmed();
    const char *label = s.trimRow ? kRows[settingTrimRow(s, mode) - 1] : s.label;
    QString row = *label ? windowText(label).trimmed() : QString();
    if (row.endsWith(QLatin1Char(':')) || row.endsWith(QChar(0xFF1A)))
        row.chop(1);
    QStringList parts{group};
    if (!row.isEmpty())
        parts << row;
    if (!s.qualifier.isEmpty()) {
        // Channel and position names are the selectors' items.
        QStringList words = s.qualifier.split(QLatin1Char(' '));
        for (QString &w : words)
            w = windowText(w.toUtf8().constData());
        parts << words.join(QLatin1Char(' '));
    }
    if (*s.own)
        parts << QCoreApplication::translate("Setting", s.own);
    return parts.join(QLatin1Char(' '));
}

QString settingValueText(const Setting &s, int value)
{
    const auto withUnit = [&s](const QString &number) {
        return *s.unit ? number + QLatin1Char(' ') + QLatin1String(s.unit) : number;
    };
    switch (s.shown) {
    case Shown::Choice:
        if (value >= 0 && value < s.items.size())
            return windowText(s.items.at(value).toUtf8().constData());
        // Only a value as received or loaded, before the sanity pass: its number.
        break;
    case Shown::Volts:
        return withUnit(QString::number(value / 10.0, 'f', 1));
    case Shown::Trim:
        return trimText(value);
    case Shown::Number:
        return withUnit(QString::number(value));
    case Shown::Plain:
        break;
    }
    return QString::number(value);
}

QVector<const Setting *> settingsInPageOrder(int mode)
{
    QVector<const Setting *> order;
    for (const Setting &s : settingsTable())
        order << &s;
    std::stable_sort(order.begin(), order.end(), [mode](const Setting *a, const Setting *b) {
        if (!a->trimRow || !b->trimRow)
            return false;
        return settingTrimRow(*a, mode) < settingTrimRow(*b, mode);
    });
    return order;
}

QVector<SettingText> settingTexts(const ConfigModel &m, int mode)
{
    QVector<SettingText> texts;
    for (const Setting *s : settingsInPageOrder(mode))
        texts.append({s, settingLabel(*s, mode), settingValueText(*s, s->get(m))});
    return texts;
}
