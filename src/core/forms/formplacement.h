#pragma once

#include <QString>

#include <functional>

class DocumentText;
class UndoHistory;
struct EditorState;

// Whether position lies inside a FORM element of the page: the last FORM
// start tag that begins before it is not closed before it, and a FORM end tag
// follows it. Tag names are compared without regard to case and must end
// there ("<FORMULE" is no FORM tag).
bool IsInsideForm(const QString &page, int position);

// Where a control goes for a caret at position: the caret itself, or, when
// it stands inside a tag ("<FORM |ACTION=...>"), just after that tag's ">"
// (quoted values honoured), so that no tag is split; before a tag that has
// no ">".
int FormControlPosition(const QString &page, int position);

// Writes a control's markup at FormControlPosition of the caret (the
// selection collapses there) as one undo step. Inside a FORM element the control goes in alone.
// Elsewhere writeFormStartTag runs first: it writes a FORM start tag as the
// step's first piece and returns true, or returns false when the author
// cancels, and then nothing is written and false is returned. After a new
// start tag come a line break, the control and "</FORM>".
bool WriteFormControl(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &control,
                      const std::function<bool()> &writeFormStartTag);
