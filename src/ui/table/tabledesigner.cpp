#include "ui/table/tabledesigner.h"

#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/table/tablefields.h"
#include "core/table/tablemodel.h"
#include "core/table/tableselection.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/table/celldialog.h"
#include "ui/table/tableextensions.h"
#include "ui/table/tablesketch.h"

#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TTableFrm::TTableFrm(DialogServices &services, TableModel &model, const TableDesignerStart &start, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Définition du tableau"), QStringLiteral("tableau.html"), parent)
    , m_model(model)
    , m_start(start)
{
    body()->addWidget(note(QStringLiteral(
        "Les tableaux peuvent être utilisés pour la comparaison de données ou l'alignement des colonnes.")));
    if (m_start.refused) {
        // Said in the dialog itself, so that the author knows it until OK.
        m_newTableNotice = note(msg(9401));
        QFont bold = m_newTableNotice->font();
        bold.setBold(true);
        m_newTableNotice->setFont(bold);
        body()->addWidget(m_newTableNotice);
    }
    auto *top = new QHBoxLayout;
    top->addWidget(buildCounts());
    top->addWidget(buildGeneral(), 1);
    top->addWidget(buildAlignment());
    body()->addLayout(top);
    body()->addWidget(buildSketch(), 1);
    loadFields();
    refreshCommands();
    // The designer's Ctrl keys work wherever the focus is, except that a
    // text field keeps its own editing keys (Ctrl+A selects its text rather
    // than removing a row, Ctrl+C copies).
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

namespace {

bool isTextField(const QObject *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
           || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget);
}

} // namespace

bool TTableFrm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && !isTextField(watched)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction *a : actions()) {
            if (a->shortcut() == pressed && a->isEnabled())
                return true;
        }
    }
    return ElementDialog::eventFilter(watched, event);
}

QWidget *TTableFrm::buildCounts()
{
    auto *box = new QGroupBox(QStringLiteral("Propriétés du tableau"), this);
    auto *form = new QFormLayout(box);
    // The counts change by one with the arrows only; typing is off so that
    // every change goes through adding or removing a column or row.
    m_columns = new QSpinBox(box);
    m_columns->setRange(1, TableModel::MaxColumns);
    m_columns->findChild<QLineEdit *>()->setReadOnly(true);
    m_rows = new QSpinBox(box);
    m_rows->setRange(1, TableModel::MaxRows);
    m_rows->findChild<QLineEdit *>()->setReadOnly(true);
    addFieldRow(form, QStringLiteral("C&olonne:"), m_columns);
    addFieldRow(form, QStringLiteral("&Rangée:"), m_rows);
    connect(m_columns, &QSpinBox::valueChanged, this, &TTableFrm::columnsChanged);
    connect(m_rows, &QSpinBox::valueChanged, this, &TTableFrm::rowsChanged);
    return box;
}

QWidget *TTableFrm::buildGeneral()
{
    auto *box = new QGroupBox(QStringLiteral("Propriétés générales du tableau"), this);
    auto *grid = new QGridLayout(box);
    const auto label = [box](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, box);
        l->setBuddy(buddy);
        return l;
    };
    m_width = new QLineEdit(box);
    m_widthPercent = new QCheckBox(QStringLiteral("%"), box);
    m_height = new QLineEdit(box);
    m_heightPercent = new QCheckBox(QStringLiteral("%"), box);
    for (QLineEdit *e : {m_width, m_height})
        e->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 16);
    m_border = new QSpinBox(box);
    m_border->setRange(0, 100);
    m_padding = new QSpinBox(box);
    m_padding->setRange(0, 999);
    m_spacing = new QSpinBox(box);
    m_spacing->setRange(0, 999);

    grid->addWidget(label(QStringLiteral("&Largeur:"), m_width), 0, 0);
    grid->addWidget(m_width, 0, 1);
    grid->addWidget(m_widthPercent, 0, 2);
    grid->addWidget(label(QStringLiteral("&Bordure:"), m_border), 0, 3);
    grid->addWidget(m_border, 0, 4);
    grid->addWidget(label(QStringLiteral("&Hauteur:"), m_height), 1, 0);
    grid->addWidget(m_height, 1, 1);
    grid->addWidget(m_heightPercent, 1, 2);
    grid->addWidget(label(QStringLiteral("Espace &dans cellule:"), m_padding), 1, 3);
    grid->addWidget(m_padding, 1, 4);
    grid->addWidget(label(QStringLiteral("Espace &entre cellules:"), m_spacing), 2, 3);
    grid->addWidget(m_spacing, 2, 4);
    grid->setColumnStretch(5, 1);
    // Tab order follows the rows: width, its box, height, its box, then the
    // right-hand column.
    setTabOrder(m_width, m_widthPercent);
    setTabOrder(m_widthPercent, m_height);
    setTabOrder(m_height, m_heightPercent);
    setTabOrder(m_heightPercent, m_border);
    setTabOrder(m_border, m_padding);
    setTabOrder(m_padding, m_spacing);

    TableAttrs &a = m_model.attrs;
    connect(m_width, &QLineEdit::textEdited, this, [this, &a] { sizeEdited(m_width, a.WidthPercent, a.WidthText); });
    connect(m_height, &QLineEdit::textEdited, this,
            [this, &a] { sizeEdited(m_height, a.HeightPercent, a.HeightText); });
    connect(m_widthPercent, &QCheckBox::toggled, this,
            [this, &a](bool on) { percentToggled(m_width, on, a.WidthPercent, a.WidthText); });
    connect(m_heightPercent, &QCheckBox::toggled, this,
            [this, &a](bool on) { percentToggled(m_height, on, a.HeightPercent, a.HeightText); });
    connect(m_border, &QSpinBox::valueChanged, this, [this, &a](int v) {
        a.BorderText = QString::number(v);
        m_sketch->setBorder(v);
    });
    connect(m_padding, &QSpinBox::valueChanged, this, [&a](int v) { a.PaddingText = QString::number(v); });
    connect(m_spacing, &QSpinBox::valueChanged, this, [this, &a](int v) {
        a.SpacingText = QString::number(v);
        m_sketch->setGap(v);
    });
    return box;
}

QWidget *TTableFrm::buildAlignment()
{
    auto *box = new QGroupBox(QStringLiteral("Alignement horizontal"), this);
    auto *layout = new QVBoxLayout(box);
    m_left = new QRadioButton(QStringLiteral("A &gauche  (par défaut)"), box);
    m_right = new QRadioButton(QStringLiteral("A droi&te"), box);
    layout->addWidget(m_left);
    layout->addWidget(m_right);
    layout->addStretch(1);
    connect(m_right, &QRadioButton::toggled, this, [this](bool on) { m_model.attrs.Align = on ? 1 : 0; });
    return box;
}

QAction *TTableFrm::addCommand(const QString &text, const QString &hint, const QKeySequence &keys)
{
    auto *action = new QAction(text, this);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        // The dialog sees the keys first, whichever field has the focus.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
    }
    return action;
}

QWidget *TTableFrm::buildSketch()
{
    auto *box = new QGroupBox(QStringLiteral("Esquisse"), this);
    auto *layout = new QHBoxLayout(box);
    m_toolBar = new QToolBar(box);
    m_toolBar->setOrientation(Qt::Vertical);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    m_merge = addCommand(QStringLiteral("Fusionner"), QStringLiteral("Fusionner les cellules sélectionnées"),
                         QKeySequence(Qt::CTRL | Qt::Key_F));
    m_cellProps = addCommand(QStringLiteral("Cellule..."), QStringLiteral("Propriétés de la cellule ou de la rangée"),
                             QKeySequence(Qt::CTRL | Qt::Key_P));
    m_split = addCommand(QStringLiteral("&Scinder"), QStringLiteral("Scinder la cellule fusionnée"), {});
    m_menuMerge = new QAction(QStringLiteral("&Fusionner cellules"), this);
    m_menuMerge->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_menuCell = new QAction(QStringLiteral("&Propriétés de la cellule"), this);
    m_menuCell->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_menuRow = new QAction(QStringLiteral("Propriétés de la ra&ngée"), this);
    m_menuSplit = new QAction(QStringLiteral("&Scinder la cellule"), this);
    connect(m_merge, &QAction::triggered, this, &TTableFrm::mergeCells);
    connect(m_menuMerge, &QAction::triggered, this, &TTableFrm::mergeCells);
    connect(m_split, &QAction::triggered, this, &TTableFrm::splitCells);
    connect(m_menuSplit, &QAction::triggered, this, &TTableFrm::splitCells);
    for (QAction *a : {m_cellProps, m_menuCell, m_menuRow})
        connect(a, &QAction::triggered, this, &TTableFrm::editProperties);
    m_captionProps = addCommand(QStringLiteral("Titre..."), QStringLiteral("Propriétés du titre du tableau"), {});
    m_extensions =
        addCommand(QStringLiteral("Extensions..."), QStringLiteral("Propriétés additionnelles du tableau"), {});
    m_clear = addCommand(QStringLiteral("Effacer tout"), QStringLiteral("Effacer tout"), {});
    m_addRow = addCommand(QStringLiteral("Ajouter &rangée"), QStringLiteral("Ajouter une rangée au bas du tableau"),
                          QKeySequence(Qt::CTRL | Qt::Key_R));
    m_removeRow = addCommand(QStringLiteral("Supprimer r&angée"), QStringLiteral("Supprimer la dernière rangée"),
                             QKeySequence(Qt::CTRL | Qt::Key_A));
    m_addColumn = addCommand(QStringLiteral("Ajouter &colonne"), QStringLiteral("Ajouter une colonne à droite"),
                             QKeySequence(Qt::CTRL | Qt::Key_C));
    m_removeColumn = addCommand(QStringLiteral("Supprimer c&olonne"), QStringLiteral("Supprimer la dernière colonne"),
                                QKeySequence(Qt::CTRL | Qt::Key_O));
    for (QAction *a : {m_merge, m_split, m_cellProps, m_captionProps, m_extensions, m_clear})
        m_toolBar->addAction(a);
    m_toolBar->addSeparator();
    for (QAction *a : {m_addRow, m_removeRow, m_addColumn, m_removeColumn})
        m_toolBar->addAction(a);

    connect(m_clear, &QAction::triggered, this, &TTableFrm::clearAll);
    connect(m_extensions, &QAction::triggered, this, &TTableFrm::openExtensions);
    connect(m_captionProps, &QAction::triggered, this, &TTableFrm::openCaption);
    connect(m_addRow, &QAction::triggered, this, [this] { m_rows->stepUp(); });
    connect(m_removeRow, &QAction::triggered, this, [this] { m_rows->stepDown(); });
    connect(m_addColumn, &QAction::triggered, this, [this] { m_columns->stepUp(); });
    connect(m_removeColumn, &QAction::triggered, this, [this] { m_columns->stepDown(); });

    m_sketch = new TableSketch(m_model, box);
    m_sketch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_sketch->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_sketch, &TableSketch::cellClicked, this, &TTableFrm::clickCell);
    connect(m_sketch, &TableSketch::cursorStep, this, &TTableFrm::stepCursor);
    connect(m_sketch, &TableSketch::enterPressed, this, &TTableFrm::editProperties);
    connect(m_sketch, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { sketchMenu()->popup(m_sketch->mapToGlobal(pos)); });

    auto *maximise = new QToolButton(box);
    maximise->setText(QStringLiteral("Agrand&ir"));
    maximise->setToolTip(QStringLiteral("Agrandir la fenêtre ou lui rendre sa taille"));
    connect(maximise, &QToolButton::clicked, this, &TTableFrm::toggleMaximised);

    layout->addWidget(m_toolBar);
    auto *right = new QVBoxLayout;
    right->addWidget(m_sketch, 1);
    right->addWidget(maximise, 0, Qt::AlignRight);
    layout->addLayout(right, 1);
    return box;
}

QMenu *TTableFrm::sketchMenu()
{
    if (!m_menu) {
        m_menu = new QMenu(this);
        m_menu->addAction(m_menuMerge);
        m_menu->addAction(m_menuSplit);
        m_menu->addAction(m_menuCell);
        m_menu->addAction(m_menuRow);
        m_menu->addSeparator();
        m_menu->addAction(m_addRow);
        m_menu->addAction(m_removeRow);
        m_menu->addAction(m_addColumn);
        m_menu->addAction(m_removeColumn);
        m_menu->addSeparator();
        m_menu->addAction(m_captionProps);
        m_menu->addAction(m_extensions);
        m_menu->addAction(m_clear);
    }
    refreshCommands();
    return m_menu;
}

void TTableFrm::loadFields()
{
    m_loading = true;
    const TableAttrs &a = m_model.attrs;
    m_columns->setValue(m_model.ColCount());
    m_rows->setValue(m_model.RowCount());
    m_widthPercent->setChecked(a.WidthPercent);
    m_width->setMaxLength(a.WidthPercent ? 3 : 4);
    m_width->setText(a.WidthText);
    m_heightPercent->setChecked(a.HeightPercent);
    m_height->setMaxLength(a.HeightPercent ? 3 : 4);
    m_height->setText(a.HeightText);
    const QString border = a.BorderText, padding = a.PaddingText, spacing = a.SpacingText;
    m_border->setValue(FieldNumber(border, 0));
    m_padding->setValue(FieldNumber(padding, 1));
    m_spacing->setValue(FieldNumber(spacing, 2));
    (a.Align == 1 ? m_right : m_left)->setChecked(true);
    m_sketch->setBorder(m_border->value());
    m_sketch->setGap(m_spacing->value());
    m_loading = false;
    m_sketch->refresh();
}

void TTableFrm::sizeEdited(QLineEdit *edit, bool percent, QString &target)
{
    const QString corrected = CorrectSizeText(edit->text(), percent);
    if (corrected != edit->text())
        edit->setText(corrected);
    target = corrected;
}

void TTableFrm::percentToggled(QLineEdit *edit, bool percent, bool &targetPercent, QString &target)
{
    if (m_loading)
        return;
    targetPercent = percent;
    edit->setMaxLength(percent ? 3 : 4);
    target = SizeTextForPercent(target, percent);
    edit->setText(target);
}

void TTableFrm::columnsChanged(int count)
{
    if (m_loading)
        return;
    m_model.AddColonne(count - 1);
    m_sketch->refresh();
    refreshCommands();
}

void TTableFrm::rowsChanged(int count)
{
    if (m_loading)
        return;
    m_model.AddRangee(count - 1);
    m_sketch->refresh();
    refreshCommands();
}

void TTableFrm::refreshCommands()
{
    m_addRow->setEnabled(m_model.RowCount() < TableModel::MaxRows);
    m_removeRow->setEnabled(m_model.RowCount() > 1);
    m_addColumn->setEnabled(m_model.ColCount() < TableModel::MaxColumns);
    m_removeColumn->setEnabled(m_model.ColCount() > 1);
    // The pop-up menu offers what the selection allows; the tool bar's
    // buttons stay enabled and explain what is missing.
    const auto rect = SelectionRect(m_model);
    const int owners = rect ? SelectedOwnersIn(m_model, *rect) : 0;
    const PropertiesTarget target = PropertiesFor(m_model);
    m_menuMerge->setEnabled(owners >= 2);
    m_menuCell->setEnabled(owners == 1);
    m_menuRow->setEnabled(target.mode == PropertiesTarget::Mode::Row);
    m_menuSplit->setEnabled(SelectionHasMergedCell(m_model));
}

void TTableFrm::selectionChanged()
{
    m_sketch->refresh();
    refreshCommands();
}

void TTableFrm::clickCell(int column, int row)
{
    SelectCellule(m_model, column, row);
    m_anchor = {column, row};
    m_sketch->setCursor({column, row});
    selectionChanged();
}

void TTableFrm::stepCursor(int columns, int rows, bool extend)
{
    const SlotGrid &g = m_model.grid();
    SlotPos at = m_sketch->cursor();
    if (!at.valid() || at.column >= m_model.ColCount() || at.row >= m_model.RowCount())
        at = {0, 0};
    // A step leaves the whole cell under the cursor, merged or not.
    const SlotPos owner = g.ownerOf(at.column, at.row);
    int column = at.column, row = at.row;
    if (columns > 0 && owner.valid())
        column = owner.column + g.colSpan(owner.column, owner.row);
    else if (columns < 0)
        column = (owner.valid() ? owner.column : at.column) - 1;
    if (rows > 0 && owner.valid())
        row = owner.row + g.rowSpan(owner.column, owner.row);
    else if (rows < 0)
        row = (owner.valid() ? owner.row : at.row) - 1;
    column = std::clamp(column, 0, m_model.ColCount() - 1);
    row = std::clamp(row, 0, m_model.RowCount() - 1);
    const SlotPos next = g.ownerOf(column, row).valid() ? g.ownerOf(column, row) : SlotPos{column, row};
    m_sketch->setCursor(next);
    if (!extend)
        m_anchor = next;
    SelectRect(m_model, {std::min(m_anchor.column, next.column), std::max(m_anchor.column, next.column),
                         std::min(m_anchor.row, next.row), std::max(m_anchor.row, next.row)});
    selectionChanged();
}

void TTableFrm::mergeCells()
{
    if (MergeSelection(m_model, services().host.prompts()) == MergeOutcome::Merged) {
        const auto rect = SelectionRect(m_model);
        if (rect) {
            m_anchor = {rect->minColumn, rect->minRow};
            m_sketch->setCursor(m_anchor);
        }
    }
    selectionChanged();
}

void TTableFrm::splitCells()
{
    SplitSelection(m_model);
    selectionChanged();
}

void TTableFrm::editProperties()
{
    const PropertiesTarget target = PropertiesFor(m_model, &services().host.prompts());
    if (target.mode == PropertiesTarget::Mode::None)
        return;
    CellDialog dialog(services(), m_model, target, this);
    if (execProperties)
        execProperties(dialog);
    else
        dialog.exec();
    selectionChanged();
}

void TTableFrm::clearAll()
{
    m_model.NewTable();
    m_anchor = {0, 0};
    m_sketch->setCursor({0, 0});
    loadFields();
    refreshCommands();
}

void TTableFrm::openExtensions()
{
    TTieFrm extensions(services(), m_model.attrs, TTieFrm::Pages::Table, this);
    if (extensions.exec() == QDialog::Accepted)
        m_sketch->refresh();
}

void TTableFrm::openCaption()
{
    TTieFrm caption(services(), m_model.attrs, TTieFrm::Pages::Caption, this);
    caption.exec();
}

void TTableFrm::toggleMaximised()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

bool TTableFrm::confirm()
{
    return ConfirmTableReplacement(m_start, services().host.prompts());
}
