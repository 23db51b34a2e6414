#include "ui/findfiles/findfilesdialog.h"

#include "core/messages/messages.h"
#include "core/text/search.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QComboBox *historyCombo(QWidget *parent, const char *name)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    combo->setMaxCount(MaxHistory);
    combo->setMinimumContentsLength(30);
    return combo;
}

void remember(QComboBox *combo)
{
    const QString text = combo->currentText();
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    addToHistory(entries, text);
    combo->clear();
    combo->addItems(entries);
    combo->setEditText(text);
}

} // namespace

FindFilesDialog::FindFilesDialog(QWidget *parent)
    : QDialog(parent)
    , m_find(historyCombo(this, "findText"))
    , m_replace(historyCombo(this, "replaceText"))
    , m_inProject(new QRadioButton(msg(9860), this))
    , m_inFolder(new QRadioButton(msg(9861), this))
    , m_folder(new QLineEdit(this))
    , m_browse(new QPushButton(msg(9862), this))
    , m_mask(new QLineEdit(DefaultFileMask, this))
    , m_subfolders(new QCheckBox(msg(9864), this))
    , m_matchCase(new QCheckBox(msg(9865), this))
    , m_wholeWord(new QCheckBox(msg(9866), this))
    , m_regex(new QCheckBox(msg(9855), this))
    , m_error(new QLabel(this))
    , m_searchButton(new QPushButton(msg(9867), this))
    , m_replaceButton(new QPushButton(msg(9868), this))
{
    setObjectName(QStringLiteral("FindFilesDialog"));
    setWindowTitle(msg(9869));
    m_inProject->setObjectName(QStringLiteral("inProject"));
    m_inFolder->setObjectName(QStringLiteral("inFolder"));
    m_folder->setObjectName(QStringLiteral("folder"));
    m_browse->setObjectName(QStringLiteral("browse"));
    m_mask->setObjectName(QStringLiteral("mask"));
    m_subfolders->setObjectName(QStringLiteral("subfolders"));
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_wholeWord->setObjectName(QStringLiteral("wholeWord"));
    m_regex->setObjectName(QStringLiteral("regex"));
    m_error->setObjectName(QStringLiteral("error"));
    m_searchButton->setObjectName(QStringLiteral("searchButton"));
    m_replaceButton->setObjectName(QStringLiteral("replaceButton"));
    m_subfolders->setChecked(true);
    m_inFolder->setChecked(true);
    m_inProject->setEnabled(false);
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #b00000"));
    m_error->hide();
    chooseFolder = [this](const QString &start) { return QFileDialog::getExistingDirectory(this, msg(9870), start); };

    auto *fields = new QFormLayout;
    auto *findLabel = new QLabel(msg(9858), this);
    findLabel->setBuddy(m_find);
    auto *replaceLabel = new QLabel(msg(9859), this);
    replaceLabel->setBuddy(m_replace);
    fields->addRow(findLabel, m_find);
    fields->addRow(replaceLabel, m_replace);

    auto *where = new QGroupBox(msg(9871), this);
    auto *whereLayout = new QFormLayout(where);
    whereLayout->addRow(m_inProject);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(m_browse);
    whereLayout->addRow(m_inFolder, folderRow);
    auto *maskLabel = new QLabel(msg(9863), where);
    maskLabel->setBuddy(m_mask);
    whereLayout->addRow(maskLabel, m_mask);
    whereLayout->addRow(m_subfolders);

    auto *options = new QGroupBox(msg(9872), this);
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_matchCase);
    optionsLayout->addWidget(m_wholeWord);
    optionsLayout->addWidget(m_regex);

    auto *buttons = new QDialogButtonBox(Qt::Horizontal, this);
    buttons->addButton(m_searchButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_replaceButton, QDialogButtonBox::ActionRole);
    QPushButton *help = buttons->addButton(msg(9873), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("helpButton"));
    QPushButton *close = buttons->addButton(msg(9874), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeButton"));
    m_searchButton->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(where);
    layout->addWidget(options);
    layout->addWidget(m_error);
    layout->addWidget(buttons);

    const QList<QWidget *> order{m_find,   m_replace,      m_inProject,     m_inFolder,  m_folder,
                                 m_browse, m_mask,         m_subfolders,    m_matchCase, m_wholeWord,
                                 m_regex,  m_searchButton, m_replaceButton, help,        close};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    const auto followScope = [this] {
        const bool folder = m_inFolder->isChecked();
        for (QWidget *w : std::initializer_list<QWidget *>{m_folder, m_browse, m_mask, m_subfolders})
            w->setEnabled(folder);
    };
    connect(m_inFolder, &QRadioButton::toggled, this, followScope);
    followScope();
    connect(m_browse, &QPushButton::clicked, this, [this] {
        const QString chosen = chooseFolder(m_folder->text());
        if (!chosen.isEmpty())
            m_folder->setText(QDir::toNativeSeparators(chosen));
    });
    connect(m_find, &QComboBox::editTextChanged, m_error, &QWidget::hide);
    connect(m_regex, &QCheckBox::toggled, m_error, &QWidget::hide);
    connect(m_searchButton, &QPushButton::clicked, this, [this] { submit(false); });
    connect(m_replaceButton, &QPushButton::clicked, this, [this] { submit(true); });
    connect(help, &QPushButton::clicked, this, &FindFilesDialog::helpRequested);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void FindFilesDialog::setProjectPages(const QStringList &pages)
{
    const bool had = !m_projectPages.isEmpty();
    m_projectPages = pages;
    m_inProject->setEnabled(!pages.isEmpty());
    if (pages.isEmpty())
        m_inFolder->setChecked(true);
    else if (!had)
        m_inProject->setChecked(true);
}

void FindFilesDialog::proposeFolder(const QString &folder)
{
    if (m_folder->text().isEmpty())
        m_folder->setText(QDir::toNativeSeparators(folder));
}

FindInFilesRequest FindFilesDialog::request(bool replace) const
{
    FindInFilesRequest request;
    request.pattern = m_find->currentText();
    request.options = MatchOptions{m_matchCase->isChecked(), m_wholeWord->isChecked(), m_regex->isChecked()};
    request.replace = replace;
    request.replacement = m_replace->currentText();
    if (m_inProject->isChecked()) {
        request.files = m_projectPages;
    } else {
        request.folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
        request.mask = m_mask->text();
        request.subfolders = m_subfolders->isChecked();
    }
    return request;
}

bool FindFilesDialog::validate()
{
    QString error;
    const Matcher matcher(m_find->currentText(), MatchOptions{false, false, m_regex->isChecked()});
    if (m_find->currentText().isEmpty())
        error = msg(9875);
    else if (!matcher.isValid())
        error = matcher.errorText();
    else if (m_inFolder->isChecked() && !QFileInfo(QDir::fromNativeSeparators(m_folder->text().trimmed())).isDir())
        error = msg(9876);
    m_error->setText(error);
    m_error->setVisible(!error.isEmpty());
    return error.isEmpty();
}

void FindFilesDialog::submit(bool replace)
{
    if (!validate())
        return;
    remember(m_find);
    if (replace)
        remember(m_replace);
    emit searchRequested(request(replace));
}
