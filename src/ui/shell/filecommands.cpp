#include "ui/shell/filecommands.h"

#include "core/messages/messages.h"
#include "core/settings/settings.h"
#include "core/shell/pageheader.h"
#include "core/shell/pagepreload.h"
#include "core/shell/prompts.h"
#include "core/shell/tabtext.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/shelldialogs.h"
#include "ui/shell/uiguards.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace {

// The folder given to the file dialogs: without its trailing separator,
// unless it is the root.
QString dialogFolder(const QString &fileName)
{
    QString folder = folderOf(fileName);
    if (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')) && !folder.endsWith(u":\\"))
        folder.chop(1);
    return folder;
}

bool hasExtension(const QString &fileName)
{
    return fileNameWithoutFolder(fileName).contains(u'.');
}

} // namespace

FileCommands::FileCommands(DocumentWorkspace &workspace, Settings &settings, Prompts &prompts, ShellDialogs &dialogs,
                           QWidget *frame, Hooks hooks)
    : QObject(frame)
    , m_workspace(workspace)
    , m_settings(settings)
    , m_prompts(prompts)
    , m_dialogs(dialogs)
    , m_frame(frame)
    , m_hooks(std::move(hooks))
{
    m_new = makeAction(QStringLiteral("&Nouveau"), QKeySequence(Qt::CTRL | Qt::Key_N),
                       QStringLiteral("Nouveau fichier"), &FileCommands::NewDocument);
    m_open = makeAction(QStringLiteral("&Ouvrir"), QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("Ouvrir fichier"),
                        &FileCommands::FileOpenItemClick);
    m_revert = makeAction(QStringLiteral("Rou&vrir"), QKeySequence(), QString(), &FileCommands::ReouvrirFichier1Click);
    m_close = new QAction(QStringLiteral("&Fermer"), this);
    m_close->setToolTip(QStringLiteral("Fermer fichier"));
    connect(m_close, &QAction::triggered, this, [this] {
        CloseActiveDocument();
        m_hooks.UpdateCommandStates();
    });
    m_closeAll = makeAction(QStringLiteral("Fer&mer tous"), QKeySequence(), QString(),
                            &FileCommands::FermerTouslesFichiers1Click);
    m_save = makeAction(QStringLiteral("Sauv&egarder"), QKeySequence(Qt::CTRL | Qt::Key_S),
                        QStringLiteral("Sauvegarder fichier"), &FileCommands::FileSaveItemClick);
    m_saveButton = makeAction(QStringLiteral("Sauv&egarder"), QKeySequence(), QStringLiteral("Sauvegarder fichier"),
                              &FileCommands::FileSaveItemClick);
    m_saveAs = new QAction(QStringLiteral("Sauvega&rder sous..."), this);
    connect(m_saveAs, &QAction::triggered, this, [this] { FileSaveAsItemClick(); });
    m_saveAll =
        makeAction(QStringLiteral("Sauvegarder to&us"), QKeySequence(), QString(), &FileCommands::SauverTout1Click);
    m_print = makeAction(QStringLiteral("&Imprimer"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I),
                         QStringLiteral("Imprimer"), &FileCommands::print);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileCommands::fileChangedOnDisk);
}

QAction *FileCommands::makeAction(const QString &caption, const QKeySequence &shortcut, const QString &tip,
                                  void (FileCommands::*slot)())
{
    auto *action = new QAction(caption, this);
    action->setShortcut(shortcut);
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
        action->setStatusTip(tip);
    }
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QString FileCommands::closeQuestion(const QString &caption)
{
    return msg(3) + QStringLiteral(" - [") + caption + QStringLiteral("]?");
}

void FileCommands::setDialogFolders(const QString &folder)
{
    m_openFolder = folder;
    m_saveFolder = folder;
}

void FileCommands::NewDocument()
{
    const std::optional<QString> title = m_dialogs.askPageTitle();
    if (!title)
        return;
    PaintingFreeze freeze(m_frame);
    DocumentWindow *document = m_workspace.createDocument();
    const QString author = m_hooks.authorName ? m_hooks.authorName() : m_settings.authorName;
    document->text().setText(newPageText(*title, author, QDate::currentDate()));
    document->text().setModified(true);
    document->text().setSelectionStart(document->text().lineStart(NewPageCaretLine));
    if (m_hooks.prepareDocument)
        m_hooks.prepareDocument(document);
    document->setCaption(QStringLiteral("SansNom.html"));
    document->DocumentTabIndex = m_workspace.AddDocumentTab(document->caption());
    m_hooks.UpdateCommandStates();
}

void FileCommands::FileOpenItemClick()
{
    for (const QString &fileName : m_dialogs.chooseFilesToOpen(m_openFolder))
        OpenDocument(QDir::toNativeSeparators(fileName));
}

void FileCommands::OpenDocument(const QString &fileName)
{
    for (DocumentWindow *document : m_workspace.documents()) {
        if (document->caption() == fileName) {
            if (!m_prompts.askYesNo(QLatin1Char('[') + fileName + QStringLiteral("] ") + msg(10)))
                return;
            break;
        }
    }
    std::optional<LoadedPage> page;
    LineStore lines;
    if (CanOpenFile(fileName)) {
        BusyCursor busy;
        if (m_preload && m_preload->path() == fileName) {
            PreloadedPage preloaded = m_preload->take();
            m_preload = nullptr;
            page = std::move(preloaded.page);
            lines = std::move(preloaded.lines);
        } else {
            page = loadPageAsRead(fileName);
            if (page)
                lines = LineStore(std::exchange(page->text, QString()));
        }
    }
    if (!page) {
        m_prompts.information(fileMessage(fileName, msg(11)));
        return;
    }
    m_hooks.AddRecentFile(fileName);
    setDialogFolders(dialogFolder(fileName));

    QCoreApplication::processEvents();
    BusyCursor busy;
    {
        PaintingFreeze freeze(m_frame);
        DocumentWindow *document = m_workspace.createDocument();
        if (m_hooks.prepareDocument)
            m_hooks.prepareDocument(document);
        document->setCaption(fileName);
        document->DocumentTabIndex = m_workspace.AddDocumentTab(fileNameWithoutFolder(fileName));
        document->format = page->format;
        document->stamp = page->stamp;
        document->loadText(std::move(lines));
    }
    watchOpenFiles();
    m_hooks.UpdateCommandStates();
    CheckDocumentFolder();
}

void FileCommands::CheckDocumentFolder()
{
    DocumentWindow *document = m_workspace.activeDocument();
    if (!document || !document->hasFolder())
        return;
    if (!QDir::setCurrent(folderOf(document->caption())))
        m_prompts.information(msg(19));
}

void FileCommands::FileSaveItemClick()
{
    DocumentWindow *document = m_workspace.activeDocument();
    if (!document)
        return;
    if (!SaveDocument(false, document->caption()))
        FileSaveAsItemClick();
}

bool FileCommands::writeDocument(DocumentWindow *document, const QString &fileName)
{
    BusyCursor busy;
    {
        PaintingFreeze freeze(m_frame);
        UpdateModificationLine(document->text(), document->undo(), QDate::currentDate());
    }
    if (savePage(fileName, document->editor()->store(), document->format, m_prompts) != SaveResult::Saved)
        return false;
    document->stamp = fileStamp(fileName);
    document->setCaption(fileName);
    document->text().setModified(false);
    watchOpenFiles();
    return true;
}

bool FileCommands::mayOverwrite(DocumentWindow *document, const QString &fileName)
{
    if (fileName != document->caption() || document->stamp.size < 0)
        return true;
    const FileStamp now = fileStamp(fileName);
    // A file removed meanwhile is written again: nobody else's text is lost.
    if (now.size < 0 || now == document->stamp)
        return true;
    return m_prompts.askYesNo(fileMessage(fileName, msg(9101)));
}

void FileCommands::reload(DocumentWindow *document, const LoadedPage &page)
{
    PaintingFreeze freeze(document);
    document->format = page.format;
    document->stamp = page.stamp;
    document->loadText(LineStore(page.text));
}

void FileCommands::watchOpenFiles()
{
    QStringList paths;
    for (DocumentWindow *document : m_workspace.documents()) {
        if (document->hasFolder() && QFileInfo::exists(document->caption()))
            paths << document->caption();
    }
    // A file replaced by a rename is a new file: it is watched again.
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!paths.isEmpty())
        m_watcher.addPaths(paths);
}

void FileCommands::fileChangedOnDisk(const QString &path)
{
    if (m_askingReload)
        return;
    m_askingReload = true;
    for (DocumentWindow *document : m_workspace.documents()) {
        // A page with changes of its own is asked about when it is saved.
        if (document->caption() != path || document->text().isModified() || document->stamp.size < 0)
            continue;
        const FileStamp now = fileStamp(path);
        if (now.size < 0 || now == document->stamp)
            continue;
        // Asked once for each change: No keeps the page as it is.
        document->stamp = now;
        if (!m_prompts.askYesNo(fileMessage(path, msg(9102))))
            continue;
        if (const std::optional<LoadedPage> page = loadPageAsRead(path))
            reload(document, *page);
    }
    m_askingReload = false;
    watchOpenFiles();
    m_hooks.UpdateCommandStates();
}

bool FileCommands::SaveDocument(bool confirmOverwrite, const QString &fileName)
{
    DocumentWindow *document = m_workspace.activeDocument();
    if (!document)
        return false;
    if (IsReadOnlyFile(fileName)) {
        m_prompts.warning(fileName + msg(1));
        return false;
    }
    if (folderOf(fileName).isEmpty())
        return false;
    if (confirmOverwrite && QFileInfo::exists(fileName)
        && !m_prompts.askYesNo(msg(2) + QLatin1Char('[') + fileNameWithoutFolder(fileName) + QStringLiteral("]?")))
        return false;
    if (!mayOverwrite(document, fileName))
        return false;
    if (m_settings.backup)
        MakeBackup(fileName);
    const bool saved = writeDocument(document, fileName);
    m_hooks.UpdateCommandStates();
    return saved;
}

bool FileCommands::FileSaveAsItemClick()
{
    DocumentWindow *document = m_workspace.activeDocument();
    if (!document)
        return false;
    const auto choice = chooseSaveTarget(document);
    if (!choice)
        return false;
    const QString name = choice->path;
    if (!SaveDocument(true, name))
        return false;
    m_hooks.AddRecentFile(name);
    setDialogFolders(dialogFolder(name));
    m_workspace.SetDocumentTabCaption(name);
    return true;
}

std::optional<ShellDialogs::SaveChoice> FileCommands::chooseSaveTarget(DocumentWindow *document)
{
    for (;;) {
        std::optional<ShellDialogs::SaveChoice> choice = m_dialogs.chooseSaveFile(document->fileName(), m_saveFolder);
        if (!choice)
            return std::nullopt;
        QString name = QDir::toNativeSeparators(choice->path);
        if (!hasExtension(name))
            name += extensionForFilter(choice->filterIndex);
        const QString folder = dialogFolder(name);
        if (QFileInfo(folder).isDir()) {
            choice->path = name;
            return choice;
        }
        m_prompts.warning(QLatin1Char('[') + folder + QStringLiteral("] ") + msg(19));
    }
}

bool FileCommands::saveBeforeLeaving(DocumentWindow *document)
{
    return SaveDocument(true, document->caption()) || FileSaveAsItemClick();
}

bool FileCommands::CloseActiveDocument()
{
    DocumentWindow *document = m_workspace.activeDocument();
    if (!document)
        return true;
    if (document->text().isModified()) {
        switch (m_prompts.askYesNoCancel(closeQuestion(document->caption()))) {
        case Prompts::Answer::Cancel:
            return false;
        case Prompts::Answer::Yes:
            // The user wants the changes kept: when they were not written
            // (Save as cancelled, or the write failed) the page stays open.
            if (!saveBeforeLeaving(document))
                return false;
            break;
        case Prompts::Answer::No:
            break;
        }
    }
    BusyCursor busy;
    PaintingFreeze freeze(m_frame);
    m_workspace.RemoveDocumentTab(document->DocumentTabIndex);
    m_workspace.destroyDocument(document);
    watchOpenFiles();
    if (m_workspace.activeDocument() && m_hooks.ApplyMargins)
        m_hooks.ApplyMargins();
    return true;
}

void FileCommands::FermerTouslesFichiers1Click()
{
    while (m_workspace.activeDocument() && CloseActiveDocument()) {
    }
    m_hooks.UpdateCommandStates();
}

bool FileCommands::SaveDocumentAt(DocumentWindow *document)
{
    QString fileName = document->caption();
    if (IsReadOnlyFile(fileName)) {
        m_prompts.warning(fileName + msg(6));
        return false;
    }
    const bool named = !document->hasFolder();
    if (named) {
        // The extension is added before the existence check, so that the
        // question names the file that is really written.
        const auto choice = chooseSaveTarget(document);
        if (!choice)
            return false;
        fileName = choice->path;
        if (QFileInfo::exists(fileName)
            && !m_prompts.askYesNo(msg(2) + fileNameWithoutFolder(fileName) + QStringLiteral("?")))
            return false;
    } else if (!mayOverwrite(document, fileName)) {
        return false;
    }
    if (m_settings.backup)
        MakeBackup(fileName);
    // The page takes its new name only once it is written there.
    if (!writeDocument(document, fileName))
        return false;
    if (named)
        m_workspace.SetDocumentTabCaption(fileName);
    return true;
}

void FileCommands::SauverTout1Click()
{
    DocumentWindow *remembered = m_workspace.activeDocument();
    if (remembered) {
        BusyCursor busy;
        for (DocumentWindow *document : m_workspace.documents()) {
            if (!document->text().isModified())
                continue;
            m_workspace.activate(document);
            SaveDocumentAt(document);
        }
        m_workspace.activate(remembered);
    }
    m_hooks.UpdateCommandStates();
}

void FileCommands::ReouvrirFichier1Click()
{
    DocumentWindow *document = m_workspace.activeDocument();
    if (!document)
        return;
    if (!CanOpenFile(document->caption())) {
        m_prompts.warning(msg(24));
        return;
    }
    if (document->text().isModified()) {
        switch (m_prompts.askYesNoCancel(closeQuestion(document->caption()))) {
        case Prompts::Answer::Cancel:
            return;
        case Prompts::Answer::Yes:
            // Reloading over changes that were not written would lose them.
            if (!saveBeforeLeaving(document))
                return;
            break;
        case Prompts::Answer::No:
            m_hooks.AddRecentFile(document->caption());
            setDialogFolders(dialogFolder(document->caption()));
            break;
        }
    }
    const std::optional<LoadedPage> page = loadPageAsRead(document->caption());
    if (!page) {
        m_prompts.warning(msg(24));
        return;
    }
    reload(document, *page);
    watchOpenFiles();
    m_hooks.UpdateCommandStates();
}

void FileCommands::print()
{
    if (DocumentWindow *document = m_workspace.activeDocument())
        m_dialogs.print(*document);
}
