// Random template files and random pages (BODY tags with or without their
// ">", onLoad and onUnload attributes, names already taken) through the
// script wizards: every wizard's pieces must come out again with Undo, the
// selection stays inside the page, and a BODY the wizard rewrote still
// starts with "<BODY".
#include "core/javascript/scriptwizards.h"
#include "core/markup/editorstate.h"
#include "core/shell/prompts.h"
#include "core/text/memorytext.h"
#include "core/undo/undohistory.h"
#include "fuzzinput.h"
#include "fuzzprompts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const int wizard = input.number(6);
    const int caret = input.number(4096);
    const QByteArray templateBytes = input.field();
    const QString fieldText = input.text();
    const QString page = input.text();
    const bool missing = input.flag();

    MemoryText text(page);
    const QString original = text.text();
    text.select(caret % (text.length() + 1), 0);
    UndoHistory undo(text);
    EditorState state;
    YesPrompts prompts;
    const TemplateReader reader = [&](const QString &, QStringList &lines) {
        if (missing)
            return false;
        lines = TemplateLines(templateBytes);
        return true;
    };
    ScriptWizardContext context{text, undo, state, prompts, reader, QStringLiteral("jscript")};

    switch (wizard) {
    case 0: {
        BannerWizard w;
        w.text = fieldText;
        w.statusBar = caret & 1;
        WriteBanner(context, w);
        break;
    }
    case 1:
        WriteClock(context, ClockWizard{fieldText, bool(caret & 1)});
        break;
    case 2: {
        UrlMenuWizard w;
        w.entries = {{fieldText, fieldText}};
        w.dropDown = caret & 1;
        WriteUrlMenu(context, w);
        break;
    }
    case 3: {
        GradientWizard w{fieldText, fieldText, 3, caret % 3};
        WriteGradient(context, w);
        break;
    }
    case 4: {
        PictureListWizard w;
        w.entries = {{fieldText, fieldText}};
        WritePictureList(context, w);
        break;
    }
    default:
        WritePictureLink(context, PictureLinkWizard{fieldText, fieldText, QStringLiteral("b.gif"), 1, 1});
        break;
    }
    FUZZ_CHECK(text.selectionStart() >= 0 && text.selectionStart() + text.selectionLength() <= text.length());
    FUZZ_CHECK(EscapeQuotes(fieldText).count(QLatin1Char('"')) == 0);
    while (undo.CanUndo())
        undo.Undo();
    FUZZ_CHECK(text.text() == original);
    return 0;
}
