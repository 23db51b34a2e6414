#include "ui/preferences/colorswatchbutton.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>

ColorSwatchButton::ColorSwatchButton(QWidget *parent)
    : QPushButton(parent)
    , m_chooser([](const QColor &current, QWidget *owner) { return QColorDialog::getColor(current, owner); })
{
    connect(this, &QPushButton::clicked, this, &ColorSwatchButton::choose);
}

void ColorSwatchButton::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
    emit colorChanged(m_color);
}

QSize ColorSwatchButton::sizeHint() const
{
    return QSize(48, QPushButton::sizeHint().height());
}

void ColorSwatchButton::choose()
{
    const QColor chosen = m_chooser(m_color, window());
    if (chosen.isValid())
        setColor(chosen);
}

void ColorSwatchButton::paintEvent(QPaintEvent *event)
{
    QPushButton::paintEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect swatch = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(3, 3, -3, -3);
    QPainter painter(this);
    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Mid));
    painter.setBrush(m_color);
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
