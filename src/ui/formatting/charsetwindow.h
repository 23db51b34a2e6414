#pragma once

#include <QWidget>

class DocumentHost;
class QLabel;

// The grid of special characters: one cell per picker character. The arrow
// keys move the current cell, Enter or a double click chooses it; while the
// mouse button is held a magnified view follows the cell under the mouse.
class CharacterGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr int Columns = 16;

    explicit CharacterGrid(QWidget *parent = nullptr);

    int count() const;
    int current() const { return m_current; }
    void setCurrent(int index);
    // The cell rectangle of an index, and the index at a point (-1: none).
    QRect cellRect(int index) const;
    int cellAt(const QPoint &point) const;
    // The magnified view shown while the mouse button is held.
    QLabel *magnifier() const { return m_magnifier; }
    void hideMagnifier();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void chosen(int index);
    // The cell under the mouse, or the current one when the mouse leaves.
    void shown(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int rows() const;
    void magnify(int index);

    int m_current = 0;
    int m_cell;
    QLabel *m_magnifier;
};

// The special-character picker, a tool window that stays open beside the
// pages: choosing a character inserts its entity at the caret of the active
// page and gives the page the focus back.
class TcharsetFrm : public QWidget
{
    Q_OBJECT
public:
    explicit TcharsetFrm(DocumentHost &host, QWidget *parent = nullptr);

    CharacterGrid *grid() const { return m_grid; }
    QLabel *preview() const { return m_preview; }
    QLabel *entityLabel() const { return m_entity; }

    // Inserts the entity of a cell into the active page.
    void choose(int index);

private:
    void showCharacter(int index);

    DocumentHost &m_host;
    CharacterGrid *m_grid;
    QLabel *m_preview;
    QLabel *m_entity;
};
