#pragma once

#include <QColor>
#include <QPushButton>

#include <functional>

// A button showing a colour; a click lets the user choose another one.
class ColorSwatchButton : public QPushButton
{
    Q_OBJECT
public:
    // Asks the user for a colour, starting from the current one; an invalid
    // colour means the choice was cancelled.
    using Chooser = std::function<QColor(const QColor &current, QWidget *parent)>;

    explicit ColorSwatchButton(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

    // Replaces the colour dialog (tests).
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    QSize sizeHint() const override;

signals:
    void colorChanged(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void choose();

    QColor m_color = Qt::black;
    Chooser m_chooser;
};
