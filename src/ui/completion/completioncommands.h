#pragma once

#include "core/completion/tagcatalog.h"

#include <QObject>

class DocumentWindow;
class DocumentWorkspace;
class MainWindow;
class QAction;
class QMenu;
struct Settings;

// The Options menu item "Complétion des balises" (kept in the settings, on
// by default), and completion and matching-tag marks in every document
// window. The names come from the tag reference file beside the program.
class CompletionCommands : public QObject
{
    Q_OBJECT
public:
    CompletionCommands(QMenu &optionsMenu, Settings &settings, DocumentWorkspace &workspace, TagCatalog catalog,
                       QObject *parent);

    QAction *action() const { return m_action; }
    // The names offered from now on, in every document window.
    void setCatalog(TagCatalog catalog) { m_catalog = std::move(catalog); }
    void setEnabled(bool on);
    // Gives every open document its completer and marks (once each).
    void attachAll();

private:
    void attach(DocumentWindow *document);

    Settings &m_settings;
    DocumentWorkspace &m_workspace;
    TagCatalog m_catalog;
    QAction *m_action;
};

CompletionCommands *installCompletion(MainWindow &frame);
