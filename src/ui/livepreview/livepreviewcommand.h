#pragma once

#include "core/livepreview/livepreviewschedule.h"
#include "ui/livepreview/livepreviewpage.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class BrowserLauncher;
class DocumentWindow;
class LivePreviewPane;
class MainWindow;
class QAction;
class QSplitter;

// "Aperçu &intégré" (Options menu and toolbar): the pane beside the
// documents that shows the active page's text, unsaved edits included,
// QuietMs after typing stops. The text is gathered off the interface thread
// and drawn by Qt WebEngine in its own process, so typing never waits for
// it. Links clicked in the pane open in the external browser of the
// preferences.
class LivePreviewCommand : public QObject
{
    Q_OBJECT
public:
    explicit LivePreviewCommand(MainWindow &frame);
    ~LivePreviewCommand() override;

    QAction *action() const { return m_action; }
    LivePreviewPane *pane() const { return m_pane; }
    QSplitter *splitter() const { return m_splitter; }
    // Tests put a scripted browser in place of the real one.
    void setLauncher(BrowserLauncher *launcher);

    void setShown(bool shown);
    // An update is running, or one waits for the quiet time to end.
    bool isUpdating() const { return m_schedule.isRunning(); }
    bool isWaiting() const { return m_quiet.isActive(); }

signals:
    // An update reached the pane and the engine loaded it.
    void updated();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow();
    void edited();
    void start();
    void gatherSlice();
    void prepared(quint64 version, const LivePreviewContent &content);
    void contentShown();
    void openLink(const QUrl &url);

    MainWindow &m_frame;
    QAction *m_action;
    QSplitter *m_splitter;
    LivePreviewPane *m_pane;
    std::unique_ptr<BrowserLauncher> m_ownLauncher;
    BrowserLauncher *m_launcher;
    LivePreviewSchedule m_schedule;
    QTimer m_quiet;
    QPointer<DocumentWindow> m_page;
    QPointer<DocumentWindow> m_shownPage; // what the pane shows now
    QList<QMetaObject::Connection> m_pageConnections;
    struct Gathering
    {
        quint64 version = 0;
        QPointer<DocumentWindow> page;
        QString caption;
        QStringList lines;
        int next = 0; // the first line not taken yet
    };
    Gathering m_gathering;
    quint64 m_loading = 0; // the version the engine is loading
    bool m_sized = false;
};

LivePreviewCommand *installLivePreviewCommand(MainWindow &frame);
