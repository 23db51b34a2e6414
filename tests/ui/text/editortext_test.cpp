#include "support/documenttext_contract.h"
#include "ui/text/editortext.h"
#include "ui/text/editorwidget.h"

namespace {

struct EditorHolder
{
    explicit EditorHolder(const QString &initial)
        : text(&editor)
    {
        text.setText(initial);
        text.setModified(false);
    }
    DocumentText &get() { return text; }
    EditorWidget editor;
    EditorText text;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Editor, TextContract, EditorHolder);

TEST(EditorText, WidgetHoldsNoCarriageReturns)
{
    EditorWidget editor;
    EditorText text(&editor);
    text.setText(QStringLiteral("a\r\nb\rc\nd"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(editor.store().lineCount(), 4);
    // Widget positions and caret positions convert both ways.
    for (int widgetPos = 0; widgetPos <= 7; ++widgetPos)
        EXPECT_EQ(text.toWidget(text.fromWidget(widgetPos)), widgetPos);
    EXPECT_EQ(text.fromWidget(2), 3);
    EXPECT_EQ(text.toWidget(9), 6);
}
