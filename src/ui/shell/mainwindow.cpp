#include "ui/shell/mainwindow.h"

#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/editcommands.h"
#include "ui/text/editorwidget.h"
#include "ui/find/finddialog.h"
#include "ui/find/findcommands.h"
#include "ui/highlight/colouringcommand.h"
#include "ui/preferences/marginruler.h"
#include "ui/preferences/optionscommands.h"
#include "ui/recovery/recoverykeeper.h"
#include "ui/preview/previewcommand.h"
#include "ui/project/projectcommands.h"
#include "ui/undo/typingrecorder.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/messageboxprompts.h"
#include "core/shell/pagepreload.h"
#include "core/shell/handoverprotocol.h"
#include "core/text/pagefile.h"
#include "ui/shell/helpwindow.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/formatting/formattingcommands.h"
#include "ui/shell/qtshelldialogs.h"
#include "ui/shell/recentmenu.h"
#include "core/shell/tabtext.h"
#include "ui/shell/uiguards.h"
#include "core/messages/messages.h"
#include "ui/dialogs/dialogcommands.h"
#include "ui/forms/formcommands.h"
#include "ui/frameset/framesetcommands.h"
#include "ui/imagemap/mapcommands.h"
#include "ui/javascript/javascriptcommands.h"
#include "ui/tagcommands/documentcontextmenu.h"
#include "ui/tagcommands/tooltabs.h"
#include "ui/table/tablecommands.h"
#include "ui/textimport/importdialog.h"
#include "ui/body/bodydialog.h"
#include "ui/media/embeddialog.h"
#include "ui/image/imagecommands.h"
#include "ui/wholetext/wholetextcommands.h"
#include "ui/checking/checkcommand.h"
#include "ui/findfiles/findfilescommand.h"
#include "ui/livepreview/livepreviewhook.h"
#include "ui/completion/completioncommands.h"
#include "ui/spelling/spellingcommand.h"

#include <QAction>
#include <QScopeGuard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

// The program's own pictures live in the window library's resources.
static void initAppResources()
{
    Q_INIT_RESOURCE(app);
}

MainWindow::MainWindow(Services services, QWidget *parent)
    : QMainWindow(parent)
    , m_workspace(new DocumentWorkspace(this))
{
    if (!services.store)
        m_ownStore = std::make_unique<QSettings>(QStringLiteral("Orbelune"), QStringLiteral("Tessaline"));
    if (!services.prompts)
        m_ownPrompts = std::make_unique<MessageBoxPrompts>(this);
    if (!services.dialogs)
        m_ownDialogs = std::make_unique<QtShellDialogs>(this);
    m_store = services.store ? services.store : m_ownStore.get();
    m_prompts = services.prompts ? services.prompts : m_ownPrompts.get();
    m_dialogs = services.dialogs ? services.dialogs : m_ownDialogs.get();

    initAppResources();
    setWindowTitle(msg(5000));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tessaline.svg")));
    setAcceptDrops(true);
    setCentralWidget(m_workspace);
    resize(640, 480);

    FileCommands::Hooks hooks;
    hooks.UpdateCommandStates = [this] { UpdateCommandStates(); };
    hooks.AddRecentFile = [this](const QString &path) { AddRecentFile(path); };
    hooks.prepareDocument = [this](DocumentWindow *document) { prepareDocument(document); };
    hooks.authorName = [this] { return m_settings.pageAuthor(); };
    hooks.ApplyMargins = [this] { m_options->ApplyMargins(); };
    m_files = new FileCommands(*m_workspace, m_settings, *m_prompts, *m_dialogs, this, std::move(hooks));
    m_edit = new EditCommands(*this, this);
    m_options = new OptionsCommands(m_settings, *this, *m_prompts, this);
    m_workspace->setRulerWidget(m_options->ruler());
    new ColouringCommand(*m_options->menu(), m_options->marginsAction(), m_settings, *this, this);
    m_tools = new ToolTabs(*this, this);
    m_find = new FindCommands(*this, this);
    m_wholeText = new WholeTextCommands(*this, this);
    if (!services.store)
        setRecoveryFolder(RecoveryKeeper::defaultRoot());
    installFormattingCommands(*m_tools, frameDialogServices(*this));

    createMenus();
    installBodyCommand(*this);
    installMediaCommands(*this);
    createToolBar();
    createStatusBar();
    installDialogCommands(*this);
    installTableCommands(*this);
    installFormCommands(*this);
    installFramesetCommands(*this);
    installImageMapCommands(*this);
    installJavaScriptCommands(*this);
    installImageCommands(*this);
    installCheckingCommands(*this);
    installFindFilesCommand(*this);
    installLivePreview(*this);
    installCompletion(*this);
    installSpellingCommands(*this);

    connect(m_workspace, &DocumentWorkspace::activeDocumentChanged, this, &MainWindow::tabChanged);
    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_F6)}) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, m_workspace, &DocumentWorkspace::activateNext);
    }
    UpdateCommandStates();
}

MainWindow::~MainWindow() = default;

void MainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->addAction(m_files->newAction());
    file->addAction(m_files->openAction());
    file->addAction(m_files->revertAction());
    file->addAction(m_files->closeAction());
    file->addAction(m_files->closeAllAction());
    file->addSeparator();
    m_importAction = file->addAction(QStringLiteral("Im&portation d'un fichier"));
    installTextImport(*this, m_importAction);
    file->addSeparator();
    file->addAction(m_files->saveAction());
    file->addAction(m_files->saveAsAction());
    file->addAction(m_files->saveAllAction());
    file->addSeparator();
    m_recentFilesMenu = new RecentMenu(RecentMenu::Kind::Files, this);
    file->addMenu(m_recentFilesMenu);
    connect(m_recentFilesMenu, &RecentMenu::entryChosen, m_files, &FileCommands::OpenDocument);
    file->addSeparator();
    file->addAction(m_files->printAction());
    file->addSeparator();
    file->addAction(m_wholeText->conversionAction());
    file->addAction(m_wholeText->backConversionAction());
    file->addAction(m_wholeText->compactionAction());
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("&Quitter"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    m_editMenu = menuBar()->addMenu(QStringLiteral("&Editer"));
    m_editMenu->addAction(m_edit->undoAction());
    m_editMenu->addAction(m_edit->redoAction());
    m_editMenu->addAction(m_edit->repeatAction());
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_edit->cutAction());
    m_editMenu->addAction(m_edit->copyAction());
    m_editMenu->addAction(m_edit->pasteAction());
    m_editMenu->addAction(m_edit->deleteAction());
    m_editMenu->addAction(m_edit->selectAllAction());
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_find->findAction());
    m_editMenu->addAction(m_find->replaceAction());
    m_editMenu->addAction(m_find->repeatAction());
    connect(m_editMenu, &QMenu::aboutToShow, m_edit, &EditCommands::updateStates);

    EditActions shared;
    shared.save = m_files->saveAction();
    shared.saveAs = m_files->saveAsAction();
    shared.saveAll = m_files->saveAllAction();
    shared.convertCharacters = m_wholeText->conversionAction();
    shared.convertBack = m_wholeText->backConversionAction();
    shared.undo = m_edit->undoAction();
    shared.redo = m_edit->redoAction();
    shared.cut = m_edit->cutAction();
    shared.copy = m_edit->copyAction();
    shared.paste = m_edit->pasteAction();
    // The quick external link entry is wired by the link dialogs' area.
    shared.quickImage = quickImageAction(*this);
    shared.deleteSelection = m_edit->deleteAction();
    shared.findAgain = m_find->repeatAction();
    m_contextMenu = new DocumentContextMenu(*this, shared, this);
    m_contextMenu->setFindAgainProbe([this] { return m_find->dialog() && !m_find->dialog()->searchText().isEmpty(); });
    m_contextMenu->watchMenu(m_editMenu);

    m_recentProjectsMenu = new RecentMenu(RecentMenu::Kind::Projects, this);
    m_project = installProjectCommands(*this, *m_recentProjectsMenu);

    menuBar()->addMenu(m_options->menu());
    m_preview = installPreviewCommand(*this, *m_project);
    m_toolsMenu = m_tools->buildTabsMenu(this);
    menuBar()->addMenu(m_toolsMenu);

    QMenu *help = menuBar()->addMenu(msg(2003));
    QAction *contents = help->addAction(QStringLiteral("&Contenu de l'aide"));
    contents->setShortcut(QKeySequence(Qt::Key_F1));
    QAction *reference = help->addAction(QStringLiteral("&Référence HTML"));
    QAction *about = help->addAction(QStringLiteral("&A propos"));
    connect(contents, &QAction::triggered, this, [this] { showHelpContents(this); });
    connect(reference, &QAction::triggered, this, [this] { showHtmlReference(this); });
    connect(about, &QAction::triggered, this, [this] { m_dialogs->showAbout(m_settings.pageAuthor()); });
}

void MainWindow::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Outils"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    const auto add = [this](QAction *action, const char *icon) {
        action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
        m_toolBar->addAction(action);
    };
    add(m_files->newAction(), "new");
    add(m_files->openAction(), "open");
    add(m_files->saveButtonAction(), "save");
    add(m_files->closeAction(), "close");
    add(m_files->printAction(), "print");
    m_toolBar->addSeparator();
    add(m_project->openAction(), "openproject");
    add(m_project->saveAction(), "saveproject");
    add(m_preview->action(), "preview");
    m_toolBar->addSeparator();
    add(m_edit->cutAction(), "cut");
    add(m_edit->copyAction(), "copy");
    add(m_edit->pasteAction(), "paste");
    add(m_edit->undoAction(), "undo");
    add(m_edit->redoAction(), "redo");
    m_toolBar->addSeparator();
    add(m_find->findAction(), "find");

    // The tag pages sit on their own row under the buttons.
    addToolBarBreak();
    m_tagBar = addToolBar(QStringLiteral("Balises"));
    m_tagBar->setMovable(false);
    m_tools->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_tagBar->addWidget(m_tools);
}

void MainWindow::createStatusBar()
{
    const int widths[4] = {140, 60, 60, 50};
    for (int i = 0; i < 4; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setMinimumWidth(widths[i]);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(m_panels[i]);
    }
    m_panels[1]->setAlignment(Qt::AlignCenter);
    m_panels[2]->setAlignment(Qt::AlignCenter);
    // Room for the widest caret position the panel shows.
    m_panels[0]->setMinimumWidth(
        std::max(140, m_panels[0]->fontMetrics().horizontalAdvance(QStringLiteral(" Ligne 999999    Col 999999")) + 8));
    m_panels[2]->setText(msg(7684));
    statusBar()->hide();
}

DocumentWindow *MainWindow::activeDocument() const
{
    return m_workspace->activeDocument();
}

DocumentText *MainWindow::activeText()
{
    DocumentWindow *document = activeDocument();
    return document ? &document->text() : nullptr;
}

UndoHistory *MainWindow::activeUndo()
{
    DocumentWindow *document = activeDocument();
    return document ? &document->undo() : nullptr;
}

void MainWindow::prepareDocument(DocumentWindow *document)
{
    EditorWidget *editor = document->editor();
    m_options->ApplyEditorFont(editor);
    m_options->applyMarginsTo(editor);
    applyColouring(*editor, m_settings);
    m_contextMenu->attachTo(editor);
    auto *recorder = new TypingRecorder(editor, document->text(), document->undo(), m_state, document);
    recorder->paste = [this] { m_edit->PasteBtnClick(); };
    recorder->cut = [this] { m_edit->CutBtnClick(); };
    recorder->copy = [this] { m_edit->CopyBtnClick(); };
    connect(recorder, &TypingRecorder::insertModeChanged, this,
            [this](bool insert) { m_panels[2]->setText(msg(insert ? 7684 : 7685)); });
    connect(recorder, &TypingRecorder::caretMoved, document, &DocumentWindow::caretMoved);
    connect(editor, &TextView::textChanged, this, &MainWindow::UpdateCommandStates);
    connect(editor, &TextView::selectionChanged, m_edit, &EditCommands::updateStates);
    connect(document, &DocumentWindow::caretMoved, this, [this, document] {
        if (document == activeDocument())
            ShowCaretPosition();
    });
    document->undo().onChanged = [this] { UpdateCommandStates(); };
    if (m_recovery)
        m_recovery->watch(document);
}

int MainWindow::documentCount() const
{
    return m_workspace->documentCount();
}

QList<EditorWidget *> MainWindow::editors() const
{
    QList<EditorWidget *> result;
    for (DocumentWindow *document : m_workspace->documents())
        result.append(document->editor());
    return result;
}

void MainWindow::setToolbarVisible(bool visible)
{
    m_toolBar->setVisible(visible);
    m_tagBar->setVisible(visible);
}

void MainWindow::setStatusBarVisible(bool visible)
{
    if (m_documentsOpen)
        statusBar()->setVisible(visible);
}

void MainWindow::setRulerVisible(bool visible)
{
    m_workspace->setRulerVisible(visible);
}

int MainWindow::rulerClientWidth() const
{
    return m_workspace->width();
}

void MainWindow::ShowCaretPosition()
{
    DocumentText *text = activeText();
    if (!text)
        return;
    const int start = text->selectionStart();
    const int line = text->lineFromPosition(start);
    const int column = start - text->lineStart(line);
    m_panels[0]->setText(QStringLiteral("%1 %2 %3 %4")
                             .arg(QStringLiteral("Ligne"), 6)
                             .arg(QString::number(line + 1), 6)
                             .arg(QStringLiteral("Col"), 6)
                             .arg(QString::number(column + 1), 6));
}

void MainWindow::documentCountChanged(bool open)
{
    m_documentsOpen = open;
    m_workspace->panel()->setVisible(open);
    if (open)
        m_workspace->setRulerVisible(m_settings.margins);
    statusBar()->setVisible(open && m_settings.statusBar);
    for (QMenu *menu : {m_editMenu, m_toolsMenu}) {
        menu->menuAction()->setVisible(open);
        menu->setEnabled(open);
    }
    m_tools->setDocumentOpen(open);
    for (QAction *action : {m_find->findAction(), m_find->replaceAction(), m_find->repeatAction()})
        action->setEnabled(open);
    if (!open) {
        m_tools->showFirstPage();
        if (m_find->dialog() && m_find->dialog()->isVisible())
            m_find->dialog()->close();
    }
}

void MainWindow::UpdateCommandStates()
{
    DocumentWindow *document = activeDocument();
    const bool open = document != nullptr;
    // The first call sets every state, so that the window shows right with
    // no page open; later calls only follow the changes.
    if (!m_documentStatesSet || open != m_documentsOpen) {
        m_documentStatesSet = true;
        documentCountChanged(open);
    }
    m_edit->updateStates();

    // Save works on an unmodified page too (Ctrl+S and the menu); only the
    // toolbar button tells whether there is something to save.
    for (QAction *action : {m_files->closeAction(), m_files->closeAllAction(), m_files->saveAction(),
                            m_files->saveAsAction(), m_files->saveAllAction(), m_files->printAction(), m_files->revertAction(),
                            m_wholeText->conversionAction(), m_wholeText->backConversionAction(),
                            m_wholeText->compactionAction(), m_importAction})
        action->setEnabled(open);
    const bool modified = open && document->text().isModified();
    m_files->saveButtonAction()->setEnabled(modified);
    m_project->updateStates();
    m_preview->updateState(open);
    m_panels[1]->setText(modified ? msg(7693) : QString());

    setWindowTitle(open ? msg(5000) + QStringLiteral(" - [") + document->caption() + QLatin1Char(']') : msg(5000));
    ShowCaretPosition();
}

void MainWindow::setRecoveryFolder(const QString &root)
{
    delete m_recovery;
    m_recovery = new RecoveryKeeper(root, *m_prompts, this);
}

void MainWindow::AddRecentFile(const QString &path)
{
    m_recentFilesMenu->add(path);
}

void MainWindow::AddRecentProject(const QString &path)
{
    m_recentProjectsMenu->add(path);
}

void MainWindow::tabChanged()
{
    BusyCursor busy;
    {
        PaintingFreeze freeze(this);
        ShowCaretPosition();
    }
    UpdateCommandStates();
    m_files->CheckDocumentFolder();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    FormShow();
}

void MainWindow::FormShow()
{
    {
        BusyCursor busy;
        m_settings.read(*m_store);
        m_recentFilesMenu->load(m_settings.recentFiles);
        m_recentProjectsMenu->load(m_settings.recentProjects);
        if (m_recentFilesMenu->count() > 0)
            m_files->setDialogFolders(QFileInfo(m_recentFilesMenu->list().entry(0)).absolutePath());
        else if (m_recentProjectsMenu->count() > 0)
            m_files->setDialogFolders(QFileInfo(m_recentProjectsMenu->list().entry(0)).absolutePath());
        m_tools->showFirstPage();
        setToolbarVisible(m_settings.toolbar);
        // The place, size and state of the last session come back; without
        // them the window starts 640 by 480. "Maximiser" maximises it anyway.
        const bool restored = !m_settings.windowGeometry.isEmpty() && restoreGeometry(m_settings.windowGeometry);
        if (m_settings.maximised) {
            // The geometry too, for desktops whose window manager ignores the state.
            if (!restored && screen())
                setGeometry(screen()->availableGeometry());
            setWindowState(windowState() | Qt::WindowMaximized);
        } else if (!restored) {
            resize(640, 480);
        }
        UpdateCommandStates();
        m_options->PositionMarginMarkers();
    }
    // The rest waits for the window to be on screen: the about box and the
    // files of the command line.
    QTimer::singleShot(0, this, &MainWindow::openStartupFiles);
}

void MainWindow::setStartupFiles(const QStringList &files, std::unique_ptr<PagePreload> preload)
{
    m_startupFiles = files;
    m_startupPreload = std::move(preload);
    m_files->setPreload(m_startupPreload.get());
}

void MainWindow::openStartupFiles()
{
    // A page read ahead and not opened (a project came first, or the file
    // could not be opened) is let go once the command line is done.
    const auto dropPreload = qScopeGuard([this] {
        m_files->setPreload(nullptr);
        m_startupPreload.reset();
    });
    int recovered = 0;
    if (m_recovery)
        recovered = m_recovery->offerLeftOvers([this](const RecoveryCopy &copy) {
            openRecoveredPage(*m_workspace, copy, [this](DocumentWindow *document) { prepareDocument(document); });
        });
    if (recovered)
        UpdateCommandStates();
    if (m_startupFiles.isEmpty()) {
        // Not over reopened pages: the box would take the keyboard (Ctrl+S
        // among it) from the author, who is back at work.
        if (m_settings.aboutBox && !recovered)
            m_dialogs->showAbout(m_settings.pageAuthor());
        return;
    }
    for (const QString &argument : std::as_const(m_startupFiles)) {
        if (isDocumentFileName(argument))
            m_files->OpenDocument(QFileInfo(argument).absoluteFilePath());
        else if (isProjectFileName(argument))
            m_project->openRecentProject(QFileInfo(argument).absoluteFilePath());
    }
}

void MainWindow::openFiles(const QStringList &files)
{
    // The files that cannot be read are told in one box, not one each.
    QStringList unreadable;
    for (const QString &file : files) {
        if (isProjectFileName(file)) {
            // A project replaces the open one, after its own questions.
            m_project->openRecentProject(file);
            continue;
        }
        if (!isDocumentFileName(file))
            continue;
        if (CanOpenFile(file))
            m_files->OpenDocument(file);
        else
            unreadable << fileMessage(file, msg(11));
    }
    if (!unreadable.isEmpty())
        m_prompts->information(unreadable.join(QLatin1Char('\n')));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!PreviewFile.isEmpty()) {
        QFile::remove(PreviewFile);
        PreviewFile.clear();
    }
    if (!m_project->ConfirmProjectClose()) {
        event->ignore();
        return;
    }
    while (activeDocument()) {
        if (!m_files->CloseActiveDocument()) {
            UpdateCommandStates();
            event->ignore();
            return;
        }
    }
    UpdateCommandStates();
    m_settings.recentFiles = m_recentFilesMenu->toPlaces();
    m_settings.recentProjects = m_recentProjectsMenu->toPlaces();
    m_settings.windowGeometry = saveGeometry();
    m_settings.write(*m_store);
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    openFiles(files);
    event->acceptProposedAction();
}
