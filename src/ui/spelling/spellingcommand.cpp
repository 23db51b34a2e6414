#include "ui/spelling/spellingcommand.h"

#include "core/markup/insertion.h"
#include "core/messages/messages.h"
#include "core/settings/settings.h"
#include "core/shell/prompts.h"
#include "core/spelling/speller.h"
#include "ui/preferences/optionscommands.h"
#include "ui/shell/documentwindow.h"
#include "ui/shell/documentworkspace.h"
#include "ui/shell/mainwindow.h"
#include "ui/spelling/pagespelling.h"
#include "ui/tagcommands/documentcontextmenu.h"
#include "ui/text/editorwidget.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QStandardPaths>

SpellingCommand::SpellingCommand(MainWindow &frame, std::shared_ptr<SpellingService> service)
    : QObject(&frame)
    , m_frame(frame)
    , m_service(std::move(service))
    , m_action(new QAction(msg(9800), this))
{
    m_action->setCheckable(true);
    m_action->setEnabled(m_service->isAvailable());
    m_action->setStatusTip(msg(m_service->isAvailable() ? 9801 : 9802));
    connect(m_action, &QAction::triggered, this, &SpellingCommand::setEnabled);
    connect(frame.workspace(), &DocumentWorkspace::documentCreated, this, &SpellingCommand::attach);
    if (DocumentContextMenu *menu = frame.contextMenu()) {
        menu->addExtension(
            [this](QWidget *editor, const QPoint &point, QMenu *owner) { return menuEntries(editor, point, owner); });
    }
}

bool SpellingCommand::isActive() const
{
    return m_frame.settings().spelling && m_service->isAvailable();
}

void SpellingCommand::setService(std::shared_ptr<SpellingService> service)
{
    m_service = std::move(service);
    for (EditorWidget *editor : m_frame.editors())
        delete spellingOf(editor);
    m_action->setEnabled(m_service->isAvailable());
    attachAll();
}

void SpellingCommand::setEnabled(bool on)
{
    m_frame.settings().spelling = on;
    m_action->setChecked(isActive());
    if (on) {
        attachAll();
        return;
    }
    for (EditorWidget *editor : m_frame.editors())
        delete spellingOf(editor);
}

PageSpelling *SpellingCommand::spellingOf(EditorWidget *editor)
{
    return editor ? editor->findChild<PageSpelling *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void SpellingCommand::attach(DocumentWindow *document)
{
    if (isActive() && !spellingOf(document->editor()))
        new PageSpelling(document->editor(), m_service);
}

void SpellingCommand::attachAll()
{
    for (DocumentWindow *document : m_frame.workspace()->documents())
        attach(document);
}

QList<QAction *> SpellingCommand::menuEntries(QWidget *editorWidget, const QPoint &viewportPoint, QMenu *menu)
{
    auto *editor = qobject_cast<EditorWidget *>(editorWidget);
    PageSpelling *spelling = spellingOf(editor);
    if (!spelling)
        return {};
    const std::optional<PageSpelling::Found> found = spelling->markAt(editor->positionAt(viewportPoint));
    if (!found)
        return {};
    QList<QAction *> entries;
    const QString word = found->mark.word;
    const int line = found->line;
    const int column = found->mark.start;
    const QString written = editor->store().line(line).mid(column, found->mark.length);
    Speller *speller = m_service->speller(spelling->dictionary());
    const QStringList suggestions = speller ? speller->suggestions(word, MaxSuggestions) : QStringList();
    for (const QString &suggestion : suggestions) {
        QAction *entry = new QAction(QString(suggestion).replace(u'&', QStringLiteral("&&")), menu);
        connect(entry, &QAction::triggered, this,
                [this, editor = QPointer<EditorWidget>(editor), line, column, written, suggestion] {
                    if (editor)
                        replaceWord(editor, line, column, written, suggestion);
                });
        entries.append(entry);
    }
    if (suggestions.isEmpty()) {
        entries.append(new QAction(msg(9803), menu));
        entries.last()->setEnabled(false);
    }
    QAction *separator = new QAction(menu);
    separator->setSeparator(true);
    entries.append(separator);
    QAction *ignore = new QAction(msg(9804), menu);
    connect(ignore, &QAction::triggered, this, [this, word] { this->ignore(word); });
    QAction *add = new QAction(msg(9805), menu);
    connect(add, &QAction::triggered, this, [this, word] { addToDictionary(word); });
    entries << ignore << add;
    return entries;
}

void SpellingCommand::replaceWord(EditorWidget *editor, int line, int column, const QString &word,
                                  const QString &replacement)
{
    DocumentWindow *document = nullptr;
    for (DocumentWindow *candidate : m_frame.workspace()->documents()) {
        if (candidate->editor() == editor)
            document = candidate;
    }
    // The text may have changed while the menu was open.
    if (!document || line >= editor->store().lineCount() || editor->store().line(line).mid(column, word.size()) != word)
        return;
    m_frame.workspace()->activate(document);
    EditorText &text = document->text();
    text.setSelectionStart(text.lineStart(line) + column);
    text.setSelectionLength(int(word.size()));
    ReplaceSelection(text, document->undo(), m_frame.editorState(), replacement);
    m_frame.UpdateCommandStates();
}

void SpellingCommand::ignore(const QString &word)
{
    m_service->ignore(word);
    wordAccepted(word);
}

void SpellingCommand::addToDictionary(const QString &word)
{
    QString error;
    if (!m_service->addToPersonal(word, &error)) {
        m_frame.prompts().error(msg(9806).arg(word, error));
        return;
    }
    wordAccepted(word);
}

void SpellingCommand::wordAccepted(const QString &word)
{
    for (EditorWidget *editor : m_frame.editors()) {
        if (PageSpelling *spelling = spellingOf(editor))
            spelling->wordAccepted(word);
    }
}

SpellingCommand *installSpellingCommands(MainWindow &frame)
{
    const QString personal = QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                                 .filePath(QStringLiteral("dictionnaire-personnel.txt"));
    auto *command = new SpellingCommand(
        frame, std::make_shared<SpellingService>(SpellingService::systemDictionaryFolder(), personal));
    // In the Options menu, after the HTML colouring's item.
    QMenu *options = frame.options()->menu();
    const QList<QAction *> items = options->actions();
    qsizetype at = items.indexOf(frame.options()->marginsAction());
    while (at >= 0 && at + 1 < items.size() && !items.at(at + 1)->isSeparator())
        ++at;
    options->insertAction(at >= 0 ? items.value(at + 1) : nullptr, command->action());
    QObject::connect(options, &QMenu::aboutToShow, command,
                     [command] { command->action()->setChecked(command->isActive()); });
    return command;
}
