// The plain message dialog, message dialogs with a choice of buttons, and the input dialog.
#pragma once

#include "Controls.h"

#include <string>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = uint32_t; // bit (1 << TMsgDlgBtn) per button

// The text with an OK button; the caption is the application's title.
void ShowMessage(const std::string& Msg);
// A system message box with the type's icon and caption. The buttons are one of the system's
// sets (OK, OK/Cancel, Yes/No, Yes/No/Cancel, Abort/Retry/Ignore, Retry/Cancel); any other choice
// gets OK. Returns the mr* result of the button pressed.
TModalResult MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// A modal dialog with the caption, the prompt, an edit holding Value, OK and Cancel.
// OK: true, Value holds the text typed. Cancel or closing: false, Value unchanged.
bool InputQuery(const std::string& ACaption, const std::string& APrompt, std::string& Value);
