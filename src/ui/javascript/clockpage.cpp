#include "ui/javascript/clockpage.h"

#include "core/messages/messages.h"

#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace WizardForm;

ClockPage::ClockPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *kind = new QHBoxLayout;
    m_time = new QRadioButton(QLatin1Char('&') + msg(759), this);
    m_date = new QRadioButton(QLatin1Char('&') + msg(760), this);
    m_time->setChecked(true);
    kind->addWidget(m_time);
    kind->addWidget(m_date);
    kind->addStretch();
    layout->addLayout(kind);

    auto *caption = new QLabel(withKey(msg(764), QLatin1Char('S')), this);
    m_styles = new QListWidget(this);
    caption->setBuddy(m_styles);
    layout->addWidget(caption);
    layout->addWidget(m_styles);

    m_preview = new QLabel(this);
    QFont big = m_preview->font();
    big.setPointSize(big.pointSize() + 4);
    m_preview->setFont(big);
    m_preview->setAlignment(Qt::AlignCenter);
    layout->addWidget(previewBox(this, m_preview));

    connect(m_time, &QRadioButton::toggled, this, &ClockPage::fillStyles);
    connect(m_styles, &QListWidget::currentRowChanged, this, [this] { tick(1000); });
    fillStyles();
}

void ClockPage::fillStyles()
{
    m_styles->clear();
    for (const ClockStyle &style : ClockStyles()) {
        if (style.date != m_date->isChecked())
            continue;
        auto *item = new QListWidgetItem(
            QStringLiteral("%1   (%2)").arg(QLatin1String(style.name), QString::fromUtf8(style.sample)), m_styles);
        item->setData(Qt::UserRole, QLatin1String(style.name));
    }
    m_styles->setCurrentRow(0);
}

QString ClockPage::formatted(const QString &style, const QDateTime &moment)
{
    static const char *months[] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                   "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
    const QTime t = moment.time();
    const QDate d = moment.date();
    const QString hh = t.toString(QStringLiteral("HH"));
    const QString mm = t.toString(QStringLiteral("mm"));
    const QString dd = d.toString(QStringLiteral("dd"));
    const QString mo = d.toString(QStringLiteral("MM"));
    const QString yy = d.toString(QStringLiteral("yy"));
    const QString s = style.toUpper();
    if (s == QLatin1String("HH:MM:SS"))
        return hh + QLatin1Char(':') + mm + QLatin1Char(':') + t.toString(QStringLiteral("ss"));
    if (s == QLatin1String("HH:MM"))
        return hh + QLatin1Char(':') + mm;
    if (s == QLatin1String("HH H MM"))
        return hh + QStringLiteral(" h ") + mm;
    if (s == QLatin1String("HH HEURE MM"))
        return hh + QStringLiteral(" heure ") + mm;
    if (s == QLatin1String("JJ MOIS AAAA"))
        return QString::number(d.day()) + QLatin1Char(' ') + QString::fromUtf8(months[d.month() - 1]) + QLatin1Char(' ')
               + QString::number(d.year());
    if (s == QLatin1String("JJ/MM/AA"))
        return dd + QLatin1Char('/') + mo + QLatin1Char('/') + yy;
    if (s == QLatin1String("AA/MM/JJ"))
        return yy + QLatin1Char('/') + mo + QLatin1Char('/') + dd;
    if (s == QLatin1String("JJ-MM-AA"))
        return dd + QLatin1Char('-') + mo + QLatin1Char('-') + yy;
    if (s == QLatin1String("AA-MM-JJ"))
        return yy + QLatin1Char('-') + mo + QLatin1Char('-') + dd;
    return QString();
}

void ClockPage::tick(int elapsedMs)
{
    m_waited += elapsedMs;
    if (m_waited < 250)
        return;
    m_waited = 0;
    const QListWidgetItem *item = m_styles->currentItem();
    m_preview->setText(item ? formatted(item->data(Qt::UserRole).toString(), QDateTime::currentDateTime()) : QString());
}

bool ClockPage::write(ScriptWizardContext &context)
{
    const QListWidgetItem *item = m_styles->currentItem();
    return WriteClock(context,
                      ClockWizard{item ? item->data(Qt::UserRole).toString() : QString(), m_date->isChecked()});
}
