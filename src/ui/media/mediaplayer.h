#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// Plays a sound or a clip for the dialogs' "Test:" buttons. A file the
// player cannot open is reported through onError with the player's own
// text. Without Qt Multimedia available() is false.
class MediaPlayer : public QObject
{
    Q_OBJECT
public:
    explicit MediaPlayer(QWidget *parent);
    ~MediaPlayer() override;

    static bool available();
    void play(const QString &fileName);
    void stop();

    std::function<void(const QString &)> onError;

private:
    struct Private;
    Private *d;
};
