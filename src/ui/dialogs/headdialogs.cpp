#include "ui/dialogs/headdialogs.h"

#include "core/dialogs/links.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/shell/uiguards.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TitleDialog::TitleDialog(DialogServices &services, QWidget *parent, Use use)
    : ElementDialog(services, msg(527), QStringLiteral("titre.html"), parent)
    , m_use(use)
{
    setObjectName(QStringLiteral("TEtiquetteFrm"));
    auto *caption = new QLabel(QStringLiteral("&Titre du document HTML:"), this);
    m_title = lineEdit(256);
    m_title->setMinimumWidth(360);
    caption->setBuddy(m_title);
    body()->addWidget(caption);
    body()->addWidget(m_title);
    if (const DocumentText *text = services.host.activeText(); text && use == Use::PageTitle)
        m_title->setText(ReadTitle(*text));
    m_title->setFocus();
}

std::optional<QString> TitleDialog::askNewPageTitle(DialogServices &services, QWidget *parent)
{
    TitleDialog dialog(services, parent, Use::NewPage);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.m_title->text();
}

bool TitleDialog::confirm()
{
    if (m_use == Use::NewPage)
        return true;
    DocumentHost &host = services().host;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return true;
    {
        PaintingFreeze freeze(host.window());
        WriteTitle(*text, *undo, host.editorState(), m_title->text());
    }
    host.UpdateCommandStates();
    return true;
}

namespace {

QVBoxLayout *newPage(QTabWidget *pages, const QString &caption)
{
    auto *page = new QWidget(pages);
    auto *layout = new QVBoxLayout(page);
    pages->addTab(page, caption);
    return layout;
}

} // namespace

HeaderDialog::HeaderDialog(DialogServices &services, Page page, QWidget *parent)
    : ElementDialog(services, msg(524), QStringLiteral("entete.html"), parent)
    , m_pages(new QTabWidget(this))
{
    setObjectName(QStringLiteral("THeaderFrm"));
    m_pages->setObjectName(QStringLiteral("EntetePgCtrl"));
    body()->addWidget(m_pages);

    QVBoxLayout *layout = newPage(m_pages, QStringLiteral("Base"));
    layout->addWidget(note(QStringLiteral("L'élément BASE permet à l'URL du document d'être enregistré.")));
    QFormLayout *form = addForm(layout);
    m_baseUrl = historyCombo(512);
    addField(form, QStringLiteral("&URL:"), m_baseUrl, browseButton(m_baseUrl));
    m_baseTarget = lineEdit(256);
    addField(form, QStringLiteral("&Cible ou nom du cadre:"), m_baseTarget);
    auto *targetBox = new QGroupBox(QStringLiteral("Cibles prédéfinies"), this);
    auto *targetLayout = new QVBoxLayout(targetBox);
    m_targetPresets = new QButtonGroup(this);
    for (int i = 0; i < TargetPresetCaptions().size(); ++i) {
        auto *radio = new QRadioButton(TargetPresetCaptions().at(i), targetBox);
        m_targetPresets->addButton(radio, i);
        targetLayout->addWidget(radio);
    }
    m_targetPresets->button(0)->setChecked(true);
    layout->addWidget(targetBox);
    layout->addStretch();

    layout = newPage(m_pages, QStringLiteral("Meta"));
    layout->addWidget(
        note(QStringLiteral("Les méta-informations sont utilisées pour indexer ou identifier les documents.")));
    form = addForm(layout);
    m_metaEquiv = lineEdit(256);
    addField(form, QStringLiteral("&Méta-Informations:"), m_metaEquiv);
    auto *presetBox = new QGroupBox(QStringLiteral("Eléments prédéfinis"), this);
    auto *presetGrid = new QGridLayout(presetBox);
    m_metaPresets = new QButtonGroup(this);
    for (int i = 0; i < MetaPresetCaptions().size(); ++i) {
        auto *radio = new QRadioButton(MetaPresetCaptions().at(i), presetBox);
        m_metaPresets->addButton(radio, i);
        presetGrid->addWidget(radio, i / 3, i % 3);
    }
    m_metaPresets->button(MetaNone)->setChecked(true);
    layout->addWidget(presetBox);
    form = addForm(layout);
    m_metaContent = lineEdit(512);
    m_contentBrowse = browseButton(m_metaContent);
    m_contentBrowse->setObjectName(QStringLiteral("OuvrirBtn"));
    addField(form, QStringLiteral("C&ontenu:"), m_metaContent, m_contentBrowse);
    m_metaName = lineEdit(256);
    m_metaNameCaption = addFieldRow(form, QStringLiteral("&Nom:"), m_metaName);
    m_metaForm = form;
    m_nameRow = form->rowCount() - 1;
    m_delay = new QSpinBox(this);
    m_delay->setRange(1, 9999);
    m_delay->setValue(20);
    m_delay->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_delay->setMinimumWidth(m_delay->fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 40);
    m_delayCaption = addFieldRow(form, QStringLiteral("&Délai:"), m_delay);
    m_delayRow = form->rowCount() - 1;
    m_metaUrl = historyCombo(512);
    m_metaUrlBrowse = browseButton(m_metaUrl);
    m_metaUrlCaption = addFieldRow(form, QStringLiteral("&URL:"), m_metaUrl, m_metaUrlBrowse);
    m_urlRow = form->rowCount() - 1;
    layout->addStretch();

    layout = newPage(m_pages, QStringLiteral("Lien de relation"));
    layout->addWidget(
        note(QStringLiteral("Commande indiquant la présence d'une relation entre un document et un lien.")));
    form = addForm(layout);
    m_link = historyCombo(512);
    addField(form, QStringLiteral("&Lien:"), m_link, browseButton(m_link));
    m_relation = lineEdit(256);
    addField(form, QStringLiteral("&Relation:"), m_relation);
    m_reverse = lineEdit(256);
    addField(form, QStringLiteral("Relation &inverse:"), m_reverse);
    layout->addStretch();

    layout = newPage(m_pages, QStringLiteral("Index de recherche"));
    layout->addWidget(note(QStringLiteral("Cette commande indique la présence d'un index de recherche.")));
    form = addForm(layout);
    m_action = lineEdit(256);
    addField(form, QStringLiteral("A&ction:"), m_action);
    m_prompt = lineEdit(256);
    addField(form, QStringLiteral("&Texte alternatif:"), m_prompt);
    layout->addStretch();

    connect(m_targetPresets, &QButtonGroup::idClicked, this, &HeaderDialog::chooseTargetPreset);
    connect(m_metaPresets, &QButtonGroup::idClicked, this, &HeaderDialog::chooseMetaPreset);
    chooseMetaPreset(MetaNone);
    m_pages->setCurrentIndex(page);
    resize(560, 440);
}

QString HeaderDialog::helpAnchor() const
{
    static const char *const anchors[] = {"base", "meta", "link", "isindex"};
    return QString::fromLatin1(anchors[qBound(0, m_pages->currentIndex(), 3)]);
}

void HeaderDialog::chooseTargetPreset(int item)
{
    if (QAbstractButton *button = m_targetPresets->button(item))
        button->setChecked(true);
    m_baseTarget->setText(TargetPreset(item));
}

void HeaderDialog::chooseMetaPreset(int preset)
{
    if (QAbstractButton *button = m_metaPresets->button(preset))
        button->setChecked(true);
    m_metaEquiv->setText(MetaPresetEquiv(preset));
    m_metaContent->setText(MetaPresetContent(preset));
    const MetaFieldsShown shown = MetaFieldsFor(preset);
    m_metaNameCaption->setText(shown.instructions ? QStringLiteral("&") + msg(525) : QStringLiteral("&Nom:"));
    m_metaForm->setRowVisible(m_nameRow, shown.name);
    m_metaForm->setRowVisible(m_delayRow, shown.delay);
    m_metaForm->setRowVisible(m_urlRow, shown.url);
    m_contentBrowse->setVisible(shown.contentBrowse);
}

HeadFields HeaderDialog::fields() const
{
    HeadFields f;
    f.baseUrl = m_baseUrl->currentText();
    f.baseTarget = m_baseTarget->text();
    f.metaPreset = m_metaPresets->checkedId();
    f.metaEquiv = m_metaEquiv->text();
    f.metaContent = m_metaContent->text();
    f.metaName = m_metaName->text();
    f.metaUrl = m_metaUrl->currentText();
    f.delay = m_delay->value();
    f.link = m_link->currentText();
    f.relation = m_relation->text();
    f.reverseRelation = m_reverse->text();
    f.indexAction = m_action->text();
    f.indexPrompt = m_prompt->text();
    return f;
}

bool HeaderDialog::confirm()
{
    const HeadFields f = fields();
    if (!f.link.isEmpty() && !confirmExistingFile(f.link))
        return false;
    for (QComboBox *combo : {m_baseUrl, m_metaUrl, m_link})
        remember(combo);
    DocumentHost &host = services().host;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (f.isEmpty() || !text || !undo)
        return true;
    {
        PaintingFreeze freeze(host.window());
        InsertHeadElements(*text, *undo, host.editorState(), host.prompts(), f);
    }
    host.UpdateCommandStates();
    return true;
}

void TitleCommand(DialogServices &services)
{
    if (!services.host.activeText())
        return;
    TitleDialog dialog(services, services.host.window());
    dialog.exec();
}

void HeaderCommand(DialogServices &services, HeaderDialog::Page page)
{
    DocumentText *text = services.host.activeText();
    if (!text)
        return;
    text->setSelectionStart(text->selectionStart());
    HeaderDialog dialog(services, page, services.host.window());
    dialog.exec();
}
