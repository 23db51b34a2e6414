#include "ui/frameset/framesetdesigner.h"

#include "core/frameset/frameproperties.h"
#include "core/frameset/framesetwriter.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/frameset/cadredialog.h"
#include "ui/frameset/framesketch.h"
#include "ui/shell/uiguards.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A button of the tool row; unlike a tool button it keeps its Alt+letter.
QPushButton *toolButton(QAction *action, QWidget *parent)
{
    auto *button = new QPushButton(action->text(), parent);
    button->setToolTip(action->toolTip());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return button;
}

} // namespace

TFrameFrm::TFrameFrm(DialogServices &services, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Définition des cadres"), QStringLiteral("cadres.html"), parent)
{
    body()->addWidget(note(
        QStringLiteral("Les cadres sont des fenêtres fixes à l'écran. Chaque cadre est associé à un fichier HTML.")));

    m_merge =
        addCommand(QStringLiteral("&Fusionner cadres"), QKeySequence(Qt::CTRL | Qt::Key_F), &TFrameFrm::mergeFrames);
    m_properties =
        addCommand(QStringLiteral("&Propriétés du cadre"), QKeySequence(Qt::CTRL | Qt::Key_P), &TFrameFrm::editFrame);
    m_addRow = addCommand(QStringLiteral("Ajouter &rangée"), QKeySequence(Qt::CTRL | Qt::Key_R), nullptr);
    m_addColumn = addCommand(QStringLiteral("Ajouter &colonne"), QKeySequence(Qt::CTRL | Qt::Key_C), nullptr);
    m_removeRow = addCommand(QStringLiteral("Supprimer r&angée"), QKeySequence(Qt::CTRL | Qt::Key_A), nullptr);
    m_removeColumn = addCommand(QStringLiteral("Supprimer c&olonne"), QKeySequence(Qt::CTRL | Qt::Key_O), nullptr);

    // The tool row.
    auto *tools = new QHBoxLayout;
    auto *mergeTool = new QAction(QStringLiteral("Fusionner les cadres sélectionnés"), this);
    mergeTool->setToolTip(QStringLiteral("Fusionner les cadres sélectionnés (Ctrl+F)"));
    connect(mergeTool, &QAction::triggered, this, &TFrameFrm::mergeFrames);
    auto *propertiesTool = new QAction(QStringLiteral("Propriétés du cadre"), this);
    propertiesTool->setToolTip(QStringLiteral("Propriétés du cadre sélectionné (Ctrl+P)"));
    connect(propertiesTool, &QAction::triggered, this, &TFrameFrm::editFrame);
    auto *framesetTool = new QAction(QStringLiteral("Propriétés a&dditionnelles des cadres"), this);
    connect(framesetTool, &QAction::triggered, this, &TFrameFrm::editFramesetAttributes);
    auto *clearTool = new QAction(QStringLiteral("&Effacer tout"), this);
    connect(clearTool, &QAction::triggered, this, &TFrameFrm::clearAll);
    for (QAction *action : {mergeTool, propertiesTool, framesetTool, clearTool})
        tools->addWidget(toolButton(action, this));
    tools->addStretch();
    body()->addLayout(tools);

    // The sketch beside the counts.
    auto *middle = new QHBoxLayout;
    auto *sketchBox = new QGroupBox(QStringLiteral("Esquisse"));
    auto *sketchLayout = new QVBoxLayout(sketchBox);
    m_maximise = new QToolButton(sketchBox);
    m_maximise->setText(QStringLiteral("A&grandir"));
    m_maximise->setCheckable(true);
    m_maximise->setToolTip(QStringLiteral("Agrandir la fenêtre pour dessiner à l'aise"));
    connect(m_maximise, &QToolButton::toggled, this, [this](bool on) { on ? showMaximized() : showNormal(); });
    sketchLayout->addWidget(m_maximise, 0, Qt::AlignRight);
    m_sketch = new FrameSketch(m_layout, sketchBox);
    m_sketch->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_sketch, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        menu.addActions({m_merge, m_properties});
        menu.addSeparator();
        menu.addActions({m_addRow, m_addColumn, m_removeRow, m_removeColumn});
        menu.exec(m_sketch->mapToGlobal(at));
    });
    connect(m_sketch, &FrameSketch::selectionChanged, this, &TFrameFrm::refresh);
    sketchLayout->addWidget(m_sketch, 1);
    middle->addWidget(sketchBox, 1);

    auto *side = new QVBoxLayout;
    auto *counts = new QGroupBox(QStringLiteral("Nombre de cadres"));
    counts->setToolTip(
        QStringLiteral("Ajuster les colonnes/rangées pour obtenir le résultat visuel voulu, fusionner par la suite"));
    QFormLayout *countForm = new QFormLayout(counts);
    m_columns = new QSpinBox(counts);
    m_rows = new QSpinBox(counts);
    for (QSpinBox *spin : {m_columns, m_rows})
        spin->setRange(1, FramesetLayout::MaxColumns);
    addField(countForm, QStringLiteral("Co&lonne:"), m_columns);
    addField(countForm, QStringLiteral("&Rangée:"), m_rows);
    connect(m_columns, &QSpinBox::valueChanged, this, &TFrameFrm::countsChanged);
    connect(m_rows, &QSpinBox::valueChanged, this, &TFrameFrm::countsChanged);
    side->addWidget(counts);
    side->addStretch();
    middle->addLayout(side);
    body()->addLayout(middle, 1);

    m_noFrames = new QCheckBox(QStringLiteral("&Option pour les navigateurs ne supportant pas les cadres."));
    m_noFrames->setChecked(true);
    body()->addWidget(m_noFrames);

    QPushButton *script = buttonBox()->addButton(QStringLiteral("&Script"), QDialogButtonBox::ActionRole);
    connect(script, &QPushButton::clicked, this, [this] { runSubDialog(events()); });

    connect(m_addRow, &QAction::triggered, this, [this] { m_rows->stepUp(); });
    connect(m_addColumn, &QAction::triggered, this, [this] { m_columns->stepUp(); });
    connect(m_removeRow, &QAction::triggered, this, [this] { m_rows->stepDown(); });
    connect(m_removeColumn, &QAction::triggered, this, [this] { m_columns->stepDown(); });

    setTabOrder(m_sketch, m_columns);
    refresh();
    resize(640, 460);
}

TFrameFrm::~TFrameFrm() = default;

QAction *TFrameFrm::addCommand(const QString &text, const QKeySequence &key, void (TFrameFrm::*slot)())
{
    auto *action = new QAction(text, this);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

EventsDialog &TFrameFrm::events()
{
    if (!m_events) {
        m_events = std::make_unique<EventsDialog>(services(), this);
        m_events->enableEvents({JsEvent::onLoad, JsEvent::onUnload});
    }
    return *m_events;
}

int TFrameFrm::runSubDialog(QDialog &dialog)
{
    if (beforeSubDialog)
        beforeSubDialog(dialog);
    return dialog.exec();
}

void TFrameFrm::countsChanged()
{
    m_layout.setColumnCount(m_columns->value());
    m_layout.setRowCount(m_rows->value());
    refresh();
}

void TFrameFrm::refresh()
{
    m_addColumn->setEnabled(m_layout.columnCount() < FramesetLayout::MaxColumns);
    m_removeColumn->setEnabled(m_layout.columnCount() > 1);
    m_addRow->setEnabled(m_layout.rowCount() < FramesetLayout::MaxRows);
    m_removeRow->setEnabled(m_layout.rowCount() > 1);
    m_sketch->update();
}

void TFrameFrm::mergeFrames()
{
    if (!m_layout.mergeSelection())
        services().host.prompts().information(msg(46));
    refresh();
}

void TFrameFrm::editFrame()
{
    const std::vector<SlotPos> selected = m_layout.selectedOwners();
    if (selected.size() != 1) {
        services().host.prompts().information(msg(47));
        return;
    }
    FrameRec &frame = m_layout.frame(selected.front().column, selected.front().row);
    TCadreFrm dialog(services(), TCadreFrm::Mode::Frame, this);
    dialog.setFrameFields(FieldsOfFrame(frame));
    if (runSubDialog(dialog) == QDialog::Accepted)
        StoreFrameFields(dialog.frameFields(), frame);
    refresh();
}

void TFrameFrm::editFramesetAttributes()
{
    TCadreFrm dialog(services(), TCadreFrm::Mode::Frameset, this);
    dialog.setFramesetFields(FieldsOfFrameset(m_attributes));
    if (runSubDialog(dialog) == QDialog::Accepted)
        StoreFramesetFields(dialog.framesetFields(), m_attributes);
}

void TFrameFrm::clearAll()
{
    m_layout.clear();
    m_attributes = FramesetAttributes{};
    m_noFrames->setChecked(true);
    const QSignalBlocker columns(m_columns);
    const QSignalBlocker rows(m_rows);
    m_columns->setValue(1);
    m_rows->setValue(1);
    refresh();
}

bool TFrameFrm::confirm()
{
    DocumentHost &host = services().host;
    switch (CheckFramesetLayout(m_layout)) {
    case FramesetCheck::MissingNameOrSource:
        host.prompts().information(msg(49));
        return false;
    case FramesetCheck::SingleFrame:
        host.prompts().warning(msg(52));
        return true;
    case FramesetCheck::Ready:
        break;
    }
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return true;
    FramesetAttributes attributes = m_attributes;
    attributes.NoFramesOption = m_noFrames->isChecked();
    if (m_events) {
        attributes.onLoad = m_events->call(JsEvent::onLoad);
        attributes.onUnload = m_events->call(JsEvent::onUnload);
    }
    int failure = 0;
    {
        const PaintingFreeze freeze(host.window());
        failure = WriteFrameset(*text, *undo, host.editorState(), host.prompts(), m_layout, attributes);
    }
    host.UpdateCommandStates();
    return failure == 0;
}
