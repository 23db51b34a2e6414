#include "ui/picker/picturepicker.h"

#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/picker/folderview.h"
#include "ui/picker/picturepreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStorageInfo>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace {

QStringList caseInsensitive(const QStringList &patterns)
{
    QStringList out;
    for (const QString &pattern : patterns)
        out << caseInsensitivePattern(pattern);
    return out;
}

QString cleanFolder(const QString &folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// Whether folder is place or lies below it.
bool isUnder(const QString &folder, const QString &place)
{
    if (place == QLatin1String("/"))
        return true;
    return folder == place || folder.startsWith(place + u'/');
}

// A captioned column: the label is the widget's buddy.
QWidget *captioned(const QString &caption, QWidget *widget, QWidget *parent)
{
    auto *column = new QWidget(parent);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(caption, column);
    label->setBuddy(widget);
    layout->addWidget(label);
    widget->setParent(column);
    layout->addWidget(widget, 1);
    return column;
}

} // namespace

// The file list's rows. The file system model goes on showing a sub-folder
// once a path through it has been opened, whatever its filter says, so the
// folders right below the list's folder are taken out here.
class PickerFileRows : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setListFolder(const QModelIndex &folder)
    {
        m_folder = folder;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        if (parent != m_folder)
            return true;
        const auto *files = static_cast<const QFileSystemModel *>(sourceModel());
        return !files->isDir(files->index(row, 0, parent));
    }

private:
    QPersistentModelIndex m_folder;
};

TOuvrirFrm::TOuvrirFrm(DialogServices &services, const QString &filter, const QString &startFolder, QWidget *parent,
                       const PickerFileOps &fileOps)
    : ElementDialog(services, QStringLiteral("Ouverture d'un fichier graphique"), QStringLiteral("picker.html"), parent)
    , m_fileOps(fileOps)
    , m_filters(parsePickerFilter(filter))
{
    m_dirs = new QFileSystemModel(this);
    m_dirs->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_dirs->setReadOnly(true);
    m_files = new QFileSystemModel(this);
    m_files->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_files->setNameFilterDisables(false);
    m_files->setReadOnly(true);

    auto *top = new QGridLayout;
    body()->addLayout(top, 1);

    // Left: the places (root, home, mounted volumes), then the folder tree
    // and the file list side by side.
    auto *placeRow = new QHBoxLayout;
    auto *placeLabel = new QLabel(QStringLiteral("&Lecteur:"), this);
    m_places = new QComboBox(this);
    placeLabel->setBuddy(m_places);
    placeRow->addWidget(placeLabel);
    placeRow->addWidget(m_places, 1);
    top->addLayout(placeRow, 0, 0);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    m_tree = new FolderTreeView(this);
    m_tree->setModel(m_dirs);
    for (int column = 1; column < m_dirs->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumSize(200, 260);
    m_rows = new PickerFileRows(this);
    m_rows->setSourceModel(m_files);
    m_list = new QListView(this);
    m_list->setModel(m_rows);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setDragEnabled(true);
    m_list->setDragDropMode(QAbstractItemView::DragOnly);
    m_list->setMinimumSize(220, 260);
    m_tree->setDragSource(m_list);
    splitter->addWidget(captioned(QStringLiteral("&Répertoires:"), m_tree, splitter));
    splitter->addWidget(captioned(QStringLiteral("&Fichiers:"), m_list, splitter));
    top->addWidget(splitter, 1, 0);

    // Right: the preview and the three facts of the file.
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel(QStringLiteral("Aperçu:"), this));
    m_preview = new PicturePreview(this);
    previewColumn->addWidget(m_preview);
    auto *facts = new QFormLayout;
    m_dimension = new QLabel(this);
    m_size = new QLabel(this);
    m_date = new QLabel(this);
    // Wide enough for a date and time, so the lists do not shift when the
    // values appear.
    m_date->setMinimumWidth(m_date->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 00:00:00")));
    facts->addRow(QStringLiteral("Dimension:"), m_dimension);
    facts->addRow(QStringLiteral("Taille du fichier:"), m_size);
    facts->addRow(QStringLiteral("Date du fichier:"), m_date);
    previewColumn->addLayout(facts);
    previewColumn->addStretch(1);
    top->addLayout(previewColumn, 0, 1, 2, 1);
    top->setColumnStretch(0, 1);
    top->setRowStretch(1, 1);

    // Below: the name, the type filter, the preview switch, the status.
    auto *bottom = new QHBoxLayout;
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    bottom->addLayout(form, 1);
    m_name = addField(form, QStringLiteral("&Nom du fichier:"), lineEdit(1024));
    m_types = addField(form, QStringLiteral("&Type de fichier:"), new QComboBox(this));
    m_previewVisible = new QCheckBox(QStringLiteral("A&perçu visible"), this);
    m_previewVisible->setChecked(true);
    bottom->addWidget(m_previewVisible, 0, Qt::AlignTop);
    body()->addLayout(bottom);
    m_status = new QLabel(this);
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    body()->addWidget(m_status);

    for (const PickerFilter &entry : std::as_const(m_filters))
        m_types->addItem(entry.caption);

    // "&Effacer fichier" on the list's context menu and its Delete key.
    auto *erase = new QAction(QStringLiteral("&Effacer fichier"), m_list);
    erase->setShortcut(QKeySequence::Delete);
    erase->setShortcutContext(Qt::WidgetShortcut);
    m_list->addAction(erase);
    m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(erase, &QAction::triggered, this, &TOuvrirFrm::deleteSelectedFile);

    setTabOrder(m_places, m_tree);
    setTabOrder(m_tree, m_list);
    setTabOrder(m_list, m_name);
    setTabOrder(m_name, m_types);
    setTabOrder(m_types, m_previewVisible);
    setTabOrder(m_previewVisible, okButton());
    setTabOrder(okButton(), cancelButton());
    setTabOrder(cancelButton(), helpButton());

    connect(m_places, &QComboBox::currentIndexChanged, this, &TOuvrirFrm::placeChosen);
    connect(m_tree, &QTreeView::clicked, this, &TOuvrirFrm::folderClicked);
    connect(m_tree, &QTreeView::activated, this, &TOuvrirFrm::folderClicked);
    // A drop is handled once the drag has ended, outside the drag's own loop.
    connect(m_tree, &FolderTreeView::fileDropped, this, &TOuvrirFrm::moveFile, Qt::QueuedConnection);
    connect(m_types, &QComboBox::currentIndexChanged, this, &TOuvrirFrm::typeChosen);
    connect(m_list, &QListView::activated, this, &TOuvrirFrm::fileActivated);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TOuvrirFrm::listSelectionChanged);
    connect(m_name, &QLineEdit::textChanged, this, &TOuvrirFrm::nameChanged);
    connect(m_previewVisible, &QCheckBox::toggled, this, &TOuvrirFrm::nameChanged);
    connect(m_preview, &PicturePreview::loaded, this, &TOuvrirFrm::previewLoaded);
    connect(m_files, &QFileSystemModel::directoryLoaded, this, &TOuvrirFrm::updateStatus);
    // The tree reads its folders in the background; the rows above the
    // current folder arrive late and push it out of view.
    connect(m_dirs, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (isUnder(m_folder, cleanFolder(loaded)))
            showFolderInTree();
    });
    connect(m_rows, &QAbstractItemModel::rowsInserted, this, &TOuvrirFrm::updateStatus);
    connect(m_rows, &QAbstractItemModel::rowsRemoved, this, &TOuvrirFrm::updateStatus);
    connect(m_rows, &QAbstractItemModel::layoutChanged, this, &TOuvrirFrm::updateStatus);
    connect(m_rows, &QAbstractItemModel::modelReset, this, &TOuvrirFrm::updateStatus);

    typeChosen(0);
    buildPlaces();
    setFolder(startFolder.isEmpty() ? QDir::homePath() : startFolder);
    m_name->setFocus();
}

void TOuvrirFrm::buildPlaces()
{
    QStringList paths{QStringLiteral("/"), cleanFolder(QDir::homePath())};
    QStringList captions{QStringLiteral("/"), QStringLiteral("Dossier personnel (%1)").arg(paths.at(1))};
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        const QString path = cleanFolder(volume.rootPath());
        if (!volume.isValid() || !volume.isReady() || paths.contains(path) || !QFileInfo(path).isDir())
            continue;
        const QString name = volume.displayName();
        paths << path;
        captions << (name == path ? path : QStringLiteral("%1 (%2)").arg(name, path));
    }
    const QSignalBlocker blocker(m_places);
    for (qsizetype i = 0; i < paths.size(); ++i)
        m_places->addItem(captions.at(i), paths.at(i));
}

void TOuvrirFrm::placeChosen(int index)
{
    if (!m_syncing && index >= 0)
        setFolder(m_places->itemData(index).toString());
}

void TOuvrirFrm::setFolder(const QString &folder)
{
    const QString path = cleanFolder(folder);
    if (!QFileInfo(path).isDir())
        return;
    m_folder = path;

    // The place holding the folder most closely becomes the tree's root.
    int place = 0;
    for (int i = 0; i < m_places->count(); ++i) {
        const QString candidate = m_places->itemData(i).toString();
        if (isUnder(path, candidate) && candidate.size() >= m_places->itemData(place).toString().size())
            place = i;
    }
    const QString placePath = m_places->itemData(place).toString();
    m_syncing = true;
    m_places->setCurrentIndex(place);
    m_syncing = false;
    m_tree->setRootIndex(m_dirs->setRootPath(placePath));
    const QModelIndex folderIndex = m_dirs->index(path);
    for (QModelIndex above = folderIndex.parent(); above.isValid(); above = above.parent())
        m_tree->expand(above);
    m_tree->expand(folderIndex);
    m_tree->setCurrentIndex(folderIndex);
    showFolderInTree();

    const QModelIndex listFolder = m_files->setRootPath(path);
    m_rows->setListFolder(listFolder);
    m_list->setRootIndex(m_rows->mapFromSource(listFolder));
    m_name->clear();
    clearPreview();
    updateStatus();
}

void TOuvrirFrm::showFolderInTree()
{
    m_tree->scrollTo(m_dirs->index(m_folder), QAbstractItemView::PositionAtCenter);
}

void TOuvrirFrm::showEvent(QShowEvent *event)
{
    ElementDialog::showEvent(event);
    // Scrolling means nothing before the tree has its size.
    QTimer::singleShot(0, this, &TOuvrirFrm::showFolderInTree);
}

int TOuvrirFrm::fileCount() const
{
    return m_rows->rowCount(m_list->rootIndex());
}

void TOuvrirFrm::updateStatus()
{
    m_status->setText(statusText(fileCount()));
}

void TOuvrirFrm::folderClicked(const QModelIndex &index)
{
    if (index.isValid() && m_dirs->filePath(index) != m_folder)
        setFolder(m_dirs->filePath(index));
}

void TOuvrirFrm::typeChosen(int index)
{
    if (index >= 0 && index < m_filters.size())
        m_files->setNameFilters(caseInsensitive(m_filters.at(index).patterns));
    else
        m_files->setNameFilters({});
}

QString TOuvrirFrm::listFile() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedIndexes();
    return rows.isEmpty() ? QString() : m_files->filePath(m_rows->mapToSource(rows.constFirst()));
}

void TOuvrirFrm::selectInList(const QString &file)
{
    m_syncing = true;
    const QModelIndex index = file.isEmpty() ? QModelIndex() : m_rows->mapFromSource(m_files->index(file));
    if (index.isValid() && index.parent() == m_list->rootIndex()) {
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    } else {
        m_list->clearSelection();
    }
    m_syncing = false;
}

void TOuvrirFrm::listSelectionChanged()
{
    if (m_syncing)
        return;
    const QString file = listFile();
    if (!file.isEmpty())
        m_name->setText(QFileInfo(file).fileName());
}

void TOuvrirFrm::fileActivated(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    m_name->setText(QFileInfo(m_files->filePath(m_rows->mapToSource(index))).fileName());
    okButton()->click();
}

void TOuvrirFrm::clearPreview()
{
    m_preview->clear();
    m_dimension->clear();
    m_size->clear();
    m_date->clear();
}

void TOuvrirFrm::nameChanged()
{
    const QString text = m_name->text().trimmed();
    // A mask being typed is not a file.
    if (text.contains(u'*'))
        return;
    const QFileInfo info(QDir(m_folder).absoluteFilePath(text));
    if (text.isEmpty() || !info.isFile()) {
        clearPreview();
        selectInList(QString());
        return;
    }
    selectInList(info.absoluteFilePath());
    if (!m_previewVisible->isChecked()) {
        clearPreview();
        return;
    }
    if (m_preview->file() == info.absoluteFilePath())
        return;
    m_dimension->clear();
    m_size->setText(QString::number(info.size()));
    m_date->setText(info.lastModified().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));
    m_preview->showFile(info.absoluteFilePath());
}

void TOuvrirFrm::previewLoaded(const QString &file, const LoadedPicture &picture)
{
    Q_UNUSED(file);
    if (picture.ok())
        m_dimension->setText(dimensionText(picture.width, picture.height));
    else
        m_dimension->clear();
}

bool TOuvrirFrm::confirm()
{
    const NameFieldOutcome outcome = interpretNameField(m_name->text(), m_folder);
    Prompts &prompts = services().host.prompts();
    switch (outcome.kind) {
    case NameFieldOutcome::Kind::ChooseFile:
        m_selected = outcome.file;
        return true;
    case NameFieldOutcome::Kind::SetMask:
        if (!outcome.folder.isEmpty())
            setFolder(outcome.folder);
        m_files->setNameFilters(caseInsensitive(parsePickerFilter(u'|' + outcome.mask).value(0).patterns));
        m_name->setText(outcome.fieldText);
        return false;
    case NameFieldOutcome::Kind::ChangeFolder:
        setFolder(outcome.folder);
        return false;
    case NameFieldOutcome::Kind::FolderMissing:
        prompts.information(msg(19));
        return false;
    case NameFieldOutcome::Kind::Nothing:
    case NameFieldOutcome::Kind::FileMissing:
        prompts.information(msg(78));
        return false;
    }
    return false;
}

void TOuvrirFrm::deleteSelectedFile()
{
    const QString file = listFile();
    if (file.isEmpty())
        return;
    Prompts &prompts = services().host.prompts();
    if (!prompts.askYesNo(deleteQuestion(QDir::toNativeSeparators(file))))
        return;
    clearPreview();
    if (!m_fileOps.remove(file)) {
        prompts.error(deleteFailureText(file));
        return;
    }
    m_name->clear();
}

void TOuvrirFrm::moveFile(const QString &file, const QString &folder)
{
    if (cleanFolder(QFileInfo(file).absolutePath()) == cleanFolder(folder))
        return;
    Prompts &prompts = services().host.prompts();
    if (!prompts.askYesNo(moveQuestion(QDir::toNativeSeparators(file), QDir::toNativeSeparators(folder))))
        return;
    const bool named = QFileInfo(QDir(m_folder).absoluteFilePath(m_name->text())) == QFileInfo(file);
    if (named)
        clearPreview();
    const MoveResult result = movePickerFile(file, folder, m_fileOps);
    const QString failure = moveFailureText(result, file);
    if (!failure.isEmpty())
        prompts.error(failure);
    else if (named)
        m_name->clear();
}

void installPicturePicker(DialogServices &services)
{
    auto lastFolder = std::make_shared<QString>();
    services.choosePicture = [&services, lastFolder](QWidget *parent, const QString &filter) {
        QString start = *lastFolder;
        if (start.isEmpty() || !QFileInfo(start).isDir()) {
            const QFileInfo page(services.pageFileName());
            start = page.isAbsolute() ? page.absolutePath() : QString();
        }
        if (start.isEmpty() || !QFileInfo(start).isDir())
            start = QDir::homePath();
        TOuvrirFrm picker(services, filter, start, parent ? parent : services.host.window());
        if (picker.exec() != QDialog::Accepted)
            return QString();
        *lastFolder = QFileInfo(picker.selectedFile()).absolutePath();
        return picker.selectedFile();
    };
}
