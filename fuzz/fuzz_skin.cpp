// Skin files of any bytes: whatever the file holds, the skin is 168 x 216 in Format_RGB32 and
// never a bitmap cut short, and levels draw with it: a sample level, and one that cannot be
// played (with its banner).
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "fuzz_support.h"
#include "render/board_renderer.h"
#include "render/skin.h"

// Fontconfig keeps its caches until the process ends; that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives for the whole run, as the one application object must.
    static QGuiApplication* application = new QGuiApplication(*argc, *argv);
    (void)application;
    // Qt loads its image plugins and the built-in skin on first use and keeps them; done here,
    // so that the leak check after each input does not count them.
    ruk::LoadSkin(QString());
    return 0;
}

namespace {

constexpr int BOARD_CELLS = 10;

std::uint32_t Little(const std::uint8_t* data, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | data[at + i];
    return value;
}

// An uncompressed bitmap (either header kind: the old 12-byte one or a 40-byte or longer one)
// whose file ends before the last row its header promises. Run-length data has no fixed size.
bool BitmapCutShort(const std::uint8_t* data, std::size_t size) {
    if (size < 30 || data[0] != 'B' || data[1] != 'M') return false;
    const std::int64_t pixelsAt = Little(data, 10, 4);
    const std::uint32_t headerSize = Little(data, 14, 4);
    std::int64_t width = 0, height = 0, bits = 0;
    if (headerSize == 12) {
        width = static_cast<std::int16_t>(Little(data, 18, 2));
        height = static_cast<std::int16_t>(Little(data, 20, 2));
        bits = Little(data, 24, 2);
    } else if (headerSize >= 40 && size >= 34) {
        const std::uint32_t compression = Little(data, 30, 4);
        if (compression != 0 && compression != 3) return false;
        width = static_cast<std::int32_t>(Little(data, 18, 4));
        height = static_cast<std::int32_t>(Little(data, 22, 4));
        bits = Little(data, 28, 2);
    } else {
        return false;
    }
    const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
    return static_cast<std::int64_t>(size) < pixelsAt + rowBytes * (height < 0 ? -height : height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruk;
    static const std::string path = fuzz::TempFolder::File("ruk_skin.bmp");
    fuzz::WriteFile(path, data, size);
    const Skin skin = LoadSkin(QString::fromStdString(path));
    FUZZ_CHECK(skin.image.width() == SKIN_WIDTH && skin.image.height() == SKIN_HEIGHT);
    FUZZ_CHECK(skin.image.format() == QImage::Format_RGB32);
    // A bitmap cut short is refused: its missing rows would show black.
    FUZZ_CHECK(!skin.fromFile || !BitmapCutShort(data, size));

    // Both levels are loaded once, on a small board: only the skin changes from input to input.
    static CoreState& sample = []() -> CoreState& {
        CoreState& core = fuzz::SharedCore();
        core.level.grids.maxWidth = core.level.grids.maxHeight = BOARD_CELLS;
        fuzz::LoadSample(core, 3);
        return core;
    }();
    static std::unique_ptr<CoreState> banner = [] {
        std::unique_ptr<CoreState> core = CreateCoreState();
        FUZZ_CHECK(core != nullptr);
        core->level.grids.maxWidth = core->level.grids.maxHeight = BOARD_CELLS;
        door::LoadText(*core, "#####\n#@$ #\n#####\n");
        FUZZ_CHECK(core->level.board.status != LevelStatus::PLAYABLE);
        return core;
    }();
    static QImage buffer = MakeBoardBuffer(sample.level.grids);
    RenderBoard(sample, skin, buffer);
    RenderBoard(*banner, skin, buffer);
    return 0;
}
