#include "core/imagemap/mapwriter.h"

#include "core/markup/editorstate.h"
#include "core/markup/insertion.h"

QStringList MapPieces(const QString &name, const QStringList &lines, const QString &imageTag)
{
    const QString crlf = QStringLiteral("\r\n");
    QStringList pieces{QStringLiteral("<MAP NAME=\"%1\">").arg(name), crlf};
    if (!lines.isEmpty()) {
        QString block;
        for (const QString &line : lines)
            block += QStringLiteral("  ") + line + crlf;
        pieces << block;
    }
    pieces << QStringLiteral("</MAP>") + crlf;
    const qsizetype close = imageTag.lastIndexOf(QLatin1Char('>'));
    if (close >= 0)
        pieces << imageTag.left(close) + QStringLiteral(" USEMAP=\"#%1\">").arg(name);
    return pieces;
}

void WriteMap(DocumentText &text, UndoHistory &undo, EditorState &state, const QStringList &pieces)
{
    const UndoKind kind = state.SelectedElementText.isEmpty() ? ukInsert : ukReplace;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        InsertTagPair(text, undo, state, pieces.at(i), QString(), i == 0, true, i == 0 ? kind : ukInsert);
}
