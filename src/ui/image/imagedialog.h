#pragma once

#include "core/image/imageelement.h"
#include "ui/dialogs/elementdialog.h"

#include <QImage>

#include <memory>

class EventsDialog;
class QActionGroup;
class QCheckBox;
class QGroupBox;
class QMenu;
class QRadioButton;
class QScrollArea;

// "Image": an IMG tag, or in form-image mode the INPUT tag of TYPE "image"
// inside a form, with a scrollable preview of the main or the quick picture.
// Opened on a selected element it shows that element's fields and OK
// replaces it. With insert-on-OK cleared nothing reaches the page: the
// caller reads builtTag() (the table cell editor, the image map editor).
class TImgSrcFrm : public ElementDialog
{
    Q_OBJECT
public:
    enum class Mode {
        Image,
        FormImage,
        // For a caller that takes the tag: no events, no ISMAP, nothing
        // inserted.
        Plain,
    };

    TImgSrcFrm(DialogServices &services, Mode mode, const QString &elementText, QWidget *parent = nullptr);
    ~TImgSrcFrm() override;

    Mode mode() const { return m_mode; }
    bool insertOnOk() const { return m_insertOnOk; }
    void setInsertOnOk(bool insert) { m_insertOnOk = insert; }

    // The fields as they stand, and the tag OK built from them.
    ImageProperties properties() const;
    void setProperties(const ImageProperties &properties);
    QString builtTag() const { return m_builtTag; }
    // The main picture's file (absolute), empty when none is named.
    QString pictureFile() const;
    // The picture the preview shows (main or quick), null when none.
    QImage previewPicture() const;
    // Clears every field, as "Effacer tout" does.
    void clearAll();

    QComboBox *sourceField() const { return m_source; }
    QComboBox *lowSourceField() const { return m_lowSource; }
    QLineEdit *altField() const { return m_alt; }
    QLineEdit *nameField() const { return m_name; }
    QLineEdit *borderField() const { return m_border; }
    QLineEdit *widthField() const { return m_width; }
    QLineEdit *heightField() const { return m_height; }
    QLineEdit *vspaceField() const { return m_vspace; }
    QLineEdit *hspaceField() const { return m_hspace; }
    QCheckBox *isMapBox() const { return m_isMap; }
    QToolButton *alignButton() const { return m_alignButton; }
    QMenu *alignMenu() const { return m_alignMenu; }
    QToolButton *videoButton() const { return m_videoButton; }
    QToolButton *clearButton() const { return m_clearButton; }
    QPushButton *scriptButton() const { return m_scriptButton; }
    QRadioButton *mainPreviewButton() const { return m_showMain; }
    QRadioButton *quickPreviewButton() const { return m_showQuick; }
    QLabel *previewLabel() const { return m_preview; }
    QLabel *previewStatus() const { return m_status; }
    EventsDialog &events();

protected:
    bool confirm() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildProperties();
    QWidget *buildPreview();
    void browsePicture(QComboBox *target, bool main);
    void loadPicture(bool main);
    void showPreview();
    void editVideo();
    void applyFieldRules(QLineEdit *field);
    bool writeToPage(const QString &tag);

    Mode m_mode;
    bool m_insertOnOk = true;
    QString m_elementText;
    QString m_builtTag;
    ImageVideo m_video;
    QImage m_mainPicture;
    QImage m_quickPicture;
    QString m_mainStatus;
    QString m_quickStatus;

    QComboBox *m_source = nullptr;
    QComboBox *m_lowSource = nullptr;
    QLineEdit *m_alt = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_border = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QLineEdit *m_vspace = nullptr;
    QLineEdit *m_hspace = nullptr;
    QCheckBox *m_isMap = nullptr;
    QToolButton *m_alignButton = nullptr;
    QMenu *m_alignMenu = nullptr;
    QActionGroup *m_aligns = nullptr;
    QToolButton *m_videoButton = nullptr;
    QToolButton *m_clearButton = nullptr;
    QPushButton *m_scriptButton = nullptr;
    QRadioButton *m_showMain = nullptr;
    QRadioButton *m_showQuick = nullptr;
    QScrollArea *m_scroll = nullptr;
    QLabel *m_preview = nullptr;
    QLabel *m_status = nullptr;
    std::unique_ptr<EventsDialog> m_events;
};
