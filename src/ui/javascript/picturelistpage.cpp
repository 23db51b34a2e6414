#include "ui/javascript/picturelistpage.h"

#include "core/messages/messages.h"
#include "ui/dialogs/elementdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace WizardForm;

PictureListPage::PictureListPage(ElementDialog &dialog, QWidget *parent)
    : WizardPage(dialog, parent)
{
    auto *columns = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    columns->addLayout(left, 1);
    QFormLayout *form = new QFormLayout;
    left->addLayout(form);
    m_file = field(this, 255);
    m_browse = dialog.browseButton(m_file, msg(3003));
    m_browse->setParent(this);
    dialog.addFieldRow(form, QStringLiteral("&Image:"), m_file, m_browse);
    m_label = field(this, 255);
    dialog.addFieldRow(form, QStringLiteral("&Texte:"), m_label);

    auto *buttons = new QHBoxLayout;
    m_add = new QPushButton(QStringLiteral("Aj&outer"), this);
    m_edit = new QPushButton(QStringLiteral("E&diter"), this);
    m_erase = new QPushButton(QStringLiteral("&Effacer"), this);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setToolTip(QStringLiteral("Monter l'entrée"));
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setToolTip(QStringLiteral("Descendre l'entrée"));
    for (QWidget *button : std::initializer_list<QWidget *>{m_add, m_edit, m_erase, m_up, m_down}) {
        button->setFocusPolicy(Qt::StrongFocus);
        buttons->addWidget(button);
    }
    for (QPushButton *button : {m_add, m_edit, m_erase})
        button->setAutoDefault(false);
    left->addLayout(buttons);

    m_entriesCaption = new QLabel(QStringLiteral("Ent&rées:"), this);
    m_dropDown = new QComboBox(this);
    m_entries = new QListWidget(this);
    m_entriesCaption->setBuddy(m_dropDown);
    left->addWidget(m_entriesCaption);
    left->addWidget(m_dropDown);
    left->addWidget(m_entries);
    m_asList = new QCheckBox(withKey(msg(482), QLatin1Char('V')), this);
    left->addWidget(m_asList);
    left->addStretch();

    auto *right = new QVBoxLayout;
    columns->addLayout(right);
    m_preview = picturePreview(this, QSize(240, 180));
    right->addWidget(previewBox(this, m_preview));
    auto *size = new QFormLayout;
    right->addLayout(size);
    m_width = field(this, 5);
    m_width->setText(QStringLiteral("320"));
    m_height = field(this, 5);
    m_height->setText(QStringLiteral("240"));
    for (QLineEdit *edit : {m_width, m_height}) {
        edit->setMaximumWidth(90);
    }
    dialog.addFieldRow(size, QStringLiteral("&") + msg(834), m_width);
    dialog.addFieldRow(size, QStringLiteral("&") + msg(835), m_height);
    right->addStretch();

    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_file->text().trimmed().isEmpty())
            return;
        m_list.append({m_file->text().trimmed(), m_label->text()});
        refresh(int(m_list.size()) - 1);
    });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        if (m_current < 0 || m_file->text().trimmed().isEmpty())
            return;
        m_list[m_current] = {m_file->text().trimmed(), m_label->text()};
        refresh(m_current);
    });
    connect(m_erase, &QPushButton::clicked, this, [this] {
        if (m_current < 0)
            return;
        m_list.removeAt(m_current);
        refresh(qMin(m_current, int(m_list.size()) - 1));
    });
    connect(m_up, &QToolButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { move(1); });
    connect(m_entries, &QListWidget::currentRowChanged, this, &PictureListPage::select);
    connect(m_dropDown, &QComboBox::currentIndexChanged, this, &PictureListPage::select);
    connect(m_asList, &QCheckBox::toggled, this, [this] { refresh(m_current); });
    connect(m_file, &QLineEdit::textChanged, this, [this] { showPicture(m_preview, m_file->text(), QSize(240, 180)); });
    for (QLineEdit *edit : {m_width, m_height}) {
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] {
            edit->setText(QString::number(PictureSize(edit->text(), edit == m_width ? 320 : 240)));
            showCurrent();
        });
    }
    refresh(-1);
}

void PictureListPage::refresh(int current)
{
    {
        const QSignalBlocker blockList(m_entries);
        const QSignalBlocker blockCombo(m_dropDown);
        m_entries->clear();
        m_dropDown->clear();
        for (const PictureEntry &entry : m_list) {
            const QString shown = entry.text.isEmpty() ? entry.file : entry.text;
            m_entries->addItem(shown);
            m_dropDown->addItem(shown);
        }
    }
    const bool asList = m_asList->isChecked();
    m_entries->setVisible(asList);
    m_dropDown->setVisible(!asList);
    m_entriesCaption->setBuddy(asList ? static_cast<QWidget *>(m_entries) : m_dropDown);
    select(current);
}

void PictureListPage::select(int row)
{
    m_current = row >= 0 && row < m_list.size() ? row : -1;
    {
        const QSignalBlocker blockList(m_entries);
        const QSignalBlocker blockCombo(m_dropDown);
        m_entries->setCurrentRow(m_current);
        m_dropDown->setCurrentIndex(m_current);
    }
    m_edit->setEnabled(m_current >= 0);
    m_erase->setEnabled(m_current >= 0);
    m_up->setEnabled(m_current > 0);
    m_down->setEnabled(m_current >= 0 && m_current < m_list.size() - 1);
    if (m_current >= 0) {
        const QSignalBlocker blockFile(m_file);
        m_file->setText(m_list.at(m_current).file);
        m_label->setText(m_list.at(m_current).text);
    }
    showCurrent();
}

void PictureListPage::move(int step)
{
    const int to = m_current + step;
    if (m_current < 0 || to < 0 || to >= m_list.size())
        return;
    m_list.swapItemsAt(m_current, to);
    refresh(to);
}

void PictureListPage::showCurrent()
{
    const QSize wanted(PictureSize(m_width->text(), 320), PictureSize(m_height->text(), 240));
    // The preview keeps the proportions the page will show, within its box.
    const QSize box = wanted.scaled(QSize(240, 180), Qt::KeepAspectRatio);
    showPicture(m_preview, m_current >= 0 ? m_list.at(m_current).file : m_file->text(), box);
}

bool PictureListPage::write(ScriptWizardContext &context)
{
    PictureListWizard wizard;
    wizard.entries = m_list;
    wizard.listView = m_asList->isChecked();
    wizard.width = PictureSize(m_width->text(), 320);
    wizard.height = PictureSize(m_height->text(), 240);
    m_width->setText(QString::number(wizard.width));
    m_height->setText(QString::number(wizard.height));
    return WritePictureList(context, wizard);
}
