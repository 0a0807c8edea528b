#pragma once

#include <functional>

#include <QIcon>

namespace ui {

// An icon made by `make` when it is first drawn or measured, not when it is
// given to a widget: a widget never shown never pays for its picture. It
// looks and measures exactly as the icon `make` returns. Not null.
QIcon deferredIcon(std::function<QIcon()> make);

} // namespace ui
