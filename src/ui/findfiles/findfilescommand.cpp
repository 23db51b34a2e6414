#include "ui/findfiles/findfilescommand.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/text/search.h"
#include "core/wholetext/wholetext.h"
#include "ui/find/findcommands.h"
#include "ui/find/finddialog.h"
#include "ui/findfiles/findfilesdialog.h"
#include "ui/project/projectcommands.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/filecommands.h"
#include "ui/shell/helpwindow.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>

namespace {

const QString HelpPage = QStringLiteral("rechercherfichiers.html");

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

QString findInFilesSummaryText(const FindInFilesSummary &summary, bool replace)
{
    QString text = summary.cancelled ? msg(9888) + u' ' : QString();
    text += QString::number(summary.matches) + msg(9878) + QString::number(summary.withMatches) + msg(9879)
            + QString::number(summary.searched) + msg(9880);
    const int *skipped = summary.skipped;
    if (skipped[0] + skipped[1] + skipped[2] + skipped[3] > 0)
        text += msg(9881) + QString::number(skipped[int(SkipReason::Binary)]) + msg(9882)
                + QString::number(skipped[int(SkipReason::TooLarge)]) + msg(9883)
                + QString::number(skipped[int(SkipReason::Unreadable)]) + msg(9884)
                + QString::number(skipped[int(SkipReason::TooSlow)]) + msg(9885);
    if (replace)
        text += msg(9886) + QString::number(summary.replaced) + msg(9878) + QString::number(summary.changedFiles)
                + msg(9896);
    if (summary.failed > 0)
        text += u' ' + QString::number(summary.failed) + msg(9887);
    return text;
}

FindFilesCommand::FindFilesCommand(MainWindow &frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_action(new QAction(msg(9891), this))
    , m_panel(new ResultsPanel(&frame))
    , m_cancel(std::make_shared<std::atomic_bool>(false))
{
    m_pool.setMaxThreadCount(1);
    m_action->setObjectName(QStringLiteral("findInFiles"));
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    m_action->setStatusTip(msg(9892));
    connect(m_action, &QAction::triggered, this, &FindFilesCommand::present);

    frame.addDockWidget(Qt::BottomDockWidgetArea, m_panel);
    m_panel->hide();
    connect(m_panel, &ResultsPanel::placeChosen, this, &FindFilesCommand::goTo);
    connect(m_panel, &ResultsPanel::stopRequested, this, &FindFilesCommand::cancel);
    connect(m_panel, &ResultsPanel::leaveRequested, this, [this] {
        if (DocumentWindow *document = m_frame.activeDocument())
            document->editor()->setFocus();
    });
}

FindFilesCommand::~FindFilesCommand()
{
    m_cancel->store(true);
    m_pool.waitForDone();
}

FindFilesDialog *FindFilesCommand::dialog()
{
    if (!m_dialog) {
        m_dialog = new FindFilesDialog(&m_frame);
        connect(m_dialog, &FindFilesDialog::searchRequested, this, [this](const FindInFilesRequest &request) {
            m_dialog->hide();
            run(request);
        });
        connect(m_dialog, &FindFilesDialog::helpRequested, this, [this] { showHelpTopic(m_dialog, HelpPage); });
    }
    return m_dialog;
}

void FindFilesCommand::present()
{
    FindFilesDialog *box = dialog();
    QStringList pages;
    const Project &project = m_frame.project()->project();
    if (project.ProjectOpen)
        for (const ProjectEntry &entry : project.entries())
            pages << entry.fullPath();
    box->setProjectPages(pages);
    DocumentWindow *active = m_frame.activeDocument();
    if (active && active->hasFolder())
        box->proposeFolder(QFileInfo(active->caption()).absolutePath());
    else
        box->proposeFolder(QDir::homePath());
    box->show();
    box->raise();
    box->activateWindow();
}

DocumentWindow *FindFilesCommand::openDocument(const QString &canonicalPath) const
{
    if (canonicalPath.isEmpty())
        return nullptr;
    for (DocumentWindow *document : m_frame.workspace()->documents())
        if (document->hasFolder() && canonical(document->caption()) == canonicalPath)
            return document;
    return nullptr;
}

void FindFilesCommand::run(FindInFilesRequest request)
{
    if (request.replace && !m_frame.prompts().askYesNo(msg(9893)))
        return;
    cancel();
    m_cancel = std::make_shared<std::atomic_bool>(false);
    const quint64 generation = ++m_generation;
    // Open pages are searched as the editor holds them, unsaved edits
    // included.
    for (DocumentWindow *document : m_frame.workspace()->documents()) {
        const QString path = document->hasFolder() ? canonical(document->caption()) : QString();
        if (!path.isEmpty())
            request.openTexts.insert(path, document->text().text());
    }
    m_request = request;
    m_summary = FindInFilesSummary();
    m_openChanged = 0;
    m_openReplaced = 0;
    m_openFailed = 0;
    m_running = true;
    m_panel->start(request.pattern);
    m_panel->show();
    m_panel->raise();
    m_panel->list()->setFocus();

    m_pool.start([this, request = std::move(request), cancelled = m_cancel, generation] {
        const FindInFilesSummary summary = findInFiles(request, *cancelled, [&](const FileResult &result) {
            QMetaObject::invokeMethod(
                this, [this, generation, result] { fileFound(generation, result); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this, generation, summary] { done(generation, summary); }, Qt::QueuedConnection);
    });
}

void FindFilesCommand::cancel()
{
    m_cancel->store(true);
}

void FindFilesCommand::fileFound(quint64 generation, const FileResult &found)
{
    if (generation != m_generation)
        return;
    FileResult result = found;
    if (m_request.replace && result.open) {
        if (DocumentWindow *document = openDocument(canonical(result.path))) {
            const SearchOptions options{m_request.options.matchCase, m_request.options.wholeWord,
                                        m_request.options.regex};
            const qsizetype count = ReplaceAll(document->text(), document->undo(), m_request.pattern,
                                               m_request.replacement, options, false);
            if (count > 0) {
                ++m_openChanged;
                m_openReplaced += count;
                result.replaced = count;
            } else if (count < 0) {
                ++m_openFailed;
                result.failure = count == ReplaceAllStopped ? msg(9854) : Texts::WholeTextTooLong;
            }
            m_frame.UpdateCommandStates();
        } else {
            // Closed while the search ran: neither the editor nor the file
            // took the replacement.
            ++m_openFailed;
            result.failure = msg(9897);
        }
    }
    m_panel->addFile(result);
}

void FindFilesCommand::done(quint64 generation, FindInFilesSummary summary)
{
    if (generation != m_generation)
        return;
    summary.changedFiles += m_openChanged;
    summary.replaced += m_openReplaced;
    summary.failed += m_openFailed;
    m_summary = summary;
    m_running = false;
    m_panel->finish(findInFilesSummaryText(summary, m_request.replace));
    emit finished();
}

void FindFilesCommand::goTo(const ResultPlace &place)
{
    DocumentWindow *document = openDocument(canonical(place.path));
    if (!document) {
        m_frame.files()->OpenDocument(place.path);
        document = openDocument(canonical(place.path));
        if (!document)
            return;
    }
    m_frame.workspace()->activate(document);
    EditorText &text = document->text();
    // The list may be older than the text: the nearest place that exists.
    const auto position = [&](int line, qsizetype column) {
        const int l = std::clamp(line, 0, text.lineCount() - 1);
        return text.lineStart(l) + int(std::clamp<qsizetype>(column, 0, text.lineLength(l) + 2));
    };
    const int start = std::min(position(place.line, place.column), text.length());
    const int end = std::clamp(position(place.endLine, place.endColumn), start, text.length());
    text.select(start, end - start);
    document->editor()->setFocus();
}

FindFilesCommand *installFindFilesCommand(MainWindow &frame)
{
    auto *command = new FindFilesCommand(frame);
    QAction *after = frame.find()->repeatAction();
    for (QAction *entry : frame.menuBar()->actions()) {
        QMenu *menu = entry->menu();
        if (menu && menu->actions().contains(after)) {
            menu->addAction(command->action());
            break;
        }
    }
    // The Editer menu shows only while a page is open: the shortcut works
    // without one too, for a search in the project.
    frame.addAction(command->action());
    return command;
}
