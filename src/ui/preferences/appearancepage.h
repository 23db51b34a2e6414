#pragma once

#include <QFrame>
#include <QWidget>

class ColorSwatchButton;
class QComboBox;
class QSpinBox;
struct Settings;

// The sample line of the appearance tab: "<H1>", "Texte" and "</H1>" in the
// chosen font and colours, centred in the panel.
class FontSampleView : public QFrame
{
    Q_OBJECT
public:
    explicit FontSampleView(QWidget *parent = nullptr);

    void setSample(const QFont &font, const QColor &text, const QColor &background);
    QFont sampleFont() const { return m_font; }
    QColor textColor() const { return m_text; }
    QColor backgroundColor() const { return m_background; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont m_font;
    QColor m_text = Qt::black;
    QColor m_background = Qt::white;
};

// The "Apparence" tab of the preferences: the editor font, its size, the
// text and background colours, and a sample of the result.
class AppearancePage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MinimumFontSize = 6;
    static constexpr int MaximumFontSize = 16;

    explicit AppearancePage(QWidget *parent = nullptr);

    void load(const Settings &settings);
    void store(Settings &settings) const;

    ColorSwatchButton *textSwatch() const { return m_textColour; }
    ColorSwatchButton *backgroundSwatch() const { return m_backgroundColour; }
    FontSampleView *sample() const { return m_sample; }

private:
    void updateSample();

    QComboBox *m_fontName;
    QSpinBox *m_fontSize;
    ColorSwatchButton *m_textColour;
    ColorSwatchButton *m_backgroundColour;
    FontSampleView *m_sample;
};
