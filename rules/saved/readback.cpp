#include "readback.h"

#include "configfile.h"
#include "configmodel.h"
#include "sanity.h"
#include "settingstable.h"

const char kVerifyVariable[] = "ZQCONFIG_VERIFY";

bool readBackAnswersFor(const Setting &s)
{
    return s.answer != 0;
}

ConfigModel modelOfFrames(const ConfigModel &base, const QString &s, const QString &g, const QString &h,
                          const QString &i)
{
    ConfigModel m = base;
    decodeConfigText(QString::fromLatin1(configFileContent(s, g, h, i)), m);
    return m;
}

DecodeResult decodeReadAnswer(const QByteArray &chunk, ConfigModel &held, MonitorState &live,
                              const AwaitedAnswers &awaited)
{
    return decodePacket(chunk, held, live, true, awaited);
}

QStringList readRepairs(const ConfigModel &held)
{
    ConfigModel shown = held;
    applySanity(shown);
    QStringList lines;
    for (const Setting &s : settingsTable()) {
        if (!readBackAnswersFor(s) || s.get(held) == s.get(shown))
            continue;
        // Labelled by the mode the pages show: the one held may be out of range.
        lines << QStringLiteral("%1: %2 → %3")
                     .arg(settingLabel(s, shown.Mode), settingValueText(s, s.get(held)),
                          settingValueText(s, s.get(shown)));
    }
    return lines;
}

// Each line names the setting by the window's label, as zqconfig-file shows it.
QStringList readBackDifferences(const ConfigModel &sent, const ConfigModel &held)
{
    QStringList lines;
    for (const Setting &s : settingsTable()) {
        if (!readBackAnswersFor(s) || s.get(sent) == s.get(held))
            continue;
        lines << QStringLiteral("%1: %2 → %3")
                     .arg(settingLabel(s, sent.Mode), settingValueText(s, s.get(sent)),
                          settingValueText(s, s.get(held)));
    }
    return lines;
}

void keepEditsOnTop(ConfigModel &read, const ConfigModel &pages, const ConfigModel &before)
{
    for (const Setting &s : settingsTable())
        if (readBackAnswersFor(s) && s.get(pages) != s.get(before))
            s.set(read, s.get(pages));
}

bool unwrittenSettings(const ConfigModel &pages, const ConfigModel &known)
{
    for (const Setting &s : settingsTable())
        if (readBackAnswersFor(s) && s.get(pages) != s.get(known))
            return true;
    return false;
}

QString firstLines(const QStringList &lines, int max, const QString &more)
{
    if (lines.size() <= max)
        return lines.join(QLatin1Char('\n'));
    return (lines.mid(0, max) << more.arg(lines.size() - max)).join(QLatin1Char('\n'));
}
