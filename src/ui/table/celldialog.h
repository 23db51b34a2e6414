#pragma once

#include "core/table/tablecellfields.h"
#include "core/table/tableselection.h"
#include "ui/dialogs/elementdialog.h"

#include <functional>

class ColorSwatchButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class TableModel;

// "Propriétés de la cellule" / "Propriétés de la rangée": the settings of
// one cell (two pages, with an editor for its HTML content) or of one row.
// OK stores the fields into the model; Annuler leaves it untouched.
class CellDialog : public ElementDialog
{
    Q_OBJECT
public:
    CellDialog(DialogServices &services, TableModel &model, const PropertiesTarget &target, QWidget *parent = nullptr);

    bool rowMode() const { return m_target.mode == PropertiesTarget::Mode::Row; }
    QTabWidget *pages() const { return m_pages; }
    QButtonGroup *kindGroup() const { return m_kind; }
    QCheckBox *noWrapBox() const { return m_noWrap; }
    QPlainTextEdit *contentEdit() const { return m_content; }
    ColorSwatchButton *bgSwatch() const { return m_bg; }
    ColorSwatchButton *borderSwatch() const { return m_border; }
    QLineEdit *widthEdit() const { return m_width; }
    QCheckBox *widthPercentBox() const { return m_widthPercent; }
    QLineEdit *heightEdit() const { return m_height; }
    QCheckBox *heightPercentBox() const { return m_heightPercent; }
    QButtonGroup *hAlignGroup() const { return m_hAlign; }
    QButtonGroup *vAlignGroup() const { return m_vAlign; }
    QComboBox *backgroundCombo() const { return m_background; }
    QMenu *commonMenu() const { return m_common; }
    QMenu *specialMenu() const { return m_special; }

    // Puts start + end around the editor's selection (or at its caret) and
    // selects the same text again; the editor's own undo is emptied first.
    void insertPair(const QString &start, const QString &end);
    // Runs an element dialog that returns text (tests replace the modal run).
    std::function<int(QDialog &)> execElement;

    QString helpAnchor() const override;

protected:
    bool confirm() override;

private:
    QWidget *buildGeneral();
    QWidget *buildOther();
    QWidget *buildRow();
    void buildMenus();
    void kindChosen(int index);
    void sizeEdited(QLineEdit *edit, QCheckBox *percent);
    void percentToggled(QLineEdit *edit, bool percent);
    void updatePreview();
    int runElement(QDialog &dialog);
    void insertLink(bool internal);
    void insertLettering();
    void showEditorMenu(const QPoint &pos);

    TableModel &m_model;
    PropertiesTarget m_target;
    QTabWidget *m_pages = nullptr;
    QButtonGroup *m_kind = nullptr;
    QCheckBox *m_noWrap = nullptr;
    QPlainTextEdit *m_content = nullptr;
    ColorSwatchButton *m_bg = nullptr;
    ColorSwatchButton *m_border = nullptr;
    QLineEdit *m_width = nullptr;
    QCheckBox *m_widthPercent = nullptr;
    QLineEdit *m_height = nullptr;
    QCheckBox *m_heightPercent = nullptr;
    QButtonGroup *m_hAlign = nullptr;
    QButtonGroup *m_vAlign = nullptr;
    QComboBox *m_background = nullptr;
    QMenu *m_common = nullptr;
    QMenu *m_special = nullptr;
};
