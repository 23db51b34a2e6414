#pragma once

#include <QMenu>

#include <QList>

#include <functional>
#include <vector>

class DocumentHost;

// The frame window's actions that the document's pop-up menu shows, in the
// menu's order, plus the Edit menu items whose enabling follows the
// selection and the find dialog. The frame window fills in what it has; a
// null pop-up entry becomes a disabled item with its usual caption.
struct EditActions
{
    QAction *save = nullptr;              // "Sauv&egarder"
    QAction *saveAs = nullptr;            // "Sauvega&rder sous..."
    QAction *saveAll = nullptr;           // "Sauvegarder to&us"
    QAction *convertCharacters = nullptr; // "&Conversion des caractères"
    QAction *convertBack = nullptr;       // "Re&tour vers caractères"
    QAction *undo = nullptr;              // "&Annuler"
    QAction *redo = nullptr;              // "Refa&ire"
    QAction *cut = nullptr;               // "&Couper"
    QAction *copy = nullptr;              // "Co&pier"
    QAction *paste = nullptr;             // "C&oller"
    QAction *quickImage = nullptr;        // "&Image rapide"
    QAction *quickExternalLink = nullptr; // "Lien &externe rapide"

    // Edit menu only.
    QAction *deleteSelection = nullptr; // "E&ffacer"
    QAction *findAgain = nullptr;       // "Répéter e&ncore"
};

// The pop-up menu of a document's text. Each time it opens, and each time
// a watched menu (the Edit menu) opens, cut, copy and delete are enabled
// exactly when the active document has a selection, paste exactly when the
// clipboard holds text, and find-again exactly when the find dialog holds a
// search text.
class DocumentContextMenu : public QMenu
{
    Q_OBJECT
public:
    DocumentContextMenu(DocumentHost &host, const EditActions &actions, QWidget *parent = nullptr);

    // Tells whether the find dialog exists and holds a non-empty search
    // text; without it find-again's state is left alone.
    void setFindAgainProbe(std::function<bool()> canFindAgain) { m_canFindAgain = std::move(canFindAgain); }

    // Applies the enabling rule above now.
    void refreshEditActions();
    // Applies it also whenever menu is about to show.
    void watchMenu(QMenu *menu);
    // Shows this menu on a right click in editor (a text widget).
    void attachTo(QWidget *editor);

    const EditActions &editActions() const { return m_actions; }

    // Entries for the place clicked, shown at the top of the menu above a
    // separator: an extension gets the editor and the click's point in its
    // viewport, and returns the actions to show (children of the menu it is
    // given), or none. They last until the menu next opens.
    using Extension = std::function<QList<QAction *>(QWidget *editor, const QPoint &viewportPoint, QMenu *menu)>;
    void addExtension(Extension extension) { m_extensions.push_back(std::move(extension)); }
    // Puts the extensions' entries for a click in editor into the menu
    // (attachTo does it before the menu shows).
    void prepareFor(QWidget *editor, const QPoint &viewportPoint);

private:
    QAction *entry(QAction *given, const QString &caption);

    DocumentHost &m_host;
    EditActions m_actions;
    std::function<bool()> m_canFindAgain;
    std::vector<Extension> m_extensions;
    QList<QAction *> m_extensionEntries;
};
