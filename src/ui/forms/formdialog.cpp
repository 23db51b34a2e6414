#include "ui/forms/formdialog.h"

#include "core/dialogs/links.h"
#include "core/forms/formelement.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QVBoxLayout *addPage(QTabWidget *pages, const QString &caption, const char *anchor)
{
    auto *page = new QWidget(pages);
    page->setObjectName(QLatin1String(anchor));
    pages->addTab(page, caption);
    return new QVBoxLayout(page);
}

// A part caption with its Alt+letter: the first letter of the field's
// list that the caption holds, so that no two fields of the page share one.
QString partCaption(const QString &caption, int index)
{
    static const char *const mnemonics[] = {"dsr", "hnt", "bm", "r"};
    QString text = caption;
    for (const char *c = mnemonics[index]; *c; ++c) {
        const qsizetype at = text.indexOf(QLatin1Char(*c), 0, Qt::CaseInsensitive);
        if (at >= 0)
            return text.insert(at, u'&');
    }
    return text;
}

} // namespace

FormDialog::FormDialog(DialogServices &services, Mode mode, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Feuille de formulaire"), QStringLiteral("formulaire.html"), parent)
    , m_mode(mode)
    , m_pages(new QTabWidget(this))
    , m_events(std::make_unique<EventsDialog>(services, this))
{
    setObjectName(QStringLiteral("TFormeFrm"));
    m_events->enableEvents({JsEvent::onSubmit, JsEvent::onReset});
    body()->addWidget(m_pages);

    QVBoxLayout *layout = addPage(m_pages, msg(658), "general");
    m_action = historyCombo(256);
    addField(addForm(layout), QString(msg(654)).insert(2, u'&'), m_action);
    auto *choices = new QHBoxLayout;
    auto *methodBox = new QGroupBox(msg(655), this);
    auto *methodLayout = new QVBoxLayout(methodBox);
    m_methods = new QButtonGroup(this);
    for (const char *method : {"&GET", "P&OST"}) {
        auto *radio = new QRadioButton(QLatin1String(method), methodBox);
        m_methods->addButton(radio, int(m_methods->buttons().size()));
        methodLayout->addWidget(radio);
    }
    m_methods->button(1)->setChecked(true);
    methodLayout->addStretch();
    choices->addWidget(methodBox);
    auto *protocolBox = new QGroupBox(msg(656), this);
    auto *grid = new QGridLayout(protocolBox);
    m_protocols = new QButtonGroup(this);
    for (int i = 0; i < LinkProtocols().size(); ++i) {
        auto *radio = new QRadioButton(LinkProtocols().at(i), protocolBox);
        m_protocols->addButton(radio, i);
        grid->addWidget(radio, i / 4, i % 4);
    }
    m_protocols->button(1)->setChecked(true);
    choices->addWidget(protocolBox, 1);
    layout->addLayout(choices);

    auto *partsBox = new QGroupBox(QStringLiteral("Composantes de l'action"), this);
    auto *partsLayout = new QVBoxLayout(partsBox);
    QFormLayout *parts = addForm(partsLayout);
    for (int i = 0; i < 4; ++i) {
        m_parts[i] = lineEdit(i == 3 ? 8 : 128);
        m_captions[i] = addFieldRow(parts, QString(), m_parts[i]);
        connect(m_parts[i], &QLineEdit::textEdited, this, &FormDialog::rebuildAction);
    }
    m_example = note(QString());
    partsLayout->addWidget(m_example);
    layout->addWidget(partsBox);
    m_urlEncoded = new QCheckBox(QString(msg(657)).replace(QStringLiteral("URL"), QStringLiteral("&URL")), this);
    layout->addWidget(m_urlEncoded);
    layout->addStretch();

    layout = addPage(m_pages, msg(659), "cible");
    m_target = lineEdit(256);
    addField(addForm(layout), u'&' + msg(220), m_target);
    auto *presetBox = new QGroupBox(msg(221), this);
    auto *presetLayout = new QVBoxLayout(presetBox);
    m_presets = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        auto *radio = new QRadioButton(msg(222 + i).trimmed(), presetBox);
        m_presets->addButton(radio, i);
        presetLayout->addWidget(radio);
    }
    m_presets->button(0)->setChecked(true);
    layout->addWidget(presetBox);
    layout->addStretch();

    layout = addPage(m_pages, msg(660), "javascript");
    m_name = lineEdit(256);
    addField(addForm(layout), u'&' + msg(663), m_name);
    layout->addWidget(note(QStringLiteral("Le bouton Script associe des fonctions aux événements "
                                          "« envoi » et « recommencement » du formulaire.")));
    layout->addStretch();

    m_scriptButton = buttonBox()->addButton(QStringLiteral("&Script"), QDialogButtonBox::ActionRole);
    connect(m_scriptButton, &QPushButton::clicked, this, [this] { m_events->exec(); });
    connect(m_protocols, &QButtonGroup::idClicked, this, &FormDialog::chooseProtocol);
    connect(m_presets, &QButtonGroup::idClicked, this, [this](int item) { m_target->setText(TargetPreset(item)); });

    chooseProtocol(1);
    m_action->setEditText(QString());
    m_pages->setCurrentIndex(0);
    m_action->setFocus();
}

FormDialog::~FormDialog() = default;

void FormDialog::chooseProtocol(int protocol)
{
    if (m_protocols->checkedId() != protocol)
        m_protocols->button(protocol)->setChecked(true);
    const ActionPartCaptions captions = ActionCaptions(protocol);
    const QString texts[] = {captions.a, captions.b, captions.c, captions.d};
    for (int i = 0; i < 4; ++i) {
        m_captions[i]->setText(::partCaption(texts[i], i));
        m_captions[i]->setVisible(!texts[i].isEmpty());
        m_parts[i]->setVisible(!texts[i].isEmpty());
        if (texts[i].isEmpty())
            m_parts[i]->clear();
    }
    m_example->setText(captions.example);
    rebuildAction();
}

void FormDialog::rebuildAction()
{
    m_action->setEditText(AssembleAction(
        m_protocols->checkedId(), {m_parts[0]->text(), m_parts[1]->text(), m_parts[2]->text(), m_parts[3]->text()}));
}

QString FormDialog::helpAnchor() const
{
    return m_pages->currentWidget()->objectName();
}

bool FormDialog::confirm()
{
    FormElement form;
    form.name = m_name->text();
    form.action = m_action->currentText();
    form.post = m_methods->checkedId() == 1;
    form.urlEncoded = m_urlEncoded->isChecked();
    form.target = m_target->text();
    form.events = m_events->calls();
    m_startTag = FormStartTag(form);
    remember(m_action);

    DocumentHost &host = services().host;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return true;
    if (m_mode == WrapMode)
        InsertTagPair(*text, *undo, host.editorState(), m_startTag, QStringLiteral("</FORM>"), true, true, ukWrap);
    else
        InsertTagPair(*text, *undo, host.editorState(), m_startTag, QString(), true, true, ukInsert);
    host.UpdateCommandStates();
    return true;
}
