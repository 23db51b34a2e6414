#pragma once

#include "core/formatting/listmarkup.h"
#include "ui/dialogs/elementdialog.h"

class QCheckBox;
class QGroupBox;
class QRadioButton;
class QSpinBox;
class QTableWidget;

// The list dialog for one of the five list kinds: the item count, a grid of
// items (term and definition for a definition list) and the kind's options.
// Opened on a selected list it shows that list and replaces it.
class TListeFrm : public ElementDialog
{
    Q_OBJECT
public:
    TListeFrm(DialogServices &services, ListKind kind, QWidget *parent = nullptr);

    ListFields fields() const;
    void setFields(const ListFields &fields);

    QSpinBox *countBox() const { return m_count; }
    QTableWidget *grid() const { return m_grid; }
    QRadioButton *numberingButton(ListNumbering numbering) const { return m_numbering[int(numbering)]; }
    QSpinBox *startBox() const { return m_start; }
    QRadioButton *bulletButton(ListBullet bullet) const { return m_bullets[int(bullet) - 1]; }
    QCheckBox *compactBox() const { return m_compact; }

protected:
    bool confirm() override;

private:
    void setRowCount(int count);

    ListKind m_kind;
    QSpinBox *m_count;
    QTableWidget *m_grid;
    QGroupBox *m_numberingGroup = nullptr;
    QRadioButton *m_numbering[5] = {};
    QSpinBox *m_start = nullptr;
    QGroupBox *m_bulletGroup = nullptr;
    QRadioButton *m_bullets[3] = {};
    QCheckBox *m_compact = nullptr;
};
