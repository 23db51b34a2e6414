#pragma once

#include "core/text/pagefile.h"
#include "ui/shell/shelldialogs.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include <functional>

class DocumentWindow;
class DocumentWorkspace;
class PagePreload;
class Prompts;
class QAction;
class QWidget;
struct Settings;

// The document lifecycle: New, Open, Revert, Close, Close all, Save, Save as,
// Save all and Print, with the operations other commands share
// (OpenDocument, SaveDocument, CloseActiveDocument).
class FileCommands : public QObject
{
    Q_OBJECT
public:
    // What the frame window does for these commands.
    struct Hooks
    {
        std::function<void()> UpdateCommandStates;
        std::function<void(const QString &)> AddRecentFile;
        // Editor font, colours and word wrap of a new document window.
        std::function<void(DocumentWindow *)> prepareDocument;
        // Margins of every document after the one in front changed.
        std::function<void()> ApplyMargins;
        std::function<QString()> authorName;
    };

    FileCommands(DocumentWorkspace &workspace, Settings &settings, Prompts &prompts, ShellDialogs &dialogs,
                 QWidget *frame, Hooks hooks);

    QAction *newAction() const { return m_new; }
    QAction *openAction() const { return m_open; }
    QAction *revertAction() const { return m_revert; }
    QAction *closeAction() const { return m_close; }
    QAction *closeAllAction() const { return m_closeAll; }
    // "Sauv&egarder" (Ctrl+S) of the menu, enabled whenever a page is open.
    QAction *saveAction() const { return m_save; }
    // The toolbar's Save button: the same command, enabled only while the
    // page is modified.
    QAction *saveButtonAction() const { return m_saveButton; }
    QAction *saveAsAction() const { return m_saveAs; }
    QAction *saveAllAction() const { return m_saveAll; }
    QAction *printAction() const { return m_print; }

    void NewDocument();
    void FileOpenItemClick();
    void OpenDocument(const QString &fileName);
    void FileSaveItemClick();
    bool FileSaveAsItemClick();
    bool SaveDocument(bool confirmOverwrite, const QString &fileName);
    bool CloseActiveDocument();
    void FermerTouslesFichiers1Click();
    void SauverTout1Click();
    void ReouvrirFichier1Click();
    void print();
    void CheckDocumentFolder();

    // The page read ahead for the command line (not owned); opening its file
    // takes it. Null once taken.
    void setPreload(PagePreload *preload) { m_preload = preload; }

    // Initial folders of the open and save dialogs.
    void setDialogFolders(const QString &folder);
    QString openFolder() const { return m_openFolder; }

    // The close question: message 3 + " - [" + caption + "]" + "?".
    static QString closeQuestion(const QString &caption);

private:
    // The save dialog, asked again while it names a file in a folder that
    // does not exist; the chosen filter's extension is added to a name that
    // has none. Nothing when the user cancels.
    std::optional<ShellDialogs::SaveChoice> chooseSaveTarget(DocumentWindow *document);
    // "Yes" to saving before a page is closed or reloaded: written in place,
    // or through Save as; false when the changes were not written.
    bool saveBeforeLeaving(DocumentWindow *document);
    bool SaveDocumentAt(DocumentWindow *document);
    // Writes a document's text to its caption's file (header date kept up
    // to date); false when the write failed or was declined.
    bool writeDocument(DocumentWindow *document, const QString &fileName);
    // Before a page is written over its own file: when another program
    // changed or replaced the file since it was read or saved here, asks
    // whether to write over it; false keeps the other version.
    bool mayOverwrite(DocumentWindow *document, const QString &fileName);
    // Puts a page's file, read again, in its window.
    void reload(DocumentWindow *document, const LoadedPage &page);
    // The files of the open pages are watched: one changed on disk whose
    // page has no changes of its own may be read again.
    void watchOpenFiles();
    void fileChangedOnDisk(const QString &path);
    QAction *makeAction(const QString &caption, const QKeySequence &shortcut, const QString &tip,
                        void (FileCommands::*slot)());

    DocumentWorkspace &m_workspace;
    Settings &m_settings;
    Prompts &m_prompts;
    ShellDialogs &m_dialogs;
    QWidget *m_frame;
    Hooks m_hooks;
    PagePreload *m_preload = nullptr;
    QString m_openFolder;
    QString m_saveFolder;
    QFileSystemWatcher m_watcher;
    bool m_askingReload = false;

    QAction *m_new;
    QAction *m_open;
    QAction *m_revert;
    QAction *m_close;
    QAction *m_closeAll;
    QAction *m_save;
    QAction *m_saveButton;
    QAction *m_saveAs;
    QAction *m_saveAll;
    QAction *m_print;
};
