#include "ui/formatting/ruledialog.h"

#include "core/markup/editorstate.h"
#include "core/shell/documenthost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/formatting/colourfield.h"
#include "ui/formatting/formattingcommands.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>

namespace {

QColor toQColor(HtmlColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace

RuleSketch::RuleSketch(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("EsquisseBox"));
    setMinimumSize(200, 50);
}

void RuleSketch::setFields(const RuleFields &fields)
{
    m_fields = fields;
    update();
}

QRect RuleSketch::ruleRect() const
{
    const QRect area = rect().adjusted(8, 0, -8, 0);
    const int width = std::max(2, area.width() * ruleSketchPercent(m_fields) / 100);
    bool ok = false;
    const int size = std::clamp(m_fields.size.toInt(&ok), 2, 10);
    const int height = ok ? size : 2;
    int left = area.left() + (area.width() - width) / 2;
    if (m_fields.align == RuleAlign::Left)
        left = area.left();
    else if (m_fields.align == RuleAlign::Right)
        left = area.right() + 1 - width;
    return QRect(left, (this->height() - height) / 2, width, height);
}

void RuleSketch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect r = ruleRect();
    if (m_fields.color) {
        painter.fillRect(r, toQColor(*m_fields.color));
    } else if (m_fields.shade) {
        // An engraved line: dark above and left, light below and right.
        painter.fillRect(r, QColor(0xC0, 0xC0, 0xC0));
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(QColor(0xE8, 0xE8, 0xE8));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    } else {
        painter.fillRect(r, QColor(0x80, 0x80, 0x80));
    }
}

THrFrm::THrFrm(DialogServices &services, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Ligne horizontale"), QStringLiteral("ligne.html"), parent)
{
    setObjectName(QStringLiteral("THrFrm"));
    QFormLayout *form = addForm(body());

    m_width = new QSpinBox(this);
    m_width->setObjectName(QStringLiteral("Edit1"));
    // 0 shows as an empty field: no width.
    m_width->setRange(0, maxRuleWidth(true));
    m_width->setSpecialValueText(QStringLiteral(" "));
    m_percent = new QCheckBox(QStringLiteral("en &pourcentage"), this);
    m_percent->setObjectName(QStringLiteral("LargeurCheck"));
    addField(form, QStringLiteral("&Largeur:"), m_width, m_percent);

    auto *alignGroup = new QGroupBox(QStringLiteral("Alignement"), this);
    alignGroup->setObjectName(QStringLiteral("RadioGroup1"));
    auto *alignRow = new QHBoxLayout(alignGroup);
    const char *alignCaptions[] = {"À &gauche", "Au c&entre", "À &droite"};
    for (int i = 0; i < 3; ++i) {
        m_align[i] = new QRadioButton(QString::fromUtf8(alignCaptions[i]), alignGroup);
        alignRow->addWidget(m_align[i]);
    }
    m_align[int(RuleAlign::Center)]->setChecked(true);
    form->addRow(alignGroup);

    m_size = new QSpinBox(this);
    m_size->setObjectName(QStringLiteral("Edit2"));
    m_size->setRange(1, 10);
    m_size->setToolTip(QStringLiteral("Épaisseur en pixels, de 2 à 10 (1: épaisseur normale)"));
    addField(form, QStringLiteral("Épa&isseur:"), m_size);

    m_shade = new QCheckBox(QStringLiteral("&Relief (ombrage)"), this);
    m_shade->setObjectName(QStringLiteral("CheckBox2"));
    m_shade->setChecked(true);
    form->addRow(QString(), m_shade);

    m_colour = new ColourField(QStringLiteral("&Couleur:"), this);
    m_colour->setObjectName(QStringLiteral("ColorButton1"));
    form->addRow(QString(), m_colour);

    auto *sketchLabel = new QLabel(QStringLiteral("Esquisse:"), this);
    m_sketch = new RuleSketch(this);
    form->addRow(sketchLabel, m_sketch);

    connect(m_percent, &QCheckBox::toggled, this, &THrFrm::percentToggled);
    connect(m_width, &QSpinBox::valueChanged, this, &THrFrm::refreshSketch);
    connect(m_size, &QSpinBox::valueChanged, this, &THrFrm::refreshSketch);
    connect(m_shade, &QCheckBox::toggled, this, &THrFrm::refreshSketch);
    connect(m_colour, &ColourField::changed, this, &THrFrm::refreshSketch);
    for (QRadioButton *button : m_align)
        connect(button, &QRadioButton::toggled, this, &THrFrm::refreshSketch);

    // Opened on a selected rule: show its attributes.
    const QString &element = services.host.editorState().SelectedElementText;
    setFields(element.isEmpty() ? RuleFields{} : readRuleTag(element));
}

void THrFrm::percentToggled(bool percent)
{
    const QString width = normalizedRuleWidth(QString::number(m_width->value()), percent, percent);
    // The field takes three digits in percent, four in pixels.
    m_width->setMaximum(maxRuleWidth(percent));
    m_width->setValue(width.isEmpty() ? 0 : width.toInt());
    refreshSketch();
}

RuleFields THrFrm::fields() const
{
    RuleFields f;
    f.width = m_width->value() > 0 ? QString::number(m_width->value()) : QString();
    f.percent = m_percent->isChecked();
    f.align = m_align[0]->isChecked()   ? RuleAlign::Left
              : m_align[2]->isChecked() ? RuleAlign::Right
                                        : RuleAlign::Center;
    f.size = QString::number(m_size->value());
    f.shade = m_shade->isChecked();
    f.color = m_colour->colour();
    return f;
}

void THrFrm::setFields(const RuleFields &f)
{
    const QSignalBlocker blocker(m_percent);
    m_percent->setChecked(f.percent);
    m_width->setMaximum(maxRuleWidth(f.percent));
    const QString width = normalizedRuleWidth(f.width, f.percent);
    m_width->setValue(width.isEmpty() ? 0 : width.toInt());
    m_align[int(f.align)]->setChecked(true);
    bool ok = false;
    const int size = f.size.toInt(&ok);
    m_size->setValue(ok && size >= 1 && size <= 10 ? size : 1);
    m_shade->setChecked(f.shade);
    m_colour->setColour(f.color);
    refreshSketch();
}

void THrFrm::refreshSketch()
{
    m_sketch->setFields(fields());
}

bool THrFrm::confirm()
{
    insertPieces(services().host, {ruleTagToWrite(services().host.editorState().SelectedElementText, fields())},
                 elementUndoKind(services().host));
    return true;
}
