#include "filereport.h"

#include "factory.h"
#include "filesaver.h"
#include "frameencoder.h"
#include "sanity.h"
#include "settingstable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <iterator>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString frameLetters(const ConfigFileRead &f, bool present)
{
    QStringList l;
    for (int k = 0; k < 4; ++k)
        if (f.has(k) == present)
            l << frameLead(k);
    return l.join(QLatin1Char(' '));
}

// Terminal columns: CJK characters take two.
int displayWidth(const QString &s)
{
    int w = 0;
    for (const QChar c : s) {
        const ushort u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3)
                          || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F)
                          || (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6);
        w += wide ? 2 : 1;
    }
    return w;
}

QString pad(const QString &s, int width)
{
    return s + QString(std::max(0, width - displayWidth(s)), QLatin1Char(' '));
}

// The stick mode that orders the trim rows: the file's, else the identity.
int trimMode(const ConfigFileRead &f)
{
    return f.has(0) ? f.afterLoad.Mode : 0;
}

QString rangeText(const Setting &s)
{
    if (s.shown == Shown::Volts)
        return QStringLiteral("%1..%2").arg(s.lo / 10.0, 0, 'f', 1).arg(s.hi / 10.0, 0, 'f', 1);
    return QStringLiteral("%1..%2").arg(s.lo).arg(s.hi);
}

QString notInFile()
{
    return QStringLiteral("(not in file)");
}

// A name from the input as it goes into a one-line message: control
// characters escaped, and cut short.
QString quoted(const QString &name)
{
    QString q = QStringLiteral("\"");
    for (const QChar c : name.left(40)) {
        if (c.unicode() < 0x20 || c == QLatin1Char('"') || c == QLatin1Char('\\'))
            q += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
        else
            q += c;
    }
    return q + (name.size() > 40 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

// One JSON value as a setting's value (volts in tenths); false with the reason.
bool takeValue(const Setting &s, const QJsonValue &v, int &out, QString &error)
{
    const bool volts = s.shown == Shown::Volts;
    const QString what = volts ? QStringLiteral("a voltage with at most one decimal in %1").arg(rangeText(s))
                               : QStringLiteral("an integer in %1").arg(rangeText(s));
    if (!v.isDouble()) {
        error = QStringLiteral("field %1 must be %2").arg(quoted(s.name), what);
        return false;
    }
    const double d = v.toDouble();
    const double x = volts ? d * 10.0 : d;
    const double whole = std::round(x);
    if (std::fabs(x - whole) > 1e-6) {
        error = QStringLiteral("field %1 must be %2, not %3").arg(quoted(s.name), what, QString::number(d));
        return false;
    }
    if (whole < s.lo || whole > s.hi) {
        error = QStringLiteral("field %1: %2 is out of range (accepted %3)")
                    .arg(quoted(s.name), QString::number(d), rangeText(s));
        return false;
    }
    out = int(whole);
    return true;
}

// Why a path cannot be read or written: this program's words for the
// usual causes, else the system's text in the same voice (lower case, no
// full stop), so every message reads alike.
QString fileProblem(const QString &path, bool writing, const QString &systemText)
{
    const QFileInfo info(path);
    if (writing && !info.dir().exists())
        return QStringLiteral("no such folder");
    if (!writing && !info.exists())
        return QStringLiteral("no such file");
    if (info.isDir())
        return QStringLiteral("is a directory");
    QString text = systemText.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.size() > 1 && text.at(0).isUpper() && text.at(1).isLower())
        text[0] = text.at(0).toLower();
    return text;
}

}  // namespace

bool readInput(const QString &path, QByteArray &bytes, QString &error)
{
    QFile file;
    bool opened = false;
    if (path == QLatin1String("-")) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        const QFileInfo info(path);
        if (!info.exists() || info.isDir()) {
            error = fileProblem(path, false, QString());
            return false;
        }
        file.setFileName(path);
#ifdef Q_OS_UNIX
        if (!info.isFile()) {
            // A pipe (as from "<(git show ...)") is fine, but opening a named
            // pipe nobody writes to would wait for ever: open without
            // waiting, then read normally.
            const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
            if (fd < 0) {
                error = fileProblem(path, false, qt_error_string(errno));
                return false;
            }
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            opened = file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
            if (!opened)
                ::close(fd);
        } else
#endif
        {
            opened = file.open(QIODevice::ReadOnly);
        }
    }
    if (!opened) {
        error = fileProblem(path, false, file.errorString());
        return false;
    }
    bytes.clear();
    // Sequential inputs report no size; read in pieces up to the cap.
    while (bytes.size() <= kMaxInputBytes) {
        const QByteArray piece = file.read(kMaxInputBytes + 1 - bytes.size());
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (file.error() != QFileDevice::NoError) {
        error = fileProblem(path, false, file.errorString());
        return false;
    }
    if (bytes.size() > kMaxInputBytes) {
        error = QStringLiteral("larger than %1 bytes, not a configuration file").arg(kMaxInputBytes);
        return false;
    }
    if (bytes.isEmpty()) {
        error = path == QLatin1String("-") ? QStringLiteral("empty input") : QStringLiteral("empty file");
        return false;
    }
    return true;
}

bool writeOutput(const QString &path, const QByteArray &content, QString &error)
{
    FileSaver file(path);
    if (file.open() && file.commit(content))
        return true;
    error = fileProblem(path, true, file.errorString());
    return false;
}

bool ConfigFileRead::has(int frame) const
{
    switch (frame) {
    case 0:
        return frames.s;
    case 1:
        return frames.g;
    case 2:
        return frames.h;
    case 3:
        return frames.i;
    }
    return false;
}

QString ConfigFileRead::missingFrames() const
{
    return frameLetters(*this, false);
}

QString configFileText(const QByteArray &content)
{
    QString text(content.size(), Qt::Uninitialized);
    for (int i = 0; i < content.size(); ++i) {
        const auto c = static_cast<unsigned char>(content[i]);
        text[i] = c < 0x80 ? QChar(c) : QChar(QChar::ReplacementCharacter);
    }
    return text;
}

void takeLoadedFrames(ConfigModel &m, const ConfigFileRead &f)
{
    for (const Setting &s : settingsTable())
        if (f.has(s.frame))
            s.set(m, s.get(f.file));
}

ConfigFileRead readConfigFile(const QByteArray &content)
{
    ConfigFileRead r;
    const QString text = configFileText(content);
    r.length = text.length();
    r.frames = decodeConfigText(text, r.file);

    // A load repairs, sends, picks the dual-rate entries of the selected
    // channel and repairs again; a save then writes the model's frames.
    ConfigModel m = r.file;
    applySanity(m);
    if (r.frames.g && r.frames.h)
        selectDualRate(m);
    r.afterLoad = repairedAndSaved(m);
    return r;
}

ConfigModel repairedAndSaved(ConfigModel m)
{
    applySanity(m);
    ConfigModel saved = m;
    decodeConfigText(QString::fromLatin1(configFileOf(m)), saved);
    return saved;
}

QByteArray configFileOf(ConfigModel m)
{
    QString frames[4];
    for (FrameKind k : {FrameS, FrameG, FrameH, FrameI})
        frames[k] = buildFrame(k, m, frameTemplate(k));
    return configFileContent(frames[0], frames[1], frames[2], frames[3]);
}

ConfigModel factoryModel()
{
    ConfigModel m;
    factoryDefaults(m);
    return m;
}

QString showConfig(const ConfigFileRead &f, const QString &name)
{
    const int mode = trimMode(f);
    const QVector<const Setting *> order = settingsInPageOrder(mode);
    int width = 0;
    int changed = 0;
    for (const Setting *s : order) {
        width = std::max(width, displayWidth(settingLabel(*s, mode)));
        if (f.has(s->frame) && s->get(f.file) != s->get(f.afterLoad))
            ++changed;
    }

    QString out = name.isEmpty() ? QString() : name + QLatin1String(": ");
    out += QStringLiteral("%1 characters, frames %2").arg(f.length).arg(frameLetters(f, true));
    if (!f.missingFrames().isEmpty())
        out +=
            QStringLiteral("; missing %1 (a load keeps the current settings of those frames)").arg(f.missingFrames());
    if (f.length > kConfigFileLength)
        out += QStringLiteral("; characters after %1 are not read").arg(kConfigFileLength);
    if (changed)
        out += QStringLiteral("; a load changes %1 setting%2 (marked ->)").arg(changed).arg(changed > 1 ? "s" : "");
    out += QLatin1Char('\n');

    const char *page = nullptr;
    for (const Setting *s : order) {
        if (!page || qstrcmp(page, s->page) != 0) {
            page = s->page;
            out += QLatin1Char('[') + windowText(page) + QLatin1String("]\n");
        }
        out += QLatin1String("  ") + pad(settingLabel(*s, mode), width) + QLatin1String("  ");
        if (!f.has(s->frame)) {
            out += notInFile() + QLatin1Char('\n');
            continue;
        }
        const int value = s->get(f.file);
        const int after = s->get(f.afterLoad);
        out += settingValueText(*s, value);
        // What a load keeps, its page shows as it is.
        if (after != value)
            out += QLatin1String("  -> ") + settingValueText(*s, after);
        out += QLatin1Char('\n');
    }
    return out;
}

QStringList diffConfigs(const ConfigFileRead &a, const ConfigFileRead &b)
{
    const int mode = trimMode(a);
    struct Row
    {
        QString label, left, right;
    };
    QVector<Row> rows;
    const QVector<SettingText> left = settingTexts(a.file, mode), right = settingTexts(b.file, mode);
    for (int k = 0; k < left.size(); ++k) {
        const Setting *s = left[k].setting;
        const bool inA = a.has(s->frame), inB = b.has(s->frame);
        if (inA == inB && (!inA || s->get(a.file) == s->get(b.file)))
            continue;
        rows.append({left[k].label, inA ? left[k].value : notInFile(), inB ? right[k].value : notInFile()});
    }
    int w1 = 0, w2 = 0;
    for (const Row &r : rows) {
        w1 = std::max(w1, displayWidth(r.label));
        w2 = std::max(w2, displayWidth(r.left));
    }
    QStringList lines;
    for (const Row &r : rows)
        lines << pad(r.label, w1) + QLatin1String("  ") + pad(r.left, w2) + QLatin1String("  ") + r.right;
    return lines;
}

QStringList loadRepairs(const ConfigFileRead &f)
{
    const int mode = trimMode(f);
    QStringList repairs;
    for (const Setting *s : settingsInPageOrder(mode)) {
        if (!f.has(s->frame))
            continue;
        const int value = s->get(f.file), after = s->get(f.afterLoad);
        if (value != after)
            repairs << settingLabel(*s, mode) + QLatin1Char(' ') + settingValueText(*s, value) + QLatin1String(" -> ")
                           + settingValueText(*s, after);
    }
    return repairs;
}

QString checkConfig(const ConfigFileRead &f, bool *fine)
{
    *fine = false;
    if (!f.any())
        return QString();
    const QStringList repairs = loadRepairs(f);
    QStringList parts;
    if (!repairs.isEmpty())
        parts << QStringLiteral("repaired (%1)").arg(repairs.join(QLatin1String("; ")));
    if (!f.missingFrames().isEmpty())
        parts << QStringLiteral("short (frames %1 missing)").arg(f.missingFrames());
    *fine = parts.isEmpty();
    return *fine ? QStringLiteral("fine") : parts.join(QLatin1String(", "));
}

QByteArray exportJson(const ConfigFileRead &f)
{
    QJsonObject object;
    QMap<QString, QJsonArray> arrays;
    for (const Setting &s : settingsTable()) {
        if (!f.has(s.frame))
            continue;
        // A value import would refuse is given as a load repairs it, so
        // whatever export prints imports back.
        int v = s.get(f.file);
        if (v < s.lo || v > s.hi)
            v = s.get(f.afterLoad);
        const QJsonValue value = s.shown == Shown::Volts ? QJsonValue(v / 10.0) : QJsonValue(v);
        if (s.index < 0)
            object.insert(s.jsonKey, value);
        else
            arrays[s.jsonKey].append(value);
    }
    for (auto it = arrays.cbegin(); it != arrays.cend(); ++it)
        object.insert(it.key(), it.value());
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool importJson(const QByteArray &json, QByteArray &fileContent, QString &error)
{
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error = QStringLiteral("not JSON: %1 at byte %2").arg(parse.errorString()).arg(parse.offset);
        return false;
    }
    if (!doc.isObject()) {
        error = QStringLiteral("not one JSON object");
        return false;
    }
    const QJsonObject object = doc.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const bool known = std::any_of(settingsTable().cbegin(), settingsTable().cend(),
                                       [&it](const Setting &s) { return s.jsonKey == it.key(); });
        if (!known) {
            error = QStringLiteral("unknown field %1").arg(quoted(it.key()));
            return false;
        }
    }

    // A frame is written when the object holds any of its settings, and
    // then needs them all; export leaves out the frames a short file lacks.
    bool framed[4] = {};
    for (const Setting &s : settingsTable())
        framed[s.frame] = framed[s.frame] || object.contains(s.jsonKey);
    const bool none = std::none_of(std::begin(framed), std::end(framed), [](bool b) { return b; });
    ConfigModel m;
    for (const Setting &s : settingsTable()) {
        if (!framed[s.frame] && !none)
            continue;
        if (!object.contains(s.jsonKey)) {
            error = QStringLiteral("missing field %1 (accepted %2)").arg(quoted(s.jsonKey), rangeText(s));
            return false;
        }
        QJsonValue v = object.value(s.jsonKey);
        if (s.index >= 0) {
            if (!v.isArray() || v.toArray().size() != 4) {
                error = QStringLiteral("field %1 must be an array of 4 integers in %2")
                            .arg(quoted(s.jsonKey), rangeText(s));
                return false;
            }
            v = v.toArray().at(s.index);
        }
        int x = 0;
        if (!takeValue(s, v, x, error))
            return false;
        s.set(m, x);
    }
    fileContent = configFileOf(m);
    // A frame left out keeps its place, with no frame letters in it: a
    // load then keeps the current settings of that frame.
    for (int k = 0; k < 4; ++k)
        if (!framed[k] && !none)
            fileContent.replace(k * kFrameLength, kFrameLength, QByteArray(kFrameLength, '-'));
    return true;
}
