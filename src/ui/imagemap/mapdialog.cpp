#include "ui/imagemap/mapdialog.h"

#include "core/dialogs/eventcalls.h"
#include "core/imagemap/mapreader.h"
#include "core/imagemap/mapwriter.h"
#include "core/markup/identifiers.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/dialogs/linkdialogs.h"
#include "ui/imagemap/mapsketch.h"
#include "ui/images/picture.h"
#include "ui/shell/uiguards.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A catalogue caption with "&" before its first letter `key` (for Alt+key).
QString withMnemonic(const QString &caption, QChar key)
{
    QString text = caption;
    const qsizetype at = text.indexOf(key, 0, Qt::CaseInsensitive);
    text.insert(at < 0 ? 0 : at, QLatin1Char('&'));
    return text;
}

QSpinBox *numberField(int minimum, QWidget *parent)
{
    auto *field = new QSpinBox(parent);
    field->setRange(minimum, MapFields::MaxValue);
    field->setAccelerated(true);
    return field;
}

// A width or height field's text as a number, 0 when it is none.
int sizeText(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value > 0 ? value : 0;
}

} // namespace

TMapFrm::TMapFrm(DialogServices &services, const QString &selectedElement, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Image en coordonnées"), QStringLiteral("imagemap.html"), parent)
    , m_selected(selectedElement)
{
    body()->addWidget(m_upper = buildUpper());
    body()->addWidget(buildSketch(), 1);
    setTabOrder(m_list, m_sketch);
    setTabOrder(m_sketch, m_pictureButton);
    setTabOrder(m_pictureButton, m_addButton);
    setTabOrder(m_addButton, m_clearButton);
    setTabOrder(m_clearButton, m_maximise);
    resize(760, 660);
    openSelected();
}

QWidget *TMapFrm::buildUpper()
{
    auto *upper = new QWidget(this);
    upper->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto *layout = new QVBoxLayout(upper);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(note(msg(425)));

    auto *nameRow = new QHBoxLayout;
    auto *nameLabel = new QLabel(withMnemonic(msg(426), QLatin1Char('N')), upper);
    m_name = lineEdit(256);
    // Room for a usual map name even at the dialog's smallest size, beside
    // its long label.
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 22);
    nameLabel->setBuddy(m_name);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_name, 1);
    layout->addLayout(nameRow);

    auto *middle = new QHBoxLayout;
    auto *group = new QGroupBox(msg(242), upper);
    auto *grid = new QGridLayout(group);
    m_x = numberField(0, group);
    m_y = numberField(0, group);
    m_size = numberField(1, group);
    m_height = numberField(1, group);
    auto *xLabel = new QLabel(QLatin1Char('&') + msg(427), group);
    auto *yLabel = new QLabel(QLatin1Char('&') + msg(428), group);
    m_sizeLabel = new QLabel(group);
    m_heightLabel = new QLabel(withMnemonic(msg(239), QLatin1Char('H')), group);
    xLabel->setBuddy(m_x);
    yLabel->setBuddy(m_y);
    m_sizeLabel->setBuddy(m_size);
    m_heightLabel->setBuddy(m_height);
    grid->addWidget(xLabel, 0, 0);
    grid->addWidget(m_x, 0, 1);
    grid->addWidget(yLabel, 0, 2);
    grid->addWidget(m_y, 0, 3);
    grid->addWidget(m_sizeLabel, 1, 0);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(m_heightLabel, 1, 2);
    grid->addWidget(m_height, 1, 3);
    // A circle hides the height and relabels the width as the radius; the
    // fields keep their room so the zone list beside them does not jump.
    for (QWidget *w : std::initializer_list<QWidget *>{m_height, m_heightLabel}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    int widest = 0;
    for (const auto &[number, key] : {std::pair{238, 'L'}, std::pair{437, 'R'}}) {
        m_sizeLabel->setText(withMnemonic(msg(number), QLatin1Char(key)));
        widest = std::max(widest, m_sizeLabel->sizeHint().width());
    }
    m_sizeLabel->setMinimumWidth(widest);
    m_rectangle = new QRadioButton(withMnemonic(msg(429), QLatin1Char('e')), group);
    m_circle = new QRadioButton(withMnemonic(msg(430), QLatin1Char('C')), group);
    m_rectangle->setChecked(true);
    grid->addWidget(m_rectangle, 2, 0, 1, 2);
    grid->addWidget(m_circle, 2, 2, 1, 2);
    middle->addWidget(group);

    auto *listColumn = new QVBoxLayout;
    auto *listLabel = new QLabel(withMnemonic(msg(431), QLatin1Char('o')), upper);
    m_list = new QListWidget(upper);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setMaximumHeight(m_list->fontMetrics().height() * 8);
    listLabel->setBuddy(m_list);
    listColumn->addWidget(listLabel);
    listColumn->addWidget(m_list, 1);
    middle->addLayout(listColumn, 1);
    layout->addLayout(middle);

    for (QSpinBox *field : {m_x, m_y, m_size, m_height})
        connect(field, &QSpinBox::valueChanged, this, &TMapFrm::fieldsEdited);
    connect(m_rectangle, &QRadioButton::toggled, this, &TMapFrm::kindChosen);

    m_linkMenu = new QMenu(this);
    m_linkMenu->addAction(msg(432), this, [this] { addZone(AreaLink::External); });
    m_linkMenu->addAction(msg(433), this, [this] { addZone(AreaLink::Internal); });
    m_linkMenu->addAction(msg(434), this, [this] { addZone(AreaLink::None); });

    m_listMenu = new QMenu(this);
    m_addAction = m_listMenu->addAction(msg(435), this, &TMapFrm::showLinkMenu);
    m_deleteAction = m_listMenu->addAction(msg(436), this, &TMapFrm::deleteSelectedZone);
    m_eventsAction = m_listMenu->addAction(msg(797), this, &TMapFrm::editZoneEvents);
    m_addAction->setShortcut(Qt::Key_Insert);
    m_deleteAction->setShortcut(Qt::Key_Delete);
    for (QAction *action : {m_addAction, m_deleteAction}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        m_list->addAction(action);
    }
    connect(m_listMenu, &QMenu::aboutToShow, this, &TMapFrm::refreshListMenu);
    connect(m_list, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_listMenu->popup(m_list->viewport()->mapToGlobal(pos)); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_sketch->setHighlighted(row);
        refreshListMenu();
    });
    return upper;
}

QWidget *TMapFrm::buildSketch()
{
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    // The navy title bar with the maximise toggle.
    auto *title = new QWidget(frame);
    title->setAutoFillBackground(true);
    QPalette navy = title->palette();
    navy.setColor(QPalette::Window, QColor(0, 0, 128));
    navy.setColor(QPalette::WindowText, Qt::white);
    title->setPalette(navy);
    auto *titleRow = new QHBoxLayout(title);
    titleRow->setContentsMargins(6, 2, 2, 2);
    auto *caption = new QLabel(msg(232), title);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    titleRow->addWidget(caption, 1);
    m_maximise = new QToolButton(title);
    m_maximise->setCheckable(true);
    m_maximise->setAutoRaise(true);
    m_maximise->setIcon(style()->standardIcon(QStyle::SP_TitleBarMaxButton));
    m_maximise->setToolTip(msg(439));
    m_maximise->setAccessibleName(msg(439));
    titleRow->addWidget(m_maximise);
    layout->addWidget(title);
    connect(m_maximise, &QToolButton::toggled, this, [this](bool maximised) {
        m_upper->setVisible(!maximised);
        m_maximise->setIcon(
            style()->standardIcon(maximised ? QStyle::SP_TitleBarNormalButton : QStyle::SP_TitleBarMaxButton));
    });

    auto *row = new QHBoxLayout;
    row->setContentsMargins(2, 2, 2, 2);
    auto *tools = new QVBoxLayout;
    auto tool = [frame, tools](const QString &caption, QStyle::StandardPixmap icon) {
        auto *button = new QToolButton(frame);
        button->setText(caption);
        button->setToolTip(QString(caption).remove(QLatin1Char('&')));
        button->setIcon(frame->style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        tools->addWidget(button);
        return button;
    };
    m_pictureButton = tool(withMnemonic(msg(7578), QLatin1Char('I')), QStyle::SP_DirOpenIcon);
    m_addButton = tool(withMnemonic(msg(7577), QLatin1Char('Z')), QStyle::SP_FileDialogNewFolder);
    m_clearButton = tool(withMnemonic(msg(7503), QLatin1Char('f')), QStyle::SP_DialogResetButton);
    tools->addStretch(1);
    row->addLayout(tools);
    connect(m_pictureButton, &QToolButton::clicked, this, &TMapFrm::choosePicture);
    connect(m_addButton, &QToolButton::clicked, this, &TMapFrm::showLinkMenu);
    connect(m_clearButton, &QToolButton::clicked, this, &TMapFrm::clearAll);

    auto *view = new QVBoxLayout;
    m_pictureStatus = new QLabel(frame);
    m_pictureStatus->setWordWrap(true);
    m_pictureStatus->hide();
    view->addWidget(m_pictureStatus);
    m_scroll = new QScrollArea(frame);
    m_sketch = new MapSketch;
    m_sketch->setAccessibleName(msg(232));
    m_scroll->setWidget(m_sketch);
    m_scroll->setMinimumHeight(200);
    view->addWidget(m_scroll, 1);
    row->addLayout(view, 1);
    layout->addLayout(row, 1);

    connect(m_sketch, &MapSketch::currentDragged, this, [this](const MapZone &z) { zoneFromSketch(z, false); });
    connect(m_sketch, &MapSketch::currentPlaced, this, [this](const MapZone &z) { zoneFromSketch(z, true); });
    m_sketch->nextZone = [this] { return selectNextZone(); };
    return frame;
}

int TMapFrm::runDialog(QDialog &dialog)
{
    return execDialog ? execDialog(dialog) : dialog.exec();
}

void TMapFrm::openSelected()
{
    clearAll();
    if (m_selected.isEmpty())
        return;
    m_reading = ReadSelectedMap(m_selected);
    const MapReading &reading = m_reading;
    LoadMap(m_model, reading);
    m_name->setText(m_model.name);
    showPicture(reading.pictureFile);
    showAreas(-1);
    showFields();
}

void TMapFrm::showPicture(const QString &file, const QSize &stretch)
{
    m_pictureStatus->hide();
    if (file.isEmpty()) {
        m_sketch->setPicture(QImage());
        return;
    }
    // A relative name is read from the page's folder.
    QString path = file;
    const QString page = services().pageFileName();
    if (QFileInfo(file).isRelative() && QFileInfo(page).isAbsolute())
        path = QFileInfo(page).dir().filePath(file);
    BusyCursor busy;
    LoadedPicture picture = LoadPicture(path);
    if (!picture.ok()) {
        m_sketch->setPicture(QImage());
        m_pictureStatus->setText(QStringLiteral("[") + file + QStringLiteral("]") + msg(438));
        m_pictureStatus->show();
        return;
    }
    QSize size = picture.image.size();
    if (stretch.width() > 0)
        size.setWidth(stretch.width());
    if (stretch.height() > 0)
        size.setHeight(stretch.height());
    if (size != picture.image.size())
        picture.image = picture.image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_sketch->setPicture(picture.image);
    fitToPicture();
}

void TMapFrm::fitToPicture()
{
    // Room for the whole picture when the screen has it.
    layout()->activate();
    const QSize picture = m_sketch->pictureSize();
    const QSize around(m_scroll->x() + 40, height() - m_scroll->height() + 24);
    QSize wanted = size().expandedTo(picture + around);
    if (const QScreen *screen = this->screen())
        wanted = wanted.boundedTo(screen->availableGeometry().size() * 9 / 10);
    if (wanted != size())
        resize(wanted);
}

void TMapFrm::showFields()
{
    m_showing = true;
    const MapFields &f = m_model.fields;
    m_x->setValue(f.x);
    m_y->setValue(f.y);
    m_size->setValue(f.size);
    m_height->setValue(f.height);
    (f.kind == MapZone::Kind::Circle ? m_circle : m_rectangle)->setChecked(true);
    const bool circle = f.kind == MapZone::Kind::Circle;
    m_sizeLabel->setText(withMnemonic(msg(circle ? 437 : 238), QLatin1Char(circle ? 'R' : 'L')));
    m_height->setVisible(!circle);
    m_heightLabel->setVisible(!circle);
    m_showing = false;
    m_sketch->setCurrent(m_model.current());
}

void TMapFrm::fieldsEdited()
{
    if (m_showing)
        return;
    m_model.fields.x = m_x->value();
    m_model.fields.y = m_y->value();
    m_model.fields.size = m_size->value();
    m_model.fields.height = m_height->value();
    m_sketch->setCurrent(m_model.current());
}

void TMapFrm::kindChosen()
{
    if (m_showing)
        return;
    m_model.fields.kind = m_circle->isChecked() ? MapZone::Kind::Circle : MapZone::Kind::Rectangle;
    showFields();
}

void TMapFrm::zoneFromSketch(const MapZone &zone, bool placed)
{
    m_model.fields = FieldsOfZone(zone, m_model.fields);
    showFields();
    if (placed)
        m_scroll->ensureVisible(zone.left + zone.width / 2, zone.top + zone.height / 2, zone.width / 2 + 8,
                                zone.height / 2 + 8);
}

void TMapFrm::showAreas(int selected)
{
    m_list->clear();
    for (const MapArea &area : m_model.areas())
        m_list->addItem(area.line);
    m_sketch->setAreas(m_model.areas());
    m_list->setCurrentRow(selected);
    m_sketch->setHighlighted(selected);
    refreshListMenu();
}

void TMapFrm::refreshListMenu()
{
    const bool selected = m_list->currentRow() >= 0;
    m_deleteAction->setEnabled(selected);
    m_eventsAction->setEnabled(selected);
    m_addAction->setEnabled(!m_model.imageTag.isEmpty());
}

void TMapFrm::showLinkMenu()
{
    m_linkMenu->popup(m_addButton->mapToGlobal(QPoint(m_addButton->width(), 0)));
}

bool TMapFrm::selectNextZone()
{
    const int next = m_list->currentRow() + 1;
    if (next >= m_list->count())
        return false;
    m_list->setCurrentRow(next);
    return true;
}

void TMapFrm::choosePicture()
{
    Prompts &prompts = services().host.prompts();
    if (!m_model.areas().isEmpty()) {
        if (!prompts.askYesNo(msg(44)))
            return;
        openSelected();
    }
    if (services().chooseImage) {
        const DialogServices::ChosenImage chosen = services().chooseImage(this);
        if (chosen.imageTag.isEmpty())
            return;
        m_model.imageTag = chosen.imageTag;
        showPicture(chosen.pictureFile, QSize(sizeText(chosen.widthText), sizeText(chosen.heightText)));
    } else {
        // Without the image dialog: a picture file and a plain IMG tag of
        // its own size.
        const QString file = services().pickPicture(this, msg(3003));
        if (file.isEmpty())
            return;
        const QString relative = services().relativePath(file);
        if (relative.isEmpty())
            return;
        const LoadedPicture picture = LoadPicture(file, QSize());
        if (!picture.ok()) {
            prompts.information(QStringLiteral("[") + file + QStringLiteral("]") + msg(438));
            return;
        }
        m_model.imageTag = QStringLiteral("<IMG SRC=\"%1\" WIDTH=%2 HEIGHT=%3>")
                               .arg(relative)
                               .arg(picture.image.width())
                               .arg(picture.image.height());
        m_pictureStatus->hide();
        m_sketch->setPicture(picture.image);
        fitToPicture();
    }
    refreshListMenu();
}

void TMapFrm::addZone(AreaLink link)
{
    Prompts &prompts = services().host.prompts();
    if (m_model.imageTag.isEmpty()) {
        prompts.information(msg(45));
        return;
    }
    QString a, b;
    if (link == AreaLink::External) {
        ExternalLinkDialog dialog(services(), LinkMode::ReturnParts, this);
        if (runDialog(dialog) == QDialog::Accepted) {
            a = dialog.target();
            b = dialog.address();
        }
    } else if (link == AreaLink::Internal) {
        InternalLinkDialog dialog(services(), LinkMode::ReturnParts, this);
        if (runDialog(dialog) == QDialog::Accepted)
            a = dialog.address();
    }
    switch (m_model.addZone(link, a, b)) {
    case MapModel::AddResult::TooMany:
        prompts.information(msg(43));
        return;
    case MapModel::AddResult::NoLink:
        return;
    case MapModel::AddResult::Added:
        break;
    }
    showAreas(int(m_model.areas().size()) - 1);
    showFields();
}

void TMapFrm::deleteSelectedZone()
{
    const int row = m_list->currentRow();
    if (!m_model.removeArea(row))
        return;
    showAreas(std::min(row, int(m_model.areas().size()) - 1));
}

void TMapFrm::editZoneEvents()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_model.areas().size())
        return;
    const QString line = m_model.areas().at(row).line;
    const AreaEvents old = AreaLineEvents(line);
    EventsDialog dialog(services(), this);
    dialog.enableEvents({JsEvent::onMouseOver, JsEvent::onMouseOut});
    dialog.setCall(JsEvent::onMouseOut, old.out);
    dialog.setCall(JsEvent::onMouseOver, old.over);
    if (runDialog(dialog) != QDialog::Accepted)
        return;
    m_model.setLine(row, AreaLineWithEvents(line, dialog.call(JsEvent::onMouseOver), dialog.call(JsEvent::onMouseOut)));
    showAreas(row);
}

void TMapFrm::clearAll()
{
    m_model.reset();
    m_pieces.clear();
    m_pictureStatus->hide();
    m_sketch->setPicture(QImage());
    m_name->clear();
    showAreas(-1);
    showFields();
}

bool TMapFrm::confirm()
{
    // A re-edited map keeps its name as the page wrote it unless the author
    // typed another one.
    const QString typed = m_name->text();
    const QString name = !m_reading.name.isEmpty() && typed == m_reading.name ? typed : MakeIdentifier(typed);
    m_name->setText(name);
    if (name.isEmpty()) {
        services().host.prompts().information(msg(42));
        // The name field may be hidden under the enlarged sketch.
        m_maximise->setChecked(false);
        m_name->setFocus();
        return false;
    }
    m_model.name = name;
    m_pieces = MapPiecesToWrite(m_reading, name, m_model.lines(), m_model.imageTag);
    return true;
}
