#pragma once

#include <functional>
#include <vector>

#include <QRect>
#include <QString>
#include <QStringList>

#include "dbe/Field.h"

// The single-record view's rules apart from its widgets: which control a
// field gets, the accelerator characters of the labels and the two layouts,
// all over sizes the view measured.
namespace nav::srv {

// The control a field gets in the single-record view.
enum class ControlKind { None, Edit, LookupCombo, CheckBox, Memo, Image };
ControlKind ControlKindForField(dbe::TFieldType type, bool lookupField, bool useCheckBox,
                                bool useLookupCombo);

// The captions with an "&" before one character each where one can be
// found, rarest characters first; a literal "&" is doubled.
QStringList AssignAccelerators(const QStringList &captions);

// Width for chars characters: max(chars × maxCharWidth, 15) when it fits the
// room left of clientWidth, else the room.
int ControlWidth(int chars, int maxCharWidth, int clientWidth, int vScrollWidth, int extra);

// The sizes of the scroll box and of the reference controls, measured once per rebuild.
struct Metrics {
    int clientWidth = 0;
    int vScrollWidth = 0;
    int labelHeight = 0; // a default label
    int editHeight = 0;  // a default edit
    int memoWidth = 0;
    int imageWidth = 0;
};

// One field with a control, as measured: the label's text size and the control's
// current size; chars is the field's display width, maxCharWidth that of the
// control's font. Edit covers every one-line control.
struct Item {
    ControlKind kind = ControlKind::Edit;
    int labelWidth = 0, labelHeight = 0;
    int controlWidth = 0, controlHeight = 0;
    int chars = 0;
    int maxCharWidth = 0;
};

struct Placement {
    QRect label;
    QRect control;
    bool labelRightAligned = false;
};

// The application's say on a control's size (index into the items, the room,
// and the line break it may force).
using SizeHook = std::function<void(int index, int room, int &width, int &height, bool &forceLineBreak)>;

enum class Layout { Across, VertTop, VertLeftLeft, VertLeftRight };

struct Result {
    std::vector<Placement> placements;
    int contentHeight = 0;
};

Result LayoutAcross(const std::vector<Item> &items, const Metrics &m, bool memoFullWidth,
                    const SizeHook &hook = {});
Result LayoutDown(const std::vector<Item> &items, const Metrics &m, Layout layout, bool memoFullWidth,
                  const SizeHook &hook = {});

} // namespace nav::srv
