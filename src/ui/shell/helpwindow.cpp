#include "ui/shell/helpwindow.h"

#include <QApplication>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace {
const QString ContentsPage = QStringLiteral("index.html");
const QString ReferencePage = QStringLiteral("reference.html");
const QString WindowTitle = QStringLiteral("Aide de Tessaline");
const QString BackText = QStringLiteral("&Précédent");
const QString ForwardText = QStringLiteral("&Suivant");
const QString HomeText = QStringLiteral("S&ommaire");
const QString MissingPage = QStringLiteral("<h2>Page d'aide introuvable</h2><p>Le fichier <b>%1</b> "
                                           "n'existe pas dans le dossier d'aide <b>%2</b>.</p>");

QPointer<HelpWindow> &sharedWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}
} // namespace

HelpWindow::HelpWindow(const QString &helpFolder, QWidget *parent)
    : QMainWindow(parent, Qt::Window)
    , m_folder(QDir::cleanPath(QDir(helpFolder).absolutePath()))
    , m_browser(new QTextBrowser(this))
{
    setWindowTitle(WindowTitle);
    resize(720, 560);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({m_folder});
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(HomeText);
    bar->setMovable(false);
    m_back = bar->addAction(BackText, m_browser, &QTextBrowser::backward);
    m_back->setShortcut(QKeySequence::Back);
    m_forward = bar->addAction(ForwardText, m_browser, &QTextBrowser::forward);
    m_forward->setShortcut(QKeySequence::Forward);
    m_home = bar->addAction(HomeText, this, &HelpWindow::showContents);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
}

bool HelpWindow::showPage(const QString &page, const QString &anchor)
{
    const QString path = QDir::cleanPath(QDir(m_folder).absoluteFilePath(page));
    const bool inside = path.startsWith(m_folder + QLatin1Char('/'));
    if (!inside || !QFileInfo(path).isFile()) {
        m_browser->setHtml(MissingPage.arg(page.toHtmlEscaped(), QDir::toNativeSeparators(m_folder).toHtmlEscaped()));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
    return true;
}

void HelpWindow::showContents()
{
    showPage(ContentsPage);
}

QString programHelpFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help");
}

void showHelpTopic(QWidget *parent, const QString &page, const QString &anchor)
{
    QPointer<HelpWindow> &window = sharedWindow();
    if (!window) {
        window = new HelpWindow(programHelpFolder(), parent ? parent->window() : nullptr);
        // Without an owner the window would outlive its use: it goes when closed.
        if (!window->parent())
            window->setAttribute(Qt::WA_DeleteOnClose);
    }
    // A modal dialog blocks every window but its own children: help asked
    // for from inside one moves into the dialog's keeping, so the author can
    // read it and go on filling in the dialog. It closes with that dialog.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != window && window->parentWidget() != modal) {
        const QRect geometry = window->geometry();
        window->setParent(modal, Qt::Window);
        window->setGeometry(geometry);
    }
    window->showPage(page, anchor);
    window->show();
    window->raise();
    window->activateWindow();
}

void showHelpContents(QWidget *parent)
{
    showHelpTopic(parent, ContentsPage);
}

void showHtmlReference(QWidget *parent)
{
    showHelpTopic(parent, ReferencePage);
}
