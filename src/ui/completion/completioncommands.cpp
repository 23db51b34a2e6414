#include "ui/completion/completioncommands.h"

#include "core/messages/messages.h"
#include "core/settings/settings.h"
#include "ui/completion/tagcompleter.h"
#include "ui/completion/tagmatchmarks.h"
#include "ui/formatting/tagreferencewindow.h"
#include "ui/preferences/optionscommands.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

CompletionCommands::CompletionCommands(QMenu &optionsMenu, Settings &settings, DocumentWorkspace &workspace,
                                       TagCatalog catalog, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_workspace(workspace)
    , m_catalog(std::move(catalog))
    , m_action(new QAction(msg(9900), this))
{
    m_action->setCheckable(true);
    m_action->setChecked(m_settings.tagCompletion);
    m_action->setStatusTip(msg(9901));
    optionsMenu.addAction(m_action);
    connect(m_action, &QAction::triggered, this, &CompletionCommands::setEnabled);
    // The settings are read after the menus are built.
    connect(&optionsMenu, &QMenu::aboutToShow, this, [this] { m_action->setChecked(m_settings.tagCompletion); });

    // A new document window comes to the front, or gets the focus, before
    // the author types in it.
    if (auto *area = m_workspace.findChild<QMdiArea *>())
        connect(area, &QMdiArea::subWindowActivated, this, &CompletionCommands::attachAll);
    connect(&m_workspace, &DocumentWorkspace::activeDocumentChanged, this, &CompletionCommands::attachAll);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (qobject_cast<EditorWidget *>(now))
            attachAll();
    });
}

void CompletionCommands::setEnabled(bool on)
{
    m_settings.tagCompletion = on;
    m_action->setChecked(on);
    if (!on) {
        for (DocumentWindow *document : m_workspace.documents()) {
            if (auto *completer = document->findChild<TagCompleter *>(QString(), Qt::FindDirectChildrenOnly))
                completer->refresh(false);
        }
    }
}

void CompletionCommands::attachAll()
{
    for (DocumentWindow *document : m_workspace.documents())
        attach(document);
}

void CompletionCommands::attach(DocumentWindow *document)
{
    if (document->findChild<TagCompleter *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    new TagCompleter(document->editor(), document->text(), document->undo(), m_catalog, m_settings, document);
    new TagMatchMarks(document->editor());
}

CompletionCommands *installCompletion(MainWindow &frame)
{
    return new CompletionCommands(*frame.options()->menu(), frame.settings(), *frame.workspace(),
                                  TagCatalog(loadTagReference(tagReferencePath()).entries), &frame);
}
