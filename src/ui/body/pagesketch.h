#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

// A small sketch of a page: its background colour (or a picture tiled over
// it) under "Texte normal" and the three underlined link samples, each in
// its colour.
class PageSketch : public QFrame
{
    Q_OBJECT
public:
    enum Sample { Text, Link, ActiveLink, VisitedLink, SampleCount };

    explicit PageSketch(QWidget *parent = nullptr);

    void setBackgroundColour(const QColor &colour);
    void setSampleColour(Sample sample, const QColor &colour);
    void setBackgroundPicture(const QImage &picture);
    QColor backgroundColour() const { return m_background; }
    QColor sampleColour(Sample sample) const { return m_colours[sample]; }
    const QImage &backgroundPicture() const { return m_picture; }

    QSize sizeHint() const override { return {220, 110}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_background = Qt::white;
    QColor m_colours[SampleCount];
    QImage m_picture;
};
