// Loading the skin (see skin.h).
#include "render/skin.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ruk {

namespace {

QImage BuiltInSkin() {
    return QImage(":/ruk_skin.png").convertToFormat(QImage::Format_RGB32);
}

std::uint32_t Little32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}

// A bitmap file cut short still decodes, with the missing rows black; an uncompressed one is
// complete only when the file holds every row its header promises.
bool BitmapComplete(QFile& file, qint64 fileSize) {
    if (!file.seek(0)) return false;
    const QByteArray head = file.read(34);
    if (head.size() < 26 || !head.startsWith("BM")) return true;  // not a bitmap: Qt checks it
    const std::uint32_t pixelsAt = Little32(head, 10);
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    if (Little32(head, 14) == 12) {
        // The old OS/2 header: 16-bit sizes and no compression field, so always uncompressed.
        width = qFromLittleEndian<std::int16_t>(head.constData() + 18);
        height = qFromLittleEndian<std::int16_t>(head.constData() + 20);
        bits = qFromLittleEndian<std::uint16_t>(head.constData() + 24);
    } else {
        if (head.size() < 34) return true;  // no header Qt reads: it refuses the file
        width = static_cast<std::int32_t>(Little32(head, 18));
        height = static_cast<std::int32_t>(Little32(head, 22));
        bits = qFromLittleEndian<std::uint16_t>(head.constData() + 28);
        const std::uint32_t compression = Little32(head, 30);
        if (compression != 0 && compression != 3) return true;  // run-length: no fixed size
    }
    const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
    return fileSize >= pixelsAt + rowBytes * (height < 0 ? -height : height);
}

// The skin in an open file when it holds a picture of exactly the skin's size.
Skin SkinFrom(QFile& file) {
    // The size is checked before decoding, so a huge or hostile file is never expanded.
    QImageReader reader(&file);
    if (reader.size() == QSize(SKIN_WIDTH, SKIN_HEIGHT)) {
        QImage image = reader.read();
        if (image.size() == QSize(SKIN_WIDTH, SKIN_HEIGHT) && BitmapComplete(file, file.size()))
            return {image.convertToFormat(QImage::Format_RGB32), true};
    }
    return {BuiltInSkin(), false};
}

}  // namespace

Skin LoadSkin(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return {BuiltInSkin(), false};
    return SkinFrom(file);
}

Skin LoadSkinFile(const std::string& path) {
    // Opened by its bytes: a name that is no valid text in any encoding is found all the same.
    // Never waiting on a pipe, and only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {BuiltInSkin(), false};
    struct stat status {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {BuiltInSkin(), false};
    }
    return SkinFrom(file);
}

}  // namespace ruk
