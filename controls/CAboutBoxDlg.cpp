#include "controls/CAboutBoxDlg.h"

#include "controls/CStaticLink.h"
#include "platform/CDialogBuilder.h"
#include "platform/HelpKey.h"
#include "platform/HelpPage.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

#include <QPushButton>

CAboutBoxDlg::CAboutBoxDlg(QWidget* parent) : QDialog(parent) {
    const res::DialogTemplate& dialog = res::AboutDialogTemplate();
    CDialogBuilder::SetUpFrame(*this, dialog);

    auto factory = [this](const res::ControlTemplate& control, QWidget* parentWidget) -> QWidget* {
        if (control.id != res::IDC_WEB_LINK)
            return nullptr;
        m_webLink = new CStaticLink(QString(), parentWidget);
        m_webLink->setText(QString::fromUtf8(control.text));
        return m_webLink;
    };
    CDialogBuilder builder(font());
    const auto widgets = builder.Build(*this, dialog, factory);
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (dialog.controls[i].id == res::IDOK)
            m_okButton = qobject_cast<QPushButton*>(widgets[i]);
    }
    Q_ASSERT(m_webLink && m_okButton);

    // The link shows the help page's title and opens the page that ships with the
    // program; the product has no web site.
    m_webLink->SetTarget(platform::HelpPageUrl().toString());
    // A static text, no tab stop: Enter always reaches OK. The help page is also About,
    // Help in the main window, and a screen reader can press the link.
    m_webLink->setFocusPolicy(Qt::NoFocus);

    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    platform::IgnoreHelpKey(*this);
    m_okButton->setFocus(Qt::OtherFocusReason);
}
