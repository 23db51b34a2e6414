#include "ui/find/findcommands.h"

#include "core/shell/documenthost.h"
#include "ui/find/finddialog.h"
#include "ui/shell/helpwindow.h"

#include <QAction>

namespace {

const QString FindCaption = QStringLiteral("Rec&hercher");
const QString FindHint = QStringLiteral("Rechercher");
const QString ReplaceCaption = QStringLiteral("R&emplacer");
const QString RepeatCaption = QStringLiteral("Répéter e&ncore");
// The dialog's own help page, beside the program.
const QString HelpPage = QStringLiteral("recherche.html");

} // namespace

FindCommands::FindCommands(DocumentHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_find(new QAction(FindCaption, this))
    , m_replace(new QAction(ReplaceCaption, this))
    , m_repeat(new QAction(RepeatCaption, this))
{
    m_find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_find->setToolTip(FindHint);
    m_find->setStatusTip(FindHint);
    connect(m_find, &QAction::triggered, this, &FindCommands::openFind);

    m_replace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(m_replace, &QAction::triggered, this, &FindCommands::openReplace);

    m_repeat->setShortcut(QKeySequence(Qt::Key_F3));
    connect(m_repeat, &QAction::triggered, this, &FindCommands::repeatSearch);
}

TRechercheFrm *FindCommands::ensureDialog()
{
    if (!m_dialog) {
        m_dialog = new TRechercheFrm(m_host, m_host.window());
        connect(m_dialog, &TRechercheFrm::helpRequested, this, [this] { showHelpTopic(m_dialog, HelpPage); });
    }
    return m_dialog;
}

void FindCommands::openFind()
{
    ensureDialog()->present(TRechercheFrm::Mode::Find);
}

void FindCommands::openReplace()
{
    ensureDialog()->present(TRechercheFrm::Mode::Replace);
}

void FindCommands::repeatSearch()
{
    if (m_dialog)
        m_dialog->repeatSearch();
}
