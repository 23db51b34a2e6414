#pragma once

#include <QString>

#include <functional>
#include <optional>

class DocumentText;
class PassProgress;
class Prompts;
class UndoHistory;

// Rewrites the whole text of a page as one ukWholeText undo step that holds
// what changed between the text before and after, so one Undo restores the
// old text and Redo applies the new one again. `build` gets the old text and returns the new
// one, or nothing to refuse the change. When it refuses, or the new text
// would be longer than a page may be, or memory runs out, nothing is
// recorded or changed and false is returned.
using WholeTextBuilder = std::function<std::optional<QString>(const QString &)>;
bool applyWholeText(DocumentText &text, UndoHistory &undo, const WholeTextBuilder &build);

// The three whole-text commands of the File menu. Each asks for
// confirmation, rewrites the page as one undo step while the progress
// observer (may be null) follows the pass, then tells the result. They
// return false when the user declined or the text could not be changed.

// "&Conversion des caractères": characters to entities, comments left alone.
bool ConvertCharactersToEntities(DocumentText &text, UndoHistory &undo, Prompts &prompts, PassProgress *progress);
// "Re&tour vers caractères": entities back to characters.
bool ConvertEntitiesToCharacters(DocumentText &text, UndoHistory &undo, Prompts &prompts, PassProgress *progress);
// "Compacter les &balises".
bool CompactPageTags(DocumentText &text, UndoHistory &undo, Prompts &prompts, PassProgress *progress);

namespace Texts {
// Shown when a whole-text command would make the page too long.
inline const QString WholeTextTooLong =
    QStringLiteral("Le texte obtenu dépasserait la taille maximale d'une page. Le document n'a pas été modifié.");
} // namespace Texts
