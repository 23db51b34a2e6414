#include "ui/livepreview/livepreviewcommand.h"

#include "core/livepreview/livepreviewrules.h"
#include "core/messages/messages.h"
#include "core/preview/browserlauncher.h"
#include "core/preview/browserpreview.h"
#include "core/shell/prompts.h"
#include "core/text/linestore.h"
#include "ui/livepreview/livepreviewpane.h"
#include "ui/preferences/optionscommands.h"
#include "ui/preview/previewcommand.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSplitter>
#include <QThreadPool>
#include <QToolBar>

LivePreviewCommand::LivePreviewCommand(MainWindow &frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_action(new QAction(msg(9950), this))
    , m_splitter(new QSplitter(Qt::Horizontal))
    , m_pane(new LivePreviewPane)
    , m_ownLauncher(std::make_unique<ProcessBrowserLauncher>())
    , m_launcher(m_ownLauncher.get())
{
    m_action->setCheckable(true);
    m_action->setStatusTip(msg(9957));
    m_action->setToolTip(msg(9957));
    m_action->setIcon(QIcon(QStringLiteral(":/icons/livepreview.svg")));
    connect(m_action, &QAction::triggered, this, &LivePreviewCommand::setShown);

    // The documents and the pane share the frame's centre.
    QWidget *documents = frame.takeCentralWidget();
    m_splitter->setObjectName(QStringLiteral("livePreviewSplitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(documents);
    m_splitter->addWidget(m_pane);
    m_splitter->setStretchFactor(0, 1);
    frame.setCentralWidget(m_splitter);
    m_pane->hide();

    m_quiet.setSingleShot(true);
    m_quiet.setInterval(LivePreviewSchedule::QuietMs);
    connect(&m_quiet, &QTimer::timeout, this, &LivePreviewCommand::start);
    connect(frame.workspace(), &DocumentWorkspace::activeDocumentChanged, this, &LivePreviewCommand::follow);
    // A page opened, created or closed changes the window in front without
    // a tab being chosen; queued, so that the tabs are settled by then.
    if (auto *area = frame.workspace()->findChild<QMdiArea *>())
        connect(area, &QMdiArea::subWindowActivated, this, &LivePreviewCommand::follow, Qt::QueuedConnection);
    connect(m_pane, &LivePreviewPane::contentShown, this, &LivePreviewCommand::contentShown);
    connect(m_pane, &LivePreviewPane::linkClicked, this, &LivePreviewCommand::openLink);
    // The settings are read when the frame first shows, and written when
    // it closes.
    frame.installEventFilter(this);
}

LivePreviewCommand::~LivePreviewCommand() = default;

void LivePreviewCommand::setLauncher(BrowserLauncher *launcher)
{
    m_launcher = launcher ? launcher : m_ownLauncher.get();
}

bool LivePreviewCommand::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_frame && event->type() == QEvent::Show && !m_sized) {
        // After the frame's own handling, which reads the settings.
        QTimer::singleShot(0, this, [this] {
            m_sized = true;
            setShown(m_frame.settings().livePreview);
        });
    } else if (watched == &m_frame && event->type() == QEvent::Close && m_pane->isVisible()) {
        m_frame.settings().livePreviewWidth = m_pane->width();
    }
    return QObject::eventFilter(watched, event);
}

void LivePreviewCommand::setShown(bool shown)
{
    m_frame.settings().livePreview = shown;
    m_action->setChecked(shown);
    if (shown == m_pane->isVisible())
        return;
    if (!shown)
        m_frame.settings().livePreviewWidth = m_pane->width();
    m_pane->setVisible(shown);
    if (!shown) {
        m_quiet.stop();
        return;
    }
    const int total = m_splitter->width();
    const int width = m_frame.settings().livePreviewWidth;
    const int pane = width > 0 ? std::min(width, total - 100) : total / 2;
    m_splitter->setSizes({total - pane, pane});
    m_page = nullptr;
    follow();
}

void LivePreviewCommand::follow()
{
    DocumentWindow *document = m_frame.activeDocument();
    if (document == m_page && m_page)
        return;
    for (const QMetaObject::Connection &connection : std::as_const(m_pageConnections))
        disconnect(connection);
    m_pageConnections.clear();
    m_page = document;
    m_schedule.edited();
    if (!m_pane->isVisible())
        return;
    if (!document) {
        m_quiet.stop();
        m_shownPage = nullptr;
        m_pane->showMessage(msg(9955));
        return;
    }
    EditorWidget *editor = document->editor();
    m_pageConnections << connect(editor, &TextView::textChanged, this, &LivePreviewCommand::edited)
                      << connect(editor, &TextView::storeReplaced, this, &LivePreviewCommand::edited)
                      // A page saved under a new name resolves against its new folder.
                      << connect(document, &DocumentWindow::captionChanged, this, &LivePreviewCommand::edited);
    // Another page shows at once.
    start();
}

void LivePreviewCommand::edited()
{
    m_schedule.edited();
    if (m_pane->isVisible())
        m_quiet.start();
}

void LivePreviewCommand::start()
{
    m_quiet.stop();
    if (!m_page || !m_pane->isVisible())
        return;
    const std::optional<quint64> version = m_schedule.begin();
    if (!version)
        return;
    m_gathering = Gathering{*version, m_page, m_page->caption(), {}, 0};
    m_gathering.lines.reserve(m_page->editor()->store().lineCount());
    gatherSlice();
}

void LivePreviewCommand::gatherSlice()
{
    // The lines share their characters with the editor's, but taking a
    // reference to each of a million lines still costs: it is done in slices
    // between events, and an edit meanwhile drops the gathering.
    constexpr int SliceLines = 20000;
    Gathering &g = m_gathering;
    if (!m_schedule.isCurrent(g.version) || !g.page || g.page != m_page || !m_pane->isVisible()) {
        if (m_schedule.end(g.version) && m_page && m_pane->isVisible())
            m_quiet.start();
        return;
    }
    const LineStore &store = g.page->editor()->store();
    const int end = std::min(store.lineCount(), g.next + SliceLines);
    for (; g.next < end; ++g.next)
        g.lines.append(store.line(g.next));
    if (g.next < store.lineCount()) {
        QTimer::singleShot(0, this, &LivePreviewCommand::gatherSlice);
        return;
    }
    // Joining and encoding a page of any size happens on a worker thread.
    QPointer<LivePreviewCommand> self(this);
    QThreadPool::globalInstance()->start(
        [self, version = g.version, caption = g.caption, lines = std::exchange(g.lines, {})] {
            LivePreviewContent content{caption, lines.join(u'\n').toUtf8()};
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, version, content = std::move(content)] {
                    if (self)
                        self->prepared(version, content);
                },
                Qt::QueuedConnection);
        });
}

void LivePreviewCommand::prepared(quint64 version, const LivePreviewContent &content)
{
    if (!m_schedule.isCurrent(version) || !m_page || !m_pane->isVisible()) {
        if (m_schedule.end(version) && m_page && m_pane->isVisible())
            m_quiet.start();
        return;
    }
    const bool samePage = m_page == m_shownPage;
    m_shownPage = m_page;
    m_loading = version;
    if (!m_pane->showContent(content, samePage))
        m_schedule.end(version);
}

void LivePreviewCommand::contentShown()
{
    if (!m_schedule.isRunning())
        return;
    const bool again = m_schedule.end(m_loading);
    emit updated();
    if (again && m_page && m_pane->isVisible())
        m_quiet.start();
}

void LivePreviewCommand::openLink(const QUrl &url)
{
    const QUrl target = externalLinkTarget(url);
    if (target.isEmpty())
        return;
    const BrowserProgram browser = chosenBrowser(m_frame.settings());
    if (browser.family == 0) {
        m_frame.options()->openPreferences();
        return;
    }
    const QString program = resolveBrowserProgram(browser.path);
    if (program.isEmpty()) {
        m_frame.prompts().error(msg(91));
        return;
    }
    if (!m_launcher->start(program, linkArguments(browser, target, m_frame.settings().fileUrls)))
        m_frame.prompts().error(msg(12));
}

LivePreviewCommand *installLivePreviewCommand(MainWindow &frame)
{
    auto *command = new LivePreviewCommand(frame);
    frame.options()->menu()->addAction(command->action());
    // On the toolbar, right after the external browser's button.
    QAction *browser = frame.preview() ? frame.preview()->action() : nullptr;
    for (QToolBar *bar : frame.findChildren<QToolBar *>()) {
        const QList<QAction *> buttons = bar->actions();
        if (const qsizetype at = buttons.indexOf(browser); browser && at >= 0) {
            bar->insertAction(buttons.value(at + 1), command->action());
            break;
        }
    }
    return command;
}
