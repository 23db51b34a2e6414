#include "ui/javascript/bannerpage.h"

#include "core/messages/messages.h"
#include "ui/dialogs/elementdialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace WizardForm;

BannerPage::BannerPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = new QFormLayout;
    layout->addLayout(form);
    m_text = field(this, 255);
    m_text->setText(QStringLiteral("Bienvenue sur mon site"));
    dialog.addFieldRow(form, withKey(msg(749), QLatin1Char('E')), m_text);

    auto *kind = new QGroupBox(msg(752), this);
    auto *kindLayout = new QVBoxLayout(kind);
    m_textBox = new QRadioButton(withKey(msg(753), QLatin1Char('b')), kind);
    m_statusBar = new QRadioButton(withKey(msg(754), QLatin1Char('S')), kind);
    m_textBox->setChecked(true);
    kindLayout->addWidget(m_textBox);
    kindLayout->addWidget(m_statusBar);
    layout->addWidget(kind);

    QFormLayout *numbers = new QFormLayout;
    layout->addLayout(numbers);
    m_width = spinBox(this, 1, 200, 40);
    dialog.addFieldRow(numbers, withKey(msg(755), QLatin1Char('L')), m_width);
    m_delay = spinBox(this, 10, 10000, 100);
    m_delay->setSuffix(QStringLiteral(" ms"));
    dialog.addFieldRow(numbers, withKey(msg(756), QLatin1Char('D')), m_delay);

    auto *preview = new QWidget(this);
    auto *previewLayout = new QVBoxLayout(preview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_previewBox = new QLineEdit(preview);
    m_previewBox->setReadOnly(true);
    m_previewBox->setFocusPolicy(Qt::NoFocus);
    m_previewStatus = new QLabel(preview);
    m_previewStatus->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    previewLayout->addWidget(m_previewBox);
    previewLayout->addWidget(m_previewStatus);
    layout->addWidget(previewBox(this, preview));
    layout->addStretch();

    connect(m_textBox, &QRadioButton::toggled, this, &BannerPage::updatePreviewKind);
    connect(m_width, &QSpinBox::valueChanged, this, &BannerPage::updatePreviewKind);
    updatePreviewKind();
}

void BannerPage::updatePreviewKind()
{
    m_previewBox->setVisible(m_textBox->isChecked());
    m_previewStatus->setVisible(!m_textBox->isChecked());
    const QFontMetrics metrics(m_previewBox->font());
    m_previewBox->setFixedWidth(qMin(metrics.averageCharWidth() * m_width->value() + 12, 420));
}

void BannerPage::tick(int elapsedMs)
{
    m_waited += elapsedMs;
    if (m_waited < m_delay->value())
        return;
    m_waited = 0;
    const QString message = m_text->text();
    if (message.isEmpty()) {
        m_previewBox->clear();
        m_previewStatus->clear();
        return;
    }
    const QString shown = message + QStringLiteral("     ");
    m_position = m_position % int(shown.size());
    const QString text = shown.mid(m_position) + shown.left(m_position);
    ++m_position;
    m_previewBox->setText(text);
    m_previewStatus->setText(text);
}

bool BannerPage::write(ScriptWizardContext &context)
{
    BannerWizard wizard;
    wizard.text = m_text->text();
    wizard.statusBar = m_statusBar->isChecked();
    wizard.width = m_width->value();
    wizard.delay = m_delay->value();
    const bool done = WriteBanner(context, wizard);
    m_text->setText(wizard.text);
    return done;
}
