#pragma once

#include "core/media/mediatags.h"
#include "ui/dialogs/elementdialog.h"

class MediaPlayer;
class QButtonGroup;
class QCheckBox;
class QSpinBox;

// The video settings the image dialog keeps for its clip.
struct VideoSettings
{
    QString source;
    int loop = 1; // -1: endless
    bool controls = false;
    bool startOnMouseOver = false;
};

// One of three pages, chosen by the command that opens the dialog: an
// EMBED element ("Module enchassé"), a BGSOUND element ("Son
// d'arrière-plan") or the image dialog's video settings. Each page lets the
// user hear or see the chosen file.
class TEmbedFrm : public ElementDialog
{
    Q_OBJECT
public:
    enum class Page { Embed, Sound, Video };

    TEmbedFrm(DialogServices &services, Page page, QWidget *parent = nullptr);

    Page page() const { return m_page; }
    EmbedFields embedFields() const;
    VideoSettings videoSettings() const;
    void setVideoSettings(const VideoSettings &video);

    QComboBox *sourceField() const { return m_source; }
    QLineEdit *borderField() const { return m_border; }
    QLineEdit *widthField() const { return m_width; }
    QButtonGroup *alignGroup() const { return m_align; }
    QButtonGroup *paletteGroup() const { return m_palette; }
    QCheckBox *loopBox() const { return m_loopBox; }
    QCheckBox *autoStartBox() const { return m_autoStart; }
    QCheckBox *hiddenBox() const { return m_hidden; }
    QLineEdit *repeatField() const { return m_repeat; }
    QPushButton *playButton() const { return m_play; }
    QPushButton *stopButton() const { return m_stop; }
    MediaPlayer *player() const { return m_player; }

protected:
    bool confirm() override;

private:
    void buildSourceRow(QFormLayout *form, const QString &filter);
    void play();

    Page m_page;
    QComboBox *m_source = nullptr;
    QLineEdit *m_border = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QButtonGroup *m_align = nullptr;
    QButtonGroup *m_palette = nullptr;
    QCheckBox *m_loopBox = nullptr;
    QCheckBox *m_autoStart = nullptr;
    QCheckBox *m_hidden = nullptr;
    QLineEdit *m_repeat = nullptr;
    QCheckBox *m_controls = nullptr;
    QButtonGroup *m_start = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_stop = nullptr;
    MediaPlayer *m_player;
};

class MainWindow;

// The marquee, applet, background-sound and embedded-object commands of the
// tool tabs.
void RunMarqueeCommand(DialogServices &services);
void RunAppletCommand(DialogServices &services);
void RunEmbedCommand(DialogServices &services, TEmbedFrm::Page page);
void installMediaCommands(MainWindow &frame);
