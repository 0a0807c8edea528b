#pragma once

#include <QPixmap>
#include <QString>
#include <vector>

namespace ui {

// A picture of Qt's own styles, read ahead into Qt's pixmap cache.
struct StylePixmap {
    QString path;
    QPixmap pixmap;
};

// Reads the pictures the styles load from Qt's resources when they first
// paint a control (the group box frame) with the PNG reader alone and puts
// them into the pixmap cache where a style's own loading finds them. Qt's
// loading, not told the format, first loads every image format plugin to
// ask which one reads PNG; at start that cost more than painting the window.
// Returns what it read; a picture Qt lacks is left out.
std::vector<StylePixmap> preloadStylePixmaps();

} // namespace ui
