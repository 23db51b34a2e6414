#pragma once

#include "core/dialogs/eventcalls.h"
#include "core/forms/choicelist.h"

#include <QString>

#include <vector>

// The form controls the builder writes, one group at a time.
enum class ControlKind {
    CheckBoxes,
    RadioButtons,
    ListBox,
    DropDown,
    TextArea,
    TextBox,
    Button,
    Hidden,
};

// Sub-kinds of a text box and of a button.
enum TextBoxType { PlainTextBox = 0, PasswordBox = 1 };
enum ButtonType { PlainButton = 0, ResetButton = 1, SubmitButton = 2 };
enum TextWrap { WrapOff = 0, WrapVirtual = 1, WrapPhysical = 2 };

// Check box and radio groups hold at most this many values.
constexpr int MaxGroupValues = 40;

struct FormControl
{
    ControlKind kind = ControlKind::CheckBoxes;
    int subKind = 0; // TextBoxType or ButtonType
    QString name;    // made an identifier when written
    // Check boxes and radio buttons: "<BR>" after each value.
    bool lineBreaks = true;
    // Check boxes, radio buttons (checked = CHECKED), list box, drop-down
    // (checked = the default option).
    QList<ChoiceValue> values;
    // List box: SIZE (0 or less gives the number of values) and MULTIPLE.
    int visibleLines = 3;
    bool multiple = false;
    // Multi-line text box: COLS and ROWS (0 leaves them out), WRAP, text.
    int columns = 1;
    int rows = 1;
    TextWrap wrap = WrapOff;
    QString initialText;
    // Text box: SIZE and MAXLENGTH (0 leaves them out).
    int visibleLength = 40;
    int maxLength = 40;
    // Text box initial value, button caption, hidden value.
    QString value;
    EventCalls events;
};

// The events a control kind can call, in the order its tag writes them;
// none for a password box and a hidden entry.
std::vector<JsEvent> ControlEvents(ControlKind kind, int subKind = 0);

// The catalogue number of what keeps the control from being written (25:
// no name, 76: no value) or 0 when it can be written.
int ControlProblem(const FormControl &control);

// The control's markup, CR LF line breaks, ending with a line break.
QString ControlMarkup(const FormControl &control);
