// Skin files of any bytes: whatever the file holds, the skin is 168 x 216 in Format_RGB32, and
// levels draw with it: a sample level, and one that cannot be played (with its banner).
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "board/text_level_parser.h"
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
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruk;
    static const std::string path = fuzz::TempFolder::File("ruk_skin.bmp");
    fuzz::WriteFile(path, data, size);
    const Skin skin = LoadSkin(QString::fromStdString(path));
    FUZZ_CHECK(skin.image.width() == SKIN_WIDTH && skin.image.height() == SKIN_HEIGHT);
    FUZZ_CHECK(skin.image.format() == QImage::Format_RGB32);

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
        CopyText(core->level.levelSet.sourceText, "#####\n#@$ #\n#####\n");
        ParseTextLevel(core->level);
        RunLevelChange(*core);
        FUZZ_CHECK(core->level.board.status != LevelStatus::PLAYABLE);
        return core;
    }();
    static QImage buffer = MakeBoardBuffer(sample.level.grids);
    RenderBoard(sample, skin, buffer);
    RenderBoard(*banner, skin, buffer);
    return 0;
}
