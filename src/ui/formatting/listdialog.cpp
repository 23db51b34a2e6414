#include "ui/formatting/listdialog.h"

#include "core/markup/editorstate.h"
#include "core/shell/documenthost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/formatting/formattingcommands.h"
#include "ui/shell/uiguards.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// The bullets drawn as they look in a page.
QIcon bulletIcon(ListBullet bullet)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    const QRectF shape(4, 4, 8, 8);
    if (bullet == ListBullet::Circle) {
        painter.drawEllipse(shape);
    } else if (bullet == ListBullet::Disc) {
        painter.setBrush(Qt::black);
        painter.drawEllipse(shape);
    } else {
        painter.fillRect(shape, Qt::black);
    }
    return QIcon(pixmap);
}

} // namespace

TListeFrm::TListeFrm(DialogServices &services, ListKind kind, QWidget *parent)
    : ElementDialog(services, listCaption(kind), QStringLiteral("listes.html"), parent)
    , m_kind(kind)
{
    setObjectName(QStringLiteral("TListeFrm"));
    body()->addWidget(note(listDescription(kind)));

    auto *pages = new QTabWidget(this);
    auto *general = new QWidget(pages);
    pages->addTab(general, QStringLiteral("Général"));
    body()->addWidget(pages, 1);
    auto *layout = new QVBoxLayout(general);
    QFormLayout *form = addForm(layout);

    m_count = new QSpinBox(general);
    m_count->setObjectName(QStringLiteral("EditRepete"));
    m_count->setRange(1, MaxListItems);
    addField(form, QStringLiteral("&Nombre d'éléments:"), m_count);

    const bool definition = kind == ListKind::Definition;
    m_grid = new QTableWidget(1, definition ? 2 : 1, general);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setHorizontalHeaderLabels(definition ? QStringList{QStringLiteral("Terme"), QStringLiteral("Définition")}
                                                 : QStringList{QStringLiteral("Élément")});
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setTabKeyNavigation(false);
    m_grid->setMinimumSize(340, 150);
    auto *gridLabel = new QLabel(QStringLiteral("&Contenu de la liste:"), general);
    gridLabel->setBuddy(m_grid);
    layout->addWidget(gridLabel);
    layout->addWidget(m_grid, 1);
    connect(m_count, &QSpinBox::valueChanged, this, &TListeFrm::setRowCount);

    if (kind == ListKind::Ordered) {
        m_numberingGroup = new QGroupBox(QStringLiteral("Type de liste"), general);
        m_numberingGroup->setObjectName(QStringLiteral("RadioGroup1"));
        auto *grid = new QGridLayout(m_numberingGroup);
        const char *captions[] = {"&1, 2, 3, ...", "&a, b, c, ...", "&A, B, C, ...", "&i, ii, iii, ...",
                                  "I, II, III, ..."};
        for (int i = 0; i < 5; ++i) {
            m_numbering[i] = new QRadioButton(QString::fromUtf8(captions[i]), m_numberingGroup);
            grid->addWidget(m_numbering[i], i / 2, i % 2);
        }
        // Mnemonics of their own for the two look-alike capitals.
        m_numbering[2]->setText(QStringLiteral("A, &B, C, ..."));
        m_numbering[4]->setText(QStringLiteral("I, I&I, III, ..."));
        m_numbering[0]->setChecked(true);
        layout->addWidget(m_numberingGroup);

        m_start = new QSpinBox(general);
        m_start->setObjectName(QStringLiteral("Edit1"));
        m_start->setRange(-9999, 9999);
        m_start->setValue(1);
        // "-" may stand alone while a negative number is typed; 0 is no
        // start and becomes 1 when the field is left.
        auto *startForm = addForm(layout);
        addField(startForm, QStringLiteral("&Début:"), m_start);
        connect(m_start, &QSpinBox::editingFinished, this, [this] {
            if (m_start->value() == 0)
                m_start->setValue(1);
        });
    }
    if (kind == ListKind::Unordered) {
        m_bulletGroup = new QGroupBox(QStringLiteral("Type de puce (extension de Netscape)"), general);
        m_bulletGroup->setObjectName(QStringLiteral("GroupBox1"));
        auto *row = new QHBoxLayout(m_bulletGroup);
        const char *captions[] = {"Cercle &vide", "Cercle &plein", "Carré p&lein"};
        const ListBullet bullets[] = {ListBullet::Circle, ListBullet::Disc, ListBullet::Square};
        // None checked at first: the browser's own bullet. Clicking the
        // checked button again clears the choice.
        for (int i = 0; i < 3; ++i) {
            m_bullets[i] = new QRadioButton(QString::fromUtf8(captions[i]), m_bulletGroup);
            m_bullets[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
            m_bullets[i]->setIcon(bulletIcon(bullets[i]));
            m_bullets[i]->setAutoExclusive(false);
            row->addWidget(m_bullets[i]);
            connect(m_bullets[i], &QRadioButton::toggled, this, [this, i](bool on) {
                if (!on)
                    return;
                for (int j = 0; j < 3; ++j) {
                    if (j != i)
                        m_bullets[j]->setChecked(false);
                }
            });
        }
        layout->addWidget(m_bulletGroup);
    }
    if (kind == ListKind::Unordered || definition) {
        m_compact = new QCheckBox(QStringLiteral("Interprétation c&ompacte"), general);
        m_compact->setObjectName(QStringLiteral("CheckBox1"));
        layout->addWidget(m_compact);
    }

    const QString &element = services.host.editorState().SelectedElementText;
    if (!element.isEmpty())
        setFields(readList(kind, element));
    m_count->setFocus();
}

void TListeFrm::setRowCount(int count)
{
    // The grid always has as many rows as the count shows.
    m_grid->setRowCount(std::max(1, count));
}

ListFields TListeFrm::fields() const
{
    ListFields f;
    f.kind = m_kind;
    f.items.clear();
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        ListItem item;
        if (const QTableWidgetItem *cell = m_grid->item(row, 0))
            item.text = cell->text();
        if (m_grid->columnCount() > 1) {
            if (const QTableWidgetItem *cell = m_grid->item(row, 1))
                item.definition = cell->text();
        }
        f.items.append(item);
    }
    for (int i = 0; i < 5; ++i) {
        if (m_numbering[i] && m_numbering[i]->isChecked())
            f.numbering = ListNumbering(i);
    }
    if (m_start)
        f.start = m_start->value() == 0 ? QStringLiteral("1") : QString::number(m_start->value());
    for (int i = 0; i < 3; ++i) {
        if (m_bullets[i] && m_bullets[i]->isChecked())
            f.bullet = ListBullet(i + 1);
    }
    f.compact = m_compact && m_compact->isChecked();
    return f;
}

void TListeFrm::setFields(const ListFields &f)
{
    const int count = int(std::max<qsizetype>(1, f.items.size()));
    m_count->setMaximum(std::max(MaxListItems, count));
    m_count->setValue(count);
    setRowCount(count);
    for (int row = 0; row < f.items.size(); ++row) {
        m_grid->setItem(row, 0, new QTableWidgetItem(f.items.at(row).text));
        if (m_grid->columnCount() > 1)
            m_grid->setItem(row, 1, new QTableWidgetItem(f.items.at(row).definition));
    }
    if (m_numbering[0])
        m_numbering[int(f.numbering)]->setChecked(true);
    if (m_start)
        m_start->setValue(normalizedListStart(f.start).toInt());
    for (int i = 0; i < 3; ++i) {
        if (m_bullets[i])
            m_bullets[i]->setChecked(int(f.bullet) == i + 1);
    }
    if (m_compact)
        m_compact->setChecked(f.compact);
}

bool TListeFrm::confirm()
{
    QWidget *frame = services().host.window();
    BusyCursor busy;
    PaintingFreeze freeze(frame);
    insertPieces(services().host, listPiecesToWrite(services().host.editorState().SelectedElementText, fields()),
                 elementUndoKind(services().host));
    return true;
}
