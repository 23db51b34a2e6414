#include "ui/formatting/tagreferencewindow.h"

#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "ui/formatting/formattingcommands.h"
#include "ui/shell/helpwindow.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

QString tagReferencePath()
{
    return QCoreApplication::applicationDirPath() + u'/' + QString::fromUtf16(TagReferenceFileName);
}

TTagFrm::TTagFrm(DocumentHost &host, QWidget *parent, const QString &path)
    : QWidget(parent, Qt::Tool)
    , m_host(host)
    , m_reference(loadTagReference(path.isEmpty() ? tagReferencePath() : path))
{
    setObjectName(QStringLiteral("TTagFrm"));
    setWindowTitle(QStringLiteral("Commandes HTML en bref"));
    auto *layout = new QVBoxLayout(this);

    // Letter buttons: two rows of thirteen.
    auto *letters = new QGridLayout;
    letters->setSpacing(2);
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        auto *button = new QPushButton(QString(QChar(c)), this);
        button->setObjectName(QStringLiteral("Lettre") + QChar(c));
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(u'W') + 16);
        button->setToolTip(QStringLiteral("Commandes commençant par ") + QChar(c));
        const int n = c - u'A';
        letters->addWidget(button, n / 13, n % 13);
        m_letters << button;
        connect(button, &QPushButton::clicked, this, [this, c] { letterClicked(QChar(c)); });
    }
    layout->addLayout(letters);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    auto *top = new QWidget(splitter);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    auto *listLabel = new QLabel(QStringLiteral("&Commandes (double-clic ou Entrée pour insérer):"), top);
    m_list = new QListWidget(top);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    listLabel->setBuddy(m_list);
    topLayout->addWidget(listLabel);
    topLayout->addWidget(m_list);

    auto *bottom = new QWidget(splitter);
    auto *bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    auto *descriptionLabel = new QLabel(msg(7726), bottom);
    m_description = new QPlainTextEdit(bottom);
    m_description->setObjectName(QStringLiteral("Memo1"));
    m_description->setReadOnly(true);
    descriptionLabel->setBuddy(m_description);
    bottomLayout->addWidget(descriptionLabel);
    bottomLayout->addWidget(m_description);
    splitter->addWidget(top);
    splitter->addWidget(bottom);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    layout->addWidget(splitter, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *help = new QPushButton(msg(2003), this);
    help->setAutoDefault(false);
    buttons->addWidget(help);
    layout->addLayout(buttons);
    connect(help, &QPushButton::clicked, this, [this] { showHelpTopic(this, QStringLiteral("commandes.html")); });

    for (const TagReferenceEntry &entry : m_reference.entries)
        m_list->addItem(entry.tag);
    connect(m_list, &QListWidget::currentRowChanged, this, &TTagFrm::entrySelected);
    // A double click inserts (a single click only selects, whatever the
    // platform's activation habit); Enter is caught by the event filter.
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { insertEntry(m_list->row(item)); });
    m_list->installEventFilter(this);
    if (!m_reference.entries.isEmpty())
        m_list->setCurrentRow(0);
    resize(580, 560);
    m_list->setFocus();

    if (!m_reference.error.isEmpty())
        m_host.prompts().error(m_reference.error);
}

QPushButton *TTagFrm::letterButton(QChar letter) const
{
    const int n = letter.toUpper().unicode() - u'A';
    return n >= 0 && n < m_letters.size() ? m_letters.at(n) : nullptr;
}

bool TTagFrm::eventFilter(QObject *watched, QEvent *event)
{
    // Enter inserts, whatever the platform's own activation key is.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            insertEntry(m_list->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TTagFrm::entrySelected(int index)
{
    m_description->setPlainText(
        index >= 0 && index < m_reference.entries.size() ? m_reference.entries.at(index).description : QString());
}

void TTagFrm::letterClicked(QChar letter)
{
    const int index = firstEntryForLetter(m_reference.entries, letter);
    if (index >= 0) {
        m_list->setCurrentRow(index);
        m_list->scrollToItem(m_list->item(index), QAbstractItemView::PositionAtTop);
    }
    m_list->setFocus();
}

void TTagFrm::insertEntry(int index)
{
    if (index < 0 || index >= m_reference.entries.size())
        return;
    const TagReferenceInsertion insertion = tagReferenceInsertion(m_reference.entries.at(index).tag);
    insertPair(m_host, insertion.texts, insertion.kind);
    // The page gets the keyboard back; the reference stays open on top.
    if (QWidget *frame = m_host.window())
        frame->activateWindow();
}
