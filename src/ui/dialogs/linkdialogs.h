#pragma once

#include "core/dialogs/links.h"
#include "ui/dialogs/elementdialog.h"

#include <memory>

class EventsDialog;
class QButtonGroup;
class QCheckBox;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QTabWidget;
class QVBoxLayout;

// What a link dialog does on OK.
enum class LinkMode {
    Insert = 0,      // wraps the page's selection in the link
    ReturnTag = 1,   // only builds the start tag (startTag())
    ReturnParts = 2, // only builds the target and the address (image maps)
};

// The links' shared parts: the JavaScript page, the "&Script" button with
// its events dialog (onMouseOver, onMouseOut, onClick), the mode, and a
// list whose selected entry is cleared by clicking it again.
class LinkDialogBase : public ElementDialog
{
    Q_OBJECT
public:
    LinkDialogBase(DialogServices &services, LinkMode mode, const QString &caption, const QString &helpPage,
                   QWidget *parent);
    ~LinkDialogBase() override;

    LinkMode mode() const { return m_mode; }
    QTabWidget *pages() const { return m_pages; }
    QLineEdit *nameField() const { return m_name; }
    QPushButton *scriptButton() const { return m_scriptButton; }
    EventsDialog &events();
    QString startTag() const { return m_startTag; }
    QString helpAnchor() const override;

protected:
    void addJavaScriptPage();
    QString eventAttributes();
    // Inserts the link around the page's selection (mode Insert).
    void wrapSelection(const QString &startTag);
    static void makeToggleList(QListWidget *list);

    QString m_startTag;

private:
    LinkMode m_mode;
    QTabWidget *m_pages;
    QLineEdit *m_name = nullptr;
    QPushButton *m_scriptButton;
    std::unique_ptr<EventsDialog> m_events;
};

// "Lien externe": a link to another document or object.
class ExternalLinkDialog : public LinkDialogBase
{
    Q_OBJECT
public:
    explicit ExternalLinkDialog(DialogServices &services, LinkMode mode = LinkMode::Insert, QWidget *parent = nullptr);

    QComboBox *addressField() const { return m_address; }
    QButtonGroup *protocols() const { return m_protocols; }
    QListWidget *destinations() const { return m_destinations; }
    QLineEdit *targetField() const { return m_target; }
    QButtonGroup *targetPresets() const { return m_presets; }
    QCheckBox *previewCheck() const { return m_previewCheck; }
    QPlainTextEdit *preview() const { return m_preview; }
    QToolButton *browse() const { return m_browse; }

    void chooseProtocol(int item);
    // Mode ReturnParts: the target (an identifier) and the address with
    // "#" and the destination.
    QString target() const { return m_result.target; }
    QString address() const { return ExternalLinkAddress(m_result); }

protected:
    bool confirm() override;

private:
    void browseClicked();
    void refreshPreview();
    void showPreview(bool show);
    ExternalLink fields();

    QComboBox *m_address;
    QToolButton *m_browse;
    QButtonGroup *m_protocols;
    QCheckBox *m_previewCheck;
    QLabel *m_previewCaption;
    QVBoxLayout *m_generalLayout = nullptr;
    QPlainTextEdit *m_preview;
    QListWidget *m_destinations;
    QLineEdit *m_target;
    QButtonGroup *m_presets;
    ProtocolChoice m_protocolChoice;
    bool m_hasPreview = false;
    ExternalLink m_result;
};

// "Lien interne dans un document": a link to a destination of the page,
// existing or made by wrapping a chosen line in a named anchor.
class InternalLinkDialog : public LinkDialogBase
{
    Q_OBJECT
public:
    explicit InternalLinkDialog(DialogServices &services, LinkMode mode = LinkMode::Insert, QWidget *parent = nullptr);

    QLineEdit *newNameField() const { return m_newName; }
    QPlainTextEdit *pageCopy() const { return m_copy; }
    QListWidget *destinations() const { return m_destinations; }
    // Chooses a line of the page (or clears the choice when it is the
    // chosen one), as a click in the copy does.
    void toggleLine(int line);
    int chosenLine() const { return m_chosenLine; }
    // Mode ReturnParts: "#" and the destination.
    QString address() const { return m_address; }

protected:
    bool confirm() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void newNameChanged();

    QLineEdit *m_newName;
    QLabel *m_copyCaption;
    QPlainTextEdit *m_copy;
    QListWidget *m_destinations;
    int m_chosenLine = -1;
    QString m_address;
};

// "Lien &externe rapide": the open dialog, then a link to the chosen file
// around the selection.
void QuickExternalLink(DialogServices &services);
