#include "app/CKeywordsDlg.h"

#include "res/ResourceIds.h"

// Menu 130 and the eight command buttons of template 102, one row per command.
std::span<const CKeywordsDlg::Command> CKeywordsDlg::Commands() {
    using namespace res;
    using D = CKeywordsDlg;
    static constexpr Command kCommands[] = {
        {ID_FILE_SAVE, IDC_SAVE_TEXT, &D::m_saveButton, IDI_SAVE, IDS_TIP_SAVE, "File", "&Save",
         nullptr, false, &D::OnSaveText},
        {ID_FILE_EXPORT, 0, nullptr, 0, 0, "File", "Export List...", nullptr, false,
         &D::OnExportList},
        {ID_FILE_EXIT, IDC_EXIT, &D::m_exitButton, IDI_EXIT, IDS_TIP_EXIT, "File", "E&xit", nullptr,
         false, &D::OnExit},
        {ID_TOOLS_SEARCH, IDC_SEARCH, &D::m_searchButton, IDI_SEARCH, IDS_TIP_SEARCH, "Tools",
         "&Search", nullptr, false, &D::OnSearch},
        {ID_TOOLS_EXPAND, 0, nullptr, 0, 0, "Tools", "Expand Search", "Ctrl+E", false,
         &D::OnExpandSearch},
        {ID_TOOLS_LOCALE, 0, nullptr, 0, 0, "Tools", "Language and Region...", nullptr, false,
         &D::OnLanguageAndRegion},
        {ID_TOOLS_CLEAR, IDC_CLEAR_ALL, &D::m_clearButton, IDI_CLEAR, IDS_TIP_CLEAR, "Tools",
         "Clear", nullptr, false, &D::OnClearAll},
        {ID_TOOLS_COPY, IDC_COPY_TEXT, &D::m_copyButton, IDI_COPY, IDS_TIP_COPY, "Tools", "&Copy",
         nullptr, false, &D::OnCopyText},
        {ID_TOOLS_META_TAGS, IDC_META_TAGS, &D::m_metaButton, IDI_META, IDS_TIP_META, "Tools",
         "Create HTML Meta Tags", nullptr, true, &D::OnMetaTags},
        {ID_TOOLS_COLUMN_LIST, IDC_WORDS_LIST, &D::m_wordsButton, IDI_WORDS, IDS_TIP_WORDS, "Tools",
         "Create Column Keyword List", nullptr, false, &D::OnWordsList},
        {ID_TOOLS_COMMA_LIST, IDC_COMMA_LIST, &D::m_commaButton, IDI_COMMA, IDS_TIP_COMMA, "Tools",
         "Create Comma Separated List", nullptr, false, &D::OnCommaList},
        {ID_ABOUT_HELP, 0, nullptr, 0, 0, "About", "Help", nullptr, false, &D::OnHelp},
        {IDM_ABOUTBOX, 0, nullptr, 0, 0, "About", "&About...", nullptr, false, &D::OnAbout},
    };
    return kCommands;
}
