#include "ui/project/projectcommands.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/shell/tabtext.h"
#include "core/text/pagefile.h"
#include "ui/project/projectdialogs.h"
#include "ui/project/projectwindow.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/mainwindow.h"
#include "ui/shell/recentmenu.h"
#include "ui/shell/uiguards.h"
#include "ui/text/editortext.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

static void initProjectResources()
{
    Q_INIT_RESOURCE(projecticons);
}

namespace {

// Marks a document whose change the project already took into account.
const char *const SeenModified = "projectSeenModified";

QString withoutTrailingSeparator(QString folder)
{
    if (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return folder;
}

} // namespace

ProjectCommands::ProjectCommands(Frame frame, QObject *parent)
    : QObject(parent)
    , m_frame(std::move(frame))
    , m_ownDialogs(std::make_unique<QtProjectDialogs>(m_frame.window))
    , m_dialogs(m_ownDialogs.get())
    , m_menu(new QMenu(QStringLiteral("&Projet"), m_frame.window))
{
    initProjectResources();
    m_addDocument = addAction(QStringLiteral("&Ajouter fichier au projet"), &ProjectCommands::addActiveDocument);
    m_removeDocument = addAction(QStringLiteral("En&lever fichier du projet"), &ProjectCommands::removeActiveDocument);
    m_menu->addSeparator();
    m_new = addAction(QStringLiteral("&Nouveau projet"), &ProjectCommands::newProject);
    m_open = addAction(QStringLiteral("&Ouvrir projet"), &ProjectCommands::openProject);
    m_open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    m_open->setToolTip(QStringLiteral("Ouvrir projet"));
    m_close = addAction(QStringLiteral("&Fermer projet"), &ProjectCommands::closeProject);
    m_menu->addSeparator();
    m_save = new QAction(QStringLiteral("Sauv&egarder projet"), this);
    connect(m_save, &QAction::triggered, this, [this] { SaveProject(); });
    m_save->setToolTip(QStringLiteral("Sauvegarder projet"));
    m_menu->addAction(m_save);
    m_saveAs = new QAction(QStringLiteral("Sauvega&rder projet sous"), this);
    connect(m_saveAs, &QAction::triggered, this, [this] { saveProjectAs(); });
    m_menu->addAction(m_saveAs);
    m_menu->addSeparator();
    m_openAll = addAction(QStringLiteral("O&uvrir tous les fichiers du projet"), &ProjectCommands::openAllFiles);
    m_menu->addSeparator();
    m_menu->addMenu(&m_frame.recentProjects);
    connect(&m_frame.recentProjects, &RecentMenu::entryChosen, this, &ProjectCommands::openRecentProject);
    m_menu->addSeparator();
    m_manager = addAction(QStringLiteral("&Voir gestionnaire de projet"), &ProjectCommands::toggleWindow);
    m_manager->setShortcut(QKeySequence(Qt::Key_F12));
    m_open->setIcon(QIcon(QStringLiteral(":/icons/openproject.svg")));
    m_save->setIcon(QIcon(QStringLiteral(":/icons/saveproject.svg")));
    if (m_frame.window)
        m_frame.window->addActions(m_menu->actions());
    updateStates();
}

ProjectCommands::~ProjectCommands()
{
    delete m_window;
}

QAction *ProjectCommands::addAction(const QString &caption, void (ProjectCommands::*slot)())
{
    QAction *action = m_menu->addAction(caption);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

DocumentWindow *ProjectCommands::activeDocument() const
{
    return m_frame.workspace.activeDocument();
}

QString ProjectCommands::dialogFolder() const
{
    return m_frame.files.openFolder();
}

void ProjectCommands::setDialogFoldersFrom(const QString &fileName)
{
    m_frame.files.setDialogFolders(withoutTrailingSeparator(folderOf(fileName)));
}

TGestionFrm *ProjectCommands::ensureWindow()
{
    if (!m_window)
        m_window = new TGestionFrm(*this, m_frame.window);
    return m_window;
}

void ProjectCommands::refreshWindow()
{
    if (m_window)
        m_window->refresh();
}

void ProjectCommands::projectChanged()
{
    refreshWindow();
    m_frame.UpdateCommandStates();
}

bool ProjectCommands::LoadProject(const QString &fileName)
{
    TGestionFrm *window = ensureWindow();
    {
        PaintingFreeze freeze(window);
        if (!m_project.LoadProject(fileName, m_frame.prompts)) {
            refreshWindow();
            return false;
        }
        window->refresh();
    }
    window->show();
    window->raise();
    m_frame.recentProjects.add(fileName);
    setDialogFoldersFrom(fileName);
    m_frame.UpdateCommandStates();
    return true;
}

void ProjectCommands::openProject()
{
    const std::optional<QString> fileName = m_dialogs->chooseProjectToOpen(dialogFolder());
    if (fileName && !fileName->isEmpty())
        openRecentProject(*fileName);
}

void ProjectCommands::openRecentProject(const QString &fileName)
{
    if (!ConfirmProjectClose())
        return;
    CloseProjectDocuments();
    LoadProject(fileName);
}

bool ProjectCommands::ConfirmProjectClose()
{
    if (!m_project.ProjectOpen || !m_project.ProjectModified)
        return true;
    const QString question = msg(7) + QLatin1Char('[') + m_project.shortName() + QStringLiteral("]?");
    switch (m_frame.prompts.askYesNoCancel(question)) {
    case Prompts::Answer::Yes:
        SaveProject();
        return !m_project.ProjectFileName.isEmpty();
    case Prompts::Answer::No:
        return true;
    case Prompts::Answer::Cancel:
        break;
    }
    return false;
}

void ProjectCommands::CloseProjectDocuments()
{
    if (!m_window || m_frame.workspace.documentCount() == 0 || m_project.count() == 0)
        return;
    QList<DocumentWindow *> members;
    for (DocumentWindow *document : m_frame.workspace.documents()) {
        if (m_project.IsProjectMember(document->caption()))
            members << document;
    }
    if (members.isEmpty())
        return;
    const QString question = msg(84) + QStringLiteral(" [") + m_project.shortName() + QStringLiteral("]?");
    if (!m_frame.prompts.askYesNo(question))
        return;
    {
        BusyCursor busy;
        PaintingFreeze freeze(m_frame.window);
        for (DocumentWindow *document : std::as_const(members)) {
            m_frame.workspace.RemoveDocumentTab(document->DocumentTabIndex);
            m_frame.workspace.destroyDocument(document);
        }
        if (DocumentWindow *remaining = activeDocument())
            m_frame.workspace.activate(remaining);
    }
    m_frame.UpdateCommandStates();
}

void ProjectCommands::newProject()
{
    if (!ConfirmProjectClose())
        return;
    CloseProjectDocuments();
    m_project.InitialiseValeursDuProjet();
    m_project.ProjectModified = true;
    m_project.ProjectOpen = true;
    TGestionFrm *window = ensureWindow();
    window->refresh();
    window->show();
    window->raise();
    m_frame.UpdateCommandStates();
}

void ProjectCommands::closeProject()
{
    if (!ConfirmProjectClose())
        return;
    CloseProjectDocuments();
    m_project.InitialiseValeursDuProjet();
    delete m_window;
    m_frame.UpdateCommandStates();
}

bool ProjectCommands::SaveProject()
{
    if (m_project.ProjectFileName.isEmpty())
        return saveProjectAs();
    DocumentWindow *remembered = activeDocument();
    const bool written = m_project.writeFile(m_frame.prompts);
    {
        BusyCursor busy;
        const QString master = m_project.masterPath();
        for (DocumentWindow *document : m_frame.workspace.documents()) {
            if (!m_project.IsProjectMember(document->caption()))
                continue;
            if (document->text().isModified() || document->caption() == master) {
                m_frame.workspace.activate(document);
                m_frame.files.SaveDocument(false, document->caption());
            }
        }
    }
    if (written)
        m_project.ProjectModified = false;
    if (remembered)
        m_frame.workspace.activate(remembered);
    projectChanged();
    return written;
}

bool ProjectCommands::saveProjectAs()
{
    const std::optional<QString> chosen = m_dialogs->chooseProjectSaveName(m_project.ProjectFileName, dialogFolder());
    if (!chosen || chosen->isEmpty())
        return false;
    QString fileName = *chosen;
    // The extension first, so that the overwrite question names the file
    // that is really written.
    if (!fileNameWithoutFolder(fileName).contains(u'.'))
        fileName += QStringLiteral(".proj");
    if (QFileInfo::exists(fileName)
        && !m_frame.prompts.askYesNo(msg(2) + QLatin1Char('[') + fileNameWithoutFolder(fileName)
                                     + QStringLiteral("]?")))
        return false;
    m_project.ProjectFileName = fileName;
    refreshWindow();
    m_frame.recentProjects.add(fileName);
    setDialogFoldersFrom(fileName);
    return SaveProject();
}

void ProjectCommands::addActiveDocument()
{
    DocumentWindow *document = activeDocument();
    if (!document || !m_project.ProjectOpen)
        return;
    if (!isProjectPageName(document->caption())) {
        m_frame.prompts.warning(msg(53));
        return;
    }
    if (const std::optional<ProjectEntry> entry = ProjectEntry::fromFile(document->caption()))
        m_project.AddProjectItem(*entry, m_frame.prompts);
    projectChanged();
}

void ProjectCommands::removeActiveDocument()
{
    DocumentWindow *document = activeDocument();
    if (!document)
        return;
    const int index = m_project.indexOf(document->caption());
    if (index < 0) {
        m_frame.prompts.warning(fileMessage(document->caption(), msg(66)));
        return;
    }
    m_project.RemoveProjectItem(index);
    projectChanged();
}

void ProjectCommands::OpenOrActivate(const QString &fileName)
{
    for (DocumentWindow *document : m_frame.workspace.documents()) {
        if (document->caption() == fileName) {
            m_frame.workspace.activate(document);
            emit m_frame.workspace.activeDocumentChanged();
            return;
        }
    }
    m_frame.files.OpenDocument(fileName);
}

void ProjectCommands::openAllFiles()
{
    const QVector<ProjectEntry> entries = m_project.entries();
    for (const ProjectEntry &entry : entries) {
        if (QFileInfo(entry.fullPath()).isFile())
            OpenOrActivate(entry.fullPath());
    }
}

void ProjectCommands::toggleWindow()
{
    if (!m_window || !m_project.ProjectOpen)
        return;
    if (m_window->isVisible())
        m_window->hide();
    else {
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }
}

void ProjectCommands::hideWindow()
{
    if (m_window && m_window->isVisible())
        m_window->hide();
}

bool ProjectCommands::addFiles(const QStringList &files)
{
    bool added = false;
    PaintingFreeze freeze(m_frame.window);
    for (const QString &file : files) {
        const std::optional<ProjectEntry> entry = ProjectEntry::fromFile(file);
        if (!entry) {
            m_frame.prompts.warning(msg(55));
            continue;
        }
        added = m_project.AddProjectItem(*entry, m_frame.prompts) || added;
    }
    projectChanged();
    return added;
}

void ProjectCommands::removeItems(const QList<int> &indexes)
{
    m_project.removeItems(indexes);
    projectChanged();
}

void ProjectCommands::toggleMaster(int index)
{
    m_project.toggleMaster(index);
    projectChanged();
}

void ProjectCommands::sortBy(int column)
{
    if (column < 0 || column >= ProjectColumnCount)
        return;
    m_project.sortBy(ProjectColumn(column));
    refreshWindow();
}

void ProjectCommands::updateStates()
{
    DocumentWindow *document = activeDocument();
    if (document) {
        // A page of the project that changes makes the project modified; the
        // change counts once, until the page is saved again.
        // A document seen for the first time is being loaded: its state then
        // is not a change.
        const bool modified = document->text().isModified();
        const QVariant known = document->property(SeenModified);
        const bool seen = known.isValid() ? known.toBool() : modified;
        if (modified && !seen && m_project.ProjectOpen && m_project.IsProjectMember(document->caption()))
            m_project.ProjectModified = true;
        if (modified != seen || !known.isValid())
            document->setProperty(SeenModified, modified);
    }
    const bool open = m_project.ProjectOpen;
    const bool member = open && document && document->hasFolder() && QFileInfo(document->caption()).isFile();
    m_addDocument->setEnabled(member);
    m_removeDocument->setEnabled(member);
    m_save->setEnabled(open && m_project.ProjectModified);
    for (QAction *action : {m_manager, m_saveAs, m_openAll, m_close})
        action->setEnabled(open);
}

ProjectCommands *installProjectCommands(MainWindow &frame, RecentMenu &recentProjects)
{
    ProjectCommands::Frame wiring{*frame.workspace(), *frame.files(), frame.prompts(),
                                  recentProjects,     &frame,         [&frame] { frame.UpdateCommandStates(); }};
    auto *commands = new ProjectCommands(std::move(wiring), &frame);
    frame.menuBar()->addMenu(commands->menu());
    return commands;
}
