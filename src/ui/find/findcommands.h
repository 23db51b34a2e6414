#pragma once

#include <QObject>
#include <QPointer>

class DocumentHost;
class QAction;
class TRechercheFrm;

// The Edit menu's search commands. The frame window places the actions in
// its menu (and the find action on the toolbar); the dialog is created on
// first use, as a child of the frame window, and reused.
class FindCommands : public QObject
{
    Q_OBJECT
public:
    explicit FindCommands(DocumentHost &host, QObject *parent = nullptr);

    // "Rec&hercher" (Ctrl+F): the dialog in find mode.
    QAction *findAction() const { return m_find; }
    // "R&emplacer" (Ctrl+R): the dialog in replace mode.
    QAction *replaceAction() const { return m_replace; }
    // "Répéter e&ncore" (F3): the last search again; nothing before the
    // dialog was ever opened.
    QAction *repeatAction() const { return m_repeat; }

    // Null until the dialog was first opened.
    TRechercheFrm *dialog() const { return m_dialog; }

    void openFind();
    void openReplace();
    void repeatSearch();

private:
    TRechercheFrm *ensureDialog();

    DocumentHost &m_host;
    QAction *m_find;
    QAction *m_replace;
    QAction *m_repeat;
    QPointer<TRechercheFrm> m_dialog;
};
