#include "ui/media/mediaplayer.h"

#include <QWidget>

#ifdef TESSALINE_HAVE_MULTIMEDIA
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

struct MediaPlayer::Private
{
    QMediaPlayer *player = nullptr;
    QAudioOutput *audio = nullptr;
    QVideoWidget *video = nullptr;
};

MediaPlayer::MediaPlayer(QWidget *parent)
    : QObject(parent)
    , d(new Private)
{
    d->player = new QMediaPlayer(this);
    d->audio = new QAudioOutput(this);
    d->player->setAudioOutput(d->audio);
    d->video = new QVideoWidget(parent);
    d->video->setWindowFlag(Qt::Tool);
    d->video->setWindowTitle(QStringLiteral("Test"));
    d->video->resize(320, 240);
    d->player->setVideoOutput(d->video);
    connect(d->player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString &text) {
        d->video->hide();
        if (onError)
            onError(text);
    });
    connect(d->player, &QMediaPlayer::hasVideoChanged, this, [this](bool video) { d->video->setVisible(video); });
}

MediaPlayer::~MediaPlayer()
{
    d->player->stop();
    delete d;
}

bool MediaPlayer::available()
{
    return true;
}

void MediaPlayer::play(const QString &fileName)
{
    d->player->stop();
    d->player->setSource(QUrl::fromLocalFile(fileName));
    d->player->play();
}

void MediaPlayer::stop()
{
    d->player->stop();
    d->video->hide();
}

#else

struct MediaPlayer::Private
{
};

MediaPlayer::MediaPlayer(QWidget *parent)
    : QObject(parent)
    , d(new Private)
{}

MediaPlayer::~MediaPlayer()
{
    delete d;
}

bool MediaPlayer::available()
{
    return false;
}

void MediaPlayer::play(const QString &) {}

void MediaPlayer::stop() {}

#endif
