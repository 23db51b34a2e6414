#include "ui/shell/editcommands.h"

#include "core/shell/documenthost.h"
#include "ui/text/editortext.h"
#include "core/undo/undohistory.h"
#include "ui/shell/uiguards.h"
#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <optional>
#include <QWidget>

namespace {

QAction *makeAction(QObject *parent, const QString &caption, const QKeySequence &shortcut, const QString &tip = {})
{
    auto *action = new QAction(caption, parent);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    if (!tip.isEmpty()) {
        action->setToolTip(tip);
        action->setStatusTip(tip);
    }
    return action;
}

bool clipboardHasText()
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

EditCommands::EditCommands(DocumentHost &host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    m_undo = makeAction(this, QStringLiteral("&Annuler"), QKeySequence(Qt::CTRL | Qt::Key_Z), QStringLiteral("Annuler"));
    m_redo = makeAction(this, QStringLiteral("Refa&ire"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        QStringLiteral("Refaire"));
    m_repeat = makeAction(this, QStringLiteral("&Répéter dernière commande"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_cut = makeAction(this, QStringLiteral("&Couper"), QKeySequence(Qt::CTRL | Qt::Key_X), QStringLiteral("Couper"));
    m_copy = makeAction(this, QStringLiteral("Co&pier"), QKeySequence(Qt::CTRL | Qt::Key_C), QStringLiteral("Copier"));
    m_paste = makeAction(this, QStringLiteral("C&oller"), QKeySequence(Qt::CTRL | Qt::Key_V), QStringLiteral("Coller"));
    m_delete = makeAction(this, QStringLiteral("E&ffacer"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    m_selectAll = makeAction(this, QStringLiteral("&Sélectionner tout"), QKeySequence(Qt::CTRL | Qt::Key_A));

    connect(m_undo, &QAction::triggered, this, &EditCommands::undo);
    connect(m_redo, &QAction::triggered, this, &EditCommands::redo);
    connect(m_repeat, &QAction::triggered, this, &EditCommands::Rpterdernirecommande1Click);
    connect(m_cut, &QAction::triggered, this, &EditCommands::CutBtnClick);
    connect(m_copy, &QAction::triggered, this, &EditCommands::CopyBtnClick);
    connect(m_paste, &QAction::triggered, this, &EditCommands::PasteBtnClick);
    connect(m_delete, &QAction::triggered, this, &EditCommands::EffacerClick);
    connect(m_selectAll, &QAction::triggered, this, &EditCommands::Selectionnertout1Click);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::updateStates);
}

bool EditCommands::editorHasFocus() const
{
    // The window remembers which of its widgets has the focus even while a
    // menu is open or the window itself is inactive.
    QWidget *window = m_host.window();
    QWidget *focus = window ? window->focusWidget() : nullptr;
    return focus && focus->inherits("EditorWidget");
}

void EditCommands::undo()
{
    if (UndoHistory *history = m_host.activeUndo())
        history->Undo();
    m_host.UpdateCommandStates();
}

void EditCommands::redo()
{
    if (UndoHistory *history = m_host.activeUndo())
        history->Redo();
    m_host.UpdateCommandStates();
}

void EditCommands::CutBtnClick()
{
    DocumentText *text = m_host.activeText();
    if (!text || !editorHasFocus() || text->selectionLength() == 0)
        return;
    const QString cut = CutSelection(*text, *m_host.activeUndo());
    QApplication::clipboard()->setText(toLf(cut));
    m_host.UpdateCommandStates();
}

void EditCommands::CopyBtnClick()
{
    DocumentText *text = m_host.activeText();
    if (!text || !editorHasFocus() || text->selectionLength() == 0)
        return;
    QApplication::clipboard()->setText(toLf(text->selectedText()));
    m_host.UpdateCommandStates();
}

void EditCommands::PasteBtnClick()
{
    DocumentText *text = m_host.activeText();
    if (!text || !editorHasFocus() || !clipboardHasText())
        return;
    PasteText(*text, *m_host.activeUndo(), m_host.editorState(), QApplication::clipboard()->text());
    m_host.UpdateCommandStates();
}

void EditCommands::EffacerClick()
{
    DocumentText *text = m_host.activeText();
    if (!text || !editorHasFocus())
        return;
    DeleteSelection(*text, *m_host.activeUndo());
    m_host.UpdateCommandStates();
}

void EditCommands::Selectionnertout1Click()
{
    if (DocumentText *text = m_host.activeText())
        text->selectAll();
    m_host.UpdateCommandStates();
}

void EditCommands::Rpterdernirecommande1Click()
{
    DocumentText *text = m_host.activeText();
    if (!text)
        return;
    {
        const bool manyPieces = m_host.editorState().LastStartTexts.size() > 1;
        std::optional<BusyCursor> busy;
        std::optional<PaintingFreeze> freeze;
        if (manyPieces) {
            busy.emplace();
            freeze.emplace(m_host.window());
        }
        RepeatLastCommand(*text, *m_host.activeUndo(), m_host.editorState());
    }
    m_host.UpdateCommandStates();
}

void EditCommands::updateStates()
{
    DocumentText *text = m_host.activeText();
    UndoHistory *history = m_host.activeUndo();
    const bool open = text != nullptr;
    const bool selected = open && text->selectionLength() > 0;
    m_undo->setEnabled(history && history->CanUndo());
    m_redo->setEnabled(history && history->CanRedo());
    m_repeat->setEnabled(CanRepeatLastCommand(m_host.editorState()));
    m_cut->setEnabled(selected);
    m_copy->setEnabled(selected);
    m_paste->setEnabled(open && clipboardHasText());
    m_delete->setEnabled(open);
    m_selectAll->setEnabled(open);
}
