#include "ui/formatting/fontdialog.h"

#include "core/messages/messages.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/formatting/colourfield.h"
#include "ui/formatting/formattingcommands.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The style boxes on their pages, by index into fontStyles().
struct StylePage
{
    const char *caption;
    std::initializer_list<int> styles;
};
const StylePage StylePages[] = {
    {"Styles &physiques", {0, 2, 4, 5, 6, 7, 8, 9, 10, 13}},
    {"Styles &logiques", {1, 3, 12, 14, 15, 16, 19, 23}},
    {"&Blocs de texte", {11, 17, 18, 20, 21, 22}},
};

// Point sizes that the seven HTML sizes roughly stand for.
constexpr int PointSizes[] = {8, 10, 12, 14, 18, 24, 36};

int pointSize(const QString &size)
{
    if (!isFontSize(size))
        return PointSizes[2];
    const int value = size.toInt();
    const int absolute = size.startsWith(u'+') || size.startsWith(u'-') ? 3 + value : value;
    return PointSizes[std::clamp(absolute, 1, 7) - 1];
}

QString tagName(const char16_t *tag)
{
    QString name = QString::fromUtf16(tag);
    return name.mid(1, name.size() - 2);
}

} // namespace

TFontFrm::TFontFrm(DialogServices &services, bool baseFont, QWidget *parent)
    : ElementDialog(services, msg(baseFont ? 352 : 350), QStringLiteral("lettrage.html"), parent)
    , m_baseFont(baseFont)
{
    setObjectName(QStringLiteral("TFontFrm"));
    auto *heading = note(msg(baseFont ? 351 : 318));
    heading->setObjectName(QStringLiteral("TitreLbl"));
    body()->addWidget(heading);

    auto *row = new QHBoxLayout;
    body()->addLayout(row);

    // Fonts: any number of installed families, tried in order by browsers.
    auto *fontColumn = new QVBoxLayout;
    row->addLayout(fontColumn, 3);
    auto *fontLabel = new QLabel(QStringLiteral("&Polices:"), this);
    m_fonts = new QListWidget(this);
    m_fonts->setObjectName(QStringLiteral("FontName"));
    m_fonts->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_fonts->addItems(QFontDatabase::families());
    m_fonts->setMinimumWidth(200);
    fontLabel->setBuddy(m_fonts);
    fontColumn->addWidget(fontLabel);
    fontColumn->addWidget(m_fonts, 1);
    fontColumn->addWidget(note(QStringLiteral("Ctrl+clic: plusieurs polices, par ordre de préférence.")));

    auto *sizeColumn = new QVBoxLayout;
    row->addLayout(sizeColumn, 1);
    auto *sizeLabel = new QLabel(QStringLiteral("&Taille:"), this);
    m_size = new QLineEdit(QString::fromUtf16(DefaultFontSize), this);
    m_size->setObjectName(QStringLiteral("Edit1"));
    m_size->setMaxLength(2);
    m_size->setFixedWidth(80);
    m_size->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?[1-7]?")), m_size));
    m_size->setToolTip(QStringLiteral("De 1 à 7, ou relative à la taille de base: de -7 à +7"));
    sizeLabel->setBuddy(m_size);
    m_sizes = new QListWidget(this);
    m_sizes->setObjectName(QStringLiteral("ListBox1"));
    for (int i = 1; i <= 7; ++i)
        m_sizes->addItem(QString::number(i));
    m_sizes->setCurrentRow(2);
    m_sizes->setFixedWidth(80);
    sizeColumn->addWidget(sizeLabel);
    sizeColumn->addWidget(m_size);
    sizeColumn->addWidget(m_sizes, 1);
    connect(m_sizes, &QListWidget::currentTextChanged, m_size, [this](const QString &size) {
        if (!size.isEmpty())
            m_size->setText(size);
    });
    connect(m_size, &QLineEdit::textEdited, this, &TFontFrm::sizeTyped);

    auto *sampleColumn = new QVBoxLayout;
    row->addLayout(sampleColumn, 2);
    m_colour = new ColourField(QStringLiteral("&Couleur:"), this);
    m_colour->setObjectName(QStringLiteral("ColorButton1"));
    sampleColumn->addWidget(m_colour);
    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    panel->setMinimumSize(180, 110);
    auto *panelLayout = new QVBoxLayout(panel);
    m_sample = new QLabel(QStringLiteral("AaBbYyZz"), panel);
    m_sample->setObjectName(QStringLiteral("Label3"));
    m_sample->setAlignment(Qt::AlignCenter);
    panelLayout->addWidget(m_sample);
    sampleColumn->addWidget(new QLabel(QStringLiteral("Aperçu:"), this));
    sampleColumn->addWidget(panel, 1);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("AttributPgCtrl"));
    for (const StylePage &page : StylePages) {
        auto *widget = new QWidget(m_pages);
        auto *grid = new QGridLayout(widget);
        int n = 0;
        for (int index : page.styles) {
            const FontStyle &style = fontStyles()[size_t(index)];
            auto *box = new QCheckBox(
                QString::fromUtf16(style.caption) + QStringLiteral(" (") + tagName(style.start) + u')', widget);
            box->setObjectName(QStringLiteral("CheckBox%1").arg(index + 1));
            m_styles[size_t(index)] = box;
            grid->addWidget(box, n / 3, n % 3);
            ++n;
        }
        grid->setRowStretch(grid->rowCount(), 1);
        m_pages->addTab(widget, QString::fromUtf8(page.caption));
    }
    body()->addWidget(m_pages);
    // The base font carries no styles.
    m_pages->setVisible(!baseFont);

    m_timer = new QTimer(this);
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &TFontFrm::updateSample);
    m_timer->start();
    updateSample();
    m_fonts->setFocus();
}

void TFontFrm::sizeTyped(const QString &size)
{
    const QList<QListWidgetItem *> found = m_sizes->findItems(size, Qt::MatchExactly);
    const QSignalBlocker blocker(m_sizes);
    m_sizes->setCurrentItem(found.isEmpty() ? nullptr : found.first());
}

FontFields TFontFrm::fields() const
{
    FontFields f;
    f.baseFont = m_baseFont;
    // In list order, which is the order the user sees.
    for (int i = 0; i < m_fonts->count(); ++i) {
        if (m_fonts->item(i)->isSelected())
            f.faces << m_fonts->item(i)->text();
    }
    f.size = m_size->text().trimmed();
    f.color = m_colour->colour();
    for (int i = 0; i < FontStyleCount; ++i)
        f.styles[size_t(i)] = m_styles[size_t(i)]->isChecked();
    return f;
}

void TFontFrm::updateSample()
{
    const FontFields f = fields();
    QFont font = m_sample->font();
    if (!f.faces.isEmpty())
        font.setFamilies(f.faces);
    font.setPointSize(pointSize(f.size));
    const auto on = [&f](std::initializer_list<int> styles) {
        return std::any_of(styles.begin(), styles.end(), [&f](int i) { return f.styles[size_t(i)]; });
    };
    if (!m_baseFont) {
        font.setBold(on({0, 1}));
        font.setItalic(on({3, 4, 12, 17, 19, 23}));
        font.setUnderline(on({2}));
        font.setStrikeOut(on({6}));
        if (on({11, 13, 14, 15, 16, 20, 21, 22}))
            font.setFamilies({QFontDatabase::systemFont(QFontDatabase::FixedFont).family()});
    }
    m_sample->setFont(font);
    QPalette palette = m_sample->palette();
    const HtmlColor c = f.color.value_or(0);
    palette.setColor(QPalette::WindowText, QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    m_sample->setPalette(palette);
    // A blinking sample blinks with the timer.
    m_blinkShown = !on({5}) || !m_blinkShown;
    m_sample->setText(m_blinkShown || m_baseFont ? QStringLiteral("AaBbYyZz") : QString());
}

bool TFontFrm::confirm()
{
    const FontFields f = fields();
    // Base-font mode writes a single tag: nothing is wrapped.
    insertPair(services().host, fontTags(f), ukWrap);
    return true;
}
