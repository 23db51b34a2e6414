#pragma once

#include <QString>

#include <vector>

// How the command that opens an element dialog finds an element the user
// has selected, so that the dialog edits it instead of creating a new one.
struct ElementMarkers
{
    // The command's button name, which identifies it ("HrBtn", "TableBtn").
    QString command;
    // Start of the element (upper case, compared without regard to case);
    // empty when the command always creates a new element.
    QString startMarker;
    // When set, the element is the first start tag named by startMarker
    // (without its "<") whose TYPE attribute has this value, however it is
    // quoted and wherever TYPE stands (the form image: "<INPUT", "image").
    QString typeValue;
    // Must follow the start marker; the end marker is then looked for after
    // it (the image map's IMG tag).
    QString innerMarker;
    // Ends the element: ">" for a single tag, the closing tag otherwise.
    QString endMarker;
    // true when the markers enclose an element with content (start tag
    // through closing tag), false for a single tag.
    bool wholeElement = false;
    // A selection without the start marker is kept whole for the dialog to
    // read instead of collapsing (the image map reads a selected IMG tag).
    bool keepSelectionWithoutStart = false;
    // A second start marker before the first end marker is refused: nested
    // tables cannot be re-edited.
    bool refuseNested = false;
    // The element is the document's own (the BODY tag), looked up in the
    // whole text rather than in the selection.
    bool fromDocument = false;

    bool editsElements() const { return !startMarker.isEmpty(); }
};

// Every command that opens an element dialog, in toolbar order.
const std::vector<ElementMarkers> &DialogCommandMarkers();

// The markers of one command (an entry with empty markers when the command
// is unknown).
const ElementMarkers &MarkersForCommand(const QString &command);
