#include "ui/formatting/colourfield.h"

#include "ui/preferences/colorswatchbutton.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QRegularExpression>

ColourField::ColourField(const QString &caption, QWidget *parent)
    : QWidget(parent)
    , m_check(new QCheckBox(caption, this))
    , m_swatch(new ColorSwatchButton(this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_check);
    row->addWidget(m_swatch);
    row->addStretch(1);
    // A screen reader reads the caption without its mnemonic mark and colon.
    QString name = caption;
    name.remove(QRegularExpression(QStringLiteral("&(?=[^&])"))).replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (name.endsWith(u':'))
        name.chop(1);
    m_swatch->setAccessibleName(name.trimmed());
    connect(m_check, &QCheckBox::toggled, this, &ColourField::changed);
    connect(m_swatch, &ColorSwatchButton::colorChanged, this, &ColourField::changed);
    setChooser([](const QColor &current, QWidget *owner) { return QColorDialog::getColor(current, owner); });
}

void ColourField::setChooser(std::function<QColor(const QColor &, QWidget *)> chooser)
{
    // Any confirmed choice turns the colour on, even the colour shown.
    m_swatch->setChooser([this, chooser](const QColor &current, QWidget *owner) {
        const QColor chosen = chooser(current, owner);
        if (chosen.isValid())
            m_check->setChecked(true);
        return chosen;
    });
}

std::optional<HtmlColor> ColourField::colour() const
{
    if (!m_check->isChecked())
        return std::nullopt;
    const QColor c = m_swatch->color();
    return HtmlColor(c.red()) | HtmlColor(c.green()) << 8 | HtmlColor(c.blue()) << 16;
}

void ColourField::setColour(std::optional<HtmlColor> colour)
{
    const HtmlColor value = colour.value_or(0);
    const QSignalBlocker blocker(m_swatch);
    m_swatch->setColor(QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF)));
    m_check->setChecked(colour.has_value());
    emit changed();
}
