#include "ui/media/appletdialog.h"

#include "core/markup/editorstate.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "core/undo/undohistory.h"
#include "ui/dialogs/dialogservices.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit *numberEdit(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(4);
    edit->setValidator(new QIntValidator(0, 9999, edit));
    return edit;
}

} // namespace

TAppletFrm::TAppletFrm(DialogServices &services, const QString &elementText, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Applet de Java"), QStringLiteral("applet.html"), parent)
    , m_editing(!elementText.isEmpty())
{
    m_pages = new QTabWidget(this);
    body()->addWidget(m_pages);

    auto *general = new QWidget(m_pages);
    auto *generalLayout = new QVBoxLayout(general);
    QFormLayout *form = addForm(generalLayout);
    m_code = historyCombo(255);
    addFieldRow(form, QStringLiteral("&Code (classe):"), m_code, browseButton(m_code, msg(3008)));
    m_codeBase = lineEdit(255);
    addFieldRow(form, QStringLiteral("Code &base:"), m_codeBase);
    m_alt = lineEdit(255);
    addFieldRow(form, QStringLiteral("&Texte alternatif:"), m_alt);
    m_name = lineEdit(64);
    addFieldRow(form, QStringLiteral("&Nom:"), m_name);
    m_align = new QComboBox(general);
    m_align->addItems(AppletAlignWords());
    addFieldRow(form, QStringLiteral("&Alignement:"), m_align);
    m_width = numberEdit(general);
    m_height = numberEdit(general);
    addFieldRow(form, QStringLiteral("&Largeur:"), m_width);
    addFieldRow(form, QStringLiteral("&Hauteur:"), m_height);
    m_hspace = numberEdit(general);
    m_vspace = numberEdit(general);
    addFieldRow(form, QStringLiteral("Espace hori&zontal:"), m_hspace);
    addFieldRow(form, QStringLiteral("Espace &vertical:"), m_vspace);
    m_pages->addTab(general, QStringLiteral("&Général"));

    auto *params = new QWidget(m_pages);
    auto *grid = new QGridLayout(params);
    m_list = new QListWidget(params);
    m_list->setMinimumWidth(360);
    auto *listLabel = new QLabel(QStringLiteral("&Paramètres:"), params);
    listLabel->setBuddy(m_list);
    grid->addWidget(listLabel, 0, 0, 1, 2);
    grid->addWidget(m_list, 1, 0, 1, 2);
    m_paramName = new QLineEdit(params);
    m_paramValue = new QLineEdit(params);
    auto *nameLabel = new QLabel(QStringLiteral("N&om:"), params);
    nameLabel->setBuddy(m_paramName);
    auto *valueLabel = new QLabel(QStringLiteral("Vale&ur:"), params);
    valueLabel->setBuddy(m_paramValue);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(m_paramName, 2, 1);
    grid->addWidget(valueLabel, 3, 0);
    grid->addWidget(m_paramValue, 3, 1);
    auto *buttons = new QVBoxLayout;
    m_add = new QPushButton(QStringLiteral("A&jouter"), params);
    m_change = new QPushButton(QStringLiteral("&Modifier"), params);
    m_delete = new QPushButton(QStringLiteral("&Effacer"), params);
    m_up = new QPushButton(QStringLiteral("Mon&ter"), params);
    m_down = new QPushButton(QStringLiteral("De&scendre"), params);
    for (QPushButton *b : {m_add, m_change, m_delete, m_up, m_down})
        buttons->addWidget(b);
    buttons->addStretch();
    grid->addLayout(buttons, 1, 2, 3, 1);
    m_pages->addTab(params, QStringLiteral("Pa&ramètres"));

    const AppletFields f = m_editing ? ReadApplet(elementText) : AppletFields();
    m_code->setEditText(f.code);
    m_codeBase->setText(f.codeBase);
    m_alt->setText(f.alt);
    m_name->setText(f.name);
    m_align->setCurrentIndex(f.align);
    m_width->setText(f.width);
    m_height->setText(f.height);
    m_hspace->setText(f.hspace);
    m_vspace->setText(f.vspace);
    m_list->addItems(f.parameters);

    connect(m_list, &QListWidget::currentRowChanged, this, &TAppletFrm::rowChosen);
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_paramName->text().isEmpty())
            return;
        m_list->addItem(AppletParameter(m_paramName->text(), m_paramValue->text()));
        m_list->setCurrentRow(m_list->count() - 1);
    });
    connect(m_change, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = m_list->currentItem())
            item->setText(AppletParameter(m_paramName->text(), m_paramValue->text()));
    });
    connect(m_delete, &QPushButton::clicked, this, [this] { delete m_list->takeItem(m_list->currentRow()); });
    connect(m_up, &QPushButton::clicked, this, [this] { moveRow(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveRow(1); });
}

QString TAppletFrm::helpAnchor() const
{
    return m_pages->currentIndex() == 1 ? QStringLiteral("parametres") : QString();
}

void TAppletFrm::rowChosen()
{
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return;
    const auto [name, value] = ReadAppletParameter(item->text());
    m_paramName->setText(name);
    m_paramValue->setText(value);
}

void TAppletFrm::moveRow(int by)
{
    const int row = m_list->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_list->count())
        return;
    m_list->insertItem(to, m_list->takeItem(row));
    m_list->setCurrentRow(to);
}

AppletFields TAppletFrm::fields() const
{
    AppletFields f;
    f.code = m_code->currentText().trimmed();
    f.codeBase = m_codeBase->text().trimmed();
    f.alt = m_alt->text();
    f.name = m_name->text();
    f.align = m_align->currentIndex();
    f.width = m_width->text();
    f.height = m_height->text();
    f.hspace = m_hspace->text();
    f.vspace = m_vspace->text();
    for (int i = 0; i < m_list->count(); ++i)
        f.parameters << m_list->item(i)->text();
    return f;
}

bool TAppletFrm::confirm()
{
    DocumentHost &host = services().host;
    const AppletFields f = fields();
    if (f.code.isEmpty()) {
        host.prompts().information(msg(41));
        m_pages->setCurrentIndex(0);
        m_code->setFocus();
        return false;
    }
    if (!host.activeText() || !host.activeUndo())
        return false;
    remember(m_code);
    DocumentText &text = *host.activeText();
    const QString &original = host.editorState().SelectedElementText;
    const bool reEdit = !original.isEmpty();
    const QStringList pieces = reEdit ? AppletPiecesToWrite(original, f) : BuildApplet(f);
    InsertPieces(text, *host.activeUndo(), host.editorState(), pieces, reEdit ? ukReplace : ukInsert);
    host.UpdateCommandStates();
    return true;
}
