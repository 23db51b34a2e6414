#pragma once

#include <QString>

class DocumentText;
struct EditorState;
struct ElementMarkers;

// Finding, selecting and reading elements that already stand in a page.
// Markers are compared without regard to letter case.

// Copies the selected text, line breaks included, into
// state.SelectedElementText.
void CaptureSelection(const DocumentText &text, EditorState &state);

enum class ElementEditMode {
    // No element found: the dialog creates a new one at the caret.
    Create,
    // state.SelectedElementText holds the element, which is selected: the
    // dialog reads it and replaces it (undo kind ukReplace).
    Edit,
    // The selection holds nested elements the dialog cannot re-edit; the
    // caller says so (message 18 for tables). Creation mode otherwise.
    Nested,
};

// Run by a command before it opens its element dialog. Empties
// SelectedElementText; with a selection that holds the start marker and,
// after it, the end marker, narrows the selection to exactly that element
// and copies it into SelectedElementText. Without the start marker the
// selection collapses to its start; with the start marker but no end marker
// it collapses at the start marker. Text around the element is untouched.
ElementEditMode ApplyElementEditMode(DocumentText &text, EditorState &state, const ElementMarkers &markers);
ElementEditMode ApplyElementEditMode(DocumentText &text, EditorState &state, const QString &startMarker,
                                     const QString &endMarker);

// Selects the first startMarker of the whole text and the first endMarker
// after it: the whole element, or only what stands between the markers.
// Returns false, changing nothing, when either is missing.
bool SelectElement(DocumentText &text, const QString &startMarker, const QString &endMarker, bool wholeElement);

// The first element of the page that runs from startMarker through
// endMarker, read line by line; an element spread over several lines comes
// back on one line, its pieces joined by one blank. Empty when there is none.
QString ExtractElementText(const DocumentText &text, const QString &startMarker, const QString &endMarker);

// Puts the caret before (or just after) the first occurrence of tag in the
// page; a tag split over two lines is not found. Returns false, leaving the
// caret alone, when the tag is absent.
bool MoveCaretToTag(DocumentText &text, const QString &tag, bool beforeTag);

// Whether needle occurs anywhere in the page. An empty needle does not.
bool DocumentContains(const DocumentText &text, const QString &needle);
