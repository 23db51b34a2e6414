#pragma once

#include <QString>

#include <functional>

class DocumentText;
class UndoHistory;
struct EditorState;

// Writing a built image tag into the page, each as one undo step remembered
// for repeating. reEdit: the selection is the element being re-edited,
// which the tag replaces.

// An IMG tag at the caret, or over the re-edited element.
void WriteImageTag(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &tag, bool reEdit);

// A form image's tag followed by a line break. Inside a FORM element it
// goes in alone; a re-edited tag that already ends its line keeps that one
// line end instead of gaining another at every edit. Outside every form
// writeFormStartTag runs first: it writes a FORM start tag as the step's
// first piece (replacing the selection) and returns true, or returns false
// when the author cancels, and then nothing is written and false is
// returned. After a new start tag come a line break, the tag with its line
// break, and "</FORM>".
bool WriteFormImageTag(DocumentText &text, UndoHistory &undo, EditorState &state, const QString &tag, bool reEdit,
                       const std::function<bool()> &writeFormStartTag);
