#include "ui/checking/checkcommand.h"

#include "core/messages/messages.h"
#include "ui/checking/problemspanel.h"
#include "ui/preferences/optionscommands.h"
#include "ui/shell/backgroundthread.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/mainwindow.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>

namespace {

// Quiet time after the last keystroke before the list is refreshed.
constexpr int RefreshDelayMs = 1000;

} // namespace

HtmlCheckCommand::HtmlCheckCommand(QMainWindow &window, DocumentWorkspace &workspace)
    : QObject(&window)
    , m_workspace(workspace)
    , m_action(new QAction(msg(9704), this))
    , m_panel(new ProblemsPanel(&window))
{
    m_action->setShortcut(QKeySequence(Qt::Key_F9));
    m_action->setStatusTip(msg(9705));
    connect(m_action, &QAction::triggered, this, [this] {
        run();
        m_panel->list()->setFocus();
    });

    window.addDockWidget(Qt::BottomDockWidgetArea, m_panel);
    m_panel->hide();
    connect(m_panel, &ProblemsPanel::problemChosen, this, &HtmlCheckCommand::goTo);
    connect(m_panel, &ProblemsPanel::leaveRequested, this, [this] {
        if (m_page)
            m_page->editor()->setFocus();
    });
    connect(m_panel, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && m_workspace.activeDocument() != m_page)
            run();
    });

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(RefreshDelayMs);
    connect(&m_refresh, &QTimer::timeout, this, &HtmlCheckCommand::start);
    connect(&m_workspace, &DocumentWorkspace::activeDocumentChanged, this, [this] {
        if (m_panel->isVisible())
            run();
    });
}

void HtmlCheckCommand::run()
{
    follow(m_workspace.activeDocument());
    m_panel->show();
    m_panel->raise();
    start();
}

void HtmlCheckCommand::follow(DocumentWindow *document)
{
    if (document == m_page)
        return;
    disconnect(m_pageEdits);
    disconnect(m_pageReplaced);
    m_page = document;
    ++m_textVersion;
    if (document) {
        m_pageEdits = connect(document->editor(), &TextView::textChanged, this, &HtmlCheckCommand::textChanged);
        // A revert or a whole new text replaces the line list.
        m_pageReplaced = connect(document->editor(), &TextView::storeReplaced, this, &HtmlCheckCommand::textChanged);
        // A page closed under the panel empties it.
        connect(document, &QObject::destroyed, this, [this] {
            if (!m_page)
                follow(m_workspace.activeDocument());
            if (!m_page)
                m_panel->showNoPage();
        });
    }
}

void HtmlCheckCommand::textChanged()
{
    ++m_textVersion;
    if (m_panel->isVisible())
        m_refresh.start();
}

void HtmlCheckCommand::start()
{
    m_refresh.stop();
    if (!m_page) {
        m_panel->showNoPage();
        return;
    }
    // The running check's end starts the next one when the text changed.
    if (m_running)
        return;
    m_running = true;
    m_panel->showChecking();
    // A copy of the line list shares every line's characters: cheap here,
    // and the interface keeps editing while the worker reads it.
    LineStore lines = m_page->editor()->store();
    const quint64 version = m_textVersion;
    QPointer<HtmlCheckCommand> self(this);
    QMetaObject::invokeMethod(backgroundThread("checking"), [self, version, lines = std::move(lines)] {
        HtmlCheck check = checkHtml(lines);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, version, check = std::move(check)]() mutable {
                if (self)
                    self->finished(version, std::move(check));
            },
            Qt::QueuedConnection);
    });
}

void HtmlCheckCommand::finished(quint64 version, HtmlCheck check)
{
    m_running = false;
    if (version == m_textVersion && m_page) {
        m_panel->showResult(std::move(check));
        emit resultShown();
    }
    if (version != m_textVersion && m_panel->isVisible() && !m_refresh.isActive())
        start();
}

void HtmlCheckCommand::goTo(int line, int column)
{
    if (!m_page)
        return;
    m_workspace.activate(m_page);
    EditorText &text = m_page->text();
    // The list may be older than the text: the nearest place that exists.
    const int l = std::clamp(line, 0, text.lineCount() - 1);
    text.setSelectionStart(text.lineStart(l) + std::clamp(column, 0, text.lineLength(l)));
    text.setSelectionLength(0);
    m_page->editor()->setFocus();
}

HtmlCheckCommand *installCheckingCommands(MainWindow &frame)
{
    auto *command = new HtmlCheckCommand(frame, *frame.workspace());
    auto *tools = new QMenu(msg(9703), &frame);
    tools->addAction(command->action());
    // After "Options", before the menu of the tool tabs.
    QMenuBar *bar = frame.menuBar();
    const QList<QAction *> menus = bar->actions();
    const qsizetype options = menus.indexOf(frame.options()->menu()->menuAction());
    QAction *next = options >= 0 ? menus.value(options + 1) : nullptr;
    bar->insertMenu(next, tools);
    return command;
}
