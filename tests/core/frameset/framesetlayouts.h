#pragma once

#include "core/frameset/framesetlayout.h"

#include <QStringList>

#include <map>
#include <random>

namespace FramesetLayouts {

// A layout drawn as letters, one string per row: equal letters form one
// rectangular frame, named by the letter, with the source "<letter>.htm".
inline FramesetLayout drawn(const QStringList &rows)
{
    FramesetLayout layout;
    layout.setColumnCount(int(rows.first().size()));
    layout.setRowCount(int(rows.size()));
    std::map<QChar, SlotRect> rects;
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QChar ch = rows[r][c];
            auto [it, fresh] = rects.try_emplace(ch, SlotRect{c, c, r, r});
            it->second.maxColumn = std::max(it->second.maxColumn, c);
            it->second.maxRow = std::max(it->second.maxRow, r);
        }
    }
    for (const auto &[ch, rect] : rects) {
        if (rect.minColumn != rect.maxColumn || rect.minRow != rect.maxRow) {
            layout.clickFrame(rect.minColumn, rect.minRow);
            layout.clickFrame(rect.maxColumn, rect.maxRow);
            layout.mergeSelection();
        }
        FrameRec &f = layout.frame(rect.minColumn, rect.minRow);
        f.Name = ch;
        f.Src = QString(ch).toLower() + QStringLiteral(".htm");
    }
    return layout;
}

// A random layout reached by random sizes and merges; every frame named
// F<column><row>.
inline FramesetLayout random(std::mt19937 &rng)
{
    FramesetLayout layout;
    layout.setColumnCount(1 + int(rng() % 6));
    layout.setRowCount(1 + int(rng() % 6));
    const int merges = int(rng() % 5);
    for (int i = 0; i < merges; ++i) {
        const std::vector<SlotPos> owners = layout.owners();
        const SlotPos a = owners[rng() % owners.size()];
        const SlotPos b = owners[rng() % owners.size()];
        layout.deselectAll();
        layout.clickFrame(a.column, a.row);
        if (!layout.frame(b.column, b.row).Selected)
            layout.clickFrame(b.column, b.row);
        layout.mergeSelection();
    }
    layout.deselectAll();
    for (const SlotPos &p : layout.owners()) {
        layout.frame(p.column, p.row).Name = QStringLiteral("F%1%2").arg(p.column).arg(p.row);
        layout.frame(p.column, p.row).Src = QStringLiteral("f.htm");
    }
    return layout;
}

} // namespace FramesetLayouts
