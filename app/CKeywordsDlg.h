#pragma once

#include "app/CExpandProgressDlg.h"
#include "lookup/CExpandThread.h"
#include "lookup/CMyThread.h"
#include "lookup/KeywordRequest.h"
#include "lookup/SuggestionTable.h"
#include "platform/IUserPrompts.h"

#include <QByteArray>
#include <QCursor>
#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <QString>

#include <chrono>
#include <memory>
#include <span>

namespace platform {
class BusyCursor;
}

class CHoverButton;
class CKeywordListCtrl;
class QAction;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;

// The main window: keyword field, Search, the results list, the text panel, a column
// of command buttons and the menu bar. Every user action and the search worker's
// completion notice arrive through OnCommand.
class CKeywordsDlg final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kKeywordLimit = 300;

    // One command of the window: where the user finds it and what runs it. The buttons,
    // the menu bar and OnCommand are all built from the table of these.
    struct Command {
        int menuId;                          // its menu item's command id
        int buttonId;                        // its button's control id; 0: no button
        CHoverButton* CKeywordsDlg::*button; // the member that holds the button
        int iconId;                          // the button's icon
        int tipId;                           // the button's tooltip string
        const char* menu;                    // the menu it is in
        const char* caption;                 // its menu item; '&' marks the mnemonic
        const char* shortcut;                // its menu item's key, as QKeySequence reads it
        bool separatorBefore;                // a separator above it in its menu
        void (CKeywordsDlg::*handler)();
    };
    // Every command, in menu order.
    static std::span<const Command> Commands();

    explicit CKeywordsDlg(QWidget* parent = nullptr);
    ~CKeywordsDlg() override;

    // Dispatches a command by the id in the low word of param; true when handled.
    bool OnCommand(unsigned param, qintptr extra = 0);

    // Moves the fields into the members (saveAndValidate) or the members into the fields.
    // Reading fails, with a message, when the keyword field holds too long a text.
    bool UpdateData(bool saveAndValidate = true);

    // Replaces the message boxes and the save dialog, for tests.
    void SetPrompts(std::unique_ptr<IUserPrompts> prompts);
    // Points later searches at another suggestion service, for tests.
    void SetServiceBase(const QByteArray& serviceBase) { m_serviceBase = serviceBase; }
    // The least time between two requests of an expansion, for tests and benchmarks only.
    void SetExpansionPacing(std::chrono::milliseconds pacing) { m_expansionPacing = pacing; }

    bool IsBusy() const { return m_busy != 0; }
    CKeywordListCtrl* Results() const { return m_results; }
    QLineEdit* KeywordField() const { return m_keywordEdit; }
    QPlainTextEdit* Panel() const { return m_panelEdit; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    // The menu item of a command of the table; nullptr for another id.
    QAction* MenuItem(int menuId) const;
    CMyThread* LastWorker() const { return m_worker.data(); }
    // The language and region searches ask for; the service's own choice at first.
    const lookup::QueryLocale& Locale() const { return m_locale; }
    // The running expansion and its progress dialog; none when no expansion runs.
    CExpandThread* Expansion() const { return m_expansion.data(); }
    CExpandProgressDlg* ExpansionProgress() const { return m_progress.data(); }

    QString m_keyword;      // the keyword field, as the last data exchange left it
    QByteArray m_panelText; // the text panel, UTF-8 with CR LF line ends

signals:
    // A command of the table is about to run its handler; menuId names it.
    void commandRouted(int menuId);

private:
    void OnInitDialog();
    void DoDataExchange(bool saveAndValidate, bool& ok);
    void BuildControls();
    void BuildMenu();
    void SetUpButtons();

    // The fields into the members; false, after "Enter Keyword!", when there is no keyword.
    bool PullKeyword();
    void OnSearch();
    void StartSearch();
    void OnSearchDone();
    void OnSearchFailed(const QString& text);
    void OnExpandSearch();
    void OnLanguageAndRegion();
    void OnExportList();
    void CopyRows(const QList<QStringList>& rows);
    void StartExpansion();
    void ShowExpansionProgress(int requests);
    void CloseExpansionProgress();
    void OnExpansionProgress(int requestsDone, int keywords);
    void OnExpansionEnded(const lookup::ExpansionResult& result);
    void OnClearAll();
    void OnCopyText();
    void OnSaveText();
    void OnMetaTags();
    void OnWordsList();
    void OnCommaList();
    void OnHelp();
    void OnAbout();
    void OnExit();

    void SetBusy(bool busy);
    void ShowMessage(const QString& text, IUserPrompts::Icon icon = IUserPrompts::Icon::Warning);
    QString InitialSaveFolder() const;
    // False when the name rule turned chosen into path, a file the save dialog did not ask
    // about, and the user would not replace it.
    bool MayWrite(const QString& chosen, const QString& path);
    // True, after "Keywords list is empty!", when the list has no row.
    bool RefuseEmptyList();

    QCursor m_arrowCursor;
    QCursor m_waitCursor;
    int m_busy = 0;
    std::unique_ptr<platform::BusyCursor> m_busyCursor; // shows m_waitCursor while busy
    CKeywordListCtrl* m_results = nullptr;
    CHoverButton* m_saveButton = nullptr;
    CHoverButton* m_copyButton = nullptr;
    CHoverButton* m_clearButton = nullptr;
    CHoverButton* m_metaButton = nullptr;
    CHoverButton* m_wordsButton = nullptr;
    CHoverButton* m_commaButton = nullptr;
    CHoverButton* m_exitButton = nullptr;
    CHoverButton* m_searchButton = nullptr;
    lookup::QueryLocale m_locale;        // asked for by every search; kept until the program ends
    QPointer<CExpandThread> m_expansion; // not owning; the one that runs
    QPointer<CExpandProgressDlg> m_progress;
    QString m_expansionKeyword; // as the progress dialog names it
    std::chrono::milliseconds m_expansionPacing = CExpandThread::kPacing;
    QPointer<CMyThread> m_worker;                                 // not owning; last started
    std::shared_ptr<const lookup::SuggestionTable> m_workerTable; // that worker's table
    QIcon m_icon;

    QString m_panelShown; // the panel's text as the last exchange to the fields left it
    QLineEdit* m_keywordEdit = nullptr;
    QPlainTextEdit* m_panelEdit = nullptr;
    QMenuBar* m_menuBar = nullptr;
    std::unique_ptr<IUserPrompts> m_prompts;
    QByteArray m_serviceBase = lookup::kServiceBase;
};
