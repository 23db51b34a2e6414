#include "ui/media/embeddialog.h"

#include "core/dialogs/linkedfile.h"
#include "core/markup/editorstate.h"
#include "core/markup/elementselection.h"
#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/media/appletdialog.h"
#include "ui/media/marqueedialog.h"
#include "ui/media/mediaplayer.h"
#include "ui/media/radiogroup.h"
#include "ui/shell/mainwindow.h"
#include "ui/tagcommands/tooltabs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

QString captionOf(TEmbedFrm::Page page)
{
    switch (page) {
    case TEmbedFrm::Page::Sound:
        return msg(295);
    case TEmbedFrm::Page::Video:
        return msg(399);
    default:
        return msg(306);
    }
}

QLineEdit *numberEdit(QWidget *parent, int min)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(5);
    edit->setValidator(new QIntValidator(min, 9999, edit));
    return edit;
}

} // namespace

TEmbedFrm::TEmbedFrm(DialogServices &services, Page page, QWidget *parent)
    : ElementDialog(services, captionOf(page), QStringLiteral("multimedia.html"), parent)
    , m_page(page)
    , m_player(new MediaPlayer(this))
{
    m_player->onError = [this](const QString &text) { this->services().host.prompts().error(text); };
    QFormLayout *form = nullptr;
    switch (page) {
    case Page::Embed: {
        body()->addWidget(
            note(QStringLiteral("Les modules enchassés utilisent des modules internes ou externes au navigateur.")));
        form = addForm(body());
        buildSourceRow(form, msg(3004));
        auto *group = new QGroupBox(QStringLiteral("Propriétés"), this);
        auto *groupForm = new QFormLayout(group);
        m_border = numberEdit(group, 0);
        m_width = numberEdit(group, 0);
        m_height = numberEdit(group, 0);
        addFieldRow(groupForm, QStringLiteral("&Bordure:"), m_border);
        addFieldRow(groupForm, QStringLiteral("&Largeur:"), m_width);
        addFieldRow(groupForm, QStringLiteral("&Hauteur:"), m_height);
        m_width->setText(QStringLiteral("145"));
        m_height->setText(QStringLiteral("60"));
        auto *row = new QHBoxLayout;
        row->addWidget(group);
        m_align = radioGroup(this, row, QStringLiteral("Alignement"), {"Au &bas", "Au &milieu", "Au hau&t"});
        m_palette = radioGroup(this, row, QStringLiteral("Palette"), {"A&rrière-plan", "A&vant-plan"});
        body()->addLayout(row);
        m_loopBox = new QCheckBox(QStringLiteral("Répétition à l'&infini"), this);
        m_autoStart = new QCheckBox(QStringLiteral("Démarrage a&utomatique"), this);
        m_hidden = new QCheckBox(QStringLiteral("Cacher le paneau de &contrôle"), this);
        for (QCheckBox *box : {m_loopBox, m_autoStart, m_hidden})
            body()->addWidget(box);
        break;
    }
    case Page::Sound:
        body()->addWidget(note(QStringLiteral("Commande permettant de faire jouer des sons en arrière-plan.")));
        form = addForm(body());
        buildSourceRow(form, msg(3001));
        m_repeat = numberEdit(this, -1);
        m_repeat->setText(QStringLiteral("1"));
        addFieldRow(form, QStringLiteral("&Répétition:"), m_repeat, new QLabel(QStringLiteral("(-1 = INFINI)"), this));
        break;
    case Page::Video: {
        body()->addWidget(note(QStringLiteral("Extension du navigateur Microsoft Internet Explorer 3.0.")));
        form = addForm(body());
        buildSourceRow(form, msg(3002));
        m_repeat = numberEdit(this, -1);
        m_repeat->setText(QStringLiteral("1"));
        addFieldRow(form, QStringLiteral("&Répétition:"), m_repeat, new QLabel(QStringLiteral("(-1 = INFINI)"), this));
        m_controls = new QCheckBox(QStringLiteral("Panneau de &contrôle visible"), this);
        body()->addWidget(m_controls);
        auto *row = new QHBoxLayout;
        m_start = radioGroup(this, row, QStringLiteral("Evénement déclencheur"),
                             {"Dès la &lecture (par défaut)", "Passage de la &souris au-dessus"});
        body()->addLayout(row);
        break;
    }
    }
}

void TEmbedFrm::buildSourceRow(QFormLayout *form, const QString &filter)
{
    m_source = historyCombo(255);
    addFieldRow(form, QStringLiteral("&Source:"), m_source, browseButton(m_source, filter));
    auto *test = new QHBoxLayout;
    m_play = new QPushButton(QStringLiteral("&Jouer"), this);
    m_stop = new QPushButton(QStringLiteral("&Arrêter"), this);
    test->addWidget(m_play);
    test->addWidget(m_stop);
    test->addStretch();
    auto *label = new QLabel(QStringLiteral("Test:"), this);
    form->addRow(label, test);
    const bool available = MediaPlayer::available();
    m_play->setEnabled(available);
    m_stop->setEnabled(available);
    connect(m_play, &QPushButton::clicked, this, &TEmbedFrm::play);
    connect(m_stop, &QPushButton::clicked, m_player, &MediaPlayer::stop);
}

void TEmbedFrm::play()
{
    const QString file = ResolveLinkedFile(m_source->currentText(), services().pageFileName());
    if (m_source->currentText().isEmpty()) {
        services().host.prompts().information(msg(32));
        return;
    }
    m_player->play(file);
}

EmbedFields TEmbedFrm::embedFields() const
{
    EmbedFields f;
    f.source = m_source->currentText().trimmed();
    if (m_page != Page::Embed)
        return f;
    f.border = m_border->text();
    f.width = m_width->text();
    f.height = m_height->text();
    f.align = m_align->checkedId();
    f.palette = m_palette->checkedId();
    f.loop = m_loopBox->isChecked();
    f.autoStart = m_autoStart->isChecked();
    f.hidden = m_hidden->isChecked();
    return f;
}

VideoSettings TEmbedFrm::videoSettings() const
{
    VideoSettings v;
    v.source = m_source->currentText().trimmed();
    v.loop = m_repeat ? m_repeat->text().toInt() : 1;
    v.controls = m_controls && m_controls->isChecked();
    v.startOnMouseOver = m_start && m_start->checkedId() == 1;
    return v;
}

void TEmbedFrm::setVideoSettings(const VideoSettings &video)
{
    m_source->setEditText(video.source);
    if (m_repeat)
        m_repeat->setText(QString::number(video.loop));
    if (m_controls)
        m_controls->setChecked(video.controls);
    if (m_start)
        m_start->button(video.startOnMouseOver ? 1 : 0)->setChecked(true);
}

bool TEmbedFrm::confirm()
{
    DocumentHost &host = services().host;
    const QString source = m_source->currentText().trimmed();
    if (source.isEmpty()) {
        host.prompts().information(msg(32));
        m_source->setFocus();
        return false;
    }
    if (!confirmExistingFile(source))
        return false;
    m_player->stop();
    remember(m_source);
    if (m_page == Page::Video)
        return true;
    if (!host.activeText() || !host.activeUndo())
        return false;
    const QString tag =
        m_page == Page::Embed ? BuildEmbed(embedFields()) : BuildBackgroundSound(source, m_repeat->text());
    InsertTagPair(*host.activeText(), *host.activeUndo(), host.editorState(), tag, QString(), true, true, ukInsert);
    host.UpdateCommandStates();
    return true;
}

void RunMarqueeCommand(DialogServices &services)
{
    if (!services.host.activeText())
        return;
    TMarqueeFrm dialog(services, services.host.window());
    dialog.exec();
}

void RunAppletCommand(DialogServices &services)
{
    DocumentText *text = services.host.activeText();
    if (!text)
        return;
    EditorState &state = services.host.editorState();
    ApplyElementEditMode(*text, state, QStringLiteral("<APPLET"), QStringLiteral("</APPLET>"));
    TAppletFrm dialog(services, state.SelectedElementText, services.host.window());
    dialog.exec();
}

void RunEmbedCommand(DialogServices &services, TEmbedFrm::Page page)
{
    if (!services.host.activeText())
        return;
    TEmbedFrm dialog(services, page, services.host.window());
    dialog.exec();
}

void installMediaCommands(MainWindow &frame)
{
    DialogServices &services = frameDialogServices(frame);
    ToolTabs *tabs = frame.toolTabs();
    tabs->setDialogHandler(QStringLiteral("MarqueeBtn"), [&services] { RunMarqueeCommand(services); });
    tabs->setDialogHandler(QStringLiteral("JavaBtn"), [&services] { RunAppletCommand(services); });
    tabs->setDialogHandler(QStringLiteral("BgSoundBtn"),
                           [&services] { RunEmbedCommand(services, TEmbedFrm::Page::Sound); });
    tabs->setDialogHandler(QStringLiteral("EmbedBtn"),
                           [&services] { RunEmbedCommand(services, TEmbedFrm::Page::Embed); });
}
