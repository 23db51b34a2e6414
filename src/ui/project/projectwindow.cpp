#include "ui/project/projectwindow.h"

#include "core/messages/messages.h"
#include "core/project/project.h"
#include "core/shell/prompts.h"
#include "ui/project/projectcommands.h"
#include "ui/project/projectdialogs.h"
#include "ui/project/projectlistmodel.h"
#include "ui/shell/helpwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QStackedWidget>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const int ColumnWidths[ProjectColumnCount] = {120, 150, 58, 60};

// Pages and text files may be dropped; the project itself then refuses a
// text file unless it is the first page.
bool isDroppableName(const QString &path)
{
    const QString lower = path.toLower();
    for (const char *extension : {".htm", ".html", ".shtml", ".txt"}) {
        if (lower.endsWith(QLatin1String(extension)))
            return true;
    }
    return false;
}

QIcon projectIcon(const char *name)
{
    return QIcon(QStringLiteral(":/project/%1.svg").arg(QLatin1String(name)));
}

} // namespace

TGestionFrm::TGestionFrm(ProjectCommands &commands, QWidget *frame)
    : QWidget(frame, Qt::Tool)
    , m_commands(commands)
    , m_model(new ProjectListModel(commands.project(), this))
    , m_stack(new QStackedWidget(this))
    , m_report(new QTreeView(m_stack))
    , m_list(new QListView(m_stack))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("TGestionFrm"));
    setWindowTitle(QStringLiteral("Gestionnaire de projet"));
    setAcceptDrops(true);

    m_report->setModel(m_model);
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->header()->setSectionsClickable(true);
    m_report->header()->setStretchLastSection(false);
    // The date and the size columns are at least wide enough for their text.
    const QFontMetrics metrics(m_report->font());
    const int padding = 2 * metrics.averageCharWidth() + 6;
    const int fitting[ProjectColumnCount] = {0, 0,
                                             metrics.horizontalAdvance(QStringLiteral("00/00/00 00:00:00")) + padding,
                                             metrics.horizontalAdvance(QStringLiteral("0000000000")) + padding};
    for (int column = 0; column < ProjectColumnCount; ++column)
        m_report->setColumnWidth(column, std::max(ColumnWidths[column], fitting[column]));
    connect(m_report->header(), &QHeaderView::sectionClicked, this, &TGestionFrm::sortByColumn);

    m_list->setModel(m_model);
    m_list->setSelectionModel(m_report->selectionModel());
    m_list->setWordWrap(true);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setWrapping(true);

    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_report), static_cast<QAbstractItemView *>(m_list)}) {
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, &TGestionFrm::openSelected);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint &pos) { showContextMenu(view->viewport()->mapToGlobal(pos)); });
        m_stack->addWidget(view);
    }

    m_status->setObjectName(QStringLiteral("NomProjetPnl"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *bar = new QToolBar(this);
    bar->setIconSize(QSize(20, 20));
    buildToolBar(bar);
    buildContextMenu();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(bar);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_status);

    // F12 hides the window from inside it too; Help explains it.
    addAction(commands.managerAction());
    auto *help = new QAction(this);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(help, &QAction::triggered, this, [this] { showHelpTopic(this, QStringLiteral("project.html")); });
    addAction(help);

    setView(View::Report);
    int columns = 0;
    for (int column = 0; column < ProjectColumnCount; ++column)
        columns += m_report->columnWidth(column);
    resize(columns + 32, 320);
    refresh();
}

void TGestionFrm::buildToolBar(QToolBar *bar)
{
    const auto button = [this, bar](const char *icon, const QString &hint, void (TGestionFrm::*slot)()) {
        QAction *action = bar->addAction(projectIcon(icon), hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    button("master", QStringLiteral("Fichier maître"), &TGestionFrm::toggleMaster);
    button("addpage", QStringLiteral("Ajouter fichier(s) au projet"), &TGestionFrm::addFiles);
    button("removepage", QStringLiteral("Enlever fichier(s) du projet"), &TGestionFrm::removeSelected);
    button("openpage", QStringLiteral("Ouvrir fichier(s)"), &TGestionFrm::openSelected);
    bar->addSeparator();

    m_views = new QActionGroup(this);
    const struct
    {
        View view;
        const char *icon;
        const char *hint;
    } views[] = {{View::LargeIcons, "viewlarge", "Larges icônes"},
                 {View::SmallIcons, "viewsmall", "Petits icônes"},
                 {View::List, "viewlist", "Liste"},
                 {View::Report, "viewdetails", "Liste détaillée"}};
    for (const auto &v : views) {
        QAction *action = bar->addAction(projectIcon(v.icon), QString::fromUtf8(v.hint));
        action->setCheckable(true);
        action->setData(int(v.view));
        m_views->addAction(action);
        const View view = v.view;
        connect(action, &QAction::triggered, this, [this, view] { setView(view); });
    }
    bar->addSeparator();
    QAction *help = bar->addAction(QStringLiteral("&Aide"));
    help->setToolTip(QStringLiteral("Aide sur le gestionnaire de projet"));
    connect(help, &QAction::triggered, this, [this] { showHelpTopic(this, QStringLiteral("project.html")); });
}

void TGestionFrm::buildContextMenu()
{
    m_menu = new QMenu(this);
    m_masterMenuItem =
        m_menu->addAction(QStringLiteral("&Marquer fichier comme maître"), this, &TGestionFrm::toggleMaster);
    m_removeMenuItem =
        m_menu->addAction(QStringLiteral("&Enlever fichier(s) du projet"), this, &TGestionFrm::removeSelected);
    m_openMenuItem = m_menu->addAction(QStringLiteral("&Ouvrir fichier(s)"), this, &TGestionFrm::openSelected);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Ouvrir &tous les fichiers du projet"), &m_commands,
                      &ProjectCommands::openAllFiles);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("&Ajouter fichier(s) au projet"), this, &TGestionFrm::addFiles);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("Sauv&egarder projet"), this, [this] { m_commands.SaveProject(); });
    m_menu->addAction(QStringLiteral("Sauvegarder projet so&us"), this, [this] { m_commands.saveProjectAs(); });
    connect(m_menu, &QMenu::aboutToShow, this, &TGestionFrm::updateMenuStates);
}

QAction *TGestionFrm::viewAction(View view) const
{
    for (QAction *action : m_views->actions()) {
        if (action->data().toInt() == int(view))
            return action;
    }
    return nullptr;
}

void TGestionFrm::setView(View view)
{
    m_view = view;
    if (QAction *action = viewAction(view))
        action->setChecked(true);
    if (view == View::Report) {
        m_stack->setCurrentWidget(m_report);
        return;
    }
    switch (view) {
    case View::LargeIcons:
        m_list->setViewMode(QListView::IconMode);
        m_list->setIconSize(QSize(32, 32));
        m_list->setGridSize(QSize(112, 72));
        m_list->setMovement(QListView::Static);
        m_list->setFlow(QListView::LeftToRight);
        break;
    case View::SmallIcons:
        m_list->setViewMode(QListView::ListMode);
        m_list->setIconSize(QSize(16, 16));
        m_list->setGridSize(QSize(smallIconsColumnWidth(), 22));
        m_list->setFlow(QListView::LeftToRight);
        break;
    default:
        m_list->setViewMode(QListView::ListMode);
        m_list->setIconSize(QSize(16, 16));
        m_list->setGridSize(QSize());
        m_list->setFlow(QListView::TopToBottom);
        break;
    }
    m_list->setWrapping(true);
    m_list->setSelectionRectVisible(true);
    m_stack->setCurrentWidget(m_list);
}

int TGestionFrm::smallIconsColumnWidth() const
{
    // As wide as the longest name (within reason), as the icons view lays
    // its names out in rows.
    const QFontMetrics metrics(m_list->font());
    int widest = 0;
    const QVector<ProjectEntry> &entries = m_commands.project().entries();
    for (qsizetype i = 0; i < std::min<qsizetype>(entries.size(), 2000); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(entries.at(i).name));
    return std::clamp(widest + 40, 120, 320);
}

void TGestionFrm::refresh()
{
    const QList<int> keep = selectedRows();
    m_model->refresh();
    if (m_view == View::SmallIcons)
        m_list->setGridSize(QSize(smallIconsColumnWidth(), 22));
    selectRows(keep);
    m_status->setText(m_commands.project().statusText());
}

QList<int> TGestionFrm::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_report->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TGestionFrm::selectRows(const QList<int> &rows)
{
    QItemSelection selection;
    for (int row : rows) {
        if (row >= 0 && row < m_model->rowCount())
            selection.select(m_model->index(row, 0), m_model->index(row, ProjectColumnCount - 1));
    }
    m_report->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TGestionFrm::selectLast()
{
    const int last = m_model->rowCount() - 1;
    if (last < 0)
        return;
    selectRows({last});
    m_report->selectionModel()->setCurrentIndex(m_model->index(last, 0), QItemSelectionModel::NoUpdate);
    m_report->scrollTo(m_model->index(last, 0));
    m_list->scrollTo(m_model->index(last, 0));
}

bool TGestionFrm::checkSelection()
{
    if (m_commands.project().count() == 0 || selectedRows().isEmpty()) {
        m_commands.prompts().warning(msg(74));
        return false;
    }
    return true;
}

void TGestionFrm::addFiles()
{
    const QStringList files = m_commands.dialogs().chooseFilesToAdd(m_commands.dialogFolder());
    if (files.isEmpty())
        return;
    m_commands.addFiles(files);
    selectLast();
    m_stack->currentWidget()->setFocus();
}

void TGestionFrm::addDroppedFiles(const QStringList &files)
{
    QStringList accepted;
    for (const QString &file : files) {
        if (isDroppableName(file))
            accepted << file;
    }
    if (accepted.isEmpty())
        return;
    m_commands.addFiles(accepted);
    selectLast();
}

void TGestionFrm::removeSelected()
{
    if (!checkSelection())
        return;
    m_commands.removeItems(selectedRows());
}

void TGestionFrm::toggleMaster()
{
    if (!checkSelection())
        return;
    const QList<int> rows = selectedRows();
    if (rows.size() > 1) {
        m_commands.prompts().warning(msg(81));
        return;
    }
    m_commands.toggleMaster(rows.first());
}

void TGestionFrm::openSelected()
{
    if (!checkSelection())
        return;
    const QVector<ProjectEntry> entries = m_commands.project().entries();
    for (int row : selectedRows()) {
        const ProjectEntry &entry = entries.at(row);
        if (QFileInfo(entry.fullPath()).isFile())
            m_commands.OpenOrActivate(entry.fullPath());
        else
            m_commands.prompts().warning(msg(55));
    }
}

void TGestionFrm::sortByColumn(int column)
{
    const QList<int> rows = selectedRows();
    QStringList selected;
    for (int row : rows)
        selected << m_commands.project().entries().at(row).fullPath();
    m_report->selectionModel()->clearSelection();
    m_commands.sortBy(column);
    QList<int> again;
    for (const QString &path : std::as_const(selected))
        again << m_commands.project().indexOf(path);
    selectRows(again);
}

void TGestionFrm::updateMenuStates()
{
    const qsizetype selected = selectedRows().size();
    m_masterMenuItem->setEnabled(selected == 1);
    m_removeMenuItem->setEnabled(selected >= 1);
    m_openMenuItem->setEnabled(selected >= 1);
}

void TGestionFrm::showContextMenu(const QPoint &pos)
{
    m_menu->popup(pos);
}

bool TGestionFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Insert) {
            addFiles();
            return true;
        }
        if (key == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TGestionFrm::dragEnterEvent(QDragEnterEvent *event)
{
    // Rows dragged out of the list itself are for the frame window.
    if (event->mimeData()->hasUrls() && event->source() != m_report && event->source() != m_list)
        event->acceptProposedAction();
}

void TGestionFrm::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    event->acceptProposedAction();
    addDroppedFiles(files);
}
