#include "app/CKeywordsDlg.h"

#include "app/CExpandProgressDlg.h"
#include "app/CLanguageRegionDlg.h"
#include "app/LocaleChoices.h"

#include "app/ResultRanking.h"
#include "controls/CAboutBoxDlg.h"
#include "controls/CHoverButton.h"
#include "listview/CFlatHeaderCtrl.h"
#include "listview/CKeywordListCtrl.h"
#include "lookup/CMyThread.h"
#include "lookup/ExpansionPlan.h"
#include "platform/BusyCursor.h"
#include "platform/CDialogBuilder.h"
#include "platform/DesktopShell.h"
#include "platform/HelpKey.h"
#include "platform/HelpPage.h"
#include "res/DialogTemplate.h"
#include "res/Icons.h"
#include "res/ResourceIds.h"
#include "textout/KeywordText.h"
#include "textout/ListExport.h"
#include "textout/PanelText.h"
#include "textout/SaveText.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextDocument>
#include <QVBoxLayout>

#include <map>

namespace {

const QStringList kSaveFilters{QStringLiteral("Text Files (*.txt)"),
                               QStringLiteral("All Files (*.*)")};

} // namespace

CKeywordsDlg::CKeywordsDlg(QWidget* parent)
    : QDialog(parent), m_icon(res::LoadIcon(res::IDR_MAINFRAME)),
      m_prompts(std::make_unique<CQtUserPrompts>()) {
    BuildControls();
    OnInitDialog();
}

CKeywordsDlg::~CKeywordsDlg() {
    // A closing window stops its expansion; a search still running is left to end.
    if (m_expansion)
        m_expansion->Cancel();
}

void CKeywordsDlg::SetPrompts(std::unique_ptr<IUserPrompts> prompts) {
    m_prompts = std::move(prompts);
}

void CKeywordsDlg::BuildControls() {
    const res::DialogTemplate& dialog = res::MainDialogTemplate();
    CDialogBuilder::SetUpFrame(*this, dialog);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // At its least the window is template 102; larger, the list and the panel grow.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    m_menuBar = new QMenuBar(this);
    layout->setMenuBar(m_menuBar);
    auto* client = new QWidget(this);
    layout->addWidget(client);

    auto factory = [&](const res::ControlTemplate& control, QWidget* parentWidget) -> QWidget* {
        if (control.kind == res::ControlKind::ListView) {
            m_results = new CKeywordListCtrl(parentWidget);
            return m_results;
        }
        for (const Command& command : Commands()) {
            if (command.buttonId != control.id || command.buttonId == 0)
                continue;
            auto* button = new CHoverButton(parentWidget);
            button->setText(QString::fromUtf8(control.text));
            this->*command.button = button;
            const int id = control.id;
            connect(button, &QPushButton::clicked, this,
                    [this, id] { OnCommand(res::MakeCommandParam(id, 0)); });
            return button;
        }
        return nullptr;
    };
    CDialogBuilder builder(font());
    const std::vector<QWidget*> widgets = builder.Build(*client, dialog, factory);

    QLabel* findLabel = nullptr;
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        const res::ControlTemplate& control = dialog.controls[i];
        if (control.id == res::IDC_KEYWORD)
            m_keywordEdit = qobject_cast<QLineEdit*>(widgets[i]);
        else if (control.id == res::IDC_PANEL_TEXT)
            m_panelEdit = qobject_cast<QPlainTextEdit*>(widgets[i]);
        else if (control.kind == res::ControlKind::Label)
            findLabel = qobject_cast<QLabel*>(widgets[i]);
    }
    Q_ASSERT(m_keywordEdit && m_panelEdit && m_results && findLabel);

    findLabel->setBuddy(m_keywordEdit);
    m_keywordEdit->setAccessibleName(findLabel->text());
    m_panelEdit->setAccessibleName(tr("Text panel"));
    m_panelEdit->setTabChangesFocus(true);
    m_results->setAccessibleName(tr("Similar keywords"));
    connect(m_results, &CKeywordListCtrl::copyRequested, this, &CKeywordsDlg::CopyRows);
    // Enter in the keyword field searches; it never closes the window.
    connect(m_keywordEdit, &QLineEdit::returnPressed, this,
            [this] { OnCommand(res::MakeCommandParam(res::IDC_SEARCH, 0)); });
}

void CKeywordsDlg::BuildMenu() {
    std::map<QString, QMenu*> menus;
    for (const Command& command : Commands()) {
        const QString title = QString::fromUtf8(command.menu);
        QMenu*& menu = menus[title];
        if (!menu)
            menu = m_menuBar->addMenu(title);
        if (command.separatorBefore)
            menu->addSeparator();
        QAction* action = menu->addAction(QString::fromUtf8(command.caption));
        action->setData(command.menuId);
        if (command.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
        const int id = command.menuId;
        // On the next pass of the event loop, as a button's click arrives: a command that
        // opens a modal window must not keep the caller (a screen reader's menu call
        // among them) waiting until that window closes.
        connect(action, &QAction::triggered, this, [this, id] {
            QMetaObject::invokeMethod(
                this, [this, id] { OnCommand(res::MakeCommandParam(id, 0)); },
                Qt::QueuedConnection);
        });
    }
}

QAction* CKeywordsDlg::MenuItem(int menuId) const {
    for (QAction* menu : m_menuBar->actions()) {
        for (QAction* item : menu->menu()->actions()) {
            if (!item->isSeparator() && item->data().toInt() == menuId)
                return item;
        }
    }
    return nullptr;
}

void CKeywordsDlg::OnInitDialog() {
    BuildMenu();
    m_arrowCursor = QCursor(Qt::ArrowCursor);
    m_waitCursor = QCursor(Qt::WaitCursor);
    m_busyCursor = std::make_unique<platform::BusyCursor>(*m_results->parentWidget(), m_waitCursor);
    m_busy = 0;
    UpdateData(false);
    SetUpButtons();
    // X11 and Wayland give a program no system menu, so the About item lives only in the
    // About menu.
    setWindowIcon(m_icon);
    platform::IgnoreHelpKey(*this);
    m_keywordEdit->setFocus(Qt::OtherFocusReason);
}

void CKeywordsDlg::SetUpButtons() {
    for (const Command& command : Commands()) {
        if (CHoverButton* button = command.button ? this->*command.button : nullptr) {
            button->LoadIcons(command.iconId, 0);
            button->SetTip(command.tipId, true);
        }
    }
}

bool CKeywordsDlg::UpdateData(bool saveAndValidate) {
    bool ok = true;
    DoDataExchange(saveAndValidate, ok);
    return ok;
}

void CKeywordsDlg::DoDataExchange(bool saveAndValidate, bool& ok) {
    if (!saveAndValidate) {
        m_keywordEdit->setMaxLength(kKeywordLimit);
        m_keywordEdit->setText(m_keyword);
        m_panelEdit->setPlainText(textout::DisplayFromPanelText(m_panelText));
        m_panelShown = m_panelEdit->document()->toRawText();
        return;
    }
    const QString keyword = m_keywordEdit->text();
    if (keyword.size() > kKeywordLimit) {
        ShowMessage(tr("Please enter no more than %1 characters.").arg(kKeywordLimit));
        m_keywordEdit->setFocus(Qt::OtherFocusReason);
        ok = false;
        return;
    }
    m_keyword = keyword;
    // The panel cannot hold every generated text as it is (a U+2029 inside a keyword turns
    // into a paragraph break), so a panel the user left alone keeps the string it shows.
    const QString shown = m_panelEdit->document()->toRawText();
    if (shown != m_panelShown)
        m_panelText = textout::PanelTextFromDisplay(shown);
}

bool CKeywordsDlg::OnCommand(unsigned param, qintptr /*extra*/) {
    const int id = static_cast<int>(param & 0xFFFFu);
    switch (id) {
    case res::ID_SEARCH_DONE:
        OnSearchDone();
        return true;
    case res::IDOK:
        return true; // Enter never closes the window
    case res::IDCANCEL:
        reject();
        return true;
    default:
        break;
    }
    // A button and its menu item run one handler.
    for (const Command& command : Commands()) {
        if (id == command.menuId || (command.buttonId != 0 && id == command.buttonId)) {
            emit commandRouted(command.menuId);
            (this->*command.handler)();
            return true;
        }
    }
    return false;
}

bool CKeywordsDlg::PullKeyword() {
    UpdateData(true);
    if (!m_keyword.isEmpty())
        return true;
    ShowMessage(QStringLiteral("Enter Keyword!"));
    m_keywordEdit->setFocus(Qt::OtherFocusReason);
    return false;
}

void CKeywordsDlg::OnSearch() {
    if (PullKeyword())
        StartSearch();
}

void CKeywordsDlg::StartSearch() {
    SetBusy(true);
    const QPointer<CKeywordsDlg> self(this);
    CMyThread::Host host;
    host.sendCommand = [self](unsigned param, qintptr extra) {
        if (self)
            self->OnCommand(param, extra);
    };
    host.showMessage = [self](const QString& text) {
        if (self)
            self->ShowMessage(text);
    };
    host.searchFailed = [self](const QString& text) {
        if (self)
            self->OnSearchFailed(text);
    };
    auto* worker = new CMyThread(std::move(host), m_serviceBase, m_locale);
    m_worker = worker;
    m_workerTable = worker->Table();
    worker->m_keyword = m_keyword.toUtf8();
    worker->start();
}

void CKeywordsDlg::OnSearchDone() {
    SetBusy(false);
    m_results->setRowCount(0);
    if (!m_workerTable)
        return;
    QList<QStringList> rows;
    for (const app::ResultRow& row : app::RankSuggestions(*m_workerTable)) {
        rows.append({QString::fromUtf8(row.rank), QString::fromUtf8(row.keyword),
                     QString::fromUtf8(row.counter)});
    }
    m_results->AppendRows(rows);
}

void CKeywordsDlg::OnExpandSearch() {
    if (PullKeyword())
        StartExpansion();
}

void CKeywordsDlg::StartExpansion() {
    SetBusy(true);
    const QString language = lookup::ExpansionLanguage(m_locale.language, QLocale::system().name(),
                                                       lookup::WordListLanguages());
    const QStringList plan = lookup::BuildExpansionPlan(m_keyword, lookup::WordListsFor(language));
    const QPointer<CKeywordsDlg> self(this);
    CExpandThread::Host host;
    host.ended = [self](const lookup::ExpansionResult& result) {
        if (self)
            self->OnExpansionEnded(result);
    };
    auto* expansion =
        new CExpandThread(std::move(host), plan, m_serviceBase, m_expansionPacing, m_locale);
    m_expansion = expansion;
    m_expansionKeyword = m_keyword.trimmed();
    ShowExpansionProgress(static_cast<int>(plan.size()));
    connect(expansion, &CExpandThread::progressed, this, &CKeywordsDlg::OnExpansionProgress);
    expansion->start();
}

void CKeywordsDlg::ShowExpansionProgress(int requests) {
    auto* progress = new CExpandProgressDlg(m_expansionKeyword, requests, this);
    m_progress = progress;
    // Cancel, Escape and the close box: the request in flight is abandoned at once, and
    // the list fills with what was found when the expansion hands over its end.
    connect(progress, &CExpandProgressDlg::canceled, this, [this] {
        if (m_expansion)
            m_expansion->Cancel();
        CloseExpansionProgress();
    });
    progress->show();
}

void CKeywordsDlg::CloseExpansionProgress() {
    if (!m_progress)
        return;
    m_progress->hide();
    // Later: this may run inside one of the dialog's own signals.
    m_progress->deleteLater();
    m_progress = nullptr;
}

void CKeywordsDlg::OnExpansionProgress(int requestsDone, int keywords) {
    if (m_progress)
        m_progress->SetProgress(requestsDone, keywords);
}

void CKeywordsDlg::OnExpansionEnded(const lookup::ExpansionResult& result) {
    CloseExpansionProgress();
    SetBusy(false);
    const QStringList plan = m_expansion ? m_expansion->Plan() : QStringList();
    m_results->setRowCount(0);
    QList<QStringList> rows;
    rows.reserve(static_cast<qsizetype>(result.keywords.size()));
    for (std::size_t rank = 0; rank < result.keywords.size(); ++rank) {
        const lookup::ExpandedKeyword& keyword = result.keywords[rank];
        rows.append({QString::number(rank + 1), QString::fromUtf8(keyword.text),
                     QString::fromUtf8(keyword.counter)});
    }
    m_results->AppendRows(rows);
    for (std::size_t rank = 0; rank < result.keywords.size(); ++rank) {
        m_results->SetToolTip(
            static_cast<int>(rank), CKeywordListCtrl::Keyword,
            lookup::FoundByText(result.keywords[rank], plan, result.requestsSent));
    }
    if (const QString message = lookup::DescribeExpansionEnd(result); !message.isEmpty())
        ShowMessage(message);
}

void CKeywordsDlg::OnLanguageAndRegion() {
    CLanguageRegionDlg dialog(m_locale, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_locale = dialog.Chosen();
    // The menu shows the choice, so that it is seen without opening the dialog.
    if (QAction* item = MenuItem(res::ID_TOOLS_LOCALE))
        item->setText(app::LocaleMenuCaption(m_locale));
}

void CKeywordsDlg::OnExportList() {
    if (RefuseEmptyList())
        return;
    static const QStringList kFilters{QStringLiteral("CSV Files (*.csv)"),
                                      QStringLiteral("Tab-Separated Files (*.tsv)")};
    QString filter;
    const QString chosen = m_prompts->AskSavePath(this, InitialSaveFolder(), kFilters, &filter);
    if (chosen.isEmpty())
        return;
    textout::ExportFormat format = textout::ExportFormat::Csv;
    const QString path = textout::ApplyExportNameRule(
        chosen, filter == kFilters[1] ? textout::ExportFormat::Tsv : textout::ExportFormat::Csv,
        &format);
    if (!MayWrite(chosen, path))
        return;
    const QList<QStringList> table = m_results->TableAsShown();
    const QByteArray bytes =
        format == textout::ExportFormat::Csv ? textout::MakeCsv(table) : textout::MakeTsv(table);
    const textout::SaveOutcome outcome = textout::SaveTextFile(path, bytes);
    if (outcome.result != textout::SaveOutcome::Result::Saved) {
        ShowMessage(tr("Could not export the list to %1:\n%2")
                        .arg(QDir::toNativeSeparators(path), outcome.errorText),
                    outcome.result == textout::SaveOutcome::Result::WriteFailed
                        ? IUserPrompts::Icon::Stop
                        : IUserPrompts::Icon::Warning);
    }
}

void CKeywordsDlg::CopyRows(const QList<QStringList>& rows) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(textout::MakeTsv(rows)));
}

void CKeywordsDlg::OnSearchFailed(const QString& text) {
    SetBusy(false);
    ShowMessage(text);
}

void CKeywordsDlg::OnMetaTags() {
    if (RefuseEmptyList())
        return;
    m_panelText = textout::MakeMetaTag(m_results->Keywords());
    UpdateData(false);
}

void CKeywordsDlg::OnWordsList() {
    m_panelText = textout::MakeColumnList(m_results->Keywords());
    UpdateData(false);
}

void CKeywordsDlg::OnCommaList() {
    m_panelText = textout::MakeCommaList(m_results->Keywords());
    UpdateData(false);
}

void CKeywordsDlg::OnCopyText() {
    UpdateData(true);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(m_panelText));
}

QString CKeywordsDlg::InitialSaveFolder() const {
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(programFolder).isWritable())
        return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

bool CKeywordsDlg::MayWrite(const QString& chosen, const QString& path) {
    // The save dialog asked only about the name it was given.
    return path == chosen || !QFileInfo::exists(path) || m_prompts->ConfirmReplace(this, path);
}

bool CKeywordsDlg::RefuseEmptyList() {
    if (m_results->rowCount() > 0)
        return false;
    ShowMessage(QStringLiteral("Keywords list is empty!"));
    return true;
}

void CKeywordsDlg::OnSaveText() {
    // Save what the panel shows, typed edits included.
    UpdateData(true);
    if (m_panelText.isEmpty()) {
        ShowMessage(QStringLiteral("There is no text to save!"));
        return;
    }
    const QString chosen = m_prompts->AskSavePath(this, InitialSaveFolder(), kSaveFilters);
    if (chosen.isEmpty())
        return;
    const QString path = textout::ApplySaveNameRule(chosen);
    if (!MayWrite(chosen, path))
        return;
    const textout::SaveOutcome outcome = textout::SaveTextFile(path, m_panelText);
    switch (outcome.result) {
    case textout::SaveOutcome::Result::Saved:
        break;
    case textout::SaveOutcome::Result::OpenFailed:
        ShowMessage(QStringLiteral("Could not save symbol list file"));
        break;
    case textout::SaveOutcome::Result::WriteFailed:
        ShowMessage(
            tr("Could not write %1:\n%2").arg(QDir::toNativeSeparators(path), outcome.errorText),
            IUserPrompts::Icon::Stop);
        break;
    }
}

void CKeywordsDlg::OnClearAll() {
    m_keyword.clear();
    UpdateData(false);
    m_results->setRowCount(0);
    m_panelText.clear();
    UpdateData(false);
}

void CKeywordsDlg::OnHelp() {
    platform::OpenInDesktop(platform::HelpPageUrl()); // nothing is reported when no browser opens
}

void CKeywordsDlg::OnAbout() {
    CAboutBoxDlg about(this);
    about.exec();
}

void CKeywordsDlg::OnExit() {
    done(QDialog::Rejected);
}

void CKeywordsDlg::SetBusy(bool busy) {
    m_busy = busy ? 1 : 0;
    m_busyCursor->SetBusy(busy);
}

void CKeywordsDlg::ShowMessage(const QString& text, IUserPrompts::Icon icon) {
    m_prompts->ShowMessage(this, text, icon);
}
