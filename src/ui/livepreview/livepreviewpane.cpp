#include "ui/livepreview/livepreviewpane.h"

#include "core/livepreview/livepreviewrules.h"
#include "core/messages/messages.h"
#include "ui/livepreview/livepreviewengine.h"
#include "ui/shell/helpwindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

LivePreviewPane::LivePreviewPane(QWidget *parent)
    : QWidget(parent)
    , m_notice(new QLabel(this))
    , m_stack(new QStackedWidget(this))
    , m_message(new QLabel(this))
{
    setObjectName(QStringLiteral("livePreviewPane"));
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::PlainText);
    auto *help = new QPushButton(msg(9956), this);
    connect(help, &QPushButton::clicked, this, [this] { showHelpTopic(this, QStringLiteral("apercu.html")); });
    auto *top = new QHBoxLayout;
    top->setContentsMargins(4, 2, 4, 2);
    top->addWidget(m_notice, 1);
    top->addWidget(help);

    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setMargin(12);
    m_stack->addWidget(m_message);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_stack, 1);
    showMessage(msg(9955));
}

LivePreviewPane::~LivePreviewPane()
{
    // The page goes before the profile it was made with.
    delete m_view;
    delete m_page;
}

void LivePreviewPane::showMessage(const QString &text)
{
    m_notice->clear();
    m_message->setText(text);
    m_stack->setCurrentWidget(m_message);
}

bool LivePreviewPane::startEngine()
{
    if (m_view)
        return true;
    if (m_engineFailed)
        return false;
    if (const QString problem = livePreviewEngineProblem(); !problem.isEmpty()) {
        m_engineFailed = true;
        showMessage(problem);
        return false;
    }
    // A profile of its own, kept in memory: nothing the previewed pages
    // store (cookies, cache) outlives the session.
    m_profile = new QWebEngineProfile(this);
    m_handler = new LivePreviewSchemeHandler(this);
    m_interceptor = new LivePreviewInterceptor(this);
    m_profile->installUrlSchemeHandler(LivePreviewScheme.toUtf8(), m_handler);
    m_profile->setUrlRequestInterceptor(m_interceptor);
    QWebEngineSettings *settings = m_profile->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    m_page = new LivePreviewPage(m_profile, this);
    m_view = new QWebEngineView(m_stack);
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_stack->addWidget(m_view);
    connect(m_page, &QWebEnginePage::loadFinished, this, &LivePreviewPane::loadFinished);
    connect(m_page, &LivePreviewPage::linkClicked, this, &LivePreviewPane::linkClicked);
    // A stopped drawing process shows why; the next update starts a new one.
    connect(m_page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                showMessage(msg(9954));
                emit contentShown(false);
            });
    return true;
}

bool LivePreviewPane::showContent(const LivePreviewContent &content, bool keepScroll)
{
    if (!startEngine())
        return false;
    const QString folder = livePreviewFolder(content.caption);
    // The page's name; its full path in the tooltip, a long one would
    // crowd the line.
    m_notice->setText(folder.isEmpty() ? msg(9952) : msg(9951).arg(content.caption.mid(folder.size())));
    m_notice->setToolTip(folder.isEmpty() ? QString() : content.caption);
    m_interceptor->setFolder(folder);
    m_restoreScroll = keepScroll;
    if (keepScroll)
        m_scroll = m_page->scrollPosition();
    m_page->show(content, *m_handler);
    m_stack->setCurrentWidget(m_view);
    return true;
}

void LivePreviewPane::loadFinished(bool ok)
{
    if (ok && m_restoreScroll && !m_scroll.isNull())
        m_page->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);").arg(m_scroll.x()).arg(m_scroll.y()));
    m_restoreScroll = false;
    emit contentShown(ok);
}
