#include "ui/StylePixmaps.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmapCache>

namespace ui {

namespace {

// Qt's styles read these through QPixmap's file constructor.
const char *const kStylePixmapPaths[] = {
    ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png",
};

// A value's bytes in memory order, each as two hex digits, low digit first:
// how QPixmap::load writes numbers into its cache keys.
template <typename T> QString keyDigits(T value)
{
    static const char digits[] = "0123456789abcdef";
    const auto *bytes = reinterpret_cast<const unsigned char *>(&value);
    QString text;
    text.reserve(int(2 * sizeof(T)));
    for (size_t i = 0; i < sizeof(T); ++i) {
        text += QLatin1Char(digits[bytes[i] & 0xf]);
        text += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return text;
}

// The key under which QPixmap::load keeps a file's pixmap: path, time of
// the last change, size and pixel type (a plain pixmap, 0). Should another
// Qt build it otherwise, the style reads its picture itself, as without this.
QString pixmapCacheKey(const QFileInfo &info)
{
    return QStringLiteral("qt_pixmap") + info.absoluteFilePath() +
           keyDigits<uint>(uint(info.lastModified().toSecsSinceEpoch())) +
           keyDigits<quint64>(quint64(info.size())) + keyDigits<uint>(0u);
}

} // namespace

std::vector<StylePixmap> preloadStylePixmaps()
{
    std::vector<StylePixmap> read;
    for (const char *path : kStylePixmapPaths) {
        const QString file = QString::fromLatin1(path);
        const QFileInfo info(file);
        if (!info.exists())
            continue;
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false); // no plugin asked: Qt's own PNG reader
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        const QPixmap pixmap = QPixmap::fromImage(image);
        QPixmapCache::insert(pixmapCacheKey(info), pixmap);
        read.push_back({file, pixmap});
    }
    return read;
}

} // namespace ui
