#pragma once

#include "core/dialogs/headelements.h"
#include "ui/dialogs/elementdialog.h"

#include <optional>

class QButtonGroup;
class QFormLayout;
class QSpinBox;
class QTabWidget;

// "Titre du document": the page title, read from the page and written back
// as one undo step on OK. Nouveau asks for the new page's title with the
// same dialog, on an empty field, and OK only closes it (askNewPageTitle).
class TitleDialog : public ElementDialog
{
    Q_OBJECT
public:
    enum class Use { PageTitle, NewPage };

    explicit TitleDialog(DialogServices &services, QWidget *parent = nullptr, Use use = Use::PageTitle);

    // The title typed for a new page; nothing when cancelled.
    static std::optional<QString> askNewPageTitle(DialogServices &services, QWidget *parent);

    QLineEdit *titleField() const { return m_title; }

protected:
    bool confirm() override;

private:
    QLineEdit *m_title;
    Use m_use;
};

// "En-tête du document": the BASE, META, LINK and ISINDEX elements, one page
// each; every page filled in writes its element on OK.
class HeaderDialog : public ElementDialog
{
    Q_OBJECT
public:
    enum Page { BasePage, MetaPage, LinkPage, IndexPage };

    explicit HeaderDialog(DialogServices &services, Page page = BasePage, QWidget *parent = nullptr);

    QTabWidget *pages() const { return m_pages; }
    HeadFields fields() const;
    QString helpAnchor() const override;

    void chooseMetaPreset(int preset);
    void chooseTargetPreset(int item);

    // The fields, for tests.
    QComboBox *baseUrl() const { return m_baseUrl; }
    QLineEdit *baseTarget() const { return m_baseTarget; }
    QButtonGroup *targetPresets() const { return m_targetPresets; }
    QLineEdit *metaEquiv() const { return m_metaEquiv; }
    QButtonGroup *metaPresets() const { return m_metaPresets; }
    QLineEdit *metaContent() const { return m_metaContent; }
    QLineEdit *metaName() const { return m_metaName; }
    QLabel *metaNameCaption() const { return m_metaNameCaption; }
    QSpinBox *delay() const { return m_delay; }
    QComboBox *metaUrl() const { return m_metaUrl; }
    QToolButton *contentBrowse() const { return m_contentBrowse; }
    QComboBox *link() const { return m_link; }
    QLineEdit *relation() const { return m_relation; }
    QLineEdit *reverseRelation() const { return m_reverse; }
    QLineEdit *indexAction() const { return m_action; }
    QLineEdit *indexPrompt() const { return m_prompt; }

protected:
    bool confirm() override;

private:
    QTabWidget *m_pages;
    QComboBox *m_baseUrl;
    QLineEdit *m_baseTarget;
    QButtonGroup *m_targetPresets;
    QLineEdit *m_metaEquiv;
    QButtonGroup *m_metaPresets;
    QLineEdit *m_metaContent;
    QToolButton *m_contentBrowse;
    QFormLayout *m_metaForm = nullptr;
    int m_nameRow = 0;
    int m_delayRow = 0;
    int m_urlRow = 0;
    QLabel *m_metaNameCaption;
    QLineEdit *m_metaName;
    QLabel *m_delayCaption;
    QSpinBox *m_delay;
    QLabel *m_metaUrlCaption;
    QComboBox *m_metaUrl;
    QToolButton *m_metaUrlBrowse;
    QComboBox *m_link;
    QLineEdit *m_relation;
    QLineEdit *m_reverse;
    QLineEdit *m_action;
    QLineEdit *m_prompt;
};

// The title command: the dialog on the page's title, written back on OK.
void TitleCommand(DialogServices &services);
// The head element commands: the selection collapses to its start, then
// the dialog opens on the command's page.
void HeaderCommand(DialogServices &services, HeaderDialog::Page page);
