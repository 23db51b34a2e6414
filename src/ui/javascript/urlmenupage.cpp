#include "ui/javascript/urlmenupage.h"

#include "core/messages/messages.h"
#include "ui/dialogs/elementdialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace WizardForm;

UrlMenuPage::UrlMenuPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = new QFormLayout;
    layout->addLayout(form);
    m_url = field(this, 255);
    m_url->setPlaceholderText(QStringLiteral("http://"));
    dialog.addFieldRow(form, withKey(msg(791), QLatin1Char('U')), m_url);
    m_label = field(this, 255);
    dialog.addFieldRow(form, withKey(msg(792), QLatin1Char('T')), m_label);

    auto *buttons = new QHBoxLayout;
    m_copy = new QPushButton(QStringLiteral("&Copier"), this);
    m_copy->setToolTip(QStringLiteral("Reprend l'adresse comme texte du menu"));
    m_add = new QPushButton(QStringLiteral("Aj&outer"), this);
    m_modify = new QPushButton(QStringLiteral("&Modifier"), this);
    m_erase = new QPushButton(QStringLiteral("&Effacer"), this);
    for (QPushButton *button : {m_copy, m_add, m_modify, m_erase}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    auto *entriesCaption = new QLabel(QStringLiteral("Ent&rées:"), this);
    m_entries = new QListWidget(this);
    entriesCaption->setBuddy(m_entries);
    layout->addWidget(entriesCaption);
    layout->addWidget(m_entries);

    auto *kind = new QHBoxLayout;
    m_dropDown = new QRadioButton(withKey(msg(810), QLatin1Char('l')), this);
    m_listBox = new QRadioButton(withKey(msg(811), QLatin1Char('B')), this);
    m_dropDown->setChecked(true);
    kind->addWidget(m_dropDown);
    kind->addWidget(m_listBox);
    kind->addStretch();
    layout->addLayout(kind);
    QFormLayout *options = new QFormLayout;
    layout->addLayout(options);
    m_title = field(this, 255);
    m_title->setText(msg(794));
    dialog.addFieldRow(options, withKey(msg(793), QLatin1Char('i')), m_title);
    m_visible = spinBox(this, 1, 99, 3);
    dialog.addFieldRow(options, withKey(msg(809), QLatin1Char('N')), m_visible);

    auto *preview = new QWidget(this);
    auto *previewLayout = new QHBoxLayout(preview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    m_previewMenu = new QComboBox(preview);
    m_previewList = new QListWidget(preview);
    m_previewList->setMaximumHeight(90);
    previewLayout->addWidget(m_previewMenu, 1);
    previewLayout->addWidget(m_previewList, 1);
    layout->addWidget(previewBox(this, preview));

    connect(m_copy, &QPushButton::clicked, this, [this] { m_label->setText(m_url->text()); });
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_url->text().trimmed().isEmpty())
            return;
        m_list.append({m_url->text().trimmed(), m_label->text()});
        refresh();
        m_entries->setCurrentRow(int(m_list.size()) - 1);
    });
    connect(m_modify, &QPushButton::clicked, this, [this] {
        const int row = m_entries->currentRow();
        if (row < 0 || m_url->text().trimmed().isEmpty())
            return;
        m_list[row] = {m_url->text().trimmed(), m_label->text()};
        refresh();
        m_entries->setCurrentRow(row);
    });
    connect(m_erase, &QPushButton::clicked, this, [this] {
        const int row = m_entries->currentRow();
        if (row < 0)
            return;
        m_list.removeAt(row);
        refresh();
        m_entries->setCurrentRow(qMin(row, int(m_list.size()) - 1));
    });
    connect(m_entries, &QListWidget::currentRowChanged, this, &UrlMenuPage::entryChosen);
    connect(m_dropDown, &QRadioButton::toggled, this, &UrlMenuPage::refresh);
    connect(m_title, &QLineEdit::textChanged, this, &UrlMenuPage::refresh);
    connect(m_visible, &QSpinBox::valueChanged, this, &UrlMenuPage::refresh);
    refresh();
}

void UrlMenuPage::entryChosen()
{
    const int row = m_entries->currentRow();
    m_modify->setEnabled(row >= 0);
    m_erase->setEnabled(row >= 0);
    if (row < 0 || row >= m_list.size())
        return;
    m_url->setText(m_list.at(row).url);
    m_label->setText(m_list.at(row).text);
}

void UrlMenuPage::refresh()
{
    const int row = m_entries->currentRow();
    {
        const QSignalBlocker block(m_entries);
        m_entries->clear();
        for (const UrlEntry &entry : m_list)
            m_entries->addItem(entry.text + QStringLiteral("  \u2192  ") + entry.url);
        m_entries->setCurrentRow(qMin(row, int(m_list.size()) - 1));
    }
    const bool menu = m_dropDown->isChecked();
    m_title->setEnabled(menu);
    m_visible->setEnabled(!menu);
    m_previewMenu->setVisible(menu);
    m_previewList->setVisible(!menu);
    m_previewMenu->clear();
    m_previewList->clear();
    m_previewMenu->addItem(m_title->text());
    for (const UrlEntry &entry : m_list) {
        m_previewMenu->addItem(entry.text);
        m_previewList->addItem(entry.text);
    }
    m_previewList->setCurrentRow(0);
    const int line = m_previewList->fontMetrics().height() + 2;
    m_previewList->setFixedHeight(line * m_visible->value() + 6);
    m_modify->setEnabled(m_entries->currentRow() >= 0);
    m_erase->setEnabled(m_entries->currentRow() >= 0);
}

bool UrlMenuPage::write(ScriptWizardContext &context)
{
    UrlMenuWizard wizard;
    wizard.entries = m_list;
    wizard.dropDown = m_dropDown->isChecked();
    wizard.title = m_title->text();
    wizard.visible = m_visible->value();
    return WriteUrlMenu(context, wizard);
}
