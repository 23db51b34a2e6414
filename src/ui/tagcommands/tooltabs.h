#pragma once

#include "core/tagcommands/tagcommandrun.h"

#include <QHash>
#include <QTabWidget>

#include <functional>
#include <memory>

class DocumentHost;
class QAction;
class QMenu;
class QToolButton;
struct TagCommand;

// The tabbed toolbar: seven pages of flat tag buttons, some with a menu of
// variants. Every button, drop-down item and menu item of "O&nglets" runs
// through one shared action per command (with its shortcut), so the menu
// built by buildTabsMenu() and the buttons always agree.
//
// Direct commands insert through the host's active document. Dialog
// commands stay disabled until their window code hands over a handler with
// setDialogHandler().
class ToolTabs : public QTabWidget
{
    Q_OBJECT
public:
    explicit ToolTabs(DocumentHost &host, QWidget *parent = nullptr);
    ~ToolTabs() override;

    // The "O&nglets" menu, one submenu per page, holding the buttons'
    // actions; the variants of a drop-down button form a nested submenu.
    // The menu belongs to parent.
    QMenu *buildTabsMenu(QWidget *parent);

    // The action of a button, drop-down item or menu item, by name
    // ("BoldBtn", "Gras1", "BR11"); null for an unknown name.
    QAction *action(const QString &id) const;
    // A toolbar button by name ("BoldBtn", "FontPlusBtn", "H1H6Btn").
    QToolButton *button(const QString &id) const;
    // The variants' menu of a drop-down button ("PREp", "BRp", "Pp",
    // "FontPlusBtn", "H1H6Btn").
    QMenu *dropDownMenu(const QString &id) const;

    // Makes a dialog command ("TableBtn", ...) run handler; it is enabled
    // from then on whenever a document is open.
    void setDialogHandler(const QString &id, std::function<void()> handler);
    // The colour chooser of "Couleur en hexadécimal" (the colour dialog by
    // default); the chooser must outlive this widget or be replaced.
    void setColourChooser(ColourChooser &chooser);

    // With no document every tag command and the tabs are disabled and the
    // first page is shown; the frame window calls this from its command
    // state refresh.
    void setDocumentOpen(bool open);
    bool isDocumentOpen() const { return m_documentOpen; }
    void showFirstPage();

private:
    QAction *createAction(const TagCommand &command);
    QToolButton *createButton(const QString &id, const QString &glyph, const QString &hint);
    QMenu *createVariantsMenu(const QString &id, const QList<TagCommand> &variants);
    void addPage(int index);
    void runCommand(const TagCommand &command);
    void refreshEnabled();

    DocumentHost &m_host;
    std::unique_ptr<ColourChooser> m_dialogChooser;
    ColourCommand m_colour;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QToolButton *> m_buttons;
    QHash<QString, QMenu *> m_dropDowns;
    QHash<QString, std::function<void()>> m_dialogHandlers;
    bool m_documentOpen = false;
};

// A toolbar glyph by file name without ".svg" ("bold", "save", ...): the
// frame window takes its own buttons' glyphs from here too.
QIcon toolbarIcon(const QString &name);
