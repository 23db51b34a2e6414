#pragma once

#include <QList>

class EditorWidget;

// What the frame window offers the Options menu, the preferences dialog and
// the margin ruler: its open documents and the bars it shows.
class FrameLayout
{
public:
    virtual ~FrameLayout() = default;

    virtual int documentCount() const = 0;
    // The editors of every open document.
    virtual QList<EditorWidget *> editors() const = 0;

    virtual void setToolbarVisible(bool visible) = 0;
    // Only takes effect while a document is open.
    virtual void setStatusBarVisible(bool visible) = 0;
    // Shows or hides the ruler under the tab strip and resizes the panel
    // that holds them (tab strip height, plus the ruler's when shown, plus 1).
    virtual void setRulerVisible(bool visible) = 0;
    // Width of the frame window's client area, which limits the margins.
    virtual int rulerClientWidth() const = 0;
};
