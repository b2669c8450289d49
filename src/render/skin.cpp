// Loading the skin (see skin.h).
#include "render/skin.h"

#include <QFileInfo>
#include <QImageReader>

namespace ruk {

namespace {

QImage BuiltInSkin() {
    return QImage(":/ruk_skin.png").convertToFormat(QImage::Format_RGB32);
}

}  // namespace

Skin LoadSkin(const QString& path) {
    const QFileInfo info(path);
    if (info.isFile()) {
        // The size is checked before decoding, so a huge or hostile file is never expanded.
        QImageReader reader(path);
        if (reader.size() == QSize(SKIN_WIDTH, SKIN_HEIGHT)) {
            QImage image = reader.read();
            if (image.size() == QSize(SKIN_WIDTH, SKIN_HEIGHT))
                return {image.convertToFormat(QImage::Format_RGB32), true};
        }
    }
    return {BuiltInSkin(), false};
}

}  // namespace ruk
