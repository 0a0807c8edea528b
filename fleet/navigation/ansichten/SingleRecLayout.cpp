#include "navigation/ansichten/SingleRecLayout.h"

#include <algorithm>
#include <array>

namespace nav::srv {

ControlKind ControlKindForField(dbe::TFieldType type, bool lookupField, bool useCheckBox, bool useLookupCombo)
{
    using T = dbe::TFieldType;
    switch (type) {
    case T::ftString:
    case T::ftSmallint:
    case T::ftInteger:
    case T::ftWord:
    case T::ftFloat:
    case T::ftCurrency:
    case T::ftBCD:
    case T::ftDate:
    case T::ftTime:
    case T::ftDateTime:
    case T::ftAutoInc:
        return lookupField && useLookupCombo ? ControlKind::LookupCombo : ControlKind::Edit;
    case T::ftBoolean:
        return useCheckBox ? ControlKind::CheckBox : ControlKind::Edit;
    case T::ftMemo:
        return ControlKind::Memo;
    case T::ftGraphic:
        return ControlKind::Image;
    default:
        return ControlKind::None;
    }
}

namespace {

constexpr int kMaxCandidates = 40;
constexpr int kCharCount = 36; // 0-9, A-Z

int slotOf(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        return 10 + c.unicode() - 'A';
    return -1;
}

QChar charOfSlot(int slot)
{
    return slot < 10 ? QChar('0' + slot) : QChar('A' + slot - 10);
}

// Upper-cased character by character, so that positions stay those of the caption.
QString upperInPlace(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper)
        c = c.toUpper();
    return upper;
}

QString candidatesOf(const QString &caption)
{
    QString result;
    for (QChar c : caption)
        if (c.isDigit() && slotOf(c) >= 0)
            result += c;
    for (QChar c : upperInPlace(caption))
        if (slotOf(c) >= 10 && !result.contains(c))
            result += c;
    return result.left(kMaxCandidates);
}

} // namespace

QStringList AssignAccelerators(const QStringList &captions)
{
    QStringList result = captions;
    for (QString &caption : result) {
        const qsizetype amp = caption.indexOf(QLatin1Char('&'));
        if (amp >= 0)
            caption.insert(amp, QLatin1Char('&'));
    }
    struct Entry {
        int index;
        QString candidates;
    };
    std::vector<Entry> open;
    std::array<int, kCharCount> count{};
    for (int i = 0; i < result.size(); ++i) {
        const QString candidates = candidatesOf(result[i]);
        if (candidates.isEmpty())
            continue;
        open.push_back({i, candidates});
        std::array<bool, kCharCount> seen{};
        for (QChar c : candidates)
            seen[static_cast<std::size_t>(slotOf(c))] = true;
        for (int s = 0; s < kCharCount; ++s)
            count[static_cast<std::size_t>(s)] += seen[static_cast<std::size_t>(s)] ? 1 : 0;
    }
    std::stable_sort(open.begin(), open.end(), [](const Entry &a, const Entry &b) {
        return a.candidates.size() < b.candidates.size();
    });
    QString order;
    for (int threshold = 10; threshold >= 1; --threshold)
        for (int s = 0; s < kCharCount; ++s)
            if (count[static_cast<std::size_t>(s)] >= threshold && !order.contains(charOfSlot(s)))
                order += charOfSlot(s);
    for (qsizetype k = order.size() - 1; k >= 0 && !open.empty(); --k) {
        const QChar c = order[k];
        for (auto it = open.begin(); it != open.end(); ++it) {
            QString &caption = result[it->index];
            const qsizetype at = upperInPlace(caption).indexOf(c);
            if (at < 0)
                continue;
            caption.insert(at, QLatin1Char('&'));
            open.erase(it);
            break;
        }
    }
    return result;
}

int ControlWidth(int chars, int maxCharWidth, int clientWidth, int vScrollWidth, int extra)
{
    const int width = chars * maxCharWidth;
    const int room = clientWidth - vScrollWidth - extra - 8;
    return room >= width ? std::max(width, 15) : room;
}

namespace {

bool isOneLine(ControlKind kind)
{
    return kind == ControlKind::Edit || kind == ControlKind::LookupCombo || kind == ControlKind::CheckBox;
}

// The width rules both layouts share; Extra is what lies left of the control.
void sizeControl(int index, const Item &item, const Metrics &m, int room, int extra, bool memoFullWidth,
                 bool forceLineBreakDefault, const SizeHook &hook, int &width, int &height, bool &lineBreak)
{
    width = item.controlWidth;
    height = item.controlHeight;
    switch (item.kind) {
    case ControlKind::Memo:
        if (memoFullWidth)
            width = room;
        else if (width < room && width < m.memoWidth)
            width = std::min(room, m.memoWidth);
        break;
    case ControlKind::Image:
        if (width < room && width < m.imageWidth)
            width = std::min(room, m.imageWidth);
        break;
    case ControlKind::Edit:
    case ControlKind::LookupCombo:
        width = ControlWidth(item.chars, item.maxCharWidth, m.clientWidth, m.vScrollWidth, extra);
        break;
    default:
        break;
    }
    lineBreak = forceLineBreakDefault;
    if (hook)
        hook(index, room, width, height, lineBreak);
    width = std::min(width, room);
    if (width < 1)
        width = 10;
}

} // namespace

Result LayoutAcross(const std::vector<Item> &items, const Metrics &m, bool memoFullWidth,
                    const SizeHook &hook)
{
    Result r;
    int x = 8;
    int lt = 8;
    int ct = m.labelHeight + 9;
    int rh = 0;
    bool previousBreak = false;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const Item &item = items[static_cast<std::size_t>(i)];
        int room = m.clientWidth - m.vScrollWidth - 16;
        if (room < 1)
            room = 10;
        int width = 0, height = 0;
        bool lineBreak = false;
        sizeControl(i, item, m, room, 8, memoFullWidth, false, hook, width, height, lineBreak);
        const int cw = std::max(item.labelWidth, width);
        if (previousBreak || m.clientWidth - m.vScrollWidth - 8 < x + cw) {
            x = 8;
            lt = lt + rh + m.labelHeight + 3;
            ct = lt + m.labelHeight + 1;
            rh = 0;
        }
        previousBreak = lineBreak;
        rh = std::max(rh, height);
        Placement p;
        p.label = QRect(x, lt, item.labelWidth, item.labelHeight);
        p.control = QRect(x, ct, width, height);
        r.placements.push_back(p);
        x += cw + 4;
    }
    r.contentHeight = ct + rh;
    return r;
}

Result LayoutDown(const std::vector<Item> &items, const Metrics &m, Layout layout, bool memoFullWidth,
                  const SizeHook &hook)
{
    Result r;
    int lw = 0;
    for (const Item &item : items)
        lw = std::max(lw, item.labelWidth);
    int y = 8;
    const int left = layout == Layout::VertTop ? 8 : lw + 12;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const Item &item = items[static_cast<std::size_t>(i)];
        int room = m.clientWidth - m.vScrollWidth - left - 8;
        if (room < 1)
            room = 10;
        int width = 0, height = 0;
        bool lineBreak = true;
        sizeControl(i, item, m, room, left, memoFullWidth, true, hook, width, height, lineBreak);
        Placement p;
        p.labelRightAligned = layout == Layout::VertLeftRight;
        if (layout == Layout::VertTop) {
            p.label = QRect(8, y, lw, item.labelHeight);
            y += item.labelHeight + 1;
        } else {
            const int against = isOneLine(item.kind) ? height : m.editHeight;
            p.label = QRect(8, y + (against - item.labelHeight) / 2, lw, item.labelHeight);
        }
        p.control = QRect(left, y, width, height);
        y += height + 2;
        r.placements.push_back(p);
    }
    r.contentHeight = y;
    return r;
}

} // namespace nav::srv
