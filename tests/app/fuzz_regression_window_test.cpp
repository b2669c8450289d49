// Inputs found by the fuzz targets that once went wrong, kept as plain tests.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QtEndian>

#include "../test_files.h"
#include "render/skin.h"

namespace ruk::test {
namespace {

// A 1-bit bitmap of the skin's size with the old 12-byte OS/2 header, which has 16-bit sizes
// and no compression field; every pixel byte is `pixels` (0xff: all the second palette entry).
QByteArray Os2Bitmap(QRgb first, QRgb second, char pixels) {
    constexpr int ROW_BYTES = (SKIN_WIDTH + 31) / 32 * 4;
    constexpr int PIXELS_AT = 14 + 12 + 2 * 3;
    QByteArray bytes(PIXELS_AT + ROW_BYTES * SKIN_HEIGHT, '\0');
    char* p = bytes.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(static_cast<quint32>(bytes.size()), p + 2);
    qToLittleEndian<quint32>(PIXELS_AT, p + 10);
    qToLittleEndian<quint32>(12, p + 14);
    qToLittleEndian<quint16>(SKIN_WIDTH, p + 18);
    qToLittleEndian<quint16>(SKIN_HEIGHT, p + 20);
    qToLittleEndian<quint16>(1, p + 22);  // planes
    qToLittleEndian<quint16>(1, p + 24);  // bits per pixel
    const QRgb palette[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        p[26 + 3 * i] = static_cast<char>(qBlue(palette[i]));
        p[27 + 3 * i] = static_cast<char>(qGreen(palette[i]));
        p[28 + 3 * i] = static_cast<char>(qRed(palette[i]));
    }
    for (int i = PIXELS_AT; i < bytes.size(); ++i) p[i] = pixels;
    return bytes;
}

Skin LoadSkinBytes(const QByteArray& bytes) {
    TempDir dir;
    return LoadSkin(QString::fromStdString(dir.Write("ruk_skin.bmp", bytes.toStdString())));
}

// The check for a cut-short bitmap read the newer header's fields from the old one: a file cut
// short was taken (its missing rows black), and a whole one could be refused.
TEST(FuzzRegressionWindowTest, OldHeaderBitmapIsTakenWholeAndRefusedCutShort) {
    const QRgb green = qRgb(20, 200, 40);
    const Skin whole = LoadSkinBytes(Os2Bitmap(qRgb(0, 0, 0), green, '\xff'));
    EXPECT_TRUE(whole.fromFile);
    EXPECT_EQ(whole.image.pixel(SKIN_WIDTH - 1, 0), green);

    // Zero bytes where the newer header keeps its compression, and a huge size read from it.
    const Skin white = LoadSkinBytes(Os2Bitmap(qRgb(255, 255, 255), qRgb(0, 0, 0), '\0'));
    EXPECT_TRUE(white.fromFile);
    EXPECT_EQ(white.image.pixel(0, 0), qRgb(255, 255, 255));

    const QByteArray cut = Os2Bitmap(qRgb(0, 0, 0), qRgb(255, 255, 255), '\xff');
    EXPECT_FALSE(LoadSkinBytes(cut.left(cut.size() - 1)).fromFile);
    EXPECT_FALSE(LoadSkinBytes(cut.left(cut.size() / 2)).fromFile);
}

}  // namespace
}  // namespace ruk::test
