#pragma once

#include "core/imagemap/mapmodel.h"
#include "core/imagemap/mapreader.h"
#include "ui/dialogs/elementdialog.h"

#include <functional>

class MapSketch;
class QListWidget;
class QMenu;
class QRadioButton;
class QScrollArea;
class QSpinBox;

// "Image en coordonnées": builds an image map over a picture, or re-edits
// the map given as selected text. The author places the current zone with
// the fields or the mouse and adds it with a link; OK checks the map name
// and leaves the map's text in pieces() for the caller to write.
class TMapFrm : public ElementDialog
{
    Q_OBJECT
public:
    TMapFrm(DialogServices &services, const QString &selectedElement, QWidget *parent = nullptr);

    MapModel &model() { return m_model; }
    // The map's text after OK, in the pieces the insertion engine takes.
    QStringList pieces() const { return m_pieces; }
    QString mapText() const { return m_pieces.join(QString()); }

    QLineEdit *nameField() const { return m_name; }
    QSpinBox *xField() const { return m_x; }
    QSpinBox *yField() const { return m_y; }
    QSpinBox *sizeField() const { return m_size; }
    QSpinBox *heightField() const { return m_height; }
    QRadioButton *rectangleButton() const { return m_rectangle; }
    QRadioButton *circleButton() const { return m_circle; }
    QListWidget *areaList() const { return m_list; }
    MapSketch *sketch() const { return m_sketch; }
    QScrollArea *sketchScroll() const { return m_scroll; }
    QLabel *pictureStatus() const { return m_pictureStatus; }
    QToolButton *pictureButton() const { return m_pictureButton; }
    QToolButton *addButton() const { return m_addButton; }
    QToolButton *clearButton() const { return m_clearButton; }
    QToolButton *maximiseButton() const { return m_maximise; }
    QMenu *linkMenu() const { return m_linkMenu; }
    QMenu *listMenu() const { return m_listMenu; }
    QAction *deleteAction() const { return m_deleteAction; }
    QAction *eventsAction() const { return m_eventsAction; }
    QAction *addAction() const { return m_addAction; }

    // The commands, as the buttons and menus run them.
    void choosePicture();
    void addZone(AreaLink link);
    void deleteSelectedZone();
    void editZoneEvents();
    void clearAll();

    // Runs the link and events dialogs (modal by default; tests drive them).
    std::function<int(QDialog &)> execDialog;

protected:
    bool confirm() override;

private:
    QWidget *buildUpper();
    QWidget *buildSketch();
    void openSelected();
    void showPicture(const QString &file, const QSize &stretch = QSize());
    void fitToPicture();
    void showFields();
    void fieldsEdited();
    void kindChosen();
    void zoneFromSketch(const MapZone &zone, bool placed);
    void showAreas(int selected);
    void refreshListMenu();
    void showLinkMenu();
    bool selectNextZone();
    int runDialog(QDialog &dialog);

    MapModel m_model;
    QString m_selected;
    MapReading m_reading; // the map being re-edited, as read
    QStringList m_pieces;
    QWidget *m_upper = nullptr;
    QLineEdit *m_name = nullptr;
    QSpinBox *m_x = nullptr;
    QSpinBox *m_y = nullptr;
    QSpinBox *m_size = nullptr;
    QSpinBox *m_height = nullptr;
    QLabel *m_sizeLabel = nullptr;
    QLabel *m_heightLabel = nullptr;
    QRadioButton *m_rectangle = nullptr;
    QRadioButton *m_circle = nullptr;
    QListWidget *m_list = nullptr;
    QMenu *m_listMenu = nullptr;
    QMenu *m_linkMenu = nullptr;
    QAction *m_addAction = nullptr;
    QAction *m_deleteAction = nullptr;
    QAction *m_eventsAction = nullptr;
    MapSketch *m_sketch = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_pictureStatus = nullptr;
    QToolButton *m_pictureButton = nullptr;
    QToolButton *m_addButton = nullptr;
    QToolButton *m_clearButton = nullptr;
    QToolButton *m_maximise = nullptr;
    bool m_showing = false;
};
