#include "ui/dialogs/linkdialogs.h"

#include "core/attributes/starttag.h"
#include "core/markup/editorstate.h"
#include "core/markup/identifiers.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/shell/uiguards.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Clicking the selected entry of a list again clears the choice.
class ToggleListFilter : public QObject
{
public:
    explicit ToggleListFilter(QListWidget *list)
        : QObject(list)
        , m_list(list)
    {
        list->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::MouseButtonPress)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        QListWidgetItem *item = m_list->itemAt(mouse->position().toPoint());
        if (!item || !item->isSelected())
            return false;
        m_list->clearSelection();
        return true;
    }

private:
    QListWidget *m_list;
};

// A page named by its help anchor.
QWidget *newPage(QTabWidget *pages, const QString &caption, const char *anchor, QVBoxLayout *&layout)
{
    auto *page = new QWidget(pages);
    page->setObjectName(QLatin1String(anchor));
    layout = new QVBoxLayout(page);
    pages->addTab(page, caption);
    return page;
}

QPlainTextEdit *readOnlyCopy(QWidget *parent)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setReadOnly(true);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edit->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    return edit;
}

QString selectedEntry(const QListWidget *list)
{
    const QList<QListWidgetItem *> items = list->selectedItems();
    return items.isEmpty() ? QString() : items.constFirst()->text();
}

} // namespace

LinkDialogBase::LinkDialogBase(DialogServices &services, LinkMode mode, const QString &caption, const QString &helpPage,
                               QWidget *parent)
    : ElementDialog(services, caption, helpPage, parent)
    , m_mode(mode)
    , m_pages(new QTabWidget(this))
{
    body()->addWidget(m_pages);
    m_scriptButton = buttonBox()->addButton(QStringLiteral("&Script"), QDialogButtonBox::ActionRole);
    m_scriptButton->setVisible(mode != LinkMode::ReturnParts);
    connect(m_scriptButton, &QPushButton::clicked, this, [this] { events().exec(); });
}

LinkDialogBase::~LinkDialogBase() = default;

EventsDialog &LinkDialogBase::events()
{
    if (!m_events) {
        m_events = std::make_unique<EventsDialog>(services(), this);
        m_events->enableEvents({JsEvent::onMouseOver, JsEvent::onMouseOut, JsEvent::onClick});
    }
    return *m_events;
}

QString LinkDialogBase::helpAnchor() const
{
    return m_pages->currentWidget() ? m_pages->currentWidget()->objectName() : QString();
}

void LinkDialogBase::addJavaScriptPage()
{
    QVBoxLayout *layout = nullptr;
    newPage(m_pages, QStringLiteral("JavaScript"), "javascript", layout);
    layout->addWidget(note(QStringLiteral("Nom identificateur lors d'une référence JavaScript.")));
    m_name = lineEdit(256);
    addField(addForm(layout), QStringLiteral("&Nom identificateur du lien:"), m_name);
    layout->addStretch();
    // An image map's zone takes only the target and the address: a name
    // typed here would be dropped, so the page is not offered.
    if (m_mode == LinkMode::ReturnParts)
        m_pages->setTabVisible(m_pages->count() - 1, false);
}

QString LinkDialogBase::eventAttributes()
{
    if (!m_events)
        return QString();
    return m_events->attributes({JsEvent::onMouseOver, JsEvent::onMouseOut, JsEvent::onClick});
}

void LinkDialogBase::wrapSelection(const QString &startTag)
{
    DocumentHost &host = services().host;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return;
    InsertTagPair(*text, *undo, host.editorState(), startTag, QStringLiteral("</A>"), true, true, ukWrap);
    host.UpdateCommandStates();
}

void LinkDialogBase::makeToggleList(QListWidget *list)
{
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    new ToggleListFilter(list);
}

ExternalLinkDialog::ExternalLinkDialog(DialogServices &services, LinkMode mode, QWidget *parent)
    : LinkDialogBase(services, mode, msg(230), QStringLiteral("lienexterne.html"), parent)
{
    setObjectName(QStringLiteral("TlienFrm"));
    QVBoxLayout *layout = nullptr;

    newPage(pages(), QStringLiteral("Général"), "general", layout);
    layout->addWidget(note(QStringLiteral("Un lien externe fait référence à lien vers un autre document ou objet.")));
    m_address = historyCombo(512);
    m_browse = new QToolButton(this);
    m_browse->setText(QStringLiteral("..."));
    m_browse->setToolTip(QStringLiteral("Parcourir"));
    m_browse->setAccessibleName(QStringLiteral("Parcourir"));
    addField(addForm(layout), QStringLiteral("&Référence à un lien externe:"), m_address, m_browse);
    auto *protocolBox = new QGroupBox(QStringLiteral("Type de destinataire"), this);
    auto *grid = new QGridLayout(protocolBox);
    m_protocols = new QButtonGroup(this);
    for (int i = 0; i < LinkProtocols().size(); ++i) {
        auto *radio = new QRadioButton(LinkProtocols().at(i), protocolBox);
        m_protocols->addButton(radio, i);
        grid->addWidget(radio, i / 4, i % 4);
    }
    m_protocols->button(ProtocolNone)->setChecked(true);
    layout->addWidget(protocolBox);
    m_previewCheck = new QCheckBox(QStringLiteral("Aperçu &visible"), this);
    m_previewCheck->setChecked(true);
    layout->addWidget(m_previewCheck);
    m_previewCaption = new QLabel(QStringLiteral("Aperçu du contenu du lien"), this);
    m_preview = readOnlyCopy(this);
    m_preview->setMinimumHeight(120);
    m_previewCaption->setBuddy(m_preview);
    layout->addWidget(m_previewCaption);
    layout->addWidget(m_preview, 1);
    // Takes the room of the preview while it is hidden.
    layout->addStretch(1);
    m_generalLayout = layout;
    showPreview(false);

    newPage(pages(), QStringLiteral("Destination(s) existante(s)"), "destinations", layout);
    auto *destinationsCaption = new QLabel(QStringLiteral("Destination &interne à l'interieur du lien externe:"), this);
    m_destinations = new QListWidget(this);
    makeToggleList(m_destinations);
    destinationsCaption->setBuddy(m_destinations);
    layout->addWidget(destinationsCaption);
    layout->addWidget(m_destinations, 1);

    newPage(pages(), QStringLiteral("Cibles pour cadres"), "cibles", layout);
    layout->addWidget(note(QStringLiteral("Une cible sert à spécifier le cadre ou le document sera chargé.")));
    m_target = lineEdit(256);
    addField(addForm(layout), QStringLiteral("&Cible ou nom du cadre:"), m_target);
    auto *presetBox = new QGroupBox(QStringLiteral("Cibles prédéfinies"), this);
    auto *presetLayout = new QVBoxLayout(presetBox);
    m_presets = new QButtonGroup(this);
    for (int i = 0; i < TargetPresetCaptions().size(); ++i) {
        auto *radio = new QRadioButton(TargetPresetCaptions().at(i), presetBox);
        m_presets->addButton(radio, i);
        presetLayout->addWidget(radio);
    }
    m_presets->button(0)->setChecked(true);
    layout->addWidget(presetBox);
    layout->addStretch();

    addJavaScriptPage();

    connect(m_protocols, &QButtonGroup::idClicked, this, &ExternalLinkDialog::chooseProtocol);
    connect(m_presets, &QButtonGroup::idClicked, this, [this](int item) { m_target->setText(TargetPreset(item)); });
    connect(m_browse, &QToolButton::clicked, this, &ExternalLinkDialog::browseClicked);
    connect(m_address, &QComboBox::editTextChanged, this, &ExternalLinkDialog::refreshPreview);
    connect(m_previewCheck, &QCheckBox::toggled, this, [this](bool on) { showPreview(on && m_hasPreview); });
    pages()->setCurrentIndex(0);
    m_address->setFocus();
    resize(600, 480);
}

void ExternalLinkDialog::chooseProtocol(int item)
{
    if (m_protocols->checkedId() != item)
        m_protocols->button(item)->setChecked(true);
    m_address->setEditText(m_protocolChoice.choose(m_address->currentText(), item));
}

void ExternalLinkDialog::browseClicked()
{
    const int protocol = m_protocols->checkedId();
    const QString path = browseFile();
    if (path.isEmpty())
        return;
    if (protocol >= ProtocolNone && protocol <= ProtocolFile)
        m_address->setEditText(ProtocolPrefix(protocol) + path);
    refreshPreview();
    remember(m_address);
}

void ExternalLinkDialog::showPreview(bool show)
{
    m_previewCaption->setVisible(show);
    m_preview->setVisible(show);
    m_generalLayout->setStretch(m_generalLayout->count() - 1, show ? 0 : 1);
}

void ExternalLinkDialog::refreshPreview()
{
    m_destinations->clear();
    m_preview->clear();
    const LinkPreview preview =
        PreviewLinkedFile(m_address->currentText(), m_protocols->checkedId(), services().pageFileName());
    m_hasPreview = preview.kind != LinkPreview::Nothing;
    if (preview.kind == LinkPreview::Page) {
        BusyCursor busy;
        m_preview->setPlainText(preview.text);
        m_destinations->addItems(preview.destinations);
    } else {
        m_preview->setPlainText(preview.text);
    }
    showPreview(m_hasPreview && m_previewCheck->isChecked());
}

ExternalLink ExternalLinkDialog::fields()
{
    ExternalLink link;
    link.address = m_address->currentText();
    link.destination = selectedEntry(m_destinations);
    link.name = nameField()->text();
    link.target = m_target->text();
    link.events = eventAttributes();
    return link;
}

bool ExternalLinkDialog::confirm()
{
    const QString address = m_address->currentText();
    if (address.isEmpty()) {
        services().host.prompts().warning(msg(30));
        return false;
    }
    const int protocol = m_protocols->checkedId();
    if ((protocol == ProtocolNone || protocol == ProtocolFile)
        && !confirmExistingFile(LocalLinkFile(address, protocol)))
        return false;
    remember(m_address);
    m_result = fields();
    m_startTag = ExternalLinkStartTag(m_result);
    if (mode() == LinkMode::ReturnParts)
        m_result.target = MakeIdentifier(m_result.target);
    if (mode() == LinkMode::Insert)
        wrapSelection(m_startTag);
    return true;
}

InternalLinkDialog::InternalLinkDialog(DialogServices &services, LinkMode mode, QWidget *parent)
    : LinkDialogBase(services, mode, msg(212), QStringLiteral("lieninterne.html"), parent)
{
    setObjectName(QStringLiteral("TLienIntFrm"));
    QVBoxLayout *layout = nullptr;

    newPage(pages(), QStringLiteral("Nouvelle destination"), "general", layout);
    layout->addWidget(
        note(QStringLiteral("Un lien interne fait référence à une destination à l'intérieur d'un même document.")));
    m_newName = lineEdit(256);
    addField(addForm(layout), QStringLiteral("&Nom du nouveau lien:"), m_newName);
    m_copyCaption = new QLabel(QStringLiteral("CHOISIR LA &LIGNE DE DESTINATION DU LIEN"), this);
    m_copy = readOnlyCopy(this);
    m_copy->setMinimumHeight(180);
    m_copy->viewport()->installEventFilter(this);
    m_copy->installEventFilter(this);
    m_copyCaption->setBuddy(m_copy);
    layout->addWidget(m_copyCaption);
    layout->addWidget(m_copy, 1);

    newPage(pages(), QStringLiteral("Destination(s) existante(s)"), "destinations", layout);
    layout->addWidget(note(QStringLiteral(
        "Un lien interne peut faire référence à une destination qui existe déjà à l'intérieur du document.")));
    auto *listCaption = new QLabel(QStringLiteral("&DESTINATION(S) EXISTANTE(S)"), this);
    m_destinations = new QListWidget(this);
    makeToggleList(m_destinations);
    listCaption->setBuddy(m_destinations);
    layout->addWidget(listCaption);
    layout->addWidget(m_destinations, 1);

    addJavaScriptPage();

    if (const DocumentText *text = services.host.activeText()) {
        BusyCursor busy;
        m_copy->setPlainText(text->lines().join(u'\n'));
        m_destinations->addItems(ReadDestinations(text->text()));
    }
    connect(m_newName, &QLineEdit::textChanged, this, &InternalLinkDialog::newNameChanged);
    newNameChanged();
    pages()->setCurrentIndex(0);
    m_newName->setFocus();
    resize(600, 480);
}

void InternalLinkDialog::newNameChanged()
{
    const bool shown = !m_newName->text().isEmpty();
    m_copyCaption->setVisible(shown);
    m_copy->setVisible(shown);
}

void InternalLinkDialog::toggleLine(int line)
{
    QTextCursor cursor(m_copy->document()->findBlockByNumber(line));
    if (line < 0 || line >= m_copy->blockCount() || line == m_chosenLine) {
        m_chosenLine = -1;
        cursor.clearSelection();
        m_copy->setTextCursor(cursor);
        return;
    }
    m_chosenLine = line;
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    m_copy->setTextCursor(cursor);
}

bool InternalLinkDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_copy->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        toggleLine(m_copy->cursorForPosition(mouse->position().toPoint()).blockNumber());
        return true;
    }
    if (watched == m_copy && event->type() == QEvent::KeyPress) {
        // Space or Enter chooses the line of the caret, for keyboard users.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            toggleLine(m_copy->textCursor().blockNumber());
            return true;
        }
    }
    return LinkDialogBase::eventFilter(watched, event);
}

bool InternalLinkDialog::confirm()
{
    DocumentHost &host = services().host;
    const QString newName = m_newName->text();
    QString destination = newName;
    if (!newName.isEmpty()) {
        if (m_chosenLine < 0) {
            host.prompts().information(msg(28));
            return false;
        }
    } else {
        destination = selectedEntry(m_destinations);
        if (destination.isEmpty()) {
            host.prompts().information(msg(29));
            return false;
        }
    }
    m_startTag = InternalLinkStartTag(destination, nameField()->text(), eventAttributes());
    m_address = u'#' + destination;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    {
        PaintingFreeze freeze(host.window());
        if (!newName.isEmpty() && text && undo)
            CreateAnchor(*text, *undo, host.editorState(), newName, m_chosenLine);
        if (mode() == LinkMode::Insert)
            wrapSelection(m_startTag);
    }
    host.UpdateCommandStates();
    return true;
}

void QuickExternalLink(DialogServices &services)
{
    DocumentHost &host = services.host;
    if (!host.activeText() || !services.chooseFile)
        return;
    const QString file = services.chooseFile(host.window(), msg(3000));
    if (file.isEmpty())
        return;
    const QString relative = services.relativePath(file);
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (relative.isEmpty() || !text || !undo)
        return;
    InsertTagPair(*text, *undo, host.editorState(), QStringLiteral("<A HREF=") + QuotedValue(relative) + u'>',
                  QStringLiteral("</A>"), true, true, ukWrap);
    host.UpdateCommandStates();
}
