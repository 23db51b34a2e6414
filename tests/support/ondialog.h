#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

// Runs answer on the modal dialog of type Dialog as soon as it shows.
template<typename Dialog> void onDialog(const std::function<void(Dialog &)> &answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return onDialog<Dialog>(answer);
        answer(*dialog);
    });
}
