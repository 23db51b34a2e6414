#pragma once

#include "ui/shell/shelldialogs.h"

#include <deque>

// Shell dialogs for tests: answers come from prepared queues; an empty queue
// means the user cancelled.
class FakeShellDialogs : public ShellDialogs
{
public:
    std::deque<std::optional<QString>> titles;
    std::deque<QStringList> openChoices;
    std::deque<std::optional<SaveChoice>> saveChoices;
    QStringList savePresets;
    int aboutShown = 0;
    int printed = 0;

    std::optional<QString> askPageTitle() override { return take(titles); }
    QStringList chooseFilesToOpen(const QString &) override
    {
        return openChoices.empty() ? QStringList() : pop(openChoices);
    }
    std::optional<SaveChoice> chooseSaveFile(const QString &presetName, const QString &) override
    {
        savePresets << presetName;
        return take(saveChoices);
    }
    void print(DocumentWindow &) override { ++printed; }
    void showAbout(const QString &) override { ++aboutShown; }

private:
    template<typename T>
    static T pop(std::deque<T> &queue)
    {
        T value = queue.front();
        queue.pop_front();
        return value;
    }
    template<typename T>
    static std::optional<T> take(std::deque<std::optional<T>> &queue)
    {
        return queue.empty() ? std::nullopt : pop(queue);
    }
};
