#include "ui/dialogs/elementdialog.h"

#include "core/dialogs/linkedfile.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/markup/combohistory.h"
#include "ui/shell/helpwindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

ElementDialog::ElementDialog(DialogServices &services, const QString &caption, const QString &helpPage, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_helpPage(helpPage)
{
    setWindowTitle(caption);
    auto *outer = new QVBoxLayout(this);
    m_body = new QVBoxLayout;
    outer->addLayout(m_body, 1);
    m_buttons = new QDialogButtonBox(this);
    m_ok = m_buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_cancel = m_buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    m_help = m_buttons->addButton(msg(2003), QDialogButtonBox::HelpRole);
    m_ok->setDefault(true);
    outer->addWidget(m_buttons);
    // OK goes through confirm(); the box's accepted signal is not used.
    connect(m_ok, &QPushButton::clicked, this, &ElementDialog::okClicked);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_help, &QPushButton::clicked, this, &ElementDialog::helpClicked);
}

void ElementDialog::okClicked()
{
    if (confirm())
        accept();
}

void ElementDialog::helpClicked()
{
    showHelpTopic(this, m_helpPage, helpAnchor());
}

QFormLayout *ElementDialog::addForm(QVBoxLayout *layout)
{
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    layout->addLayout(form);
    return form;
}

QLabel *ElementDialog::addFieldRow(QFormLayout *form, const QString &caption, QWidget *field, QWidget *button)
{
    auto *label = new QLabel(caption, field->parentWidget() ? field->parentWidget() : this);
    label->setBuddy(field);
    if (!button) {
        form->addRow(label, field);
        return label;
    }
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field, 1);
    row->addWidget(button);
    form->addRow(label, row);
    return label;
}

QLineEdit *ElementDialog::lineEdit(int maxLength)
{
    auto *edit = new QLineEdit(this);
    edit->setMaxLength(maxLength);
    return edit;
}

QComboBox *ElementDialog::historyCombo(int maxLength)
{
    auto *combo = new QComboBox(this);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->lineEdit()->setMaxLength(maxLength);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(30);
    return combo;
}

void ElementDialog::remember(QComboBox *combo)
{
    AddToComboHistory(combo);
}

QLabel *ElementDialog::note(const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setWordWrap(true);
    return label;
}

QString ElementDialog::browseFile(const QString &filter)
{
    // Pictures go to the graphic file picker, everything else to the open
    // dialog.
    const bool picture = filter == msg(3003);
    if (!m_services.chooseFile && !(picture && m_services.choosePicture))
        return QString();
    const QString chosen = picture ? m_services.pickPicture(this, filter)
                                   : m_services.chooseFile(this, filter.isEmpty() ? msg(3000) : filter);
    if (chosen.isEmpty())
        return QString();
    m_lastBrowsed = chosen;
    const QString relative = m_services.relativePath(chosen);
    // The file dialog may have covered this one.
    raise();
    activateWindow();
    return relative;
}

QToolButton *ElementDialog::browseButton(QWidget *target, const QString &filter)
{
    auto *button = new QToolButton(this);
    button->setText(QStringLiteral("..."));
    button->setToolTip(QStringLiteral("Parcourir"));
    button->setAccessibleName(QStringLiteral("Parcourir"));
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QToolButton::clicked, this, [this, target, filter] {
        const QString path = browseFile(filter);
        if (path.isEmpty())
            return;
        if (auto *combo = qobject_cast<QComboBox *>(target)) {
            combo->setEditText(path);
            remember(combo);
        } else if (auto *edit = qobject_cast<QLineEdit *>(target)) {
            edit->setText(path);
        }
    });
    return button;
}

bool ElementDialog::confirmExistingFile(const QString &name)
{
    return ConfirmLinkedFile(m_services.host.prompts(), name, m_services.pageFileName());
}
