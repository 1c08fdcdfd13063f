#include "app/language.h"

#include "link/qtcompat.h"
#include "widgets/formtexts.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace orlo {

namespace {

const char *const kSettingKey = "language";
Language installed = Language::Source;

// Code of a language as ORLO_LANGUAGE and the setting spell it.
QString codeOf(Language language)
{
    switch (language) {
    case Language::French: return QStringLiteral("fr");
    case Language::English: return QStringLiteral("en");
    case Language::Source: break;
    }
    return QStringLiteral("source");
}

bool parse(const QString &code, Language *language)
{
    for (Language known : {Language::French, Language::English, Language::Source})
        if (code == codeOf(known)) {
            *language = known;
            return true;
        }
    return false;
}

// Qt's own texts (the buttons of a standard box), where the system has them.
QTranslator &toolkitTexts()
{
    static QTranslator *translator = new QTranslator(QCoreApplication::instance());
    return *translator;
}

} // namespace

Language startLanguage()
{
    Language language = Language::Source;
    if (parse(qEnvironmentVariable("ORLO_LANGUAGE"), &language))
        return language;
    if (parse(QSettings().value(QLatin1String(kSettingKey)).toString(), &language) && language != Language::Source)
        return language;
    // The language the desktop shows its menus in (LANGUAGE, LC_ALL,
    // LC_MESSAGES, LANG), not the one it writes numbers in.
    const QString desktop = QLocale::system().uiLanguages().value(0);
    return desktop.startsWith(QLatin1String("fr")) ? Language::French : Language::English;
}

void useLanguage(Language language)
{
    QCoreApplication::removeTranslator(&toolkitTexts());
    QCoreApplication::removeTranslator(&programTranslator());
    installed = language;
    if (language == Language::Source)
        return;
    const QString code = codeOf(language);
    if (toolkitTexts().load(QStringLiteral("qtbase_") + code, qtcompat::translationsPath()))
        QCoreApplication::installTranslator(&toolkitTexts());
    if (programTranslator().load(QStringLiteral(":/translations/orlo_") + code))
        QCoreApplication::installTranslator(&programTranslator());
    else
        qWarning("no translation built in for %s", qPrintable(code));
}

Language currentLanguage()
{
    return installed;
}

void rememberLanguage(Language language)
{
    QSettings().setValue(QLatin1String(kSettingKey), codeOf(language));
}

} // namespace orlo
