#include "ui/frameset/cadredialog.h"

#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/preferences/colorswatchbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString captionOf(TCadreFrm::Mode mode)
{
    switch (mode) {
    case TCadreFrm::Mode::Frame:
        return QStringLiteral("Propriétés du cadre");
    case TCadreFrm::Mode::Frameset:
        return QStringLiteral("Propriétés additionnelles des cadres");
    case TCadreFrm::Mode::IFrame:
        break;
    }
    return QStringLiteral("Propriétés du cadre unique");
}

QWidget *newPage(QTabWidget *pages, const QString &caption, const char *anchor, QVBoxLayout *&layout)
{
    auto *page = new QWidget(pages);
    page->setObjectName(QLatin1String(anchor));
    layout = new QVBoxLayout(page);
    pages->addTab(page, caption);
    return page;
}

QColor toQColor(HtmlColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

HtmlColor fromQColor(const QColor &c)
{
    return HtmlColor(c.red()) | HtmlColor(c.green()) << 8 | HtmlColor(c.blue()) << 16;
}

QButtonGroup *radioGroup(QGroupBox *box, const QStringList &captions)
{
    auto *group = new QButtonGroup(box);
    auto *layout = new QVBoxLayout(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QRadioButton(captions[i], box);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return group;
}

} // namespace

TCadreFrm::TCadreFrm(DialogServices &services, Mode mode, QWidget *parent)
    : ElementDialog(services, captionOf(mode), QStringLiteral("cadres.html"), parent)
    , m_mode(mode)
    , m_pages(new QTabWidget(this))
{
    body()->addWidget(m_pages);
    if (mode == Mode::Frameset)
        buildFramesetPage();
    else
        buildFramePages();
}

QLineEdit *TCadreFrm::correctedEdit(QString (*fix)(const QString &), int maxLength)
{
    QLineEdit *edit = lineEdit(maxLength);
    // Corrected when the field is left, so that typing is never fought.
    connect(edit, &QLineEdit::editingFinished, edit, [edit, fix] {
        const QString fixed = fix(edit->text());
        if (fixed != edit->text())
            edit->setText(fixed);
    });
    return edit;
}

void TCadreFrm::buildFramePages()
{
    const bool inline_ = m_mode == Mode::IFrame;
    QVBoxLayout *general = nullptr;
    newPage(m_pages, QStringLiteral("Général"), inline_ ? "unique" : "cadre", general);
    general->addWidget(note(inline_ ? QStringLiteral("Un cadre unique est une fenêtre contenant un document.")
                                    : QStringLiteral("Définition des propriétés du cadre sélectionné.")));
    QFormLayout *form = addForm(general);
    m_source = historyCombo(256);
    addField(form, QStringLiteral("&Fichier source:"), m_source, browseButton(m_source));
    m_name = lineEdit(128);
    addField(form, QStringLiteral("&Nom identificateur du cadre:"), m_name);

    auto *row = new QHBoxLayout;
    auto *scrollBox = new QGroupBox(QStringLiteral("Déroulement"));
    m_scrolling =
        radioGroup(scrollBox, {QStringLiteral("Au&tomatique"), QStringLiteral("&Oui"), QStringLiteral("Non")});
    m_scrolling->button(0)->setChecked(true);
    row->addWidget(scrollBox);
    auto *marginBox = new QGroupBox(QStringLiteral("Marges"));
    auto *margins = new QFormLayout(marginBox);
    m_marginHeight = correctedEdit(FixMarginHeight, 6);
    addField(margins, QStringLiteral("&Hauteur:"), m_marginHeight);
    m_marginWidth = correctedEdit(FixMarginWidth, 6);
    addField(margins, QStringLiteral("&Largeur:"), m_marginWidth);
    row->addWidget(marginBox);
    general->addLayout(row);
    m_noResize = new QCheckBox(QStringLiteral("Sans &redimensionner"));
    general->addWidget(m_noResize);
    general->addStretch();

    QVBoxLayout *other = nullptr;
    newPage(m_pages, QStringLiteral("Autres propriétés"), inline_ ? "unique-autres" : "cadre-autres", other);
    other->addWidget(note(inline_ ? QStringLiteral("Propriétés additionnelles du cadre unique.")
                                  : QStringLiteral("Propriétés additionnelles.")));
    m_border = new QCheckBox(QStringLiteral("&Présence d'une bordure autour du cadre"));
    m_border->setChecked(true);
    other->addWidget(m_border);
    if (!inline_) {
        auto *colours = new QGroupBox(QStringLiteral("Options sur les couleurs"));
        auto *colourForm = new QFormLayout(colours);
        m_borderColor = new ColorSwatchButton(colours);
        m_borderColor->setColor(toQColor(SilverSwatch));
        addField(colourForm, QStringLiteral("&Couleur de la bordure:"), m_borderColor);
        other->addWidget(colours);
    } else {
        auto *extra = new QGroupBox(QStringLiteral("Propriétés additionnelles"));
        auto *extraForm = new QFormLayout(extra);
        m_width = correctedEdit(FixFrameSize, 4);
        m_widthPercent = new QCheckBox(QStringLiteral("%"));
        addField(extraForm, QStringLiteral("Lar&geur:"), m_width, m_widthPercent);
        m_height = correctedEdit(FixFrameSize, 4);
        m_heightPercent = new QCheckBox(QStringLiteral("%"));
        addField(extraForm, QStringLiteral("Hau&teur:"), m_height, m_heightPercent);
        m_vspace = correctedEdit(FixFrameSpace, 4);
        addField(extraForm, QStringLiteral("Espace &vertical:"), m_vspace);
        m_hspace = correctedEdit(FixFrameSpace, 4);
        addField(extraForm, QStringLiteral("Espace hori&zontal:"), m_hspace);
        other->addWidget(extra);
        auto *alignBox = new QGroupBox(QStringLiteral("Alignement du cadre"));
        m_align = radioGroup(alignBox, {QStringLiteral("Vers le haut        (cadre aligné vers le haut de la page)"),
                                        QStringLiteral("Vers le milieu      (cadre aligné vers le milieu de la page)"),
                                        QStringLiteral("Vers le bas         (cadre aligné vers le bas de la page)"),
                                        QStringLiteral("A gauche           (cadre flottant à ras vers la gauche)"),
                                        QStringLiteral("A droite              (cadre flottant à ras vers la droite)")});
        other->addWidget(alignBox);
    }
    other->addStretch();
    setFrameFields(FrameFields{});
}

void TCadreFrm::buildFramesetPage()
{
    QVBoxLayout *page = nullptr;
    newPage(m_pages, QStringLiteral("Général"), "jeu", page);
    page->addWidget(note(QStringLiteral("Propriétés additionnelles des cadres")));
    QFormLayout *form = addForm(page);
    m_spacing = correctedEdit(FixFrameSpacing, 6);
    addField(form, QStringLiteral("&Espace entre les cadres:"), m_spacing);
    m_framesetBorder = correctedEdit(FixFramesetBorder, 6);
    addField(form, QStringLiteral("É&paisseur de la bordure:"), m_framesetBorder);
    m_framesetFrameBorder = new QCheckBox(QStringLiteral("P&résence d'une bordure autour des cadres"));
    page->addWidget(m_framesetFrameBorder);
    QFormLayout *colourForm = addForm(page);
    m_framesetColor = new ColorSwatchButton(this);
    addField(colourForm, QStringLiteral("&Couleur de la bordure:"), m_framesetColor);
    page->addStretch();
    setFramesetFields(FramesetFields{});
}

void TCadreFrm::setFrameFields(const FrameFields &f)
{
    if (!m_source)
        return;
    m_source->setEditText(f.source);
    m_name->setText(f.name);
    if (QAbstractButton *b = m_scrolling->button(f.scrolling))
        b->setChecked(true);
    m_marginHeight->setText(f.marginHeight);
    m_marginWidth->setText(f.marginWidth);
    m_noResize->setChecked(f.noResize);
    m_border->setChecked(f.border);
    if (m_borderColor)
        m_borderColor->setColor(toQColor(SwatchColor(f.borderColor)));
    if (m_width) {
        m_width->setText(f.width);
        m_widthPercent->setChecked(f.widthPercent);
        m_height->setText(f.height);
        m_heightPercent->setChecked(f.heightPercent);
        m_vspace->setText(f.vspace);
        m_hspace->setText(f.hspace);
        if (f.align >= 1 && f.align <= 5)
            m_align->button(f.align - 1)->setChecked(true);
    }
}

FrameFields TCadreFrm::frameFields() const
{
    FrameFields f;
    if (!m_source)
        return f;
    f.source = m_source->currentText().trimmed();
    f.name = m_name->text();
    f.scrolling = std::max(0, m_scrolling->checkedId());
    f.marginHeight = FixMarginHeight(m_marginHeight->text());
    f.marginWidth = FixMarginWidth(m_marginWidth->text());
    f.noResize = m_noResize->isChecked();
    f.border = m_border->isChecked();
    if (m_borderColor)
        f.borderColor = SwatchColorText(fromQColor(m_borderColor->color()));
    if (m_width) {
        f.width = FixFrameSize(m_width->text());
        f.widthPercent = m_widthPercent->isChecked();
        f.height = FixFrameSize(m_height->text());
        f.heightPercent = m_heightPercent->isChecked();
        f.vspace = FixFrameSpace(m_vspace->text());
        f.hspace = FixFrameSpace(m_hspace->text());
        f.align = m_align->checkedId() + 1; // none checked gives 0
    }
    return f;
}

void TCadreFrm::setFramesetFields(const FramesetFields &f)
{
    if (!m_spacing)
        return;
    m_spacing->setText(f.spacing);
    m_framesetBorder->setText(f.border);
    m_framesetFrameBorder->setChecked(f.frameBorder);
    m_framesetColor->setColor(toQColor(SwatchColor(f.borderColor)));
}

FramesetFields TCadreFrm::framesetFields() const
{
    FramesetFields f;
    if (!m_spacing)
        return f;
    f.spacing = FixFrameSpacing(m_spacing->text());
    f.border = FixFramesetBorder(m_framesetBorder->text());
    f.frameBorder = m_framesetFrameBorder->isChecked();
    f.borderColor = SwatchColorText(fromQColor(m_framesetColor->color()));
    return f;
}

QString TCadreFrm::helpAnchor() const
{
    return m_pages->currentWidget() ? m_pages->currentWidget()->objectName() : QString();
}

bool TCadreFrm::confirm()
{
    if (m_mode == Mode::Frameset)
        return true;
    const FrameFields f = frameFields();
    if (CheckFrameFields(f) != 0) {
        services().host.prompts().information(msg(38));
        m_pages->setCurrentIndex(0);
        (f.source.isEmpty() ? static_cast<QWidget *>(m_source) : m_name)->setFocus();
        return false;
    }
    if (!confirmExistingFile(f.source))
        return false;
    remember(m_source);
    return true;
}
