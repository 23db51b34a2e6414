#include "ui/preferences/optionscommands.h"

#include "ui/preferences/editorappearance.h"
#include "ui/text/editorwidget.h"
#include "ui/preferences/framelayout.h"
#include "core/preferences/marginmarkers.h"
#include "ui/preferences/marginruler.h"
#include "ui/preferences/preferencesdialog.h"
#include "core/settings/settings.h"

#include <QAction>
#include <QMenu>

namespace {

const QString MenuTitle = QStringLiteral("&Options");
const QString PreferencesText = QStringLiteral("&Préférences générales");
const QString StatusBarText = QStringLiteral("Afficher la barre de &statut");
const QString ToolbarText = QStringLiteral("Afficher la barre d'&outils");
const QString MarginsText = QStringLiteral("Afficher la barre des &marges");
const QString FirstBrowserText = QStringLiteral("&Netscape");
const QString SecondBrowserText = QStringLiteral("Microsoft &Explorer");
const QString PreviewText = QStringLiteral("&Lancer le navigateur externe");

} // namespace

OptionsCommands::OptionsCommands(Settings &settings, FrameLayout &frame, Prompts &prompts, QWidget *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_frame(frame)
    , m_prompts(prompts)
    , m_parent(parent)
    , m_menu(new QMenu(MenuTitle, parent))
    , m_ruler(new MarginRuler(parent))
{
    m_preferences = m_menu->addAction(PreferencesText);
    connect(m_preferences, &QAction::triggered, this, &OptionsCommands::openPreferences);
    m_menu->addSeparator();

    m_statusBar = addToggle(StatusBarText, &OptionsCommands::toggleStatusBar);
    m_toolbar = addToggle(ToolbarText, &OptionsCommands::toggleToolbar);
    m_margins = addToggle(MarginsText, &OptionsCommands::toggleMargins);
    m_menu->addSeparator();

    // Radio items, but with "no browser" possible: no exclusive group, the
    // choice decides the check marks.
    m_browser1 = m_menu->addAction(FirstBrowserText);
    m_browser1->setCheckable(true);
    m_browser1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    connect(m_browser1, &QAction::triggered, this, [this] { chooseBrowser(1); });
    m_browser2 = m_menu->addAction(SecondBrowserText);
    m_browser2->setCheckable(true);
    m_browser2->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    connect(m_browser2, &QAction::triggered, this, [this] { chooseBrowser(2); });
    m_menu->addSeparator();

    m_preview = m_menu->addAction(PreviewText);
    m_preview->setShortcut(QKeySequence(Qt::Key_F10));
    m_preview->setEnabled(false);

    // Shortcuts must work while the menu is closed.
    if (parent)
        parent->addActions(m_menu->actions());
    connect(m_menu, &QMenu::aboutToShow, this, &OptionsCommands::refreshChecks);

    m_ruler->setClientWidthSource([this] { return m_frame.rulerClientWidth(); });
    connect(m_ruler, &MarginRuler::marginsChanged, this, &OptionsCommands::marginsDragged);
    refreshChecks();
}

QAction *OptionsCommands::addToggle(const QString &text, void (OptionsCommands::*handler)(bool))
{
    QAction *action = m_menu->addAction(text);
    action->setCheckable(true);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void OptionsCommands::setPreviewAction(QAction *action)
{
    if (!action || action == m_preview)
        return;
    m_menu->insertAction(m_preview, action);
    m_menu->removeAction(m_preview);
    if (m_parent)
        m_parent->removeAction(m_preview);
    delete m_preview;
    m_preview = action;
}

void OptionsCommands::refreshChecks()
{
    m_statusBar->setChecked(m_settings.statusBar);
    m_toolbar->setChecked(m_settings.toolbar);
    m_margins->setChecked(m_settings.margins);
    m_browser1->setChecked(m_settings.browserChoice == 1);
    m_browser2->setChecked(m_settings.browserChoice == 2);
}

void OptionsCommands::toggleStatusBar(bool on)
{
    m_settings.statusBar = on;
    if (m_frame.documentCount() > 0)
        m_frame.setStatusBarVisible(on);
}

void OptionsCommands::toggleToolbar(bool on)
{
    m_settings.toolbar = on;
    m_frame.setToolbarVisible(on);
}

void OptionsCommands::toggleMargins(bool on)
{
    m_settings.margins = on;
    if (m_frame.documentCount() > 0)
        m_frame.setRulerVisible(on);
    ApplyMargins();
}

void OptionsCommands::chooseBrowser(int choice)
{
    m_settings.browserChoice = choice;
    refreshChecks();
}

void OptionsCommands::marginsDragged(int leftCentre, int rightCentre)
{
    m_settings.leftMargin = leftCentre;
    m_settings.rightMargin = rightCentre;
    ApplyMargins();
}

void OptionsCommands::ApplyEditorFont(EditorWidget *editor)
{
    if (editor)
        applyEditorFont(*editor, m_settings);
}

void OptionsCommands::ApplyMargins()
{
    for (EditorWidget *editor : m_frame.editors())
        applyMarginsTo(editor);
}

void OptionsCommands::applyMarginsTo(EditorWidget *editor)
{
    if (editor)
        applyEditorMargins(*editor, m_settings);
}

void OptionsCommands::PositionMarginMarkers()
{
    const int clientWidth = m_frame.rulerClientWidth();
    const auto [left, right] = MarginMarkers::placeMarkers(m_settings.leftMargin, m_settings.rightMargin, clientWidth);
    m_ruler->setMarkerEdges(left, right);
    m_settings.leftMargin = MarginMarkers::centreOf(left);
    m_settings.rightMargin = MarginMarkers::centreOf(right);
}

void OptionsCommands::openPreferences()
{
    PreferencesDialog dialog(m_settings, m_prompts, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.store(m_settings);
    applyPreferences();
}

void OptionsCommands::applyPreferences()
{
    refreshChecks();
    m_frame.setToolbarVisible(m_settings.toolbar);
    if (m_frame.documentCount() > 0) {
        m_frame.setRulerVisible(m_settings.margins);
        m_frame.setStatusBarVisible(m_settings.statusBar);
        ApplyMargins();
        for (EditorWidget *editor : m_frame.editors())
            ApplyEditorFont(editor);
    }
}
