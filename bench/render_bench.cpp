// The board renderer and the window's animation tick on the 50 x 50 sample level: both run on
// every 10 ms tick while the keeper moves. A full redraw of the board area is measured at
// 24-pixel tiles on the 50 x 50 level and at 96-pixel tiles on a 12 x 12 one.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QLineEdit>
#include <fstream>
#include <sstream>
#include <string>

#include "core_door.h"
#include "engine/urdl_parser.h"
#include "render/board_renderer.h"
#include "render/zoomed_board.h"
#include "window/main_window.h"

namespace {

using namespace ruk;

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
constexpr int BIG_LEVEL = 22;  // 50 x 50 with 85 boxes

std::string SolutionOf(int level) {
    std::ifstream in(std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples-solutions.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        int n = 0;
        std::string moves;
        if (fields >> n >> moves && n == level) return moves;
    }
    return "";
}

class NoPrompts : public Prompts {
  public:
    void Message(const std::string&, const std::string&, PromptIcon) override {}
    bool Confirm(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        return SAMPLES;
    }
    void RunDialog(QDialog&) override {}
};

void RenderFullBoard(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxWidth = core->level.grids.maxHeight = GRID_SIDE;
    door::LoadFileLevel(*core, SAMPLES.c_str(), BIG_LEVEL);
    const Skin skin = LoadSkin("");
    QImage buffer = MakeBoardBuffer(core->level.grids);
    for (auto _ : state) {
        RenderBoard(*core, skin, buffer);
        benchmark::DoNotOptimize(buffer.constBits());
    }
}
BENCHMARK(RenderFullBoard)->Unit(benchmark::kMicrosecond);

// A 12 x 12 room with pillars, boxes and goals: at 96 pixels it fills 1152 of the 1200 pixels
// of a 50 x 50 board.
constexpr const char* ROOM_12 =
    "############\n"
    "#          #\n"
    "# $ #  # . #\n"
    "#  $   $   #\n"
    "# #  ##  # #\n"
    "#  .  @ .  #\n"
    "#  $ ## $  #\n"
    "# #  ..  # #\n"
    "#   $  .   #\n"
    "# . #  # $ #\n"
    "#          #\n"
    "############\n";

// What the window does for a redraw: the back buffer (zoomed, only its cells in sight), then the
// picture the board area shows.
void FullRedraw(benchmark::State& state, CoreState& core, int preferredScale) {
    const Skin skin = LoadSkin("");
    QImage buffer = MakeBoardBuffer(core.level.grids);
    QImage view;
    const int scale = ShownScale(core.level, preferredScale);
    for (auto _ : state) {
        const BoardZoom zoom = ZoomBoard(core.level, scale);
        if (zoom.scale == 1) {
            RenderBoard(core, skin, buffer);
        } else {
            RenderBoardCells(core, skin, buffer, VisibleCells(zoom, core.level.grids));
            ShowZoomedBoard(core, buffer, zoom, view);
        }
        benchmark::DoNotOptimize(buffer.constBits());
        benchmark::DoNotOptimize(view.constBits());
    }
    state.counters["tile"] = scale * CELL_PIXELS;
    state.counters["cells"] = core.level.board.width * core.level.board.height;
}

void FullRedraw24Of50x50(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxWidth = core->level.grids.maxHeight = GRID_SIDE;
    door::LoadFileLevel(*core, SAMPLES.c_str(), BIG_LEVEL);
    FullRedraw(state, *core, 1);
}
BENCHMARK(FullRedraw24Of50x50)->Unit(benchmark::kMicrosecond);

void FullRedraw96Of12x12(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxWidth = core->level.grids.maxHeight = GRID_SIDE;
    door::LoadText(*core, ROOM_12);
    FullRedraw(state, *core, MAX_ZOOM_SCALE);
}
BENCHMARK(FullRedraw96Of12x12)->Unit(benchmark::kMicrosecond);

// The step timer with Instant Move off while the solution replays: one letter, the redraw and the
// counters per tick. The window gets a 50 x 50 board from a large work area.
void StepTimerTick(benchmark::State& state) {
    NoPrompts prompts;
    MainWindow window(
        {&prompts, QDir::tempPath().toStdString(), QRect(0, 0, 1400, 1300), std::nullopt});
    window.StartUp();
    window.Action(ID_FILE)->trigger();
    static_cast<QLineEdit*>(window.Control(ID_LEVEL_NUMBER))->setText("22");
    window.Action(ID_JUMP)->trigger();
    CoreState& core = window.Core();
    core.view.instantMove = false;
    const std::string moves = SolutionOf(BIG_LEVEL);
    ParseUrdl(core.level, core.game, moves.c_str());
    for (auto _ : state) {
        if (core.view.animMode == AnimMode::IDLE) {
            state.PauseTiming();
            window.Action(ID_RESTART)->trigger();
            window.Action(ID_AUTO_PLAY)->trigger();
            state.ResumeTiming();
        }
        window.OnStepTimerTick();
    }
    window.close();
}
BENCHMARK(StepTimerTick)->Unit(benchmark::kMicrosecond);

}  // namespace
