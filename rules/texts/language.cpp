#include "language.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTranslator>

const char kLangVariable[] = "ZQCONFIG_LANG";

int useChineseTexts = 1;

bool parseLanguage(const QString &value, bool *english)
{
    if (value == QLatin1String("en"))
        *english = true;
    else if (value == QLatin1String("zh"))
        *english = false;
    else
        return false;
    return true;
}

QString languageError(const QString &value, const QString &where)
{
    return QStringLiteral("unknown language '%1' in %2; accepted values: en, zh").arg(value, where);
}

bool useEnglishTexts(bool english)
{
    static QPointer<QTranslator> catalogue;
    if (english && !catalogue) {
        auto *loaded = new QTranslator(QCoreApplication::instance());
        if (!loaded->load(QStringLiteral(":/i18n/zqconfig_en.qm"))) {
            // Half a language would leave the open button's text out of
            // step with the texts the connection compares it with.
            delete loaded;
            qWarning("The English catalogue is missing from the resources; the window stays Chinese.");
            useChineseTexts = 1;
            return false;
        }
        QCoreApplication::installTranslator(loaded);
        catalogue = loaded;
    } else if (!english && catalogue) {
        QCoreApplication::removeTranslator(catalogue);
        delete catalogue;
    }
    useChineseTexts = english ? 0 : 1;
    return true;
}
