#include "ui/preview/previewcommand.h"

#include "core/preview/browserlauncher.h"
#include "ui/find/findcommands.h"
#include "ui/find/finddialog.h"
#include "ui/preferences/optionscommands.h"
#include "ui/project/projectcommands.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editortext.h"

#include <QAction>
#include <QStandardPaths>

PreviewCommand::PreviewCommand(MainWindow &frame, ProjectCommands &project, QAction *action)
    : QObject(&frame)
    , m_frame(frame)
    , m_project(project)
    , m_action(action)
    , m_ownLauncher(std::make_unique<ProcessBrowserLauncher>())
    , m_launcher(m_ownLauncher.get())
{
    m_action->setToolTip(QStringLiteral("Lancer le navigateur externe"));
    m_action->setStatusTip(m_action->toolTip());
    m_action->setIcon(QIcon(QStringLiteral(":/icons/preview.svg")));
    connect(m_action, &QAction::triggered, this, &PreviewCommand::run);
}

PreviewCommand::~PreviewCommand() = default;

void PreviewCommand::setLauncher(BrowserLauncher *launcher)
{
    m_launcher = launcher ? launcher : m_ownLauncher.get();
}

void PreviewCommand::setPrivateFolder(const QString &folder)
{
    m_privateFolder = folder;
}

void PreviewCommand::run()
{
    if (!m_frame.activeDocument())
        return;
    QString folder = m_privateFolder;
    if (folder.isEmpty())
        folder = privatePreviewFolder();
    // Never the shared temporary folder, where anyone may plant a link under
    // the copy's name: the user's runtime folder is the user's alone.
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    BrowserPreview preview(m_frame.settings(), m_frame.prompts(), *this, *m_launcher, m_frame.PreviewFile, folder);
    preview.run();
}

void PreviewCommand::updateState(bool documentOpen)
{
    m_action->setEnabled(documentOpen);
}

std::optional<PreviewHost::Page> PreviewCommand::activePage()
{
    DocumentWindow *document = m_frame.activeDocument();
    if (!document)
        return std::nullopt;
    return Page{document->caption(), document->text().text(), document->format, document->text().isModified()};
}

void PreviewCommand::saveActivePage()
{
    m_frame.files()->FileSaveItemClick();
}

QString PreviewCommand::projectMasterPath()
{
    return m_project.project().ProjectOpen ? m_project.project().masterPath() : QString();
}

bool PreviewCommand::projectModified()
{
    return m_project.project().ProjectModified;
}

void PreviewCommand::saveProject()
{
    m_project.SaveProject();
}

void PreviewCommand::openPreferences()
{
    m_frame.options()->openPreferences();
}

void PreviewCommand::releaseToolWindows()
{
    if (TRechercheFrm *find = m_frame.find()->dialog(); find && find->isVisible())
        find->hide();
    m_project.hideWindow();
}

PreviewCommand *installPreviewCommand(MainWindow &frame, ProjectCommands &project)
{
    return new PreviewCommand(frame, project, frame.options()->previewAction());
}
