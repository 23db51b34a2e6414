#include "ui/forms/choiceeditor.h"

#include "core/messages/messages.h"
#include "core/shell/prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Draws the sketch's check marks as radio buttons.
class RadioDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        QStyle *style = item.widget ? item.widget->style() : QApplication::style();
        const QRect mark = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, item.widget);
        painter->fillRect(mark, item.state & QStyle::State_Selected ? item.palette.highlight() : item.palette.base());
        QStyleOptionButton radio;
        radio.rect = mark;
        radio.palette = item.palette;
        radio.state = QStyle::State_Enabled | (item.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &radio, painter, item.widget);
    }
};

bool isGroup(ControlKind kind)
{
    return kind == ControlKind::CheckBoxes || kind == ControlKind::RadioButtons;
}

} // namespace

ChoiceEditor::ChoiceEditor(ControlKind kind, Prompts &prompts, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_prompts(prompts)
    , m_choices(isGroup(kind) ? MaxGroupValues : 0, kind == ControlKind::RadioButtons || kind == ControlKind::DropDown)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *entry = new QHBoxLayout;
    auto *valueCaption = new QLabel(QStringLiteral("Nou&velle valeur:"), this);
    m_value = new QLineEdit(this);
    m_value->setMaxLength(256);
    m_value->installEventFilter(this);
    valueCaption->setBuddy(m_value);
    m_add = new QPushButton(QStringLiteral("Aj&outer"), this);
    m_add->setAutoDefault(false);
    entry->addWidget(valueCaption);
    entry->addWidget(m_value, 1);
    entry->addWidget(m_add);
    layout->addLayout(entry);
    if (isGroup(kind)) {
        m_default = new QCheckBox(u'&' + msg(483), this);
        layout->addWidget(m_default);
    }

    auto *sketch = new QGroupBox(msg(232), this);
    auto *grid = new QGridLayout(sketch);
    m_sketchCaption =
        new QLabel(QString(msg(442)).replace(QStringLiteral("Valeur"), QStringLiteral("Vale&ur")), sketch);
    grid->addWidget(m_sketchCaption, 0, 0, 1, 2);
    m_views = new QStackedWidget(sketch);
    m_list = new QListWidget(m_views);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    m_list->installEventFilter(this);
    if (kind == ControlKind::RadioButtons)
        m_list->setItemDelegate(new RadioDelegate(m_list));
    m_views->addWidget(m_list);
    if (kind == ControlKind::DropDown) {
        auto *page = new QWidget(m_views);
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        m_combo = new QComboBox(page);
        m_combo->setMinimumContentsLength(20);
        m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        pageLayout->addWidget(m_combo);
        pageLayout->addStretch();
        m_views->addWidget(page);
        m_views->setCurrentIndex(1);
    }
    m_sketchCaption->setBuddy(m_combo ? static_cast<QWidget *>(m_combo) : m_list);
    grid->addWidget(m_views, 1, 0);

    auto *buttons = new QVBoxLayout;
    m_edit = new QPushButton(QStringLiteral("E&diter"), sketch);
    m_remove = new QPushButton(QStringLiteral("&Effacer"), sketch);
    m_up = new QToolButton(sketch);
    m_down = new QToolButton(sketch);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setToolTip(QStringLiteral("Monter la valeur (Ctrl+Haut)"));
    m_down->setToolTip(QStringLiteral("Descendre la valeur (Ctrl+Bas)"));
    m_up->setAccessibleName(QStringLiteral("Monter"));
    m_down->setAccessibleName(QStringLiteral("Descendre"));
    m_up->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
    m_down->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    for (QPushButton *b : {m_edit, m_remove})
        b->setAutoDefault(false);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_remove);
    auto *arrows = new QHBoxLayout;
    arrows->addWidget(m_up);
    arrows->addWidget(m_down);
    arrows->addStretch();
    buttons->addLayout(arrows);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 1);
    if (kind == ControlKind::DropDown) {
        m_asList = new QCheckBox(QString(msg(482)).replace(QStringLiteral("liste"), QStringLiteral("lis&te")), sketch);
        m_default = new QCheckBox(QStringLiteral("Option sélectionnée par dé&faut"), sketch);
        grid->addWidget(m_asList, 2, 0, 1, 2);
        grid->addWidget(m_default, 3, 0, 1, 2);
        connect(m_asList, &QCheckBox::toggled, this, [this](bool asList) {
            const int index = current();
            finishComboEdit(true);
            m_views->setCurrentIndex(asList ? 0 : 1);
            m_sketchCaption->setBuddy(asList ? static_cast<QWidget *>(m_list) : m_combo);
            select(index);
        });
        connect(m_default, &QCheckBox::clicked, this, [this](bool on) {
            const int index = current();
            m_choices.setChecked(index, on);
            refresh();
        });
        connect(m_combo, &QComboBox::currentIndexChanged, this, &ChoiceEditor::selectionChanged);
    }
    layout->addWidget(sketch, 1);

    connect(m_add, &QPushButton::clicked, this, &ChoiceEditor::addValue);
    connect(m_edit, &QPushButton::clicked, this, &ChoiceEditor::editValue);
    connect(m_remove, &QPushButton::clicked, this, &ChoiceEditor::removeValue);
    connect(m_up, &QToolButton::clicked, this, [this] { moveValue(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { moveValue(1); });
    connect(m_list, &QListWidget::itemChanged, this, &ChoiceEditor::itemChanged);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &ChoiceEditor::selectionChanged);
    connect(m_value, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_add->setEnabled(!text.isEmpty()); });
    refresh();
}

bool ChoiceEditor::showsCombo() const
{
    return m_combo && m_views->currentIndex() == 1;
}

int ChoiceEditor::current() const
{
    if (showsCombo())
        return m_combo->currentIndex();
    const QList<QListWidgetItem *> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : m_list->row(items.constFirst());
}

void ChoiceEditor::select(int index)
{
    const bool valid = index >= 0 && index < m_choices.count();
    if (m_combo)
        m_combo->setCurrentIndex(valid ? index : -1);
    if (valid)
        m_list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    else
        m_list->clearSelection();
    selectionChanged();
}

void ChoiceEditor::addValue()
{
    const QString text = m_value->text();
    if (text.isEmpty())
        return;
    const bool checked = isGroup(m_kind) && m_default->isChecked();
    if (!m_choices.add(text, checked)) {
        m_prompts.warning(msg(27));
        return;
    }
    m_value->clear();
    refresh();
    select(m_choices.count() - 1);
    m_value->setFocus();
}

void ChoiceEditor::editValue()
{
    const int index = current();
    if (index < 0)
        return;
    if (!showsCombo()) {
        m_list->setFocus();
        m_list->editItem(m_list->item(index));
        return;
    }
    m_comboEditing = index;
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_combo->lineEdit()->setText(m_choices.values().at(index).caption);
    m_combo->lineEdit()->selectAll();
    m_combo->lineEdit()->installEventFilter(this);
    m_combo->setFocus();
}

void ChoiceEditor::finishComboEdit(bool commit)
{
    if (m_comboEditing < 0)
        return;
    const int index = m_comboEditing;
    m_comboEditing = -1;
    const QString text = m_combo->lineEdit()->text();
    if (commit && !text.isEmpty())
        m_choices.setCaption(index, text);
    m_combo->lineEdit()->removeEventFilter(this);
    m_combo->setEditable(false);
    refresh();
    select(index);
    m_combo->setFocus();
}

void ChoiceEditor::removeValue()
{
    const int index = current();
    if (index < 0)
        return;
    finishComboEdit(false);
    m_choices.remove(index);
    refresh();
    select(qMin(index, m_choices.count() - 1));
}

void ChoiceEditor::moveValue(int step)
{
    const int index = current();
    if (index < 0)
        return;
    finishComboEdit(true);
    const int moved = step < 0 ? m_choices.moveUp(index) : m_choices.moveDown(index);
    refresh();
    select(moved);
}

void ChoiceEditor::refresh()
{
    m_refreshing = true;
    const int index = current();
    m_list->clear();
    for (const ChoiceValue &value : m_choices.values()) {
        auto *item = new QListWidgetItem(value.caption, m_list);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
        if (isGroup(m_kind)) {
            flags |= Qt::ItemIsUserCheckable;
            item->setCheckState(value.checked ? Qt::Checked : Qt::Unchecked);
        } else if (value.checked) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
        item->setFlags(flags);
    }
    if (m_combo) {
        const QSignalBlocker block(m_combo);
        m_combo->clear();
        for (const ChoiceValue &value : m_choices.values())
            m_combo->addItem(value.checked ? value.caption + QStringLiteral("  (par défaut)") : value.caption);
    }
    m_refreshing = false;
    select(index < m_choices.count() ? index : -1);
    m_add->setEnabled(!m_value->text().isEmpty());
}

void ChoiceEditor::itemChanged(QListWidgetItem *item)
{
    if (m_refreshing)
        return;
    const int index = m_list->row(item);
    if (item->text().isEmpty()) {
        refresh(); // an emptied value keeps its caption
        return;
    }
    m_choices.setCaption(index, item->text());
    if (isGroup(m_kind))
        m_choices.setChecked(index, item->checkState() == Qt::Checked);
    // A radio checked here unchecks the others.
    QMetaObject::invokeMethod(
        this,
        [this, index] {
            refresh();
            select(index);
        },
        Qt::QueuedConnection);
}

void ChoiceEditor::selectionChanged()
{
    if (m_refreshing)
        return;
    const int index = current();
    const bool chosen = index >= 0;
    m_edit->setEnabled(chosen);
    m_remove->setEnabled(chosen);
    m_up->setEnabled(chosen && index > 0);
    m_down->setEnabled(chosen && index < m_choices.count() - 1);
    if (m_kind == ControlKind::DropDown) {
        m_default->setEnabled(chosen);
        m_default->setChecked(chosen && m_choices.values().at(index).checked);
    }
}

bool ChoiceEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == m_value && enter) {
            addValue();
            return true;
        }
        if (watched == m_list && key == Qt::Key_Delete) {
            removeValue();
            return true;
        }
        if (m_combo && m_combo->isEditable() && watched == m_combo->lineEdit() && (enter || key == Qt::Key_Escape)) {
            finishComboEdit(enter);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && m_combo && m_combo->isEditable()
               && watched == m_combo->lineEdit()) {
        QMetaObject::invokeMethod(
            this, [this] { finishComboEdit(true); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}
