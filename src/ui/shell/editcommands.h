#pragma once

#include <QObject>

class DocumentHost;
class QAction;

// The Edit menu's commands on the active document: undo, redo, repeat last
// command, cut, copy, paste, delete and select all. Cut, copy, paste and
// delete act only while the document's text has the keyboard focus.
class EditCommands : public QObject
{
    Q_OBJECT
public:
    explicit EditCommands(DocumentHost &host, QObject *parent = nullptr);

    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }
    QAction *repeatAction() const { return m_repeat; }
    QAction *cutAction() const { return m_cut; }
    QAction *copyAction() const { return m_copy; }
    QAction *pasteAction() const { return m_paste; }
    QAction *deleteAction() const { return m_delete; }
    QAction *selectAllAction() const { return m_selectAll; }

    void CutBtnClick();
    void CopyBtnClick();
    void PasteBtnClick();
    void EffacerClick();
    void Selectionnertout1Click();
    void Rpterdernirecommande1Click();
    void undo();
    void redo();

    // Enables the commands for the active document (or none).
    void updateStates();

private:
    bool editorHasFocus() const;

    DocumentHost &m_host;
    QAction *m_undo;
    QAction *m_redo;
    QAction *m_repeat;
    QAction *m_cut;
    QAction *m_copy;
    QAction *m_paste;
    QAction *m_delete;
    QAction *m_selectAll;
};
