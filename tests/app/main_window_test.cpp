// The main window on the offscreen screen: layout, start-up, settings and skin files, and a
// level opened and solved through mouse events on the window itself.
#include "window/main_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include "../test_files.h"
#include "engine/move_letters.h"
#include "panel/window_layout.h"
#include "render/board_renderer.h"
#include "render/text_drawing.h"
#include "settings/profile_file.h"
#include "window/qt_prompts.h"
#include "window_session.h"

namespace ruk::test {
namespace {

namespace fs = std::filesystem;

const std::set<int> INTERACTIVE = {
    ID_TEXT,         ID_FILE,    ID_PREV,  ID_NEXT, ID_JUMP,      ID_SOLVER,
    ID_URDL_INPUT,   ID_RESTART, ID_UNDO,  ID_REDO, ID_AUTO_PLAY, ID_URDL_OUTPUT,
    ID_LEVEL_NUMBER, ID_CLEAR,   ID_GUARD, ID_PLAY, ID_EDIT,      ID_INSTANT_MOVE};

std::set<int> EnabledControls(MainWindow& window) {
    std::set<int> enabled;
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        if (!INTERACTIVE.count(id)) {
            EXPECT_TRUE(window.Control(id)->isEnabled()) << id;
        } else if (window.Control(id)->isEnabled()) {
            enabled.insert(id);
        }
    }
    return enabled;
}

QByteArray Bmp(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

TEST(MainWindowTest, ControlsFollowTheLayoutInBothArrangements) {
    for (const QRect work : {FULL_HD, QRect(0, 0, 1920, 700)}) {
        Session session;
        ASSERT_TRUE(session.Start(work));
        const WindowLayout layout =
            LayoutWindow({0, 0, work.x(), work.y(), work.width(), work.height()});
        EXPECT_EQ(layout.oneColumn, work == FULL_HD);
        EXPECT_EQ(layout.maxHeight, work == FULL_HD ? 44 : 28);
        int placed = 0;
        for (const ControlPlace& place : layout.controls) {
            if (place.id == 0) continue;
            ++placed;
            EXPECT_EQ(session.W().Control(place.id)->geometry(),
                      QRect(place.x, place.y, place.width, place.height))
                << place.id << " " << work.height();
        }
        EXPECT_EQ(placed, PLACED_CONTROLS);
        const QSize client(layout.clientWidth, layout.clientHeight);
        EXPECT_EQ(session.W().size(), client);
        EXPECT_EQ(session.W().minimumSize(), client);
        EXPECT_EQ(session.W().maximumSize(), client);
        EXPECT_EQ(session.Core().level.grids.maxHeight, layout.maxHeight);
        EXPECT_EQ(session.W().BoardBuffer().size(),
                  QSize(layout.maxWidth * CELL_PIXELS, layout.maxHeight * CELL_PIXELS));
        EXPECT_TRUE(session.prompts.shown.empty());
    }
}

TEST(MainWindowTest, TooSmallADisplayIsRefusedWithoutTouchingTheSettings) {
    const QRect small(0, 0, 1920, 539);
    ASSERT_FALSE(LayoutWindow({0, 0, 0, 0, small.width(), small.height()}).fits);
    for (const bool existing : {false, true}) {
        Session session;
        const std::string before = "[OPTION]\nIMOVE=1\nGUARD=0\n";
        if (existing) session.dir.Write("ruk.ini", before);
        EXPECT_FALSE(session.Start(small));
        const std::vector<Shown> expected = {
            {"RUK", "Display size is small.\r\n\r\nrequired (1920 x 1080)", PromptIcon::ERROR}};
        EXPECT_EQ(session.prompts.shown, expected);
        session.window.reset();
        if (existing)
            EXPECT_EQ(ReadWholeFile(session.Ini()), before);
        else
            EXPECT_FALSE(std::filesystem::exists(session.Ini()));
    }
}

TEST(MainWindowTest, FirstStartWritesDefaultsAndShowsTheWelcome) {
    Session session;
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(GetProfileString(session.Ini(), "OPTION", "IMOVE", "?", 8), "0");
    EXPECT_EQ(GetProfileString(session.Ini(), "OPTION", "GUARD", "?", 8), "1");
    EXPECT_TRUE(session.Checked(ID_GUARD));
    EXPECT_FALSE(session.Checked(ID_INSTANT_MOVE));
    EXPECT_FALSE(session.W().CurrentSkin().fromFile);
    EXPECT_EQ(EnabledControls(session.W()), (std::set<int>{ID_TEXT, ID_FILE, ID_PLAY, ID_EDIT}));

    // The greeting lies over the empty board.
    const QImage& shown = session.W().BoardBuffer();
    QImage plain = shown.copy();
    RenderBoard(session.Core(), session.W().CurrentSkin(), plain);
    int text = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) text += plain.pixel(x, y) != shown.pixel(x, y);
    EXPECT_GT(text, 1000);

    // Escape does not close the window; the close request does.
    QTest::keyClick(&session.W(), Qt::Key_Escape);
    EXPECT_TRUE(session.W().isVisible());
    session.W().close();
    EXPECT_FALSE(session.W().isVisible());
}

// A skin whose pixels all differ from the built-in one's.
QImage PatternSkin() {
    QImage skin(SKIN_WIDTH, SKIN_HEIGHT, QImage::Format_RGB32);
    for (int y = 0; y < SKIN_HEIGHT; ++y)
        for (int x = 0; x < SKIN_WIDTH; ++x) skin.setPixel(x, y, qRgb(x, y, 7));
    return skin;
}

// Starts with the skin file and tells whether it was taken, checking that the board uses it:
// the welcome board's corner is the exterior tile (2, 5) of the skin in use.
void ExpectSkinTaken(const QByteArray& bytes, bool taken, const char* name) {
    Session session;
    session.dir.Write("ruk_skin.bmp", bytes.toStdString());
    ASSERT_TRUE(session.Start()) << name;
    EXPECT_EQ(session.W().CurrentSkin().fromFile, taken) << name;
    EXPECT_EQ(session.W().CurrentSkin().image.size(), QSize(SKIN_WIDTH, SKIN_HEIGHT));
    EXPECT_EQ(session.W().BoardBuffer().pixel(0, 0) == PatternSkin().pixel(48, 120), taken) << name;
}

TEST(MainWindowTest, SkinFileIsUsedOnlyWhenItIsAPictureOfTheRightSize) {
    ExpectSkinTaken("BM this is no picture at all", false, "not an image");
    ExpectSkinTaken(Bmp(PatternSkin().scaled(100, 100)), false, "wrong size");
    ExpectSkinTaken(Bmp(PatternSkin()), true, "right size");
}

// The skin's pixel the welcome board's corner shows, with the skin file put in the program
// folder (when programSkin is set) of a session in subfolder.
QRgb CornerWithSkin(const std::string& subfolder, const QImage* programSkin) {
    Session session;
    session.subfolder = subfolder;
    fs::create_directories(session.Folder());
    if (programSkin)
        session.dir.Write(subfolder + "/ruk_skin.bmp", Bmp(*programSkin).toStdString());
    EXPECT_TRUE(session.Start());
    EXPECT_TRUE(session.W().CurrentSkin().fromFile) << subfolder;
    return session.W().BoardBuffer().pixel(0, 0);
}

TEST(MainWindowTest, SkinsAreFoundInAnyProgramFolderThenInTheUserConfigFolder) {
    const QImage pattern = PatternSkin();
    const QRgb patternCorner = pattern.pixel(48, 120);
    // A folder name that is no UTF-8: Latin-1 bytes.
    EXPECT_EQ(CornerWithSkin("caf\xe9 \xff", &pattern), patternCorner);

    TempDir config;
    const std::string folder = config.Path("ruk");
    fs::create_directories(folder);
    QImage user = pattern;
    user.fill(qRgb(9, 99, 199));
    config.Write("ruk/ruk_skin.bmp", Bmp(user).toStdString());
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path("")));
    EXPECT_EQ(CornerWithSkin("plain", nullptr), user.pixel(48, 120));
    EXPECT_EQ(CornerWithSkin("plain", &pattern), patternCorner);
    if (oldConfig.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

TEST(MainWindowTest, TruncatedSkinFileFallsBackToTheBuiltInSkin) {
    const QByteArray good = Bmp(PatternSkin());
    ExpectSkinTaken(good.left(good.size() / 2), false, "cut short");
}

TEST(MainWindowTest, DamagedSettingsFilesFallBackToDefaults) {
    std::mt19937 rng(7);
    std::string noise(4096, '\0');
    for (char& ch : noise) ch = static_cast<char>(rng());
    const std::string options = "\n[OPTION]\nIMOVE=1\nGUARD=0\n";
    struct Case {
        const char* name;
        std::string bytes;
        bool instantMove, guard, changed;  // changed: the file after closing
    };
    const Case cases[] = {
        {"random bytes", noise, false, true, true},
        {"over the size cap", std::string(2 << 20, 'a') + options, false, true, false},
        {"long line", std::string(900000, 'a') + options, true, false, false},
    };
    for (const Case& c : cases) {
        Session session;
        session.dir.Write("ruk.ini", c.bytes);
        ASSERT_TRUE(session.Start()) << c.name;
        EXPECT_EQ(session.Checked(ID_INSTANT_MOVE), c.instantMove) << c.name;
        EXPECT_EQ(session.Checked(ID_GUARD), c.guard) << c.name;
        session.W().close();
        EXPECT_EQ(ReadWholeFile(session.Ini()) != c.bytes, c.changed) << c.name;
    }
}

TEST(MainWindowTest, ClosingSavesTheOptionsAndKeepsTheRestOfTheFile) {
    Session session;
    const std::string before =
        "; kept\r\n[WINDOW]\r\nX=5\r\n\r\n[OPTION]\r\n; options\r\nIMOVE=0\r\nGUARD=1\r\n"
        "EXTRA=x\r\n[LAST]\r\nK=v\r\n";
    session.dir.Write("ruk.ini", before);
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    ASSERT_TRUE(session.W().Control(ID_GUARD)->isEnabled());
    session.Toggle(ID_GUARD);
    EXPECT_FALSE(session.Core().view.guardOn);
    session.W().close();
    std::string after = before;
    after.replace(after.find("GUARD=1"), 7, "GUARD=0");
    EXPECT_EQ(ReadWholeFile(session.Ini()), after);
}

TEST(MainWindowTest, ReadOnlySettingsAreLeftAsTheyWere) {
    Session session;
    const std::string before = "[OPTION]\nIMOVE=0\nGUARD=1\n";
    session.dir.Write("ruk.ini", before);
    ASSERT_EQ(chmod(session.Ini().c_str(), 0444), 0);
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    session.Toggle(ID_GUARD);
    session.Toggle(ID_INSTANT_MOVE);
    session.W().close();  // must not fail
    // The file has no write bit at all, which the settings writer refuses even for root.
    EXPECT_EQ(ReadWholeFile(session.Ini()), before);
}

TEST(MainWindowTest, ALevelOpenedFromAFileIsSolvedByMouseClicks) {
    const SolvedCollection collection = SolvedCollections().front();
    const KnownSolution known = ReadSolutions(collection.solutions).front();
    Session session;
    ASSERT_TRUE(session.Start());
    session.Open(collection.levels);
    if (known.level != 1) session.JumpTo(QString::number(known.level));
    ASSERT_EQ(session.Level(), known.level);
    ASSERT_EQ(session.Core().level.board.status, LevelStatus::PLAYABLE);

    CoreState& core = session.Core();
    for (const Action& action : ActionsOf(core, known.moves)) {
        session.Click(action.box);
        ASSERT_TRUE(core.view.boxSelected);
        const std::uint32_t before = core.game.history.end;
        session.Click(action.target);
        if (core.game.history.end == before) session.Click(action.keeper);  // the side marks
        ASSERT_GT(core.game.history.end, before);
        ASSERT_EQ(core.game.shown.positionBoard[action.target], BOX);
    }
    EXPECT_TRUE(core.game.totals.solved);
    EXPECT_EQ(session.Text(ID_SOLVED), "Solved");
    EXPECT_EQ(session.prompts.Count("Status: Solved\r\n\r\nCongratulations !!"), 1);
    EXPECT_EQ(session.prompts.shown.back(),
              (Shown{"RUK", "Status: Solved\r\n\r\nCongratulations !!", PromptIcon::INFORMATION}));

    session.Toggle(ID_SOLVER);
    EXPECT_EQ(session.prompts.shown.back(),
              (Shown{"RUK", "It's already solved.", PromptIcon::INFORMATION}));
}

TEST(MainWindowTest, LevelSelectorUndoByRightClickAndTheInfoLine) {
    Session session;
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    MainWindow& window = session.W();
    const int count = session.Core().level.levelSet.count;
    ASSERT_EQ(session.Level(), 1);
    session.Toggle(ID_PREV);            // disabled at the first level
    window.Action(ID_PREV)->trigger();  // and does nothing when run anyway
    EXPECT_EQ(session.Level(), 1);
    session.Toggle(ID_NEXT);
    EXPECT_EQ(session.Level(), 2);
    EXPECT_EQ(session.Text(ID_LEVEL_NUMBER), "2");
    const std::pair<const char*, int> jumps[] = {{"0", 1}, {"", 1}, {"999", count}, {"3", 3}};
    for (const auto& [typed, level] : jumps) {
        session.JumpTo(typed);
        EXPECT_EQ(session.Level(), level) << typed;
    }
    static_cast<QLineEdit*>(window.Control(ID_LEVEL_NUMBER))->setText("2");
    QTest::keyClick(window.Control(ID_LEVEL_NUMBER), Qt::Key_Return);
    EXPECT_EQ(session.Level(), 2);

    // A walk, then a right click on the board takes it back.
    CoreState& core = session.Core();
    const Grids& grids = core.level.grids;
    int walkTo = -1;
    for (int cell = 0; cell < core.level.board.cellCount && walkTo < 0; ++cell) {
        const GridCell g = BoardToGrid(core.level.board, grids, cell);
        if (cell != core.game.shown.keeperCell && core.scratch.keeperReach[GridIndex(g.row, g.col)])
            walkTo = cell;
    }
    ASSERT_GE(walkTo, 0);
    session.Click(walkTo);
    EXPECT_EQ(core.game.shown.keeperCell, walkTo);
    EXPECT_FALSE(window.Control(ID_URDL_INPUT)->isEnabled());
    session.Click(walkTo, Qt::RightButton);
    EXPECT_EQ(core.game.shown.shownMoves, 0);
    EXPECT_TRUE(window.Control(ID_REDO)->isEnabled());
    EXPECT_TRUE(window.Control(ID_URDL_INPUT)->isEnabled());

    // The info line names the level cell under the mouse; moves reach the window through the
    // platform cursor, so the window must be on the screen.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const std::string topLeft = "(x, y) = ( 1,  1)    ";
    ASSERT_TRUE(grids.rowOffset > 0 || grids.colOffset > 0);
    QTest::mouseMove(&window, session.GridPoint(grids.rowOffset + 1, grids.colOffset + 2));
    EXPECT_EQ(session.Text(ID_INFO_LINE), "(x, y) = ( 3,  2)    ");
    QTest::mouseMove(&window, session.GridPoint(0, 0));
    EXPECT_EQ(session.Text(ID_INFO_LINE), "");
    QTest::mouseMove(&window, session.GridPoint(grids.rowOffset, grids.colOffset));
    EXPECT_EQ(session.Text(ID_INFO_LINE), topLeft);
    QTest::mouseMove(&window, QPoint(2, 2));  // off the board
    EXPECT_EQ(session.Text(ID_INFO_LINE), topLeft);
}

// A mouse walk or push leaves every control as it was before the click until its animation
// ends; only the push's "Stop" caption changes at once.
TEST(MainWindowTest, AWalkOrPushKeepsTheControlsUntilItsAnimationEnds) {
    Session session;
    ASSERT_TRUE(session.Start());
    MainWindow& window = session.W();
    session.Open(SAMPLES);
    session.JumpTo("2");
    CoreState& core = session.Core();
    const Grids& grids = core.level.grids;
    const auto press = [&](int gridRow, int gridCol) {
        QTest::mouseClick(&window, Qt::LeftButton, {}, session.GridPoint(gridRow, gridCol));
    };

    // The walk: to the reachable cell farthest down the Board, so it takes several ticks.
    int walkTo = -1;
    for (int cell = 0; cell < core.level.board.cellCount; ++cell) {
        const GridCell g = BoardToGrid(core.level.board, grids, cell);
        if (cell != core.game.shown.keeperCell && core.scratch.keeperReach[GridIndex(g.row, g.col)])
            walkTo = cell;
    }
    ASSERT_GE(walkTo, 0);
    const std::set<int> beforeWalk = EnabledControls(window);
    ASSERT_TRUE(beforeWalk.count(ID_URDL_INPUT));
    const GridCell w = BoardToGrid(core.level.board, grids, walkTo);
    press(w.row, w.col);
    ASSERT_EQ(core.view.animMode, AnimMode::ACTION_FORWARD);
    EXPECT_EQ(EnabledControls(window), beforeWalk);
    session.Settle();
    const std::set<int> afterWalk = EnabledControls(window);
    EXPECT_FALSE(afterWalk.count(ID_URDL_INPUT));
    EXPECT_TRUE(afterWalk.count(ID_UNDO));

    // The push: the first box with a target it reaches with one keeper side.
    for (int cell = 0; cell < core.level.board.cellCount; ++cell) {
        if (core.game.shown.positionBoard[cell] != BOX) continue;
        const GridCell b = BoardToGrid(core.level.board, grids, cell);
        press(b.row, b.col);
        for (int g = 0; g < MAX_CELLS; ++g) {
            if (!core.view.targets.targetFlag[g] || core.view.targets.sideCount[g] != 1) continue;
            press(g / GRID_SIDE, g % GRID_SIDE);
            ASSERT_EQ(core.view.animMode, AnimMode::ACTION_FORWARD);
            EXPECT_EQ(EnabledControls(window), afterWalk);
            EXPECT_EQ(session.Text(ID_AUTO_PLAY), "Stop");
            session.Settle();
            EXPECT_EQ(session.Text(ID_AUTO_PLAY), "Auto-play");
            EXPECT_GT(core.game.shown.shownPushes, 0);
            return;
        }
    }
    FAIL() << "no box of sample level 2 has a target with one side";
}

TEST(MainWindowTest, TheOpenFileDialogOffersLevelFilesFirst) {
    const std::unique_ptr<QFileDialog> dialog =
        MakeOpenFileDialog(nullptr, "Select File", "/tmp/levels.txt");
    EXPECT_EQ(dialog->windowTitle(), "Select File");
    EXPECT_EQ(dialog->nameFilters(),
              (QStringList{"Level files (*.txt *.sok *.xsb)", "All files (*)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "Level files (*.txt *.sok *.xsb)");
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
}

TEST(MainWindowTest, FirstMoveOntoTheTopLeftLevelCellShowsIt) {
    Session session;
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&session.W()));
    const Grids& grids = session.Core().level.grids;
    QTest::mouseMove(&session.W(), session.GridPoint(grids.rowOffset, grids.colOffset));
    EXPECT_EQ(session.Text(ID_INFO_LINE), "(x, y) = ( 1,  1)    ");
}

TEST(MainWindowTest, AutoPlayWithInstantMoveRunsOnTimerFour) {
    Session session;
    ASSERT_TRUE(session.Start());
    session.Open(SAMPLES);
    session.JumpTo("3");
    CoreState& core = session.Core();
    MainWindow& window = session.W();
    const std::string moves = "RRllddrrUrUUdLL";  // its known solution
    for (const Action& action : ActionsOf(core, moves)) {
        session.Click(action.box);
        const std::uint32_t before = core.game.history.end;
        session.Click(action.target);
        if (core.game.history.end == before) session.Click(action.keeper);
    }
    ASSERT_TRUE(core.game.totals.solved);
    window.Action(ID_RESTART)->trigger();
    session.Settle();
    ASSERT_EQ(core.game.history.cursor, 0u);

    // Letter by letter: the button turns into Stop, and Stop ends the animation.
    session.Toggle(ID_AUTO_PLAY);
    EXPECT_EQ(session.Text(ID_AUTO_PLAY), "Stop");
    EXPECT_FALSE(window.AutoPlayTimerActive());
    window.OnStepTimerTick();
    session.Toggle(ID_AUTO_PLAY);
    EXPECT_EQ(session.Text(ID_AUTO_PLAY), "Auto-play");
    EXPECT_EQ(core.view.animMode, AnimMode::IDLE);
    EXPECT_GT(core.game.history.cursor, 0u);

    // By actions with Instant Move: the caption stays and the auto-play timer runs until stopped.
    session.Toggle(ID_INSTANT_MOVE);
    ASSERT_TRUE(core.view.instantMove);
    session.Toggle(ID_AUTO_PLAY);
    EXPECT_EQ(session.Text(ID_AUTO_PLAY), "Auto-play");
    EXPECT_TRUE(window.AutoPlayTimerActive());
    EXPECT_EQ(EnabledControls(window), std::set<int>{ID_AUTO_PLAY});
    window.OnAutoPlayTimerTick();
    session.Toggle(ID_AUTO_PLAY);
    EXPECT_FALSE(window.AutoPlayTimerActive());
    EXPECT_EQ(core.view.animMode, AnimMode::IDLE);

    // Played to the end, the auto-play timer stops by itself.
    session.Toggle(ID_AUTO_PLAY);
    for (int i = 0; i < 100 && window.AutoPlayTimerActive(); ++i) window.OnAutoPlayTimerTick();
    EXPECT_FALSE(window.AutoPlayTimerActive());
    EXPECT_EQ(core.game.history.cursor, core.game.history.end);
    EXPECT_EQ(session.prompts.Count("Status: Solved\r\n\r\nCongratulations !!"), 1);
}

}  // namespace
}  // namespace ruk::test
