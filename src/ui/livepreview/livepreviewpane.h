#pragma once

#include "ui/livepreview/livepreviewpage.h"

#include <QPointF>
#include <QWidget>

class QLabel;
class QStackedWidget;
class QWebEngineProfile;
class QWebEngineView;

// The pane beside the documents: a line that says what is shown (and when
// relative addresses cannot resolve), with "&Aide", over the page drawn by
// Qt WebEngine, or a message instead of the page (no page open, the engine
// cannot start or stopped). The engine starts with the first page shown.
class LivePreviewPane : public QWidget
{
    Q_OBJECT
public:
    explicit LivePreviewPane(QWidget *parent = nullptr);
    ~LivePreviewPane() override;

    // Shows content; keepScroll keeps the scroll position of what was shown
    // (the same page, updated). Returns false when the engine cannot start
    // (the pane then says why).
    bool showContent(const LivePreviewContent &content, bool keepScroll);
    void showMessage(const QString &text);

    // Null until a page was shown.
    QWebEngineView *view() const { return m_view; }
    QLabel *notice() const { return m_notice; }
    QLabel *message() const { return m_message; }

signals:
    // The engine finished loading what showContent gave it (tests wait for it).
    void contentShown(bool ok);
    void linkClicked(const QUrl &url);

private:
    bool startEngine();
    void loadFinished(bool ok);

    QLabel *m_notice;
    QStackedWidget *m_stack;
    QLabel *m_message;
    QWebEngineProfile *m_profile = nullptr;
    LivePreviewSchemeHandler *m_handler = nullptr;
    LivePreviewInterceptor *m_interceptor = nullptr;
    LivePreviewPage *m_page = nullptr;
    QWebEngineView *m_view = nullptr;
    QPointF m_scroll;
    bool m_restoreScroll = false;
    bool m_engineFailed = false;
};
