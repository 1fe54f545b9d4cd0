#pragma once

#include "lookup/KeywordRequest.h"

#include <QList>
#include <QString>

namespace app {

// One entry of the Language or the Region box.
struct LocaleChoice {
    QString code; // empty: the service's own choice
    QString text; // "Deutsch (de)", "Deutschland (DE)", "Service default"
};

// "Service default", then the languages by their own names.
QList<LocaleChoice> LanguageChoices();
// "Service default", then every country Qt knows, by its name in `language` where Qt has
// it (in English otherwise), sorted as that language sorts.
QList<LocaleChoice> RegionChoices(const QString& language);

// The entry a typed text picks: an entry's whole text, its code in any case, or the start
// of its name; -1 when it picks none.
int MatchChoice(const QList<LocaleChoice>& choices, const QString& typed);

// The menu item: "Language and Region...", or with a choice made
// "Language and Region: de, DE...".
QString LocaleMenuCaption(const lookup::QueryLocale& locale);

} // namespace app
