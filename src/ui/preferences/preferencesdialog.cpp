#include "ui/preferences/preferencesdialog.h"

#include "core/settings/settings.h"
#include "ui/preferences/appearancepage.h"
#include "ui/preferences/browserpathspage.h"
#include "ui/shell/helpwindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("Préférences générales");
const QString GeneralTab = QStringLiteral("Général");
const QString EnvironmentTab = QStringLiteral("Environnement");
const QString AppearanceTab = QStringLiteral("Apparence");
const QString BarsGroupTitle = QStringLiteral("Options sur les barres");
const QString ToolbarText = QStringLiteral("Barre des icônes");
const QString StatusBarText = QStringLiteral("Barre de statut");
const QString MarginsText = QStringLiteral("Barre des marges");
const QString EditorGroupTitle = QStringLiteral("Options sur l'éditeur");
const QString MaximisedText = QStringLiteral("Maximiser l'éditeur à l'exécution");
const QString AboutBoxText = QStringLiteral("Afficher le «à propos...» à l'exécution");
const QString FilesGroupTitle = QStringLiteral("Options sur les fichiers");
const QString BackupText = QStringLiteral("Création d'une copie de sauvegarde (.bak)");
const QString ObligatorySaveText =
    QStringLiteral("Sauvegarde obligatoire du fichier HTML pour voir les changements sur le navigateur");
const QString AuthorLabel = QStringLiteral("A&uteur:");
const QString AuthorHint = QStringLiteral("Nom écrit dans l'en-tête des nouvelles pages; vide: le nom du compte");
const QString HelpText = QStringLiteral("&Aide");
const QString HelpPage = QStringLiteral("preferences.html");
const QString OkText = QStringLiteral("OK");
const QString CancelText = QStringLiteral("Annuler");

QCheckBox *checkBox(const QString &text, const char *name)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(QLatin1String(name));
    return box;
}

QGroupBox *group(const QString &title, std::initializer_list<QWidget *> widgets)
{
    auto *box = new QGroupBox(title);
    auto *layout = new QVBoxLayout(box);
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    return box;
}

} // namespace

PreferencesDialog::PreferencesDialog(const Settings &settings, Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_tabs(new QTabWidget)
    , m_browser(new BrowserPathsPage(prompts))
    , m_appearance(new AppearancePage)
    , m_toolbar(checkBox(ToolbarText, "toolbar"))
    , m_statusBar(checkBox(StatusBarText, "statusBar"))
    , m_margins(checkBox(MarginsText, "margins"))
    , m_maximised(checkBox(MaximisedText, "maximised"))
    , m_aboutBox(checkBox(AboutBoxText, "aboutBox"))
    , m_backup(checkBox(BackupText, "backup"))
    , m_obligatorySave(checkBox(ObligatorySaveText, "obligatorySave"))
    , m_author(new QLineEdit)
{
    setWindowTitle(Caption);
    setModal(true);
    m_tabs->addTab(createGeneralPage(), GeneralTab);
    m_tabs->addTab(createEnvironmentPage(), EnvironmentTab);
    m_tabs->addTab(m_appearance, AppearanceTab);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(OkText);
    buttons->button(QDialogButtonBox::Cancel)->setText(CancelText);
    QPushButton *help = buttons->addButton(HelpText, QDialogButtonBox::HelpRole);
    connect(help, &QPushButton::clicked, this, [this] { showHelpTopic(this, HelpPage); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    load(settings);
}

QWidget *PreferencesDialog::createGeneralPage()
{
    auto *page = new QWidget;
    m_author->setObjectName(QStringLiteral("authorName"));
    m_author->setMaxLength(256);
    m_author->setToolTip(AuthorHint);
    auto *label = new QLabel(AuthorLabel);
    label->setBuddy(m_author);
    auto *authorRow = new QHBoxLayout;
    authorRow->addWidget(label);
    authorRow->addWidget(m_author, 1);
    // The browser part keeps its own layout, flush with the author's row.
    m_browser->layout()->setContentsMargins(0, 0, 0, 0);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(authorRow);
    layout->addWidget(m_browser, 1);
    setTabOrder(m_author, m_browser);
    return page;
}

QWidget *PreferencesDialog::createEnvironmentPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(group(BarsGroupTitle, {m_toolbar, m_statusBar, m_margins}));
    layout->addWidget(group(EditorGroupTitle, {m_maximised, m_aboutBox}));
    layout->addWidget(group(FilesGroupTitle, {m_backup, m_obligatorySave}));
    layout->addStretch();
    return page;
}

void PreferencesDialog::load(const Settings &settings)
{
    m_author->setText(settings.authorName);
    m_browser->load(settings);
    m_toolbar->setChecked(settings.toolbar);
    m_statusBar->setChecked(settings.statusBar);
    m_margins->setChecked(settings.margins);
    m_maximised->setChecked(settings.maximised);
    m_aboutBox->setChecked(settings.aboutBox);
    m_backup->setChecked(settings.backup);
    m_obligatorySave->setChecked(settings.obligatorySave);
    m_appearance->load(settings);
}

void PreferencesDialog::store(Settings &settings) const
{
    settings.authorName = m_author->text().trimmed();
    m_browser->store(settings);
    settings.toolbar = m_toolbar->isChecked();
    settings.statusBar = m_statusBar->isChecked();
    settings.margins = m_margins->isChecked();
    settings.maximised = m_maximised->isChecked();
    settings.aboutBox = m_aboutBox->isChecked();
    settings.backup = m_backup->isChecked();
    settings.obligatorySave = m_obligatorySave->isChecked();
    m_appearance->store(settings);
}

void PreferencesDialog::done(int result)
{
    m_browser->stopSearch();
    QDialog::done(result);
}
