#pragma once

#include "app/LocaleChoices.h"
#include "lookup/KeywordRequest.h"

#include <QDialog>

class QComboBox;
class QLabel;

// Language and Region: which language and country the suggestions are asked for. Each box
// takes a code ("de", "DE") or the start of a name as well as a pick from its list; an
// entry that matches nothing is refused with a message in the dialog.
class CLanguageRegionDlg final : public QDialog {
    Q_OBJECT
public:
    CLanguageRegionDlg(const lookup::QueryLocale& current, QWidget* owner);

    // What was chosen; meaningful once the dialog was accepted.
    lookup::QueryLocale Chosen() const { return m_chosen; }

    QComboBox* LanguageBox() const { return m_language; }
    QComboBox* RegionBox() const { return m_region; }
    // The refusal of an entry that matches nothing; hidden while there is none.
    QLabel* ErrorLabel() const { return m_error; }

private:
    void accept() override;
    // Names the countries in the language the language box now picks.
    void FollowLanguage();
    QString TypedLanguageCode() const;

    QComboBox* m_language = nullptr;
    QComboBox* m_region = nullptr;
    QLabel* m_error = nullptr;
    QList<app::LocaleChoice> m_languages;
    QList<app::LocaleChoice> m_regions;
    QString m_regionsLanguage; // the language m_regions is named in
    lookup::QueryLocale m_chosen;
};
