#include "app/LocaleChoices.h"

#include "res/Languages.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace app {

namespace {

const QString kServiceDefault = QStringLiteral("Service default");

// Codes Qt gives groups of countries, which the service takes for none.
bool IsCountryCode(const QString& code) {
    static const QStringList kGroups{"EU", "EZ", "UN", "QO"};
    return code.size() == 2 && code[0].isUpper() && code[1].isUpper() && code[0].unicode() < 0x80 &&
           code[1].unicode() < 0x80 && !kGroups.contains(code);
}

QString NameOf(const LocaleChoice& choice) {
    // "Deutschland (DE)" is named "Deutschland".
    const qsizetype bracket = choice.text.lastIndexOf(QStringLiteral(" ("));
    return bracket < 0 ? choice.text : choice.text.first(bracket);
}

} // namespace

QList<LocaleChoice> LanguageChoices() {
    QList<LocaleChoice> choices{{QString(), kServiceDefault}};
    for (const res::Language& language : res::Languages()) {
        const QString code = QString::fromLatin1(language.code);
        choices.append(
            {code, QStringLiteral("%1 (%2)").arg(QString::fromUtf8(language.ownName), code)});
    }
    return choices;
}

QList<LocaleChoice> RegionChoices(const QString& language) {
    const QLocale::Language named = language.isEmpty()
                                        ? QLocale::English
                                        : QLocale::codeToLanguage(language.section(u'-', 0, 0));
    QList<LocaleChoice> countries;
    for (int value = QLocale::AnyTerritory + 1; value <= QLocale::LastTerritory; ++value) {
        const auto territory = static_cast<QLocale::Territory>(value);
        const QString code = QLocale::territoryToCode(territory);
        if (!IsCountryCode(code))
            continue;
        // Qt names a country in a language only where it has that language's locale for it.
        const QLocale locale(named, territory);
        const QString name = locale.language() == named && locale.territory() == territory
                                 ? locale.nativeTerritoryName()
                                 : QLocale::territoryToString(territory);
        countries.append({code, QStringLiteral("%1 (%2)").arg(name, code)});
    }
    QCollator collator{QLocale(named)};
    std::sort(countries.begin(), countries.end(),
              [&collator](const LocaleChoice& a, const LocaleChoice& b) {
                  return collator.compare(a.text, b.text) < 0;
              });
    countries.prepend({QString(), kServiceDefault});
    return countries;
}

int MatchChoice(const QList<LocaleChoice>& choices, const QString& typed) {
    const QString wanted = typed.trimmed();
    if (wanted.isEmpty())
        return -1;
    for (int i = 0; i < choices.size(); ++i) {
        const LocaleChoice& choice = choices[i];
        if (choice.text.compare(wanted, Qt::CaseInsensitive) == 0 ||
            (!choice.code.isEmpty() && choice.code.compare(wanted, Qt::CaseInsensitive) == 0))
            return i;
    }
    for (int i = 0; i < choices.size(); ++i) {
        if (NameOf(choices[i]).startsWith(wanted, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString LocaleMenuCaption(const lookup::QueryLocale& locale) {
    QStringList parts;
    for (const QString& code : {locale.language, locale.region}) {
        if (!code.isEmpty())
            parts.append(code);
    }
    if (parts.isEmpty())
        return QStringLiteral("Language and Region...");
    return QStringLiteral("Language and Region: %1...").arg(parts.join(QStringLiteral(", ")));
}

} // namespace app
