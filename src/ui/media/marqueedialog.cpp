#include "ui/media/marqueedialog.h"

#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/media/radiogroup.h"
#include "ui/preferences/colorswatchbutton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

namespace {

QColor toQColor(HtmlColor c)
{
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}
HtmlColor toHtml(const QColor &c)
{
    return HtmlColor(c.red()) | HtmlColor(c.green()) << 8 | HtmlColor(c.blue()) << 16;
}

QLineEdit *numberEdit(QWidget *parent, int min, int max)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(5);
    edit->setValidator(new QIntValidator(min, max, edit));
    return edit;
}

} // namespace

TMarqueeFrm::TMarqueeFrm(DialogServices &services, QWidget *parent)
    : ElementDialog(services, msg(258), QStringLiteral("banniere.html"), parent)
{
    body()->addWidget(note(QStringLiteral("Cette commande permet la création d'une bannière de texte déroulante.")));

    auto *properties = new QGroupBox(QStringLiteral("Propriétés"), this);
    auto *radios = new QHBoxLayout(properties);
    m_behavior = radioGroup(properties, radios, QStringLiteral("Comportement"),
                            {"Dé&roulement", "&Glissement", "Alternati&vement"});
    m_direction = radioGroup(properties, radios, QStringLiteral("Direction"), {"Vers la g&auche", "Vers la dr&oite"});
    m_align =
        radioGroup(properties, radios, QStringLiteral("Alignement vertical"), {"Au &haut", "Au &milieu", "Au &bas"});
    body()->addWidget(properties);

    auto *row = new QHBoxLayout;
    auto *scrolling = new QGroupBox(QStringLiteral("Déroulement"), this);
    auto *form = new QFormLayout(scrolling);
    m_total = new QSpinBox(scrolling);
    m_total->setRange(0, 9999);
    m_total->setValue(6);
    m_delay = new QSpinBox(scrolling);
    m_delay->setRange(0, 9999);
    m_delay->setValue(16);
    m_loop = numberEdit(scrolling, -1, 9999);
    addFieldRow(form, QStringLiteral("&Total en pixels:"), m_total);
    addFieldRow(form, QStringLiteral("&Délai:"), m_delay);
    addFieldRow(form, QStringLiteral("Ré&pétition:"), m_loop, new QLabel(QStringLiteral("(-1 = INFINI)"), scrolling));
    m_width = numberEdit(scrolling, 0, 9999);
    m_widthPercent = new QCheckBox(QStringLiteral("%"), scrolling);
    m_height = numberEdit(scrolling, 0, 9999);
    m_heightPercent = new QCheckBox(QStringLiteral("%"), scrolling);
    addFieldRow(form, QStringLiteral("&Largeur:"), m_width, m_widthPercent);
    addFieldRow(form, QStringLiteral("Ha&uteur:"), m_height, m_heightPercent);
    m_hspace = numberEdit(scrolling, 0, 9999);
    m_vspace = numberEdit(scrolling, 0, 9999);
    addFieldRow(form, QStringLiteral("Espace hori&zontal:"), m_hspace);
    addFieldRow(form, QStringLiteral("Espace verti&cal:"), m_vspace);
    row->addWidget(scrolling);

    auto *right = new QVBoxLayout;
    auto *colours = new QGroupBox(QStringLiteral("Options sur les couleurs"), this);
    auto *colourForm = new QFormLayout(colours);
    m_textColour = new ColorSwatchButton(colours);
    m_textColour->setColor(Qt::black);
    m_backColour = new ColorSwatchButton(colours);
    m_backColour->setColor(QColor(0xC0, 0xC0, 0xC0));
    addFieldRow(colourForm, QStringLiteral("Couleur du te&xte:"), m_textColour);
    addFieldRow(colourForm, QStringLiteral("Couleur d'arrière-pla&n:"), m_backColour);
    right->addWidget(colours);
    auto *sketchBox = new QGroupBox(QStringLiteral("Esquisse"), this);
    auto *sketchLayout = new QVBoxLayout(sketchBox);
    m_sketch = new QWidget(sketchBox);
    m_sketch->setMinimumSize(240, 40);
    m_sketch->setAutoFillBackground(true);
    sketchLayout->addWidget(m_sketch);
    m_sketchText = new QLabel(QStringLiteral("Ce message est une esquisse de votre résultat."), m_sketch);
    m_sketchText->adjustSize();
    right->addWidget(sketchBox);
    right->addStretch();
    row->addLayout(right);
    body()->addLayout(row);

    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &TMarqueeFrm::scrollPreview);
    m_timer->start();
    scrollPreview();
}

MarqueeFields TMarqueeFrm::fields() const
{
    MarqueeFields f;
    f.behavior = m_behavior->checkedId();
    f.direction = m_direction->checkedId();
    f.align = m_align->checkedId();
    f.scrollAmount = QString::number(m_total->value());
    f.scrollDelay = QString::number(m_delay->value());
    f.loop = m_loop->text();
    f.width = m_width->text();
    f.widthPercent = m_widthPercent->isChecked();
    f.height = m_height->text();
    f.heightPercent = m_heightPercent->isChecked();
    f.hspace = m_hspace->text();
    f.vspace = m_vspace->text();
    f.textColour = toHtml(m_textColour->color());
    f.backgroundColour = toHtml(m_backColour->color());
    return f;
}

void TMarqueeFrm::scrollPreview()
{
    QPalette palette = m_sketch->palette();
    palette.setColor(QPalette::Window, m_backColour->color());
    m_sketch->setPalette(palette);
    QPalette textPalette = m_sketchText->palette();
    textPalette.setColor(QPalette::WindowText, m_textColour->color());
    m_sketchText->setPalette(textPalette);

    const int span = m_sketch->width() + m_sketchText->width();
    const int step = std::max(1, m_total->value());
    m_offset = (m_offset + step) % std::max(1, span);
    const int x = m_direction->checkedId() == 1 ? m_offset - m_sketchText->width() : m_sketch->width() - m_offset;
    const int y = (m_sketch->height() - m_sketchText->height()) * std::min(m_align->checkedId(), 2) / 2;
    m_sketchText->move(x, y);
}

bool TMarqueeFrm::confirm()
{
    DocumentHost &host = services().host;
    if (!host.activeText() || !host.activeUndo())
        return false;
    m_timer->stop();
    const TagPair pair = BuildMarquee(fields());
    InsertTagPair(*host.activeText(), *host.activeUndo(), host.editorState(), pair.start, pair.end, true, true, ukWrap);
    host.UpdateCommandStates();
    return true;
}
