#include "core/table/tableopening.h"

#include "core/markup/editorstate.h"
#include "core/markup/elementmarkers.h"
#include "core/markup/elementselection.h"
#include "core/messages/messages.h"
#include "core/shell/prompts.h"
#include "core/table/tablemodel.h"
#include "core/text/documenttext.h"

TableDesignerStart OpenTableDesigner(DocumentText &text, EditorState &state, Prompts &prompts, TableModel &model)
{
    TableDesignerStart start;
    model = TableModel();
    const bool selectsTable =
        text.selectionLength() > 0 && text.selectedText().contains(QLatin1String("<TABLE"), Qt::CaseInsensitive);
    const ElementEditMode mode = ApplyElementEditMode(text, state, MarkersForCommand(QStringLiteral("TableBtn")));
    if (mode == ElementEditMode::Nested) {
        prompts.information(msg(18));
        start.refused = true;
        return start;
    }
    if (mode != ElementEditMode::Edit || state.SelectedElementText.isEmpty()) {
        // A table start without its end tag: no message, but the designer
        // says that it makes a new table.
        start.refused = selectsTable;
        return start;
    }

    start.reading = ReadTable(state.SelectedElementText, model);
    const int message = TableReadMessage(start.reading.outcome);
    if (message != 0) {
        if (message == 90)
            prompts.error(msg(message));
        else
            prompts.information(msg(message));
        // The old table stays; the new one goes in before it.
        text.setSelectionLength(0);
        state.SelectedElementText.clear();
        start.reading.losses.clear();
        start.refused = true;
        return start;
    }
    start.editing = true;
    return start;
}

QString TableLossQuestion(const QStringList &losses)
{
    QString text = QStringLiteral("Le concepteur ne peut pas reprendre tout le code de ce tableau. "
                                  "En le remplaçant, vous perdrez:");
    for (const QString &item : losses)
        text += QStringLiteral("\r\n - ") + item;
    return text + QStringLiteral("\r\n\r\nVoulez-vous remplacer le tableau quand même?");
}

bool ConfirmTableReplacement(const TableDesignerStart &start, Prompts &prompts)
{
    if (!start.editing || start.reading.losses.isEmpty())
        return true;
    return prompts.askYesNo(TableLossQuestion(start.reading.losses));
}
