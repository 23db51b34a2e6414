#include "ui/javascript/scripteditor.h"

#include "core/javascript/scriptinsertion.h"
#include "core/markup/editorstate.h"
#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/shell/prompts.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/dialogs/eventsdialog.h"
#include "ui/shell/uiguards.h"

#include <QAction>
#include <QCheckBox>
#include <QDrag>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QVBoxLayout>

ScriptEditor::ScriptEditor(DialogServices &services, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Fonction JavaScript"), QStringLiteral("script.html"), parent)
{
    setObjectName(QStringLiteral("TScriptFrm"));
    auto *columns = new QHBoxLayout;
    body()->addLayout(columns, 1);

    auto *left = new QVBoxLayout;
    auto *scriptCaption = new QLabel(QStringLiteral("&Script:"), this);
    m_editor = new QPlainTextEdit(this);
    m_editor->setObjectName(QStringLiteral("RichEdit1"));
    m_editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_editor->setMinimumSize(440, 300);
    m_editor->setTabChangesFocus(false);
    m_editor->setContextMenuPolicy(Qt::CustomContextMenu);
    m_editor->installEventFilter(this);
    m_editor->viewport()->installEventFilter(this);
    scriptCaption->setBuddy(m_editor);
    left->addWidget(scriptCaption);
    left->addWidget(m_editor, 1);
    m_head = new QCheckBox(QStringLiteral("&") + msg(775), this);
    m_head->setChecked(true);
    left->addWidget(m_head);
    auto *version = new QGroupBox(msg(798), this);
    auto *versionRow = new QHBoxLayout(version);
    m_v10 = new QRadioButton(msg(799), version);
    m_v11 = new QRadioButton(msg(800), version);
    m_v11->setChecked(true);
    versionRow->addWidget(m_v10);
    versionRow->addWidget(m_v11);
    versionRow->addStretch();
    left->addWidget(version);
    columns->addLayout(left, 3);

    auto *right = new QVBoxLayout;
    auto *buttons = new QGridLayout;
    for (int i = 0; i < WordListCount; ++i) {
        m_listButtons[i] = new QPushButton(msg(777 + i), this);
        buttons->addWidget(m_listButtons[i], i / 2, i % 2);
        const auto list = WordList(i);
        connect(m_listButtons[i], &QPushButton::clicked, this, [this, list] { showList(list); });
    }
    right->addLayout(buttons);
    auto *wordsCaption = new QLabel(QStringLiteral("Commandes &JavaScript:"), this);
    right->addWidget(wordsCaption);
    m_words = new QListWidget(this);
    wordsCaption->setBuddy(m_words);
    m_words->setObjectName(QStringLiteral("ListBox1"));
    m_words->setAccessibleName(QStringLiteral("Commandes JavaScript"));
    m_words->setDragEnabled(true);
    m_words->setDragDropMode(QAbstractItemView::DragOnly);
    m_words->setContextMenuPolicy(Qt::CustomContextMenu);
    m_words->setMinimumWidth(200);
    right->addWidget(m_words, 1);
    m_description = new QLabel(this);
    m_description->setWordWrap(true);
    m_description->setMinimumHeight(m_description->fontMetrics().height() * 3);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setFrameShape(QFrame::StyledPanel);
    m_description->hide();
    right->addWidget(m_description);
    columns->addLayout(right, 2);

    m_status = new QStatusBar(this);
    m_status->setSizeGripEnabled(false);
    m_position = new QLabel(this);
    m_mode = new QLabel(msg(7684), this);
    m_position->setMinimumWidth(m_position->fontMetrics().horizontalAdvance(QStringLiteral("Ligne 99999  Col 99999")));
    m_status->addWidget(m_position);
    m_status->addWidget(m_mode);
    body()->addWidget(m_status);

    m_wordsMenu = new QMenu(this);
    QAction *insert = m_wordsMenu->addAction(msg(783));
    QAction *full = m_wordsMenu->addAction(msg(784));
    m_showDescriptions = m_wordsMenu->addAction(msg(782));
    m_showDescriptions->setCheckable(true);
    connect(insert, &QAction::triggered, this, [this] { insertWord(currentWord()); });
    connect(full, &QAction::triggered, this, &ScriptEditor::showFullDescription);
    connect(m_showDescriptions, &QAction::toggled, this, [this](bool on) {
        m_description->setVisible(on);
        updateDescription();
    });
    connect(m_words, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_wordsMenu->popup(m_words->viewport()->mapToGlobal(pos)); });
    connect(m_words, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) { insertWord(item->text()); });
    connect(m_words, &QListWidget::currentRowChanged, this, &ScriptEditor::updateDescription);

    m_editorMenu = new QMenu(this);
    connect(m_editorMenu->addAction(msg(7725)), &QAction::triggered, this, [this] {
        if (m_editor->document()->isUndoAvailable())
            m_editor->undo();
        else
            m_editor->redo();
    });
    m_editorMenu->addSeparator();
    connect(m_editorMenu->addAction(msg(7616)), &QAction::triggered, m_editor, &QPlainTextEdit::cut);
    connect(m_editorMenu->addAction(msg(7617)), &QAction::triggered, m_editor, &QPlainTextEdit::copy);
    connect(m_editorMenu->addAction(msg(7618)), &QAction::triggered, m_editor, &QPlainTextEdit::paste);
    connect(m_editor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_editorMenu->popup(m_editor->viewport()->mapToGlobal(pos)); });

    connect(m_v10, &QRadioButton::toggled, this, [this] { showList(m_list); });
    connect(m_editor, &QPlainTextEdit::cursorPositionChanged, this, &ScriptEditor::updateStatus);
    showList(WordList::Declarations);
    updateStatus();
    resize(760, 520);
}

void ScriptEditor::setScript(const QString &script)
{
    QString plain = script;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_editor->setPlainText(plain);
    QTextCursor cursor(m_editor->document()->findBlockByNumber(std::min(3, m_editor->blockCount() - 1)));
    m_editor->setTextCursor(cursor);
    m_editor->document()->setModified(false);
    m_editor->setFocus();
    showList(WordList::Declarations);
}

QString ScriptEditor::script() const
{
    return m_editor->toPlainText();
}

void ScriptEditor::showList(WordList list)
{
    m_list = list;
    m_words->clear();
    m_words->addItems(JavaScriptWords(list, m_v11->isChecked()));
    updateDescription();
}

QString ScriptEditor::currentWord() const
{
    const QListWidgetItem *item = m_words->currentItem();
    return item ? item->text() : QString();
}

void ScriptEditor::insertWord(const QString &word)
{
    if (word.isEmpty())
        return;
    QTextCursor cursor = m_editor->textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    QTextCursor at(m_editor->document());
    at.setPosition(start);
    at.insertText(word);
    if (end > start) {
        // The selected text stays selected behind the word, the caret at its
        // beginning.
        cursor.setPosition(end + int(word.size()));
        cursor.setPosition(start + int(word.size()), QTextCursor::KeepAnchor);
    } else {
        cursor.setPosition(start + int(word.size()));
    }
    m_editor->setTextCursor(cursor);
    m_editor->setFocus();
}

void ScriptEditor::updateStatus()
{
    const QTextCursor cursor = m_editor->textCursor();
    m_position->setText(
        QStringLiteral("Ligne %1    Col %2").arg(cursor.blockNumber() + 1).arg(cursor.positionInBlock() + 1));
    m_mode->setText(msg(m_editor->overwriteMode() ? 7685 : 7684));
}

QString ScriptEditor::statusText() const
{
    return m_position->text() + u' ' + m_mode->text();
}

void ScriptEditor::updateDescription()
{
    if (!m_description->isVisible())
        return;
    const QString word = currentWord();
    const QString text = WordDescription(word);
    m_description->setText(word.isEmpty()
                               ? QString()
                               : QStringLiteral("<b>%1</b> : %2")
                                     .arg(word.toHtmlEscaped(), text.isEmpty() ? QStringLiteral("pas de description.")
                                                                               : text.toHtmlEscaped()));
}

void ScriptEditor::showFullDescription()
{
    const QString word = currentWord();
    if (word.isEmpty())
        return;
    const QString text = WordDescription(word);
    services().host.prompts().information(word + QStringLiteral(" : ")
                                          + (text.isEmpty() ? QStringLiteral("pas de description.") : text));
}

bool ScriptEditor::confirm()
{
    DocumentText *text = services().host.activeText();
    UndoHistory *undo = services().host.activeUndo();
    if (!text || !undo)
        return true;
    {
        BusyCursor busy;
        PaintingFreeze freeze(services().host.window());
        InsertScript(*text, *undo, services().host.editorState(), script().split(u'\n'), m_head->isChecked());
    }
    services().host.UpdateCommandStates();
    return true;
}

void ScriptEditor::reject()
{
    if (m_editor->document()->isModified() && !services().host.prompts().askYesNo(msg(70)))
        return;
    ElementDialog::reject();
}

bool ScriptEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Insert) {
            if (key->modifiers() & Qt::ShiftModifier)
                m_editor->paste();
            else if (key->modifiers() & Qt::ControlModifier)
                m_editor->copy();
            else
                m_editor->setOverwriteMode(!m_editor->overwriteMode());
            updateStatus();
            return true;
        }
    }
    // A word dragged from the list goes in at the script's caret, wherever
    // it is dropped.
    const QEvent::Type type = event->type();
    if (watched == m_editor->viewport()
        && (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->source() == m_words) {
            if (type == QEvent::Drop)
                insertWord(currentWord());
            drop->acceptProposedAction();
            return true;
        }
    }
    return ElementDialog::eventFilter(watched, event);
}

void runScriptEditor(DialogServices &services, QWidget *parent, const QString &script)
{
    ScriptEditor editor(services, parent);
    editor.setScript(script);
    editor.exec();
}

QString NewFunctionScript(const QString &name)
{
    return ScriptSkeleton(name.isEmpty() ? QStringLiteral("sansnom()") : name);
}

void NewFunctionCommand(DialogServices &services)
{
    DocumentText *text = services.host.activeText();
    if (!text)
        return;
    text->setSelectionStart(text->selectionStart());
    EventsDialog names(services, services.host.window());
    names.setNameMode(true);
    if (names.exec() != QDialog::Accepted)
        return;
    ScriptEditor editor(services, services.host.window());
    editor.setScript(NewFunctionScript(names.name()));
    editor.exec();
}
