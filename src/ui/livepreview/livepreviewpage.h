#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

// What the pane shows: the page's caption (its path once saved) and its
// text as UTF-8.
struct LivePreviewContent
{
    QString caption;
    QByteArray html;
};

// Serves the pane's scheme: the page being shown from memory, and the files
// of its folder that livePreviewMayRead allows; anything else fails.
class LivePreviewSchemeHandler : public QWebEngineUrlSchemeHandler
{
    Q_OBJECT
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void setContent(const LivePreviewContent &content) { m_content = content; }
    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    LivePreviewContent m_content;
};

// Blocks every local file the page's folder does not hold, whatever asks
// for it (pictures, style sheets, frames, scripts).
class LivePreviewInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void setFolder(const QString &folder) { m_folder = folder; }
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    QString m_folder;
};

// The pane's page never leaves the text it was given: loads the pane itself
// starts go through, a clicked link is handed on (linkClicked) and every
// other navigation of the page (a script, a form, a window it opens) is
// refused. Frames inside the page load as usual.
class LivePreviewPage : public QWebEnginePage
{
    Q_OBJECT
public:
    LivePreviewPage(QWebEngineProfile *profile, QObject *parent);

    // Loads content inline when small enough, through the scheme otherwise.
    void show(const LivePreviewContent &content, LivePreviewSchemeHandler &handler);

signals:
    void linkClicked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;

private:
    QString m_caption; // the page shown
    QUrl m_expected;   // the address of the load the pane started, until it starts
    bool m_expectInline = false;
};
