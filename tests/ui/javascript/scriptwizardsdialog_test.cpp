#include "ui/javascript/scriptwizardsdialog.h"

#include "../dialogs/dialogtesting.h"
#include "support/marked.h"
#include "support/qstringprinter.h"
#include "ui/dialogs/linkdialogs.h"
#include "ui/javascript/javascriptcommands.h"
#include "ui/javascript/bannerpage.h"
#include "ui/javascript/clockpage.h"
#include "ui/javascript/gradientpage.h"
#include "ui/javascript/picturelinkpage.h"
#include "ui/javascript/picturelistpage.h"
#include "ui/javascript/urlmenupage.h"
#include "ui/tagcommands/tooltabs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct WizardTesting : DialogTesting
{
    explicit WizardTesting(ScriptWizardsDialog::Wizard wizard,
                           const QString &page = QStringLiteral("<HEAD></HEAD><BODY>|"))
        : dialog((setMarked(host.text, page), services), wizard)
    {
        // The build copies the templates beside the program, next to the tests.
        dialog.setTemplateFolder(QCoreApplication::applicationDirPath() + QStringLiteral("/../src/jscript"));
    }
    template<typename Page> Page *page(ScriptWizardsDialog::Wizard wizard)
    {
        return static_cast<Page *>(dialog.page(wizard));
    }
    QString pageText() const { return host.text.text(); }

    ScriptWizardsDialog dialog;
};

TEST(ScriptWizardsCommands, EachCommandOpensItsTabAndEveryCaptionReachesItsField)
{
    DialogTesting t;
    ToolTabs tools(t.host);
    tools.setDocumentOpen(true);
    installJavaScriptCommands(tools, t.services);
    const char *ids[] = {"BanScrBtn", "HeureScrBtn", "URLScrBtn", "CouleurScrBtn", "ImagesScrBtn", "LienScrBtn"};
    for (int i = 0; i < 6; ++i) {
        QAction *action = tools.action(QLatin1String(ids[i]));
        ASSERT_TRUE(action && action->isEnabled()) << ids[i];
        int shownTab = -1;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<ScriptWizardsDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shownTab = dialog->tabs()->currentIndex();
            for (QLabel *label : dialog->findChildren<QLabel *>()) {
                if (label->text().contains('&')) {
                    EXPECT_NE(label->buddy(), nullptr) << str(label->text());
                }
            }
            dialog->reject();
        });
        action->trigger();
        EXPECT_EQ(shownTab, i) << ids[i];
    }
}

TEST(ScriptWizardsDialog, BannerWritesThroughTheTemplateAndStopsItsPreview)
{
    WizardTesting t(ScriptWizardsDialog::Banner);
    auto *banner = t.page<BannerPage>(ScriptWizardsDialog::Banner);
    banner->m_text->setText(QStringLiteral("Dit \"oui\""));
    banner->tick(1000);
    const QString first = banner->m_previewBox->text();
    banner->tick(banner->m_delay->value());
    EXPECT_NE(banner->m_previewBox->text(), first) << "the preview scrolls";

    t.dialog.okButton()->click();
    EXPECT_EQ(t.dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(t.dialog.previewTimer()->isActive());
    EXPECT_TRUE(
        t.pageText().contains("<BODY onLoad=\"Msg='Dit \\'oui\\''; banniere(100);\" onUnload=\"clearTimeout(ban)\">"));
    EXPECT_EQ(t.host.undo.count(), 3);
}

TEST(ScriptWizardsDialog, PictureListPreviewsAndOrdersItsPictures)
{
    WizardTesting t(ScriptWizardsDialog::PictureList);
    auto *list = t.page<PictureListPage>(ScriptWizardsDialog::PictureList);
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.save(t.folder.filePath("rouge.png"));
    t.writeFile("faux.png", "pas une image");
    const struct
    {
        const char *file;
        bool shown;
    } pictures[] = {{"rouge.png", true}, {"faux.png", false}, {"absent.png", false}};
    for (const auto &p : pictures) {
        list->m_file->setText(QLatin1String(p.file));
        EXPECT_EQ(!list->m_preview->pixmap().isNull(), p.shown) << p.file;
        EXPECT_EQ(list->m_preview->text().isEmpty(), p.shown) << p.file;
    }
    list->m_file->setText("rouge.png");
    list->m_label->setText("Rouge");
    list->m_add->click();
    list->m_file->setText("faux.png");
    list->m_add->click();
    list->m_up->click();
    list->m_width->setText("-5");
    list->m_asList->setChecked(true);
    t.dialog.okButton()->click();
    EXPECT_EQ(t.dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(t.pageText().contains("<IMG NAME=\"imgDepart1\" SRC=\"faux.png\" BORDER=0 WIDTH=320 HEIGHT=240>"));
    EXPECT_LT(t.pageText().indexOf("faux.png\">faux.png"), t.pageText().indexOf("rouge.png\">Rouge"));
}

TEST(ScriptWizardsDialog, PictureLinkTakesTheLinkDialogTagAndThePictureSize)
{
    WizardTesting t(ScriptWizardsDialog::PictureLink);
    auto *link = t.page<PictureLinkPage>(ScriptWizardsDialog::PictureLink);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::blue);
    image.save(t.folder.filePath("a.png"));
    image.save(t.folder.filePath("b.png"));
    link->m_normal->setText("a.png");
    link->m_over->setText("b.png");
    // The link comes from the link dialog, which only builds its start tag here.
    QTimer::singleShot(0, [&] {
        auto *external = qobject_cast<ExternalLinkDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(external, nullptr);
        external->addressField()->setEditText("suite.htm");
        external->okButton()->click();
        if (external->isVisible())
            external->reject();
    });
    t.writeFile("suite.htm");
    link->m_external->click();
    EXPECT_EQ(str(link->m_link->text()), "<A HREF=\"suite.htm\">");
    EXPECT_EQ(t.host.undo.count(), 0);
    t.dialog.okButton()->click();
    EXPECT_TRUE(t.pageText().contains("<BODY><A HREF=\"suite.htm\" onMouseOver="));
    EXPECT_TRUE(t.pageText().contains("<IMG NAME=\"img1\" WIDTH=64 HEIGHT=48 BORDER=0 SRC=\"a.png\""));
}

TEST(ScriptWizardsDialog, ClockStylesShowTheirSample)
{
    const QDateTime moment(QDate(1997, 1, 31), QTime(9, 5, 7));
    const struct
    {
        const char *style, *shown;
    } cases[] = {
        {"HH:MM:SS", "09:05:07"},
        {"HH H MM", "09 h 05"},
        {"HH HEURE MM", "09 heure 05"},
        {"JJ MOIS AAAA", "31 janvier 1997"},
        {"JJ/MM/AA", "31/01/97"},
        {"AA-MM-JJ", "97-01-31"},
        {"inconnu", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(str(ClockPage::formatted(QLatin1String(c.style), moment)), c.shown) << c.style;

    WizardTesting t(ScriptWizardsDialog::Clock);
    auto *clock = t.page<ClockPage>(ScriptWizardsDialog::Clock);
    EXPECT_EQ(clock->m_styles->count(), 4);
    clock->m_date->setChecked(true);
    EXPECT_EQ(clock->m_styles->count(), 5);
    clock->m_styles->setCurrentRow(2);
    t.dialog.okButton()->click();
    EXPECT_TRUE(t.pageText().contains("onLoad=\"debuteDate(10000)\""));
}

TEST(ScriptWizardsDialog, UrlEntriesAreAddedModifiedAndErased)
{
    WizardTesting t(ScriptWizardsDialog::UrlMenu, "|");
    auto *menu = t.page<UrlMenuPage>(ScriptWizardsDialog::UrlMenu);
    const struct
    {
        const char *url, *text;
    } entries[] = {{"a.htm", "A"}, {"b.htm", ""}, {"c.htm", "C"}};
    for (const auto &e : entries) {
        menu->m_url->setText(QLatin1String(e.url));
        menu->m_label->setText(QLatin1String(e.text));
        if (!*e.text)
            menu->m_copy->click();
        menu->m_add->click();
    }
    menu->m_entries->setCurrentRow(0);
    menu->m_erase->click();
    menu->m_entries->setCurrentRow(1);
    menu->m_label->setText("Cé");
    menu->m_modify->click();
    menu->m_listBox->setChecked(true);
    EXPECT_EQ(menu->m_previewList->count(), 2);
    t.dialog.okButton()->click();
    EXPECT_EQ(str(t.pageText()),
              str("<FORM>\r\n<SELECT NAME=\"liste1\" SIZE=3>\r\n"
                  "  <OPTION VALUE=\"b.htm\" SELECTED>b.htm\r\n  <OPTION VALUE=\"c.htm\">Cé\r\n"
                  "</SELECT>\r\n<BR><BR>\r\n<INPUT TYPE=\"button\" VALUE=\"OK\" onClick=\"location = "
                  "form.liste1.options[form.liste1.selectedIndex].value;\">\r\n</FORM>\r\n"));
}

} // namespace
