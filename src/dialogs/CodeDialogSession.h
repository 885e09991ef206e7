#pragma once

#include <functional>
#include <memory>

class CodeDialogHost;
class CodeEditorWindow;

// One use of a report window's code dialog: made and set as the window's
// code dialog when the session begins, destroyed and cleared when it ends,
// however it ends, so that no later generation places marks in a dialog
// nobody shows.
//
// A window has one code dialog at a time: while one is being filled (and
// generation lets events run) another request for one is refused rather
// than given the dialog in use.
class CodeDialogSession
{
public:
    explicit CodeDialogSession(CodeDialogHost &host);
    ~CodeDialogSession();
    CodeDialogSession(const CodeDialogSession &) = delete;
    CodeDialogSession &operator=(const CodeDialogSession &) = delete;

    // Null when the window's code dialog was in use already.
    CodeEditorWindow *dialog() const { return m_dialog.get(); }

    // Fills the dialog; a failure (generation raising an error) is shown in
    // a message box and returns false: the dialog is then not to be shown.
    bool fill(const std::function<void(CodeEditorWindow &dialog)> &fill);
    // Shows the dialog modally; true when the user chose OK.
    bool run();

private:
    CodeDialogHost &m_host;
    std::unique_ptr<CodeEditorWindow> m_dialog;
};
