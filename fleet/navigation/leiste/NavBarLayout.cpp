#include "navigation/leiste/NavBarLayout.h"

#include <algorithm>

namespace nav {

namespace {

bool groupHasVisible(const NavButtonSet &visible, int group)
{
    for (int c = kGroupFirst[group]; c <= kGroupLast[group]; ++c)
        if (visible.test(static_cast<std::size_t>(c)))
            return true;
    return false;
}

int reservedSpaces(const NavBarGeometry &g)
{
    int spaces = 0;
    for (int group = 0; group < 3; ++group)
        if (groupHasVisible(g.visible, group))
            spaces += g.groupSpace[static_cast<std::size_t>(group)];
    return spaces;
}

bool boxShown(const NavBarGeometry &g)
{
    return g.incSearchBox && g.visible.test(nbSearchInc);
}

} // namespace

StaticLayout calcStaticLayout(const NavBarGeometry &g, int width, int height)
{
    StaticLayout out;
    const int spaces = reservedSpaces(g);
    const bool box = boxShown(g);
    int w = width, h = height;
    int count = 0, total = 0, crossSize = 0;
    if (g.horizontal) {
        const int s = box ? g.incSrchWidth : 0;
        count = std::max<int>(1, static_cast<int>(g.visible.count()) - (box ? 1 : 0));
        w = std::max(w, s + count * kMinButtonSize + spaces);
        h = std::max(h, kMinButtonSize);
        out.buttonHeight = h;
        out.buttonWidth = (w - spaces - s) / count;
        total = spaces + count * out.buttonWidth + s;
        if (g.alignNone)
            w = total;
    } else {
        count = std::max<int>(1, static_cast<int>(g.visible.count()));
        h = std::max(h, spaces + count * kMinButtonSize);
        w = std::max(w, kMinButtonSize);
        crossSize = w;
        if (box && w < g.incSrchWidth)
            w = g.incSrchWidth;
        out.buttonHeight = (h - spaces) / count;
        out.buttonWidth = crossSize;
        total = spaces + count * out.buttonHeight;
        if (g.alignNone)
            h = total;
    }
    const int leftover = (g.horizontal ? w : h) - total;
    int t = count / 2;
    int position = 0;
    bool passed[3] = {false, false, false};
    for (int c = 0; c < kNavigateBtnCount; ++c) {
        const std::size_t i = static_cast<std::size_t>(c);
        if (!g.visible.test(i)) {
            out.bounds[i] = QRect(w + 1, 0, g.horizontal ? out.buttonWidth : crossSize, out.buttonHeight);
            continue;
        }
        for (int group = 0; group < 3; ++group)
            if (!passed[group] && c > kGroupLast[group]) {
                passed[group] = true;
                if (groupHasVisible(g.visible, group))
                    position += g.groupSpace[static_cast<std::size_t>(group)];
            }
        int extra = 0;
        if (leftover != 0) {
            if (t - leftover < 0) {
                extra = 1;
                t = t - leftover + count;
            } else {
                t -= leftover;
            }
        }
        const bool isBox = box && c == nbSearchInc;
        if (g.horizontal) {
            const int size = (isBox ? g.incSrchWidth : out.buttonWidth) + extra;
            out.bounds[i] = QRect(position, 0, size, out.buttonHeight);
            position += size;
        } else {
            const int size = out.buttonHeight + extra;
            out.bounds[i] = QRect(0, position, isBox ? g.incSrchWidth : crossSize, size);
            position += size;
        }
    }
    out.width = w;
    out.height = h;
    return out;
}

QSize staticBarSize(const NavBarGeometry &g)
{
    const int spaces = reservedSpaces(g);
    const bool box = boxShown(g);
    if (g.horizontal) {
        int w = spaces;
        for (int c = 0; c < kNavigateBtnCount; ++c)
            if (g.visible.test(static_cast<std::size_t>(c)))
                w += (box && c == nbSearchInc) ? g.incSrchWidth : g.buttonWidth;
        return {w, g.buttonHeight};
    }
    const int count = std::max<int>(1, static_cast<int>(g.visible.count()));
    const int w = (box && g.incSrchWidth > g.buttonWidth) ? g.incSrchWidth : g.buttonWidth;
    return {w, count * g.buttonHeight + spaces};
}

std::vector<int> buildScrollList(const NavButtonSet &visible)
{
    std::vector<int> list;
    bool separated[3] = {false, false, false};
    for (int c = 0; c < kNavigateBtnCount; ++c) {
        if (!visible.test(static_cast<std::size_t>(c)))
            continue;
        for (int group = 0; group < 3; ++group)
            if (!separated[group] && c > kGroupLast[group]) {
                separated[group] = true;
                if (groupHasVisible(visible, group))
                    list.push_back(-1);
            }
        list.push_back(c);
    }
    return list;
}

ScrollLayout calcScrollLayout(const NavBarGeometry &g, const std::vector<int> &scrollList, int scrollOffset,
                              int width, int height)
{
    ScrollLayout out;
    const int sb = g.scrollBtnWidth;
    int w = width, h = height;
    if (g.horizontal) {
        if (w - 2 * sb < g.buttonWidth)
            w = g.buttonWidth + 2 * sb;
        h = g.buttonHeight;
    } else {
        if (h - 2 * sb < g.buttonHeight)
            h = g.buttonHeight + 2 * sb;
        w = g.buttonWidth;
    }
    const int extent = g.horizontal ? g.buttonWidth : g.buttonHeight;
    const int length = g.horizontal ? w : h;
    int needed = 0;
    for (int entry : scrollList)
        needed += entry < 0 ? g.groupSpace[0] : extent;
    const bool need = needed > length;
    if (!need && scrollOffset > 0)
        scrollOffset = 0;

    int p = 0;
    auto along = [&](int pos, int size) {
        return g.horizontal ? QRect(pos, 0, size, g.buttonHeight) : QRect(0, pos, g.buttonWidth, size);
    };
    if (need || g.alwaysShowSB) {
        out.scrollButtonsShown = true;
        int left = 0, right = length - sb;
        switch (g.style) {
        case TNavStyle::nsScrollBothLeft:
            p = 2 * sb;
            right = sb;
            break;
        case TNavStyle::nsScrollBothRight:
            left = length - 2 * sb;
            break;
        default:
            p = sb;
            break;
        }
        out.leftButton = along(left, sb);
        out.rightButton = along(right, sb);
    }
    int limit = length;
    if (out.scrollButtonsShown) {
        if (g.style == TNavStyle::nsScrollBothRight)
            limit = length - 2 * sb;
        else if (g.style == TNavStyle::nsScrollLeftRight)
            limit = length - sb;
    }
    std::size_t index = static_cast<std::size_t>(std::max(0, scrollOffset));
    for (; index < scrollList.size(); ++index) {
        const int entry = scrollList[index];
        if (entry < 0) {
            p += g.groupSpace[0];
            continue;
        }
        if (out.scrollButtonsShown && limit < p + extent)
            break;
        out.bounds[static_cast<std::size_t>(entry)] = along(p, extent);
        p += extent;
    }
    out.leftEnabled = scrollOffset > 0;
    out.rightEnabled = index < scrollList.size();
    out.scrollOffset = scrollOffset;
    out.width = w;
    out.height = h;
    return out;
}

} // namespace nav
