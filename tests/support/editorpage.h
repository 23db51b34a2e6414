#pragma once

#include "core/markup/editorstate.h"
#include "core/undo/undohistory.h"
#include "support/marked.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"
#include "ui/undo/typingrecorder.h"

// A page in a real editor with its history and recorder, as a document
// window holds them (the recorder goes first when it closes). The text is
// written with its selection marked (see marked.h).
struct EditorPage
{
    explicit EditorPage(const QString &markedText)
        : text(&editor)
    {
        editor.resize(400, 300);
        editor.show();
        setMarked(text, markedText);
    }
    EditorWidget editor;
    EditorText text;
    UndoHistory history{text};
    EditorState state;
    TypingRecorder recorder{&editor, text, history, state};
};
