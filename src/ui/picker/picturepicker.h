#pragma once

#include "core/picker/pickerfiles.h"
#include "core/picker/pickerrules.h"
#include "ui/dialogs/elementdialog.h"

class FolderTreeView;
class PickerFileRows;
class PicturePreview;
class QCheckBox;
class QFileSystemModel;
class QListView;
struct LoadedPicture;

// "Ouverture d'un fichier graphique": chooses a picture file with a preview,
// and offers light file management (deleting a file, moving one by dragging
// it onto a folder of the tree). After OK, selectedFile() is the chosen
// picture's absolute path.
class TOuvrirFrm : public ElementDialog
{
    Q_OBJECT
public:
    TOuvrirFrm(DialogServices &services, const QString &filter, const QString &startFolder, QWidget *parent = nullptr,
               const PickerFileOps &fileOps = PickerFileOps::system());

    QString selectedFile() const { return m_selected; }
    // The folder the file list shows.
    QString folder() const { return m_folder; }
    void setFolder(const QString &folder);
    // The number of files the list shows (once the folder is read).
    int fileCount() const;

    // Deletes the list's selected file after message 68.
    void deleteSelectedFile();
    // Moves file into folder after the move question; what a drop onto the
    // tree does.
    void moveFile(const QString &file, const QString &folder);

    QComboBox *placeCombo() const { return m_places; }
    FolderTreeView *folderTree() const { return m_tree; }
    QListView *fileList() const { return m_list; }
    QLineEdit *nameEdit() const { return m_name; }
    QComboBox *typeCombo() const { return m_types; }
    QCheckBox *previewBox() const { return m_previewVisible; }
    PicturePreview *preview() const { return m_preview; }
    QLabel *dimensionLabel() const { return m_dimension; }
    QLabel *sizeLabel() const { return m_size; }
    QLabel *dateLabel() const { return m_date; }
    QLabel *statusLabel() const { return m_status; }

protected:
    bool confirm() override;
    void showEvent(QShowEvent *event) override;

private:
    void buildPlaces();
    void placeChosen(int index);
    void folderClicked(const QModelIndex &index);
    void typeChosen(int index);
    void fileActivated(const QModelIndex &index);
    void listSelectionChanged();
    void nameChanged();
    void previewLoaded(const QString &file, const LoadedPicture &picture);
    void clearPreview();
    void updateStatus();
    // Brings the current folder into the middle of the tree.
    void showFolderInTree();
    // The list's selected file, absolute; empty when none.
    QString listFile() const;
    void selectInList(const QString &file);

    const PickerFileOps m_fileOps;
    QList<PickerFilter> m_filters;
    QString m_folder;
    QString m_selected;
    bool m_syncing = false;

    QFileSystemModel *m_dirs;
    QFileSystemModel *m_files;
    PickerFileRows *m_rows;
    QComboBox *m_places;
    FolderTreeView *m_tree;
    QListView *m_list;
    QLineEdit *m_name;
    QComboBox *m_types;
    QCheckBox *m_previewVisible;
    PicturePreview *m_preview;
    QLabel *m_dimension;
    QLabel *m_size;
    QLabel *m_date;
    QLabel *m_status;
};

// Makes services.choosePicture open the picker, starting in the folder of
// the picture chosen last, else in the page's folder.
void installPicturePicker(DialogServices &services);
