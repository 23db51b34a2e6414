#pragma once

class DocumentText;
class UndoHistory;
class Prompts;
class QWidget;
struct EditorState;
struct Settings;

// What the frame window offers the commands of every subsystem: the active
// document (null when none is open), the shared generator state, the
// prompts and the refresh of command states.
class DocumentHost
{
public:
    virtual ~DocumentHost() = default;
    virtual DocumentText *activeText() = 0;
    virtual UndoHistory *activeUndo() = 0;
    virtual EditorState &editorState() = 0;
    virtual Settings &settings() = 0;
    virtual Prompts &prompts() = 0;
    // Parent for dialogs.
    virtual QWidget *window() = 0;
    virtual void UpdateCommandStates() = 0;
};
