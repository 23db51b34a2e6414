#include "ui/javascript/scriptwizardsdialog.h"

#include "core/messages/messages.h"
#include "core/shell/documenthost.h"
#include "core/text/documenttext.h"
#include "ui/dialogs/dialogservices.h"
#include "ui/javascript/bannerpage.h"
#include "ui/javascript/clockpage.h"
#include "ui/javascript/gradientpage.h"
#include "ui/javascript/picturelinkpage.h"
#include "ui/javascript/picturelistpage.h"
#include "ui/javascript/urlmenupage.h"
#include "ui/shell/uiguards.h"

#include <QCoreApplication>
#include <QDir>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

ScriptWizardsDialog::ScriptWizardsDialog(DialogServices &services, Wizard wizard, QWidget *parent)
    : ElementDialog(services, QStringLiteral("Assistant JavaScript"), QStringLiteral("javascript.html"), parent)
    , m_tabs(new QTabWidget(this))
    , m_timer(new QTimer(this))
    , m_templateFolder(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("jscript")))
{
    setObjectName(QStringLiteral("TJavaScriptsFrm"));
    const struct
    {
        WizardPage *page;
        int caption;
    } pages[] = {
        {new BannerPage(*this, m_tabs), 750},      {new ClockPage(*this, m_tabs), 761},
        {new UrlMenuPage(*this, m_tabs), 785},     {new GradientPage(*this, m_tabs), 826},
        {new PictureListPage(*this, m_tabs), 829}, {new PictureLinkPage(*this, m_tabs), 7715},
    };
    for (const auto &entry : pages)
        m_tabs->addTab(entry.page, msg(entry.caption));
    body()->addWidget(m_tabs);
    m_tabs->setCurrentIndex(wizard);
    // Wide enough to show every tab's caption, within the screen.
    int width = m_tabs->tabBar()->sizeHint().width() + 40;
    if (const QScreen *screen = this->screen())
        width = qMin(width, screen->availableGeometry().width() - 40);
    resize(qMax(width, sizeHint().width()), sizeHint().height());

    m_timer->setInterval(10);
    connect(m_timer, &QTimer::timeout, this, &ScriptWizardsDialog::tick);
    // A page shown afresh gets a long step, so its preview is filled at once.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (auto *shown = qobject_cast<WizardPage *>(m_tabs->widget(index)))
            shown->tick(1000);
    });
    if (WizardPage *shown = page(wizard))
        shown->tick(1000);
    m_clock.start();
    m_timer->start();
}

WizardPage *ScriptWizardsDialog::page(Wizard wizard) const
{
    return qobject_cast<WizardPage *>(m_tabs->widget(wizard));
}

QString ScriptWizardsDialog::helpAnchor() const
{
    const auto *current = qobject_cast<WizardPage *>(m_tabs->currentWidget());
    return current ? current->anchor() : QString();
}

void ScriptWizardsDialog::tick()
{
    const int elapsed = int(m_clock.restart());
    if (auto *current = qobject_cast<WizardPage *>(m_tabs->currentWidget()))
        current->tick(elapsed);
}

bool ScriptWizardsDialog::confirm()
{
    DocumentHost &host = services().host;
    DocumentText *text = host.activeText();
    auto *current = qobject_cast<WizardPage *>(m_tabs->currentWidget());
    if (!text || !host.activeUndo() || !current)
        return true;
    m_timer->stop();
    bool done = false;
    {
        BusyCursor busy;
        PaintingFreeze freeze(host.window());
        ScriptWizardContext context{*text,
                                    *host.activeUndo(),
                                    host.editorState(),
                                    host.prompts(),
                                    FolderTemplateReader(m_templateFolder),
                                    m_templateFolder};
        done = current->write(context);
    }
    host.UpdateCommandStates();
    if (!done) {
        m_clock.restart();
        m_timer->start();
    }
    return done;
}

void ScriptWizardsCommand(DialogServices &services, ScriptWizardsDialog::Wizard wizard)
{
    DocumentText *text = services.host.activeText();
    if (!text)
        return;
    text->select(text->selectionStart(), 0);
    ScriptWizardsDialog dialog(services, wizard, services.host.window());
    dialog.exec();
}
