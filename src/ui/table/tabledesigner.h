#pragma once

#include "core/grid/slotgrid.h"
#include "core/table/tableopening.h"
#include "ui/dialogs/elementdialog.h"

#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSpinBox;
class QToolBar;
class TableModel;
class TableSketch;

// The table designer, "Définition du tableau": the table's counts and
// general settings above, the sketch of its cells below with the tool bar
// of table commands on its left. It edits the model it is given; OK (after
// the question about markup a read table would lose) leaves the writing to
// the caller.
class TTableFrm : public ElementDialog
{
    Q_OBJECT
public:
    TTableFrm(DialogServices &services, TableModel &model, const TableDesignerStart &start, QWidget *parent = nullptr);

    TableModel &model() const { return m_model; }
    TableSketch *sketch() const { return m_sketch; }
    QSpinBox *columnsBox() const { return m_columns; }
    QSpinBox *rowsBox() const { return m_rows; }
    QLineEdit *widthEdit() const { return m_width; }
    QCheckBox *widthPercentBox() const { return m_widthPercent; }
    QLineEdit *heightEdit() const { return m_height; }
    QCheckBox *heightPercentBox() const { return m_heightPercent; }
    QSpinBox *borderBox() const { return m_border; }
    QSpinBox *paddingBox() const { return m_padding; }
    QSpinBox *spacingBox() const { return m_spacing; }
    QRadioButton *rightButton() const { return m_right; }
    QToolBar *toolBar() const { return m_toolBar; }
    QAction *clearAction() const { return m_clear; }
    QAction *addRowAction() const { return m_addRow; }
    QAction *removeRowAction() const { return m_removeRow; }
    QAction *addColumnAction() const { return m_addColumn; }
    QAction *removeColumnAction() const { return m_removeColumn; }
    QAction *mergeAction() const { return m_merge; }
    QAction *splitAction() const { return m_split; }
    QAction *propertiesAction() const { return m_cellProps; }
    QAction *menuMergeAction() const { return m_menuMerge; }
    QAction *menuCellAction() const { return m_menuCell; }
    QAction *menuRowAction() const { return m_menuRow; }
    QAction *menuSplitAction() const { return m_menuSplit; }
    QAction *captionAction() const { return m_captionProps; }
    QAction *extensionsAction() const { return m_extensions; }
    // The line that says the designer makes a new table; null when it edits
    // the selected one or starts on no selection.
    QLabel *newTableNotice() const { return m_newTableNotice; }
    // The sketch's pop-up menu, its items enabled for the current counts.
    QMenu *sketchMenu();

    QString helpAnchor() const override { return QStringLiteral("concepteur"); }

    // The sketch's commands: a click on a cell, a step of the keyboard's
    // cell cursor (Shift grows the selection from where it started).
    void clickCell(int column, int row);
    void stepCursor(int columns, int rows, bool extend);
    void mergeCells();
    void splitCells();
    void editProperties();
    // Shows the cell or row dialog; tests replace the modal run.
    std::function<int(QDialog &)> execProperties;

protected:
    bool confirm() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildCounts();
    QWidget *buildGeneral();
    QWidget *buildAlignment();
    QWidget *buildSketch();
    QAction *addCommand(const QString &text, const QString &hint, const QKeySequence &keys);
    void loadFields();
    void sizeEdited(QLineEdit *edit, bool percent, QString &target);
    void percentToggled(QLineEdit *edit, bool percent, bool &targetPercent, QString &target);
    void columnsChanged(int count);
    void rowsChanged(int count);
    void clearAll();
    void openExtensions();
    void openCaption();
    void refreshCommands();
    void toggleMaximised();
    void selectionChanged();

    TableModel &m_model;
    TableDesignerStart m_start;
    bool m_loading = false;
    QSpinBox *m_columns = nullptr;
    QSpinBox *m_rows = nullptr;
    QLineEdit *m_width = nullptr;
    QCheckBox *m_widthPercent = nullptr;
    QLineEdit *m_height = nullptr;
    QCheckBox *m_heightPercent = nullptr;
    QSpinBox *m_border = nullptr;
    QSpinBox *m_padding = nullptr;
    QSpinBox *m_spacing = nullptr;
    QRadioButton *m_left = nullptr;
    QRadioButton *m_right = nullptr;
    TableSketch *m_sketch = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_merge = nullptr;
    QAction *m_cellProps = nullptr;
    QAction *m_split = nullptr;
    QAction *m_menuMerge = nullptr;
    QAction *m_menuCell = nullptr;
    QAction *m_menuRow = nullptr;
    QAction *m_menuSplit = nullptr;
    SlotPos m_anchor{0, 0};
    QAction *m_captionProps = nullptr;
    QAction *m_extensions = nullptr;
    QAction *m_clear = nullptr;
    QAction *m_addRow = nullptr;
    QAction *m_removeRow = nullptr;
    QAction *m_addColumn = nullptr;
    QAction *m_removeColumn = nullptr;
    QLabel *m_newTableNotice = nullptr;
};
