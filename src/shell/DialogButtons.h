#pragma once

class QDialogButtonBox;
class QPushButton;

// The Ok and Cancel strip of the program's dialogs: "Ok" is the default
// button, and both carry the names the forms give them ("OkButton",
// "AnulujButton") so that tests and handlers find them.
struct DialogButtons
{
    QDialogButtonBox *box = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
};

DialogButtons createOkCancelButtons();
