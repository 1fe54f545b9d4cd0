#include "app/CLanguageRegionDlg.h"

#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QComboBox* MakeBox(const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setAccessibleName(name);
    box->setMinimumContentsLength(24);
    // Offered, not typed over: "DE" must stay a code and not become "Denmark (DK)".
    box->completer()->setCompletionMode(QCompleter::PopupCompletion);
    return box;
}

void Fill(QComboBox& box, const QList<app::LocaleChoice>& choices, const QString& code) {
    box.clear();
    int current = 0;
    for (int i = 0; i < choices.size(); ++i) {
        box.addItem(choices[i].text, choices[i].code);
        if (choices[i].code == code)
            current = i;
    }
    box.setCurrentIndex(current);
}

} // namespace

CLanguageRegionDlg::CLanguageRegionDlg(const lookup::QueryLocale& current, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_languages(app::LanguageChoices()), m_chosen(current) {
    setWindowTitle(QStringLiteral("Language and Region"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_language = MakeBox(QStringLiteral("Language"), this);
    m_region = MakeBox(QStringLiteral("Region"), this);
    form->addRow(tr("&Language:"), m_language);
    form->addRow(tr("&Region:"), m_region);
    m_error = new QLabel(this);
    m_error->setWordWrap(true);
    m_error->hide();
    layout->addWidget(m_error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLanguageRegionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLanguageRegionDlg::reject);

    Fill(*m_language, m_languages, current.language);
    m_regions = app::RegionChoices(current.language);
    m_regionsLanguage = current.language;
    Fill(*m_region, m_regions, current.region);
    // The countries are named in the language picked, as soon as it is picked or typed.
    connect(m_language, &QComboBox::editTextChanged, this, [this] { FollowLanguage(); });
}

QString CLanguageRegionDlg::TypedLanguageCode() const {
    const int language = app::MatchChoice(m_languages, m_language->currentText());
    return language < 0 ? QString() : m_languages[language].code;
}

void CLanguageRegionDlg::FollowLanguage() {
    const QString language = TypedLanguageCode();
    if (language == m_regionsLanguage)
        return;
    // What the user has in the region box stays: the same country, or the same text.
    const QString typed = m_region->currentText();
    const int region = app::MatchChoice(m_regions, typed);
    const QString code = region < 0 ? QString() : m_regions[region].code;
    m_regions = app::RegionChoices(language);
    m_regionsLanguage = language;
    const QSignalBlocker quiet(m_region);
    Fill(*m_region, m_regions, code);
    if (region < 0)
        m_region->setEditText(typed);
}

void CLanguageRegionDlg::accept() {
    const int language = app::MatchChoice(m_languages, m_language->currentText());
    const int region = app::MatchChoice(m_regions, m_region->currentText());
    if (language < 0 || region < 0) {
        QComboBox* wrong = language < 0 ? m_language : m_region;
        m_error->setText(
            (language < 0 ? tr("No language matches \u201C%1\u201D. Type a code such as de, or "
                               "the start of a name, or pick one from the list.")
                          : tr("No region matches \u201C%1\u201D. Type a code such as DE, or the "
                               "start of a name, or pick one from the list."))
                .arg(wrong->currentText().trimmed()));
        m_error->show();
        adjustSize(); // room for the message
        wrong->setFocus(Qt::OtherFocusReason);
        wrong->lineEdit()->selectAll();
        return;
    }
    m_chosen = {m_languages[language].code, m_regions[region].code};
    QDialog::accept();
}
