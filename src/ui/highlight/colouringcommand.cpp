#include "ui/highlight/colouringcommand.h"

#include "core/settings/settings.h"
#include "ui/highlight/htmlcolouring.h"
#include "ui/preferences/framelayout.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QMenu>

void applyColouring(EditorWidget &editor, const Settings &settings)
{
    HtmlColouring *colouring = editor.findChild<HtmlColouring *>(QString(), Qt::FindDirectChildrenOnly);
    if (settings.syntaxColouring && !colouring)
        new HtmlColouring(&editor);
    else if (!settings.syntaxColouring)
        delete colouring;
}

ColouringCommand::ColouringCommand(QMenu &optionsMenu, QAction *after, Settings &settings, FrameLayout &frame,
                                   QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_frame(frame)
    , m_action(new QAction(QStringLiteral("&Coloration syntaxique"), this))
{
    m_action->setCheckable(true);
    m_action->setChecked(m_settings.syntaxColouring);
    const QList<QAction *> actions = optionsMenu.actions();
    const qsizetype at = actions.indexOf(after);
    optionsMenu.insertAction(at >= 0 && at + 1 < actions.size() ? actions.at(at + 1) : nullptr, m_action);
    connect(m_action, &QAction::triggered, this, &ColouringCommand::setEnabled);
    // The settings are read after the menus are built.
    connect(&optionsMenu, &QMenu::aboutToShow, this, [this] { m_action->setChecked(m_settings.syntaxColouring); });
}

void ColouringCommand::setEnabled(bool on)
{
    m_settings.syntaxColouring = on;
    m_action->setChecked(on);
    for (EditorWidget *editor : m_frame.editors())
        applyColouring(*editor, m_settings);
}
