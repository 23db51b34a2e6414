#pragma once

#include <QWidget>

#include <functional>

// The ruler above the documents: a white strip with a pixel scale and two
// markers, the left margin on the upper row and the right margin on the
// lower row. Dragging a marker moves it, always at least
// MarginMarkers::MinimumGap pixels from the other; letting it go clamps it
// into the client area and reports the new margins.
class MarginRuler : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Height = 25;

    explicit MarginRuler(QWidget *parent = nullptr);

    // The width of the client area that limits where a marker may be let go.
    void setClientWidthSource(std::function<int()> source) { m_clientWidth = std::move(source); }

    // Left edges of the markers.
    int leftEdge() const { return m_leftEdge; }
    int rightEdge() const { return m_rightEdge; }
    void setMarkerEdges(int left, int right);

    // The rectangles the markers occupy.
    QRect leftMarkerRect() const;
    QRect rightMarkerRect() const;

    QSize sizeHint() const override;

signals:
    // A marker was let go: the margins are the markers' centres.
    void marginsChanged(int leftCentre, int rightCentre);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Drag { None, Left, Right };
    void dragTo(int pointerX);

    int m_leftEdge = 0;
    int m_rightEdge = 0;
    Drag m_drag = Drag::None;
    std::function<int()> m_clientWidth;
};
