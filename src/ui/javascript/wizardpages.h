#pragma once

#include "core/javascript/scriptwizards.h"

#include <QWidget>

class ElementDialog;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

// One page of the script wizards: its fields, its preview ("Esquisse") and
// what it writes into the page on OK.
class WizardPage : public QWidget
{
    Q_OBJECT
public:
    explicit WizardPage(ElementDialog &dialog, QWidget *parent = nullptr);

    // Writes the page's effect; false keeps the dialog open.
    virtual bool write(ScriptWizardContext &context) = 0;
    // Called every 10 ms while the page is shown, to animate the preview.
    virtual void tick(int elapsedMs) { Q_UNUSED(elapsedMs) }
    // The help page's anchor for this wizard.
    virtual QString anchor() const = 0;

protected:
    ElementDialog &dialog() const { return m_dialog; }
    // A picture file named in a field, as a path on disk: relative names are
    // taken from the page's folder.
    QString pictureOnDisk(const QString &name) const;
    // Shows the picture in preview scaled to size (its own size when size is
    // empty); a picture that cannot be read leaves the preview empty with a
    // short status in it. Returns the picture's own size, invalid on failure.
    QSize showPicture(QLabel *preview, const QString &name, QSize size = QSize()) const;

private:
    ElementDialog &m_dialog;
};

class BannerPage : public WizardPage
{
    Q_OBJECT
public:
    explicit BannerPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    void tick(int elapsedMs) override;
    QString anchor() const override { return QStringLiteral("banniere"); }

    QLineEdit *m_text;
    QRadioButton *m_textBox;
    QRadioButton *m_statusBar;
    QSpinBox *m_width;
    QSpinBox *m_delay;
    QLineEdit *m_previewBox;
    QLabel *m_previewStatus;

private:
    void updatePreviewKind();
    int m_waited = 0;
    int m_position = 0;
};

class ClockPage : public WizardPage
{
    Q_OBJECT
public:
    explicit ClockPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    void tick(int elapsedMs) override;
    QString anchor() const override { return QStringLiteral("heure"); }

    QRadioButton *m_time;
    QRadioButton *m_date;
    QListWidget *m_styles;
    QLabel *m_preview;

    // The text a style shows for a moment ("HH H MM" gives "12 h 00").
    static QString formatted(const QString &style, const QDateTime &moment);

private:
    void fillStyles();
    int m_waited = 0;
};

class UrlMenuPage : public WizardPage
{
    Q_OBJECT
public:
    explicit UrlMenuPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("url"); }

    QLineEdit *m_url;
    QLineEdit *m_label;
    QPushButton *m_copy;
    QPushButton *m_add;
    QPushButton *m_modify;
    QPushButton *m_erase;
    QListWidget *m_entries;
    QRadioButton *m_dropDown;
    QRadioButton *m_listBox;
    QLineEdit *m_title;
    QSpinBox *m_visible;
    QComboBox *m_previewMenu;
    QListWidget *m_previewList;
    QList<UrlEntry> m_list;

private:
    void entryChosen();
    void refresh();
};

class GradientPage : public WizardPage
{
    Q_OBJECT
public:
    explicit GradientPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("degrade"); }

    QLineEdit *m_text;
    QFontComboBox *m_font;
    QSpinBox *m_size;
    QButtonGroup *m_colours;
    QLabel *m_preview;

    // The letters of text as rich text in the gradient the page writes.
    static QString gradientHtml(const QString &text, int colour);

private:
    void refresh();
};

class PictureListPage : public WizardPage
{
    Q_OBJECT
public:
    explicit PictureListPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("images"); }

    QLineEdit *m_file;
    QToolButton *m_browse;
    QLineEdit *m_label;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_erase;
    QToolButton *m_up;
    QToolButton *m_down;
    QLabel *m_entriesCaption;
    QListWidget *m_entries;
    QComboBox *m_dropDown;
    QCheckBox *m_asList;
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLabel *m_preview;
    QList<PictureEntry> m_list;

private:
    void refresh(int current);
    void select(int row);
    void move(int step);
    void showCurrent();
    int m_current = -1;
};

class PictureLinkPage : public WizardPage
{
    Q_OBJECT
public:
    explicit PictureLinkPage(ElementDialog &dialog, QWidget *parent = nullptr);
    bool write(ScriptWizardContext &context) override;
    QString anchor() const override { return QStringLiteral("lien"); }
    bool eventFilter(QObject *watched, QEvent *event) override;

    QLineEdit *m_normal;
    QLineEdit *m_over;
    QLineEdit *m_link;
    QPushButton *m_external;
    QPushButton *m_internal;
    QLabel *m_normalPreview;
    QLabel *m_overPreview;
    QLabel *m_tryPreview;
    QSize m_normalSize;

private:
    void chooseLink(bool external);
    void refresh();
};
