#include "ui/formatting/charsetwindow.h"

#include "core/formatting/charorder.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "ui/formatting/formattingcommands.h"
#include "ui/shell/helpwindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// What a cell shows: the no-break space is invisible, so it gets a sign.
QString cellText(int index)
{
    const PickerCharacter &c = pickerCharacters().at(index);
    return c.character == QChar(0xA0) ? QStringLiteral("nbsp") : QString(c.character);
}

QFont scaled(QFont font, qreal factor)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    return font;
}

// One cell of the grid for screen readers: named by its character and its
// entity, placed where it is drawn; pressing it inserts the entity.
class CharacterCellAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    CharacterCellAccessible(CharacterGrid *grid, int index)
        : m_grid(grid)
        , m_index(index)
    {}

    bool isValid() const override { return m_grid; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_grid); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override
    {
        const PickerCharacter &c = pickerCharacters().at(m_index);
        if (t == QAccessible::Name)
            return cellText(m_index) + u' ' + c.entity;
        if (t == QAccessible::Description)
            return QStringLiteral("Insère ") + c.entity;
        return QString();
    }

    QRect rect() const override
    {
        if (!m_grid)
            return QRect();
        const QRect cell = m_grid->cellRect(m_index);
        return QRect(m_grid->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = s.selectable = true;
        if (m_grid && m_grid->current() == m_index) {
            s.selected = true;
            s.focused = m_grid->hasFocus();
        }
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
    void doAction(const QString &name) override
    {
        if (m_grid && name == pressAction())
            emit m_grid->chosen(m_index);
    }

private:
    QPointer<CharacterGrid> m_grid;
    int m_index;
};

// The grid as a list of its cells, so that each one is reachable and named.
class CharacterGridAccessible : public QAccessibleWidget
{
public:
    explicit CharacterGridAccessible(CharacterGrid *grid)
        : QAccessibleWidget(grid, QAccessible::List)
    {}
    ~CharacterGridAccessible() override
    {
        for (QAccessible::Id id : std::as_const(m_cells))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return grid()->count(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (!m_cells.contains(index))
            m_cells.insert(index, QAccessible::registerAccessibleInterface(new CharacterCellAccessible(grid(), index)));
        return QAccessible::accessibleInterface(m_cells.value(index));
    }
    int indexOfChild(const QAccessibleInterface *cell) const override
    {
        for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == cell)
                return it.key();
        }
        return -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(grid()->cellAt(grid()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface *focusChild() const override
    {
        return grid()->hasFocus() ? child(grid()->current()) : nullptr;
    }

private:
    CharacterGrid *grid() const { return static_cast<CharacterGrid *>(widget()); }

    mutable QHash<int, QAccessible::Id> m_cells;
};

QAccessibleInterface *characterGridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("CharacterGrid") && object && object->isWidgetType())
        return new CharacterGridAccessible(static_cast<CharacterGrid *>(object));
    return nullptr;
}

} // namespace

CharacterGrid::CharacterGrid(QWidget *parent)
    : QWidget(parent)
    , m_cell(std::max(26, fontMetrics().height() * 2))
    , m_magnifier(new QLabel(this, Qt::ToolTip))
{
    // Before anything asks for the grid's accessible interface, which is
    // then kept for the widget's life.
    static const bool accessible = (QAccessible::installFactory(characterGridFactory), true);
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Caractères spéciaux"));
    m_magnifier->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_magnifier->setFrameShape(QFrame::Box);
    // Room above for the accents of capitals, which rise above the line.
    m_magnifier->setContentsMargins(10, 18, 10, 6);
    m_magnifier->setAutoFillBackground(true);
    QPalette palette = m_magnifier->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    m_magnifier->setPalette(palette);
    m_magnifier->setMinimumSize(m_cell * 3, m_cell * 3);
}

int CharacterGrid::count() const
{
    return int(pickerCharacters().size());
}

int CharacterGrid::rows() const
{
    return (count() + Columns - 1) / Columns;
}

QSize CharacterGrid::sizeHint() const
{
    return QSize(Columns * m_cell + 1, rows() * m_cell + 1);
}

QRect CharacterGrid::cellRect(int index) const
{
    return QRect((index % Columns) * m_cell, (index / Columns) * m_cell, m_cell, m_cell);
}

int CharacterGrid::cellAt(const QPoint &point) const
{
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / m_cell;
    const int index = (point.y() / m_cell) * Columns + column;
    return column < Columns && index < count() ? index : -1;
}

void CharacterGrid::setCurrent(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    update(cellRect(m_current));
    m_current = index;
    update(cellRect(m_current));
    if (hasFocus()) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(index);
        QAccessible::updateAccessibility(&focus);
    }
    emit shown(m_current);
}

void CharacterGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QFont small = scaled(font(), 0.7);
    const QFont large = scaled(font(), 1.3);
    for (int i = 0; i < count(); ++i) {
        const QRect r = cellRect(i);
        if (i == m_current && hasFocus())
            painter.fillRect(r, palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(r);
        painter.setPen(palette().color(i == m_current && hasFocus() ? QPalette::HighlightedText : QPalette::Text));
        const QString text = cellText(i);
        painter.setFont(text.size() > 1 ? small : large);
        painter.drawText(r, Qt::AlignCenter, text);
    }
}

void CharacterGrid::magnify(int index)
{
    if (index < 0) {
        m_magnifier->hide();
        return;
    }
    m_magnifier->setText(
        QStringLiteral("<div style='font-size:40pt'>%1</div><div>%2</div>")
            .arg(cellText(index).toHtmlEscaped(), pickerCharacters().at(index).entity.toHtmlEscaped()));
    m_magnifier->adjustSize();
    const QRect cell = cellRect(index);
    m_magnifier->move(mapToGlobal(QPoint(cell.center().x() - m_magnifier->width() / 2, cell.bottom() + 4)));
    m_magnifier->show();
}

void CharacterGrid::hideMagnifier()
{
    m_magnifier->hide();
}

void CharacterGrid::mousePressEvent(QMouseEvent *event)
{
    const int index = cellAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0)
        return;
    setCurrent(index);
    magnify(index);
}

void CharacterGrid::mouseMoveEvent(QMouseEvent *event)
{
    const int index = cellAt(event->position().toPoint());
    if (event->buttons() & Qt::LeftButton) {
        if (index >= 0)
            setCurrent(index);
        magnify(index);
    }
    emit shown(index >= 0 ? index : m_current);
}

void CharacterGrid::mouseReleaseEvent(QMouseEvent *)
{
    hideMagnifier();
}

void CharacterGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int index = cellAt(event->position().toPoint());
    hideMagnifier();
    if (index >= 0)
        emit chosen(index);
}

void CharacterGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrent(m_current - 1);
        break;
    case Qt::Key_Right:
        setCurrent(m_current + 1);
        break;
    case Qt::Key_Up:
        setCurrent(m_current - Columns);
        break;
    case Qt::Key_Down:
        setCurrent(std::min(m_current + Columns, count() - 1));
        break;
    case Qt::Key_Home:
        setCurrent(0);
        break;
    case Qt::Key_End:
        setCurrent(count() - 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit chosen(m_current);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CharacterGrid::leaveEvent(QEvent *)
{
    emit shown(m_current);
}

void CharacterGrid::focusInEvent(QFocusEvent *)
{
    update(cellRect(m_current));
}

void CharacterGrid::focusOutEvent(QFocusEvent *)
{
    update(cellRect(m_current));
}

TcharsetFrm::TcharsetFrm(DocumentHost &host, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_host(host)
    , m_grid(new CharacterGrid(this))
    , m_preview(new QLabel(this))
    , m_entity(new QLabel(this))
{
    setObjectName(QStringLiteral("TcharsetFrm"));
    setWindowTitle(QStringLiteral("Caractères spéciaux"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto *layout = new QVBoxLayout(this);
    auto *hint = new QLabel(QStringLiteral("Double-cliquez sur un caractère (ou choisissez-le avec les flèches et "
                                           "Entrée) pour insérer son entité dans la page."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *row = new QHBoxLayout;
    layout->addLayout(row);
    row->addWidget(m_grid);

    auto *side = new QVBoxLayout;
    row->addLayout(side);
    m_preview->setObjectName(QStringLiteral("CharPreview"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setMinimumSize(96, 96);
    m_preview->setFont(scaled(font(), 3.5));
    m_preview->setAutoFillBackground(true);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    m_preview->setPalette(palette);
    m_entity->setAlignment(Qt::AlignCenter);
    // "&lt;" is shown as written, not as the character it stands for.
    m_entity->setTextFormat(Qt::PlainText);
    m_entity->setTextInteractionFlags(Qt::TextSelectableByMouse);
    side->addWidget(m_preview);
    side->addWidget(m_entity);
    side->addStretch(1);
    auto *help = new QPushButton(msg(2003), this);
    help->setAutoDefault(false);
    side->addWidget(help);

    connect(m_grid, &CharacterGrid::shown, this, &TcharsetFrm::showCharacter);
    connect(m_grid, &CharacterGrid::chosen, this, &TcharsetFrm::choose);
    connect(help, &QPushButton::clicked, this, [this] { showHelpTopic(this, QStringLiteral("caracteres.html")); });
    showCharacter(0);
    m_grid->setFocus();
    resize(sizeHint());
}

void TcharsetFrm::showCharacter(int index)
{
    if (index < 0 || index >= m_grid->count())
        return;
    const PickerCharacter &c = pickerCharacters().at(int(index));
    m_preview->setText(c.character == QChar(0xA0) ? QStringLiteral("\u2423") : QString(c.character));
    m_entity->setText(c.entity);
}

void TcharsetFrm::choose(int index)
{
    if (index < 0 || index >= m_grid->count())
        return;
    m_grid->hideMagnifier();
    insertPieces(m_host, {pickerCharacters().at(index).entity}, ukInsert);
    // The page gets the keyboard back; the picker stays open.
    if (QWidget *frame = m_host.window()) {
        frame->raise();
        frame->activateWindow();
    }
}
