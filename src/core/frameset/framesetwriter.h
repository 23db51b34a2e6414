#pragma once

#include "core/frameset/framesetlayout.h"

#include <QString>

#include <vector>

class DocumentText;
class Prompts;
class UndoHistory;
struct EditorState;

// One piece of a written frameset. A piece that moves the caret past the
// page's old BODY (the end of the NOFRAMES element when the body is moved
// there) carries no text.
struct FramesetPiece
{
    QString text;
    bool caretAfterBody = false;
    friend bool operator==(const FramesetPiece &, const FramesetPiece &) = default;
};

// The layout cut into nested two-way FRAMESETs, line by line, or the reason
// it cannot be written (the catalogue number of the message to show).
struct FramesetText
{
    std::vector<FramesetPiece> pieces;
    int failure = 0; // 0, or 48 when a region has no straight cut
    bool ok() const { return failure == 0; }
    // The pieces' texts joined (the body move as a marker line).
    QString joined() const;
};

// "<FRAME ...>" + CR LF of one frame, indented.
QString FrameLine(const FrameRec &frame, const QString &indent);

// Cuts the whole layout: every region splits along a column and/or row
// boundary that runs straight through it, its first frames written before
// the others. A region of several frames with no such cut fails the whole
// layout (48), so a frame is never silently left out. With bodyIntoNoframes
// the NOFRAMES element closes after the page's old BODY.
FramesetText FramesetLines(const FramesetLayout &layout, const FramesetAttributes &attributes, bool bodyIntoNoframes);

// What OK of the designer decides before writing.
enum class FramesetCheck {
    Ready,
    MissingNameOrSource, // message 49
    SingleFrame,         // message 52: nothing to write, the dialog closes
};
FramesetCheck CheckFramesetLayout(const FramesetLayout &layout);

// The OK of the designer after its checks: handles the page's BODY (message
// 50, or 51), then writes the frameset at the caret as one undo step. Returns
// 0 when written, or 48 when the layout cannot be cut (told to the user;
// the page and its history are untouched).
int WriteFrameset(DocumentText &text, UndoHistory &undo, EditorState &state, Prompts &prompts,
                  const FramesetLayout &layout, const FramesetAttributes &attributes);
