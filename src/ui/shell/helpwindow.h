#pragma once

#include <QMainWindow>

class QAction;
class QTextBrowser;

// The help window: HTML pages from the help folder beside the program, shown
// in a browser with back, forward and contents buttons. One window serves
// every help command; it is modeless and stays open beside the frame window.
class HelpWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit HelpWindow(const QString &helpFolder, QWidget *parent = nullptr);

    // Shows page (a file name inside the help folder, e.g. "reference.html")
    // at anchor (without "#"; empty for the top). A page that is missing or
    // outside the help folder shows a short notice instead. Returns whether
    // the page exists.
    bool showPage(const QString &page, const QString &anchor = QString());

    QTextBrowser *browser() const { return m_browser; }
    QString helpFolder() const { return m_folder; }
    QAction *backAction() const { return m_back; }
    QAction *forwardAction() const { return m_forward; }
    QAction *homeAction() const { return m_home; }

private:
    void showContents();

    QString m_folder;
    QTextBrowser *m_browser;
    QAction *m_back;
    QAction *m_forward;
    QAction *m_home;
};

// The help folder: "help" in the program's folder.
QString programHelpFolder();

// The help commands of the frame window and the dialogs' help buttons. Each
// shows the one help window (created on first use, with parent as its owner)
// and brings it to the front.
void showHelpContents(QWidget *parent);
void showHtmlReference(QWidget *parent);
void showHelpTopic(QWidget *parent, const QString &page, const QString &anchor = QString());
