#include "ui/body/pagesketch.h"

#include <QPainter>

PageSketch::PageSketch(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::Sunken | QFrame::Panel);
    setMinimumSize(180, 100);
}

void PageSketch::setBackgroundColour(const QColor &colour)
{
    m_background = colour;
    update();
}

void PageSketch::setSampleColour(Sample sample, const QColor &colour)
{
    m_colours[sample] = colour;
    update();
}

void PageSketch::setBackgroundPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PageSketch::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        painter.fillRect(area, m_background);
        if (!m_picture.isNull())
            painter.drawTiledPixmap(area, QPixmap::fromImage(m_picture));
        static const char *const texts[] = {"Texte normal", "Lien", "Lien actif", "Lien visité"};
        QFont font = painter.font();
        const int line = painter.fontMetrics().height() + 4;
        for (int i = 0; i < SampleCount; ++i) {
            font.setUnderline(i != Text);
            painter.setFont(font);
            painter.setPen(m_colours[i]);
            painter.drawText(area.left() + 10, area.top() + 8 + line * (i + 1) - 4, QString::fromUtf8(texts[i]));
        }
    }
    QFrame::paintEvent(event);
}
