#include "ui/javascript/gradientpage.h"

#include "core/messages/messages.h"
#include "ui/dialogs/elementdialog.h"

#include <QButtonGroup>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace WizardForm;

GradientPage::GradientPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = new QFormLayout;
    layout->addLayout(form);
    m_text = field(this, 255);
    m_text->setText(QStringLiteral("Texte en couleurs"));
    dialog.addFieldRow(form, withKey(msg(749), QLatin1Char('E')), m_text);
    m_font = new QFontComboBox(this);
    m_font->setEditable(true);
    m_font->setCurrentText(QStringLiteral("Times New Roman"));
    dialog.addFieldRow(form, withKey(msg(569), QLatin1Char('p')), m_font);
    m_size = spinBox(this, 1, 7, 3);
    dialog.addFieldRow(form, withKey(msg(570), QLatin1Char('T')), m_size);

    auto *colours = new QGroupBox(msg(825), this);
    auto *colourLayout = new QHBoxLayout(colours);
    m_colours = new QButtonGroup(this);
    const struct
    {
        int number;
        QChar key;
    } choices[] = {{822, QLatin1Char('R')}, {823, QLatin1Char('V')}, {824, QLatin1Char('B')}};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(withKey(msg(choices[i].number), choices[i].key), colours);
        m_colours->addButton(radio, i);
        colourLayout->addWidget(radio);
    }
    m_colours->button(0)->setChecked(true);
    layout->addWidget(colours);

    m_preview = new QLabel(this);
    m_preview->setTextFormat(Qt::RichText);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setMinimumHeight(60);
    layout->addWidget(previewBox(this, m_preview));
    layout->addStretch();

    connect(m_text, &QLineEdit::textChanged, this, &GradientPage::refresh);
    connect(m_font, &QFontComboBox::currentTextChanged, this, &GradientPage::refresh);
    connect(m_size, &QSpinBox::valueChanged, this, &GradientPage::refresh);
    connect(m_colours, &QButtonGroup::idToggled, this, &GradientPage::refresh);
    refresh();
}

QString GradientPage::gradientHtml(const QString &text, int colour)
{
    QString html;
    const int last = int(text.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        const int value = last > 0 ? (255 * i + last / 2) / last : 255;
        int rgb[3] = {0, 0, 0};
        rgb[colour >= 0 && colour <= 2 ? colour : 0] = value;
        html += QStringLiteral("<span style=\"color:#%1%2%3\">%4</span>")
                    .arg(rgb[0], 2, 16, QLatin1Char('0'))
                    .arg(rgb[1], 2, 16, QLatin1Char('0'))
                    .arg(rgb[2], 2, 16, QLatin1Char('0'))
                    .arg(QString(text.at(i)).toHtmlEscaped());
    }
    return html;
}

void GradientPage::refresh()
{
    // The seven HTML font sizes, in points.
    static const int points[] = {8, 10, 12, 14, 18, 24, 36};
    QFont font(m_font->currentText());
    font.setPointSize(points[qBound(1, m_size->value(), 7) - 1]);
    m_preview->setFont(font);
    m_preview->setText(gradientHtml(m_text->text(), m_colours->checkedId()));
}

bool GradientPage::write(ScriptWizardContext &context)
{
    GradientWizard wizard{m_text->text(), m_font->currentText(), m_size->value(), qMax(0, m_colours->checkedId())};
    const bool done = WriteGradient(context, wizard);
    m_text->setText(wizard.text);
    return done;
}
