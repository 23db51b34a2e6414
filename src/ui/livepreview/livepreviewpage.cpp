#include "ui/livepreview/livepreviewpage.h"

#include "core/livepreview/livepreviewrules.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>

void LivePreviewSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const QString path = job->requestUrl().path();
    if (path == livePreviewPageUrl(m_content.caption).path()) {
        auto *buffer = new QBuffer(job);
        buffer->setData(m_content.html);
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html;charset=utf-8"), buffer);
        return;
    }
    if (!livePreviewMayRead(path, livePreviewFolder(m_content.caption))) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    auto *file = new QFile(path, job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toUtf8(), file);
}

void LivePreviewInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl url = info.requestUrl();
    if (url.isLocalFile() && !livePreviewMayRead(url.toLocalFile(), m_folder))
        info.block(true);
}

namespace {

// A window the page asks for (a link with a target, window.open): never
// shown; its first address goes to the pane's page as a clicked link.
class LinkCatcher : public QWebEnginePage
{
public:
    LinkCatcher(QWebEngineProfile *profile, LivePreviewPage *owner)
        : QWebEnginePage(profile, owner)
        , m_owner(owner)
    {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool) override
    {
        if (type == NavigationTypeLinkClicked && m_owner)
            emit m_owner->linkClicked(url);
        m_owner = nullptr;
        deleteLater();
        return false;
    }

private:
    LivePreviewPage *m_owner;
};

} // namespace

LivePreviewPage::LivePreviewPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{}

void LivePreviewPage::show(const LivePreviewContent &content, LivePreviewSchemeHandler &handler)
{
    m_caption = content.caption;
    if (content.html.size() <= InlinePageLimit) {
        m_expected = QUrl();
        m_expectInline = true;
        setContent(content.html, QStringLiteral("text/html;charset=utf-8"), livePreviewBaseUrl(content.caption));
        return;
    }
    handler.setContent(content);
    m_expectInline = false;
    m_expected = livePreviewPageUrl(content.caption);
    // The same address again must load again: the text behind it changed.
    load(m_expected);
}

bool LivePreviewPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!isMainFrame)
        return true;
    if ((m_expectInline && url.scheme() == u"data") || (!m_expected.isEmpty() && url == m_expected)) {
        m_expectInline = false;
        m_expected = QUrl();
        return true;
    }
    if (type != NavigationTypeLinkClicked)
        return false;
    if (const QString anchor = samePageAnchor(url, m_caption); !anchor.isEmpty()) {
        // Within the page served under the pane's scheme the engine scrolls
        // by itself; inline, the base address makes it look like another page.
        if (url.scheme() == LivePreviewScheme)
            return true;
        const QString name = QString::fromUtf8(QJsonDocument(QJsonArray{anchor}).toJson(QJsonDocument::Compact));
        runJavaScript(QStringLiteral("(function (n) { var e = document.getElementById(n) || "
                                     "document.getElementsByName(n)[0]; if (e) e.scrollIntoView(); })(%1[0]);")
                          .arg(name));
        return false;
    }
    emit linkClicked(url);
    return false;
}

QWebEnginePage *LivePreviewPage::createWindow(WebWindowType)
{
    return new LinkCatcher(profile(), this);
}
