#include "ui/image/imagedialog.h"

#include "core/dialogs/linkedfile.h"
#include "core/forms/formplacement.h"
#include "core/image/imageplacement.h"
#include "core/markup/identifiers.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/forms/formdialog.h"
#include "ui/images/picture.h"
#include "ui/media/embeddialog.h"
#include "ui/shell/uiguards.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QToolButton>

namespace {

// The alignment menu: caption and item, in menu order; a separator follows
// the third item.
const struct
{
    const char *caption;
    ImageAlign align;
} AlignItems[] = {
    {"En &bas", ImageAlign::Bottom},
    {"Au &milieu", ImageAlign::Middle},
    {"En &haut", ImageAlign::Top},
    {"A &gauche", ImageAlign::Left},
    {"A &droite", ImageAlign::Right},
    {"&Texte en haut", ImageAlign::TextTop},
    {"&Abs au milieu", ImageAlign::AbsMiddle},
    {"Ab&s en bas", ImageAlign::AbsBottom},
    {"Basé sur &ligne", ImageAlign::Baseline},
};

QLineEdit *numberField(QWidget *parent, const QString &pattern, int maxLength)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(maxLength);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    const int width = edit->fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 16;
    edit->setMinimumWidth(width);
    edit->setMaximumWidth(width + 24);
    return edit;
}

QToolButton *toolButton(QWidget *parent, const QString &text, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// The preview stretches the picture to the typed size, up to this side.
constexpr int MaxShownSide = 4000;

int sizeOf(const QString &field, int fallback)
{
    bool ok = false;
    const int n = field.toInt(&ok);
    return ok && n > 0 ? n : fallback;
}

} // namespace

TImgSrcFrm::TImgSrcFrm(DialogServices &services, Mode mode, const QString &elementText, QWidget *parent)
    : ElementDialog(services, mode == Mode::FormImage ? msg(416) : msg(7533), QStringLiteral("image.html"), parent)
    , m_mode(mode)
    , m_insertOnOk(mode != Mode::Plain)
    , m_elementText(elementText)
{
    setObjectName(QStringLiteral("TImgSrcFrm"));
    setSizeGripEnabled(true);
    body()->addWidget(note(mode == Mode::FormImage ? msg(417)
                                                   : QStringLiteral("Une image est utilisée comme lien ou pour "
                                                                    "améliorer l'apparence visuelle de la page web.")));
    auto *row = new QHBoxLayout;
    row->addWidget(buildProperties());
    row->addWidget(buildPreview(), 1);
    body()->addLayout(row, 1);

    m_scriptButton = buttonBox()->addButton(QStringLiteral("&Script"), QDialogButtonBox::ActionRole);
    m_scriptButton->setEnabled(mode != Mode::Plain);
    connect(m_scriptButton, &QPushButton::clicked, this, [this] { events().exec(); });

    // A form image sends the click with the form; a caller that makes its
    // own map of the picture has no use for the server's one.
    m_videoButton->setVisible(mode != Mode::FormImage);
    m_isMap->setVisible(mode == Mode::Image);
    clearAll();
    if (!elementText.isEmpty())
        setProperties(ReadImageElement(elementText));
    resize(760, 440);
}

TImgSrcFrm::~TImgSrcFrm() = default;

QWidget *TImgSrcFrm::buildProperties()
{
    auto *group = new QGroupBox(QStringLiteral("Propriétés de l'image"), this);
    auto *layout = new QVBoxLayout(group);
    QFormLayout *form = addForm(layout);
    m_source = historyCombo(512);
    auto *browseMain = toolButton(this, QStringLiteral("..."), QStringLiteral("Parcourir"));
    addFieldRow(form, QStringLiteral("Image &principale:"), m_source, browseMain);
    m_lowSource = historyCombo(512);
    auto *browseQuick = toolButton(this, QStringLiteral("..."), QStringLiteral("Parcourir"));
    addFieldRow(form, QStringLiteral("Image &rapide:"), m_lowSource, browseQuick);
    m_alt = addField(form, QStringLiteral("Alternat&ive:"), lineEdit(256));
    m_name = addField(form, QStringLiteral("&Nom identificateur:"), lineEdit(256));

    // Numbers two by two: caption, field, caption, field.
    auto *numbers = new QGridLayout;
    const auto place = [this, numbers](int row, int column, const QString &caption, QLineEdit *field) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(field);
        numbers->addWidget(label, row, column * 2);
        numbers->addWidget(field, row, column * 2 + 1);
        return field;
    };
    const QString size = QStringLiteral("\\d{0,4}%?");
    m_border = place(0, 0, QStringLiteral("&Bordure:"), numberField(this, QStringLiteral("\\d{0,3}"), 3));
    m_vspace = place(0, 1, QStringLiteral("Espace &vertical:"), numberField(this, QStringLiteral("\\d{0,4}"), 4));
    m_width = place(1, 0, QStringLiteral("&Largeur:"), numberField(this, size, 5));
    m_hspace = place(1, 1, QStringLiteral("Espace hori&zontal:"), numberField(this, QStringLiteral("\\d{0,4}"), 4));
    m_height = place(2, 0, QStringLiteral("&Hauteur:"), numberField(this, size, 5));
    numbers->setColumnStretch(4, 1);
    layout->addLayout(numbers);

    m_isMap = new QCheckBox(QStringLiteral("Image en &coordonnées (CGI)"), this);
    layout->addWidget(m_isMap);

    auto *buttons = new QHBoxLayout;
    m_alignButton = toolButton(this, QStringLiteral("Alignemen&t"), QStringLiteral("Alignement de l'image"));
    m_alignButton->setPopupMode(QToolButton::InstantPopup);
    m_alignMenu = new QMenu(m_alignButton);
    m_aligns = new QActionGroup(m_alignMenu);
    for (const auto &item : AlignItems) {
        QAction *a = m_alignMenu->addAction(QString::fromUtf8(item.caption));
        a->setCheckable(true);
        a->setData(int(item.align));
        m_aligns->addAction(a);
        if (item.align == ImageAlign::Top)
            m_alignMenu->addSeparator();
    }
    m_alignButton->setMenu(m_alignMenu);
    m_videoButton = toolButton(this, QStringLiteral("Vi&déo..."), QStringLiteral("Extensions vidéo et VRML"));
    m_clearButton = toolButton(this, QStringLiteral("&Effacer tout"), QStringLiteral("Effacer tout"));
    buttons->addWidget(m_alignButton);
    buttons->addWidget(m_videoButton);
    buttons->addWidget(m_clearButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();

    connect(browseMain, &QToolButton::clicked, this, [this] { browsePicture(m_source, true); });
    connect(browseQuick, &QToolButton::clicked, this, [this] { browsePicture(m_lowSource, false); });
    connect(m_source, &QComboBox::editTextChanged, this, [this] { loadPicture(true); });
    connect(m_lowSource, &QComboBox::editTextChanged, this, [this] { loadPicture(false); });
    for (QLineEdit *field : {m_border, m_width, m_height, m_vspace, m_hspace}) {
        connect(field, &QLineEdit::editingFinished, this, [this, field] { applyFieldRules(field); });
        field->installEventFilter(this);
    }
    connect(m_videoButton, &QToolButton::clicked, this, &TImgSrcFrm::editVideo);
    connect(m_clearButton, &QToolButton::clicked, this, &TImgSrcFrm::clearAll);
    return group;
}

QWidget *TImgSrcFrm::buildPreview()
{
    auto *group = new QGroupBox(msg(232), this);
    auto *layout = new QVBoxLayout(group);
    auto *choice = new QHBoxLayout;
    m_showMain = new QRadioButton(QStringLiteral("I&mage principale"), this);
    m_showQuick = new QRadioButton(QStringLiteral("Ima&ge rapide"), this);
    choice->addWidget(m_showMain);
    choice->addWidget(m_showQuick);
    choice->addStretch();
    layout->addLayout(choice);
    m_preview = new QLabel(this);
    m_preview->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_preview);
    m_scroll->setWidgetResizable(true);
    m_scroll->setMinimumSize(220, 180);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_scroll, 1);
    m_status = new QLabel(this);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    connect(m_showMain, &QRadioButton::toggled, this, &TImgSrcFrm::showPreview);
    for (QLineEdit *size : {m_width, m_height})
        connect(size, &QLineEdit::textChanged, this, &TImgSrcFrm::showPreview);
    return group;
}

EventsDialog &TImgSrcFrm::events()
{
    if (!m_events) {
        m_events = std::make_unique<EventsDialog>(services(), this);
        m_events->enableEvents({JsEvent::onLoad, JsEvent::onAbort, JsEvent::onError});
    }
    return *m_events;
}

ImageProperties TImgSrcFrm::properties() const
{
    ImageProperties p;
    p.source = m_source->currentText().trimmed();
    p.lowSource = m_lowSource->currentText().trimmed();
    p.alt = m_alt->text();
    p.name = m_name->text();
    p.border = BorderFieldText(m_border->text());
    p.width = m_width->text().trimmed();
    p.height = m_height->text().trimmed();
    p.vspace = SpaceFieldText(m_vspace->text());
    p.hspace = SpaceFieldText(m_hspace->text());
    p.isMap = m_mode == Mode::Image && m_isMap->isChecked();
    if (QAction *checked = m_aligns->checkedAction())
        p.align = ImageAlign(checked->data().toInt());
    if (m_mode != Mode::FormImage)
        p.video = m_video;
    if (m_events && m_mode != Mode::Plain) {
        for (const JsEvent e : {JsEvent::onLoad, JsEvent::onAbort, JsEvent::onError})
            p.events.setCall(e, m_events->call(e));
    }
    return p;
}

void TImgSrcFrm::setProperties(const ImageProperties &p)
{
    // The picture proposes its own size first; the tag's size overrides it.
    m_source->setEditText(p.source);
    m_lowSource->setEditText(p.lowSource);
    m_video = p.video;
    m_border->setText(p.border);
    m_width->setText(p.width);
    m_height->setText(p.height);
    m_vspace->setText(p.vspace);
    m_hspace->setText(p.hspace);
    m_name->setText(p.name);
    m_alt->setText(p.alt);
    for (QAction *a : m_aligns->actions())
        a->setChecked(ImageAlign(a->data().toInt()) == p.align);
    m_isMap->setChecked(p.isMap);
    for (const JsEvent e : {JsEvent::onLoad, JsEvent::onAbort, JsEvent::onError})
        events().setCall(e, p.events.call(e));
    m_showMain->setChecked(true);
}

void TImgSrcFrm::clearAll()
{
    const QSignalBlocker blockMain(m_source);
    const QSignalBlocker blockQuick(m_lowSource);
    for (QComboBox *combo : {m_source, m_lowSource})
        combo->setEditText(QString());
    for (QLineEdit *field : {m_alt, m_name, m_vspace, m_hspace})
        field->clear();
    m_border->setText(QStringLiteral("0"));
    m_width->setText(QStringLiteral("0"));
    m_height->setText(QStringLiteral("0"));
    m_isMap->setChecked(false);
    m_aligns->actions().constFirst()->setChecked(true);
    m_video = ImageVideo();
    m_mainPicture = QImage();
    m_quickPicture = QImage();
    m_mainStatus.clear();
    m_quickStatus.clear();
    if (m_events) {
        for (const JsEvent e : {JsEvent::onLoad, JsEvent::onAbort, JsEvent::onError})
            m_events->setCall(e, QString());
    }
    m_showMain->setChecked(true);
    showPreview();
}

QString TImgSrcFrm::pictureFile() const
{
    const QString name = m_source->currentText().trimmed();
    return name.isEmpty() ? QString() : ResolveLinkedFile(name, services().pageFileName());
}

QImage TImgSrcFrm::previewPicture() const
{
    return m_showQuick->isChecked() ? m_quickPicture : m_mainPicture;
}

void TImgSrcFrm::browsePicture(QComboBox *target, bool main)
{
    const QString path = browseFile(msg(3003));
    if (path.isEmpty())
        return;
    // Without a quick picture the main one's own size is proposed afresh.
    if (main && m_lowSource->currentText().isEmpty()) {
        m_width->clear();
        m_height->clear();
    }
    target->setEditText(path);
    remember(target);
}

void TImgSrcFrm::loadPicture(bool main)
{
    const QString name = (main ? m_source : m_lowSource)->currentText().trimmed();
    const QString file = name.isEmpty() ? QString() : ResolveLinkedFile(name, services().pageFileName());
    QImage &picture = main ? m_mainPicture : m_quickPicture;
    QString &status = main ? m_mainStatus : m_quickStatus;
    picture = QImage();
    status.clear();
    if (!file.isEmpty() && QFileInfo(file).isFile()) {
        LoadedPicture loaded;
        {
            const BusyCursor busy;
            loaded = LoadPicture(file);
        }
        if (loaded.ok()) {
            picture = loaded.image;
            if (main) {
                m_width->setText(QString::number(loaded.width));
                m_height->setText(QString::number(loaded.height));
            }
        } else {
            // A picture we cannot read leaves the fields as they are.
            status = QStringLiteral("Image illisible: ") + loaded.status;
        }
    }
    if (!picture.isNull() || !status.isEmpty())
        (main ? m_showMain : m_showQuick)->setChecked(true);
    showPreview();
}

void TImgSrcFrm::showPreview()
{
    const bool quick = m_showQuick->isChecked();
    const QImage &picture = quick ? m_quickPicture : m_mainPicture;
    m_status->setText(quick ? m_quickStatus : m_mainStatus);
    if (picture.isNull()) {
        m_preview->clear();
        return;
    }
    // The main picture shows at the size the tag will give it.
    QSize shown = picture.size();
    if (!quick)
        shown = QSize(qMin(sizeOf(m_width->text(), shown.width()), MaxShownSide),
                      qMin(sizeOf(m_height->text(), shown.height()), MaxShownSide));
    m_preview->setPixmap(QPixmap::fromImage(shown == picture.size() ? picture : picture.scaled(shown)));
}

void TImgSrcFrm::editVideo()
{
    TEmbedFrm dialog(services(), TEmbedFrm::Page::Video, this);
    dialog.setVideoSettings({m_video.source, m_video.loop, m_video.controls, m_video.startOnMouseOver});
    if (dialog.exec() != QDialog::Accepted)
        return;
    const VideoSettings v = dialog.videoSettings();
    m_video = {v.source, v.loop, v.controls, v.startOnMouseOver};
}

void TImgSrcFrm::applyFieldRules(QLineEdit *field)
{
    QString text = field->text();
    if (field == m_border)
        text = BorderFieldText(text);
    else if (field == m_width)
        text = SizeFieldText(text, m_mainPicture.width());
    else if (field == m_height)
        text = SizeFieldText(text, m_mainPicture.height());
    else
        text = SpaceFieldText(text);
    if (text != field->text())
        field->setText(text);
}

bool TImgSrcFrm::eventFilter(QObject *watched, QEvent *event)
{
    // Up and Down step a number field by one, as a spin box does.
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            QString text = field->text().trimmed();
            const bool percent = text.endsWith(u'%');
            if (percent)
                text.chop(1);
            const int most = field == m_border ? 999 : 9999;
            const int value = qBound(0, text.toInt() + (key == Qt::Key_Up ? 1 : -1), most);
            field->setText(QString::number(value) + (percent ? QStringLiteral("%") : QString()));
            return true;
        }
    }
    return ElementDialog::eventFilter(watched, event);
}

bool TImgSrcFrm::confirm()
{
    Prompts &prompts = services().host.prompts();
    if (m_source->currentText().trimmed().isEmpty()) {
        prompts.information(msg(40));
        m_source->setFocus();
        return false;
    }
    if (!confirmExistingFile(m_source->currentText().trimmed()))
        return false;
    const QString quick = m_lowSource->currentText().trimmed();
    if (!quick.isEmpty() && !confirmExistingFile(quick))
        return false;
    m_name->setText(StripSpacesOutsideQuotes(m_name->text()));
    for (QLineEdit *field : {m_border, m_width, m_height, m_vspace, m_hspace})
        applyFieldRules(field);
    const QString tag = ImageTagToWrite(m_elementText, properties(), m_mode == Mode::FormImage);
    if (m_insertOnOk && !writeToPage(tag))
        return false;
    m_builtTag = tag;
    remember(m_source);
    remember(m_lowSource);
    return true;
}

bool TImgSrcFrm::writeToPage(const QString &tag)
{
    DocumentHost &host = services().host;
    DocumentText *text = host.activeText();
    UndoHistory *undo = host.activeUndo();
    if (!text || !undo)
        return false;
    const bool reEdit = !m_elementText.isEmpty();
    if (m_mode == Mode::FormImage) {
        const bool written = WriteFormImageTag(*text, *undo, host.editorState(), tag, reEdit, [this] {
            FormDialog form(services(), FormDialog::StartTagMode, this);
            return form.exec() == QDialog::Accepted;
        });
        if (!written)
            return false;
    } else {
        WriteImageTag(*text, *undo, host.editorState(), tag, reEdit);
    }
    host.UpdateCommandStates();
    return true;
}
