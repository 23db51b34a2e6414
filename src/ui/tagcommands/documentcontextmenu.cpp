#include "ui/tagcommands/documentcontextmenu.h"

#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

DocumentContextMenu::DocumentContextMenu(DocumentHost &host, const EditActions &actions, QWidget *parent)
    : QMenu(parent)
    , m_host(host)
    , m_actions(actions)
{
    setObjectName(QStringLiteral("PopupMenu1"));
    m_actions.save = entry(actions.save, QStringLiteral("Sauv&egarder"));
    m_actions.saveAs = entry(actions.saveAs, QStringLiteral("Sauvega&rder sous..."));
    m_actions.saveAll = entry(actions.saveAll, QStringLiteral("Sauvegarder to&us"));
    addSeparator();
    m_actions.convertCharacters = entry(actions.convertCharacters, QStringLiteral("&Conversion des caractères"));
    m_actions.convertBack = entry(actions.convertBack, QStringLiteral("Re&tour vers caractères"));
    addSeparator();
    m_actions.undo = entry(actions.undo, QStringLiteral("&Annuler"));
    m_actions.redo = entry(actions.redo, QStringLiteral("Refa&ire"));
    addSeparator();
    m_actions.cut = entry(actions.cut, QStringLiteral("&Couper"));
    m_actions.copy = entry(actions.copy, QStringLiteral("Co&pier"));
    m_actions.paste = entry(actions.paste, QStringLiteral("C&oller"));
    addSeparator();
    m_actions.quickImage = entry(actions.quickImage, QStringLiteral("&Image rapide"));
    m_actions.quickExternalLink = entry(actions.quickExternalLink, QStringLiteral("Lien &externe rapide"));
    connect(this, &QMenu::aboutToShow, this, &DocumentContextMenu::refreshEditActions);
}

QAction *DocumentContextMenu::entry(QAction *given, const QString &caption)
{
    if (given) {
        addAction(given);
        return given;
    }
    // A command whose window is not there yet shows, greyed.
    QAction *placeholder = addAction(caption);
    placeholder->setEnabled(false);
    return placeholder;
}

void DocumentContextMenu::refreshEditActions()
{
    const DocumentText *text = m_host.activeText();
    const bool hasSelection = text && text->selectionLength() > 0;
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    const bool clipboardText = text && clip && clip->hasText();
    for (QAction *a : {m_actions.cut, m_actions.copy, m_actions.deleteSelection}) {
        if (a)
            a->setEnabled(hasSelection);
    }
    if (m_actions.paste)
        m_actions.paste->setEnabled(clipboardText);
    // Without a probe the find dialog's owner keeps find-again up to date.
    if (m_actions.findAgain && m_canFindAgain)
        m_actions.findAgain->setEnabled(m_canFindAgain());
}

void DocumentContextMenu::watchMenu(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, &DocumentContextMenu::refreshEditActions);
}

void DocumentContextMenu::attachTo(QWidget *editor)
{
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor, &QWidget::customContextMenuRequested, this, [this, editor](const QPoint &pos) {
        // A scroll area reports the click in its viewport's coordinates.
        const auto *area = qobject_cast<QAbstractScrollArea *>(editor);
        const QWidget *origin = area ? area->viewport() : editor;
        prepareFor(editor, pos);
        popup(origin->mapToGlobal(pos));
    });
}

void DocumentContextMenu::prepareFor(QWidget *editor, const QPoint &viewportPoint)
{
    // The last entries go only now: one of them may have just been chosen.
    qDeleteAll(m_extensionEntries);
    m_extensionEntries.clear();
    QAction *top = actions().value(0);
    for (const Extension &extension : m_extensions)
        m_extensionEntries += extension(editor, viewportPoint, this);
    if (m_extensionEntries.isEmpty())
        return;
    m_extensionEntries.append(new QAction(this));
    m_extensionEntries.last()->setSeparator(true);
    insertActions(top, m_extensionEntries);
}
