#pragma once

#include "app/documenthost.h"
#include "app/editortext.h"
#include "app/editorwidget.h"
#include "app/settings.h"
#include "app/undohistory.h"
#include "support/fakeprompts.h"
#include "tags/editorstate.h"

#include <QMainWindow>
#include <QStatusBar>

// A frame window with one document in a real editor, scripted prompts, and a
// count of command-state refreshes.
class WholeTextHost : public DocumentHost
{
public:
    WholeTextHost()
        : editor(new EditorWidget)
        , text(editor)
        , undo(text)
    {
        frame.setCentralWidget(editor);
        frame.statusBar()->showMessage(QStringLiteral("prêt"));
        frame.resize(800, 600);
    }

    DocumentText *activeText() override { return hasDocument ? &text : nullptr; }
    UndoHistory *activeUndo() override { return hasDocument ? &undo : nullptr; }
    EditorState &editorState() override { return state; }
    Settings &settings() override { return settingsValues; }
    Prompts &prompts() override { return fakePrompts; }
    QWidget *window() override { return &frame; }
    void UpdateCommandStates() override { ++updates; }

    QMainWindow frame;
    EditorWidget *editor;
    EditorText text;
    UndoHistory undo;
    EditorState state;
    Settings settingsValues;
    FakePrompts fakePrompts;
    bool hasDocument = true;
    int updates = 0;
};
