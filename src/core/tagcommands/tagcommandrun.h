#pragma once

#include "core/undo/undohistory.h"

#include <QString>

class DocumentHost;
struct TagCommand;

// Runs a direct tag command (wrap or insert) on the active document through
// the insertion engine as one new, repeatable undo step, then refreshes the
// command states. Returns false, changing nothing, when no document is open
// or the command is not a direct one.
bool runDirectTagCommand(DocumentHost &host, const TagCommand &command);

// The colour chooser behind the colour command. Colours are 0x00BBGGRR.
class ColourChooser
{
public:
    virtual ~ColourChooser() = default;
    // Shows the chooser with initial selected; returns true and sets chosen
    // when the user confirms, false when the user cancels.
    virtual bool chooseColour(quint32 initial, quint32 &chosen) = 0;
};

// What the selection holds when the colour command starts.
enum class ColourSelection {
    HashCode,   // "#" and six hexadecimal digits: the code is replaced
    BareCode,   // six hexadecimal digits: replaced, without "#"
    QuotedCode, // a double quote, "#", six digits, a double quote: replaced, quotes kept
    Other,      // anything else, no selection included: wrapped in a coloured FONT
};

ColourSelection classifyColourSelection(const QString &selected);

// The colour the chooser starts with: the selected code, or lastColour when
// the selection holds none.
quint32 initialColour(ColourSelection kind, const QString &selected, quint32 lastColour);

struct ColourEdit
{
    QString startText;
    QString endText;
    UndoKind kind = ukInsert;
};

// The texts the colour command inserts for a chosen colour.
ColourEdit colourEdit(ColourSelection kind, quint32 colour);

// The colour command: asks for a colour, starting from the selected code (or
// the colour last chosen), and writes the chosen one in the selection's form.
// Cancelling changes nothing. Remembers the last confirmed colour.
class ColourCommand
{
public:
    explicit ColourCommand(ColourChooser &chooser)
        : m_chooser(&chooser)
    {}

    // Returns true when something was inserted.
    bool run(DocumentHost &host);

    quint32 lastColour() const { return m_lastColour; }
    void setChooser(ColourChooser &chooser) { m_chooser = &chooser; }

private:
    ColourChooser *m_chooser;
    quint32 m_lastColour = 0;
};
