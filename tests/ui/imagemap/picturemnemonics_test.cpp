#include "../dialogs/dialogtesting.h"
#include "core/messages/messages.h"
#include "ui/image/imagedialog.h"
#include "ui/imagemap/mapdialog.h"
#include "ui/picker/picturepicker.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Each Alt+letter of a picture dialog must lead to one control only.
TEST(PictureMnemonics, UniqueInEveryPictureDialog)
{
    DialogTesting t;
    const struct
    {
        const char *name;
        std::function<QDialog *()> make;
    } dialogs[] = {
        {"image", [&t] { return new TImgSrcFrm(t.services, TImgSrcFrm::Mode::Image, QString()); }},
        {"form image", [&t] { return new TImgSrcFrm(t.services, TImgSrcFrm::Mode::FormImage, QString()); }},
        {"plain image", [&t] { return new TImgSrcFrm(t.services, TImgSrcFrm::Mode::Plain, QString()); }},
        {"picker", [&t] { return new TOuvrirFrm(t.services, msg(3003), t.folder.path()); }},
        {"map", [&t] { return new TMapFrm(t.services, QString()); }},
        {"map, circle",
         [&t] {
             auto *map = new TMapFrm(t.services, QString());
             map->findChildren<QRadioButton *>().constLast()->click();
             return map;
         }},
    };
    for (const auto &d : dialogs) {
        SCOPED_TRACE(d.name);
        const std::unique_ptr<QDialog> dialog(d.make());
        dialog->show();
        QMap<int, QString> seen;
        const auto check = [&seen](const QString &text) {
            const int key = QKeySequence::mnemonic(text)[0].toCombined();
            if (key == 0)
                return;
            EXPECT_FALSE(seen.contains(key)) << qPrintable(text) << " / " << qPrintable(seen.value(key));
            seen.insert(key, text);
        };
        for (const QLabel *label : dialog->findChildren<QLabel *>()) {
            if (label->isVisible())
                check(label->text());
        }
        for (const QAbstractButton *button : dialog->findChildren<QAbstractButton *>()) {
            if (button->isVisible())
                check(button->text());
        }
        // The dialogs do have keys: an empty map would prove nothing.
        EXPECT_GE(seen.size(), 6);
    }
}

} // namespace
