#include "language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

const char kLangVariable[] = "ZQCONFIG_LANG";
const char kSourceLanguage[] = "zh";

namespace {

const char kCatalogueDir[] = ":/i18n";
// The installed catalogue is the application's child of this name: the
// application, which owns it, is what knows the language in use.
const char kCatalogueName[] = "zqconfig-catalogue";

QString cataloguePath(const QString &language)
{
    return QStringLiteral("%1/zqconfig_%2.qm").arg(QLatin1String(kCatalogueDir), language);
}

// Qt's own catalogue, read when Qt first asks for one of its texts (a
// box's buttons, a file dialog, an editor's context menu).  The window's
// own texts, whose contexts do not start with the Q of Qt's classes, pass
// it by, so a start that shows nothing of Qt's never reads the file.
class QtCatalogue : public QTranslator
{
public:
    QtCatalogue(const QString &language, const QString &folder, QObject *parent)
        : QTranslator(parent), language(language), folder(folder)
    {
    }
    QString translate(const char *context, const char *sourceText, const char *disambiguation, int n) const override
    {
        if (!context || context[0] != 'Q')
            return QString();
        // Asked by every catalogue's installation: the language's own
        // direction answers it without the file.
        if (qstrcmp(context, "QGuiApplication") == 0 && qstrcmp(sourceText, "QT_LAYOUT_DIRECTION") == 0 && !tried)
            return QLocale(language).textDirection() == Qt::RightToLeft ? QStringLiteral("RTL") : QStringLiteral("LTR");
        if (!tried) {
            tried = true;
            loaded = catalogue.load(QStringLiteral("qtbase_") + language, folder);
        }
        return loaded ? catalogue.translate(context, sourceText, disambiguation, n) : QString();
    }
    bool isEmpty() const override { return false; }

private:
    const QString language, folder;
    mutable QTranslator catalogue;
    mutable bool tried = false, loaded = false;
};

}  // namespace

// Qt is written in English, so English needs none; a missing catalogue
// leaves Qt's dialogs English and the rest as asked.
void useQtLanguage(const QString &language)
{
    // Like the tool's own, Qt's catalogue is the application's child by name.
    QCoreApplication *app = QCoreApplication::instance();
    const QLatin1String name("qt-catalogue");
    if (auto *old = app->findChild<QTranslator *>(name, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    if (language == QLatin1String("en"))
        return;
    // Qt's Chinese catalogue is the simplified one, named for the mainland.
    const QString locale = language == QLatin1String("zh") ? QStringLiteral("zh_CN") : language;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    auto *lazy = new QtCatalogue(locale, folder, app);
    lazy->setObjectName(name);
    QCoreApplication::installTranslator(lazy);
}

QStringList knownLanguages()
{
    // The build bundles every catalogue there is, so the resources are the list.
    QStringList codes{QLatin1String(kSourceLanguage)};
    // Told apart by hand: a name filter compiles a regular expression,
    // which at every start cost more than the rest of this unit.
    const QLatin1String prefix("zqconfig_"), suffix(".qm");
    const QStringList files = QDir(QLatin1String(kCatalogueDir)).entryList(QDir::Files);
    for (const QString &file : files)
        if (file.startsWith(prefix) && file.endsWith(suffix) && file.size() > prefix.size() + suffix.size())
            codes << file.mid(prefix.size(), file.size() - prefix.size() - suffix.size());
    codes.sort();
    codes.removeDuplicates();
    return codes;
}

QString languageChoices()
{
    const auto named = [](const QString &code, const char *more) {
        return QStringLiteral("%1 (%2%3)")
            .arg(code, QLocale::languageToString(QLocale(code).language()), QLatin1String(more));
    };
    const QString source = QString::fromLatin1(kSourceLanguage);
    QStringList all{named(source, ", the default")};
    for (const QString &code : knownLanguages())
        if (code != source)
            all << named(code, "");
    const QString last = all.takeLast();
    return all.isEmpty() ? last : all.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

bool parseLanguage(const QString &value, QString *language)
{
    if (!knownLanguages().contains(value))
        return false;
    *language = value;
    return true;
}

QString languageError(const QString &value, const QString &where)
{
    return QStringLiteral("unknown language '%1' in %2; accepted values: %3")
        .arg(value, where, knownLanguages().join(QStringLiteral(", ")));
}

bool useLanguage(const QString &language)
{
    QCoreApplication *app = QCoreApplication::instance();
    QTranslator *catalogue =
        app ? app->findChild<QTranslator *>(QLatin1String(kCatalogueName), Qt::FindDirectChildrenOnly) : nullptr;
    if (catalogue && catalogue->property("language").toString() == language)
        return true;
    if (catalogue) {
        QCoreApplication::removeTranslator(catalogue);
        delete catalogue;
    }
    if (language == QLatin1String(kSourceLanguage))
        return true;
    auto *loaded = new QTranslator(app);
    if (!loaded->load(cataloguePath(language))) {
        delete loaded;
        qWarning("The catalogue for '%s' is missing from the resources; the texts stay Chinese.", qPrintable(language));
        return false;
    }
    loaded->setObjectName(QLatin1String(kCatalogueName));
    loaded->setProperty("language", language);
    QCoreApplication::installTranslator(loaded);
    return true;
}

bool useEnglishTexts(bool english)
{
    return useLanguage(english ? QStringLiteral("en") : QString::fromLatin1(kSourceLanguage));
}
