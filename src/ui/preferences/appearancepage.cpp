#include "ui/preferences/appearancepage.h"

#include "core/preferences/colorsetting.h"
#include "ui/preferences/colorswatchbutton.h"
#include "core/settings/settings.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString FontGroupTitle = QStringLiteral("Police de caractère");
const QString FontNameLabel = QStringLiteral("Type de police:");
const QString FontSizeLabel = QStringLiteral("Taille de la police:");
const QString ColourGroupTitle = QStringLiteral("Options sur les couleurs");
const QString TextColourLabel = QStringLiteral("Texte:");
const QString BackgroundColourLabel = QStringLiteral("Fond:");
const QString SampleGroupTitle = QStringLiteral("Esquisse");

// The sample line, in three parts with gaps of 2 and 4 pixels between them.
const QString SampleParts[] = {QStringLiteral("<H1>"), QStringLiteral("Texte"), QStringLiteral("</H1>")};
constexpr int SampleGaps[] = {2, 4};

QStringList sortedFontFamilies()
{
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    families.removeDuplicates();
    return families;
}

} // namespace

FontSampleView::FontSampleView(QWidget *parent)
    : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void FontSampleView::setSample(const QFont &font, const QColor &text, const QColor &background)
{
    m_font = font;
    m_text = text;
    m_background = background;
    update();
}

QSize FontSampleView::sizeHint() const
{
    return QSize(240, 90);
}

void FontSampleView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), m_background);
    painter.setClipRect(contentsRect());
    painter.setFont(m_font);
    painter.setPen(m_text);
    const QFontMetrics metrics(m_font);
    int width = SampleGaps[0] + SampleGaps[1];
    for (const QString &part : SampleParts)
        width += metrics.horizontalAdvance(part);
    const QRect area = contentsRect();
    int x = area.left() + (area.width() - width) / 2;
    const int baseline = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    for (int i = 0; i < 3; ++i) {
        painter.drawText(x, baseline, SampleParts[i]);
        x += metrics.horizontalAdvance(SampleParts[i]) + (i < 2 ? SampleGaps[i] : 0);
    }
    painter.end();
    QFrame::paintEvent(event);
}

AppearancePage::AppearancePage(QWidget *parent)
    : QWidget(parent)
    , m_fontName(new QComboBox)
    , m_fontSize(new QSpinBox)
    , m_textColour(new ColorSwatchButton)
    , m_backgroundColour(new ColorSwatchButton)
    , m_sample(new FontSampleView)
{
    m_fontName->setObjectName(QStringLiteral("fontName"));
    m_fontSize->setObjectName(QStringLiteral("fontSize"));
    m_textColour->setObjectName(QStringLiteral("textColour"));
    m_backgroundColour->setObjectName(QStringLiteral("backgroundColour"));
    m_sample->setObjectName(QStringLiteral("sample"));

    m_fontName->setEditable(false);
    m_fontName->addItems(sortedFontFamilies());
    m_fontName->setMaxVisibleItems(16);
    m_fontSize->setRange(MinimumFontSize, MaximumFontSize);

    auto *fontGroup = new QGroupBox(FontGroupTitle);
    auto *fontForm = new QFormLayout(fontGroup);
    fontForm->addRow(FontNameLabel, m_fontName);
    fontForm->addRow(FontSizeLabel, m_fontSize);

    auto *colourGroup = new QGroupBox(ColourGroupTitle);
    auto *colourForm = new QFormLayout(colourGroup);
    colourForm->addRow(TextColourLabel, m_textColour);
    colourForm->addRow(BackgroundColourLabel, m_backgroundColour);

    auto *sampleGroup = new QGroupBox(SampleGroupTitle);
    auto *sampleLayout = new QVBoxLayout(sampleGroup);
    sampleLayout->addWidget(m_sample);

    auto *top = new QHBoxLayout;
    top->addWidget(fontGroup, 2);
    top->addWidget(colourGroup, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sampleGroup);
    layout->addStretch();

    connect(m_fontName, &QComboBox::currentTextChanged, this, &AppearancePage::updateSample);
    connect(m_fontSize, &QSpinBox::valueChanged, this, &AppearancePage::updateSample);
    connect(m_textColour, &ColorSwatchButton::colorChanged, this, &AppearancePage::updateSample);
    connect(m_backgroundColour, &ColorSwatchButton::colorChanged, this, &AppearancePage::updateSample);
}

void AppearancePage::load(const Settings &settings)
{
    // A stored font that is not installed stays in the list, so that OK does
    // not replace it by nothing.
    int index = m_fontName->findText(settings.fontName);
    if (index < 0 && !settings.fontName.isEmpty()) {
        const QStringList names = [this] {
            QStringList all;
            for (int i = 0; i < m_fontName->count(); ++i)
                all << m_fontName->itemText(i);
            return all;
        }();
        const auto at =
            std::lower_bound(names.begin(), names.end(), settings.fontName,
                             [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        index = int(at - names.begin());
        m_fontName->insertItem(index, settings.fontName);
    }
    m_fontName->setCurrentIndex(index);
    m_fontSize->setValue(settings.fontSize);
    m_textColour->setColor(QColor::fromRgb(colorSettingToRgb(settings.textColour)));
    m_backgroundColour->setColor(QColor::fromRgb(colorSettingToRgb(settings.backgroundColour)));
    updateSample();
}

void AppearancePage::store(Settings &settings) const
{
    settings.fontName = m_fontName->currentText();
    settings.fontSize = m_fontSize->value();
    settings.textColour = rgbToColorSetting(m_textColour->color().rgb());
    settings.backgroundColour = rgbToColorSetting(m_backgroundColour->color().rgb());
}

void AppearancePage::updateSample()
{
    QFont font(m_fontName->currentText());
    font.setPointSize(m_fontSize->value());
    m_sample->setSample(font, m_textColour->color(), m_backgroundColour->color());
}
