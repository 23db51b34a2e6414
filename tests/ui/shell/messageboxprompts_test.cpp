#include "ui/shell/messageboxprompts.h"

#include "core/messages/messages.h"
#include "support/ondialog.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Every kind of message shows the catalogue text whole, markup included,
// and the question still has its buttons.
TEST(MessageBoxPrompts, ShowTheirTextAsPlainText)
{
    MessageBoxPrompts prompts;
    const struct
    {
        int message;
        std::function<void(const QString &)> show;
        QMessageBox::StandardButtons buttons;
    } cases[] = {
        {36, [&](const QString &t) { EXPECT_TRUE(prompts.askYesNo(t)); }, QMessageBox::Yes | QMessageBox::No},
        {56, [&](const QString &t) { prompts.askYesNoCancel(t); },
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
        {37, [&](const QString &t) { prompts.information(t); }, QMessageBox::Ok},
        {69, [&](const QString &t) { prompts.warning(t); }, QMessageBox::Ok},
        {90, [&](const QString &t) { prompts.error(t); }, QMessageBox::Ok},
    };
    for (const auto &c : cases) {
        const QString text = QStringLiteral("[page.htm]") + msg(c.message);
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::StandardButtons buttons;
        onDialog<QMessageBox>([&](QMessageBox &box) {
            shown = box.text();
            format = box.textFormat();
            buttons = box.standardButtons();
            box.button(buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok)->click();
        });
        c.show(text);
        EXPECT_EQ(shown, text) << c.message;
        EXPECT_EQ(format, Qt::PlainText) << c.message;
        EXPECT_EQ(buttons, c.buttons) << c.message;
    }
}

} // namespace
