#include "ui/preferences/browserpathspage.h"

#include "core/preferences/browsersearch.h"
#include "core/shell/prompts.h"
#include "core/settings/settings.h"
#include "core/messages/messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace {

const QString IntroText = QStringLiteral("Spécification des chemins d'accès aux navigateurs externes.");
const QString SearchGroupTitle = QStringLiteral("Recherche automatique du navigateur");
const QString Family1Text = QStringLiteral("Netscape");
const QString Family2Text = QStringLiteral("Microsoft Explorer");
const QString RootLabel = QStringLiteral("Recherche sur le disque:");
const QString SearchText = QStringLiteral("&Chercher");
const QString SearchHint = QStringLiteral("Débuter la recherche");
const QString StopText = QStringLiteral("A&rrêter");
const QString StopHint = QStringLiteral("Arrêter la recherche");
const QString BrowseText = QStringLiteral("&Parcourir...");
const QString OptionsGroupTitle = QStringLiteral("Options sur les navigateurs");
const QString ModernExplorerText = QStringLiteral("Microsoft Internet Explorer 3.0+");
const QString ChooseFamilyWarning = QStringLiteral("Veuillez sélectionner le navigateur à rechercher sur le disque.");
const QString ResultBefore = QStringLiteral("La recherche donne");
const QString ResultAfter = QStringLiteral("choix.");
const QString NoResult = QStringLiteral("La recherche a été effectuée sans succès.");
// Programs carry no extension here: the dialog lists executable files.
const QString ExecutablesFilter = QStringLiteral("Fichiers executables (*)");

constexpr int MaxPathLength = 256;
constexpr int AnimationSteps = 8;

#ifdef Q_OS_WIN
// A name filter of the catalogue ("description |pattern|...") in Qt's form.
QStringList nameFilters(const QString &catalogueFilter)
{
    QStringList filters;
    const QStringList parts = catalogueFilter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts.at(i).trimmed();
    return filters;
}
#endif

QString chooseProgramFile(QWidget *parent, const QString &startFolder)
{
    QFileDialog dialog(parent, QString(), startFolder);
    dialog.setFileMode(QFileDialog::ExistingFile);
#ifdef Q_OS_WIN
    dialog.setNameFilters(nameFilters(msg(3005)));
#else
    dialog.setNameFilter(ExecutablesFilter);
    dialog.setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
#endif
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

// A small magnifier at a point of a circle around the icon's centre.
QIcon magnifierIcon(int step)
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double angle = 2 * M_PI * step / AnimationSteps;
    const QPointF lens(9 + 3 * std::cos(angle), 9 + 3 * std::sin(angle));
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
    painter.drawLine(lens + QPointF(3.5, 3.5), lens + QPointF(8, 8));
    painter.setBrush(QColor(0xC8, 0xE4, 0xFF));
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.5));
    painter.drawEllipse(lens, 4.5, 4.5);
    return QIcon(pixmap);
}

} // namespace

BrowserPathsPage::BrowserPathsPage(Prompts &prompts, QWidget *parent)
    : QWidget(parent)
    , m_prompts(prompts)
    , m_chooseFile(&chooseProgramFile)
    , m_search(new BrowserSearchThread(this))
    , m_animation(new QTimer(this))
    , m_families(new QButtonGroup(this))
    , m_family1(new QRadioButton(Family1Text))
    , m_family2(new QRadioButton(Family2Text))
    , m_path1(new QLineEdit)
    , m_path2(new QLineEdit)
    , m_roots(new QComboBox)
    , m_searchButton(new QPushButton(SearchText))
    , m_stopButton(new QPushButton(StopText))
    , m_browseButton(new QPushButton(BrowseText))
    , m_hits(new QListWidget)
    , m_result(new QLabel)
    , m_modernExplorer(new QCheckBox(ModernExplorerText))
{
    m_family1->setObjectName(QStringLiteral("family1"));
    m_family2->setObjectName(QStringLiteral("family2"));
    m_path1->setObjectName(QStringLiteral("path1"));
    m_path2->setObjectName(QStringLiteral("path2"));
    m_roots->setObjectName(QStringLiteral("roots"));
    m_hits->setObjectName(QStringLiteral("hits"));
    m_result->setObjectName(QStringLiteral("result"));
    m_modernExplorer->setObjectName(QStringLiteral("modernExplorer"));

    // The radio buttons are loaded unchecked for "no browser", which an
    // exclusive group without a checked button allows.
    m_families->addButton(m_family1);
    m_families->addButton(m_family2);
    m_path1->setMaxLength(MaxPathLength);
    m_path2->setMaxLength(MaxPathLength);
    m_roots->addItems(browserSearchRoots());
    m_searchButton->setToolTip(SearchHint);
    m_searchButton->setIcon(magnifierIcon(0));
    m_stopButton->setToolTip(StopHint);
    m_stopButton->setEnabled(false);
    // The list keeps its room while hidden, so the dialog does not jump
    // when a search shows it.
    QSizePolicy keepRoom = m_hits->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    m_hits->setSizePolicy(keepRoom);
    m_hits->setVisible(false);
    m_result->setWordWrap(true);

    auto *searchGroup = new QGroupBox(SearchGroupTitle);
    auto *grid = new QGridLayout(searchGroup);
    grid->addWidget(m_family1, 0, 0);
    grid->addWidget(m_path1, 0, 1);
    grid->addWidget(m_family2, 1, 0);
    grid->addWidget(m_path2, 1, 1);
    grid->addWidget(new QLabel(RootLabel), 2, 0);
    grid->addWidget(m_roots, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_searchButton);
    buttons->addWidget(m_stopButton);
    buttons->addWidget(m_browseButton);
    buttons->addStretch();
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->addWidget(m_hits, 4, 0, 1, 2);
    grid->addWidget(m_result, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto *optionsGroup = new QGroupBox(OptionsGroupTitle);
    auto *options = new QVBoxLayout(optionsGroup);
    options->addWidget(m_modernExplorer);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(IntroText));
    layout->addWidget(searchGroup, 1);
    layout->addWidget(optionsGroup);

    connect(m_searchButton, &QPushButton::clicked, this, &BrowserPathsPage::startSearch);
    connect(m_stopButton, &QPushButton::clicked, m_search, &BrowserSearchThread::requestStop);
    connect(m_browseButton, &QPushButton::clicked, this, &BrowserPathsPage::browse);
    connect(m_hits, &QListWidget::itemDoubleClicked, this, &BrowserPathsPage::useHit);
    connect(m_search, &BrowserSearchThread::found, this, &BrowserPathsPage::addHit);
    connect(m_search, &BrowserSearchThread::searchFinished, this, &BrowserPathsPage::searchFinished);
    connect(m_animation, &QTimer::timeout, this, &BrowserPathsPage::animate);
}

BrowserPathsPage::~BrowserPathsPage()
{
    stopSearch();
}

void BrowserPathsPage::load(const Settings &settings)
{
    m_path1->setText(settings.browserPath1);
    m_path2->setText(settings.browserPath2);
    m_families->setExclusive(false);
    m_family1->setChecked(settings.browserChoice == 1);
    m_family2->setChecked(settings.browserChoice == 2);
    m_families->setExclusive(true);
    m_modernExplorer->setChecked(!settings.fileUrls);
}

void BrowserPathsPage::store(Settings &settings) const
{
    settings.browserPath1 = m_path1->text();
    settings.browserPath2 = m_path2->text();
    settings.browserChoice = checkedFamily();
    settings.fileUrls = !m_modernExplorer->isChecked();
}

void BrowserPathsPage::setSearchRoots(const QStringList &roots)
{
    m_roots->clear();
    m_roots->addItems(roots);
}

bool BrowserPathsPage::isSearching() const
{
    return m_stopButton->isEnabled();
}

void BrowserPathsPage::stopSearch()
{
    m_search->stopAndWait();
}

int BrowserPathsPage::checkedFamily() const
{
    return m_family1->isChecked() ? 1 : m_family2->isChecked() ? 2 : 0;
}

QLineEdit *BrowserPathsPage::pathField(int family) const
{
    return family == 1 ? m_path1 : family == 2 ? m_path2 : nullptr;
}

QString BrowserPathsPage::selectedRoot() const
{
    return m_roots->currentText();
}

bool BrowserPathsPage::warnWithoutFamily()
{
    if (checkedFamily() != 0)
        return false;
    m_prompts.warning(ChooseFamilyWarning);
    return true;
}

void BrowserPathsPage::setSearching(bool searching)
{
    m_stopButton->setEnabled(searching);
    m_searchButton->setEnabled(!searching);
    m_browseButton->setEnabled(!searching);
    if (searching) {
        m_animation->start(100);
    } else {
        m_animation->stop();
        m_animationStep = 0;
        m_searchButton->setIcon(magnifierIcon(0));
    }
}

void BrowserPathsPage::startSearch()
{
    if (warnWithoutFamily())
        return;
    m_hits->clear();
    m_hits->setVisible(true);
    m_result->clear();
    setSearching(true);
    m_search->startSearch(selectedRoot(), checkedFamily());
}

void BrowserPathsPage::addHit(const QString &path)
{
    m_hits->addItem(QDir::toNativeSeparators(path));
}

void BrowserPathsPage::searchFinished(int hits)
{
    m_result->setText(hits > 0 ? ResultBefore + u' ' + QString::number(hits) + u' ' + ResultAfter : NoResult);
    setSearching(false);
    emit searchEnded();
}

void BrowserPathsPage::useHit(QListWidgetItem *item)
{
    if (!item)
        return;
    QString path = item->text();
#ifdef Q_OS_WIN
    path = path.toLower();
#endif
    // The program's own name decides the field; an unknown one goes to the
    // browser being searched for.
    int family = browserFamilyOfProgram(path);
    if (family == 0)
        family = checkedFamily();
    if (QLineEdit *field = pathField(family))
        field->setText(path);
}

void BrowserPathsPage::browse()
{
    if (warnWithoutFamily())
        return;
    const QString chosen = m_chooseFile(window(), selectedRoot());
    if (!chosen.isEmpty())
        pathField(checkedFamily())->setText(QDir::toNativeSeparators(chosen));
}

void BrowserPathsPage::animate()
{
    m_animationStep = (m_animationStep + 1) % AnimationSteps;
    m_searchButton->setIcon(magnifierIcon(m_animationStep));
}
