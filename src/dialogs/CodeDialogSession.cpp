#include "dialogs/CodeDialogSession.h"

#include "dialogs/CodeDialogHost.h"
#include "dialogs/CodeEditorWindow.h"

#include <exception>

CodeDialogSession::CodeDialogSession(CodeDialogHost &host) : m_host(host)
{
    if (host.codeDialog())
        return;
    m_dialog = std::make_unique<CodeEditorWindow>(
        host.dialogOwner(), [&host](const QString &text) { host.showDialogMessage(text); });
    host.setCodeDialog(m_dialog.get());
}

CodeDialogSession::~CodeDialogSession()
{
    if (!m_dialog)
        return;
    m_host.setCodeDialog(nullptr);
    m_dialog.reset();
}

bool CodeDialogSession::fill(const std::function<void(CodeEditorWindow &dialog)> &fill)
{
    if (!m_dialog)
        return false;
    try {
        fill(*m_dialog);
        return true;
    } catch (const std::exception &error) {
        m_host.showDialogMessage(QString::fromUtf8(error.what()));
    }
    return false;
}

bool CodeDialogSession::run()
{
    return m_dialog && m_dialog->exec() == QDialog::Accepted;
}
