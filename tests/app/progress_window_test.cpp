// The window's memory of levels: a level solved by keys is remembered across Prev and Next and
// across a restart, the best solutions and the unfinished game come back by their keys, the
// file's solved count follows, and a store that keeps nothing is said once after the caption.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "../test_files.h"
#include "engine/move_letters.h"
#include "level_key.h"
#include "progress/progress_test_util.h"
#include "progress_store.h"
#include "window/quit_signals.h"
#include "window_session.h"

namespace ruk::test {
namespace {

const Qt::Key ARROWS[4] = {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left};

void Type(Session& s, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(s.W().focusWidget(), key, modifiers);
    s.Settle();
}

void TypeMoves(Session& s, const std::string& moves) {
    for (const char letter : moves) Type(s, ARROWS[IndexOf(*LetterDirection(letter))]);
}

std::string Caption(Session& s) {
    return s.W().windowTitle().toStdString();
}

// The open file's count comes from a thread of its own; its answer arrives as an event.
void WaitForCount(Session& s) {
    const auto counted = [&s] {
        const std::string caption = Caption(s);
        return caption.find(" solved]") != std::string::npos ||
               caption.find(" solved, ") != std::string::npos;
    };
    for (int i = 0; i < 1000 && !counted(); ++i) QTest::qWait(5);
}

// Writes run on the writer's thread; the caption follows when its answer arrives.
void WaitForCaption(Session& s, const std::string& caption) {
    for (int i = 0; i < 1000 && Caption(s) != caption; ++i) QTest::qWait(5);
    EXPECT_EQ(Caption(s), caption);
}

void WaitForWelcomeLine(Session& s, const std::string& line) {
    for (int i = 0; i < 1000 && s.W().ShownWelcomeLine() != line; ++i) QTest::qWait(5);
    EXPECT_EQ(s.W().ShownWelcomeLine(), line);
}

std::string Game(Session& s) {
    return std::string(s.Core().game.history.text.get(), s.Core().game.history.end);
}

const std::string TWO_LEVELS = "Title: room\n" + ROOM + "\n#####\n#@$.#\n#####\n";

TEST(ProgressWindowTest, SolvedGamesAndBestsComeBackAfterLeavingAndAfterARestart) {
    TempDir data;
    Session s;
    s.progress = data.Path("ruk/progress.sqlite");
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(Caption(s), "RUK (Rukplayer) v2.2");
    const std::string file = data.Write("two.sok", TWO_LEVELS);
    s.Open(file);
    WaitForCount(s);
    EXPECT_EQ(Caption(s), "RUK (Rukplayer) v2.2 - two 1/2: room  [0 of 2 solved]");

    // The solution is written after the tick that shows it solved, not inside it.
    TypeMoves(s, ROOM_BY_MOVES);
    ASSERT_TRUE(s.Core().game.totals.solved);
    ProgressStore reader;
    ASSERT_EQ(reader.Open(*s.progress), ProgressState::READY);
    const std::string key = LevelKey(s.Core().level.board);
    WaitForCaption(s, "RUK (Rukplayer) v2.2 - two 1/2: room  [solved 14/6, 1 of 2 solved]");
    EXPECT_TRUE(reader.Load(key).solved);

    // Away and back: the record is there. A second solution with fewer pushes is kept beside
    // the first, and each key loads its own as URDL Input does.
    Type(s, Qt::Key_PageDown);
    EXPECT_EQ(Caption(s), "RUK (Rukplayer) v2.2 - two 2/2  [1 of 2 solved]");
    Type(s, Qt::Key_PageUp);
    WaitForCaption(s, "RUK (Rukplayer) v2.2 - two 1/2: room  [solved 14/6, 1 of 2 solved]");
    TypeMoves(s, ROOM_BY_PUSHES);
    // Left at once, before the posted write has run: leaving writes it.
    Type(s, Qt::Key_PageDown);
    Type(s, Qt::Key_PageUp);
    WaitForCaption(s, "RUK (Rukplayer) v2.2 - two 1/2: room  [solved 14/6, 16/4, 1 of 2 solved]");
    Type(s, Qt::Key_R, Qt::ControlModifier);
    Type(s, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(Game(s), ROOM_BY_MOVES);
    Type(s, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Game(s), ROOM_BY_PUSHES);
    EXPECT_EQ(s.Core().game.history.cursor, 0u);

    // An unfinished game with a redo tail, left by closing the window.
    Type(s, Qt::Key_R, Qt::ControlModifier);
    Type(s, Qt::Key_Right);  // a new move: the solution's letters go
    TypeMoves(s, "lllu");
    Type(s, Qt::Key_Z, Qt::ControlModifier);
    const std::string left = Game(s);
    const std::uint32_t cursor = s.Core().game.history.cursor;
    const QImage board = s.W().ShownBoard().copy();
    ASSERT_LT(cursor, left.size());
    s.W().close();
    s.window.reset();

    // Started again: nothing shown until Ctrl+L reopens the place and Ctrl+G the game.
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.Core().level.levelSet.count, 0);
    Type(s, Qt::Key_L, Qt::ControlModifier);
    ASSERT_EQ(s.Level(), 1);
    EXPECT_EQ(s.Core().game.history.end, 0u) << "a level still loads at its start";
    Type(s, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Game(s), left);
    EXPECT_EQ(s.Core().game.history.cursor, cursor);
    EXPECT_TRUE(s.W().ShownBoard() == board);
    EXPECT_TRUE(s.W().Control(ID_REDO)->isEnabled());
    WaitForCaption(s, "RUK (Rukplayer) v2.2 - two 1/2: room  [solved 14/6, 16/4, 1 of 2 solved]");
    EXPECT_EQ(s.prompts.shown.size(), 2u) << "the two congratulations only";
}

// The welcome screen names the last place and its game; --resume goes on with that game as
// Ctrl+L and Ctrl+G do, and says so as they do when there is nothing to go back to.
TEST(ProgressWindowTest, SolutionsTheFileCarriesAreKeptOnOpeningAndCounted) {
    TempDir data;
    Session s;
    s.progress = data.Path("ruk/progress.sqlite");
    ASSERT_TRUE(s.Start());
    // The room carries its best by pushes and, in run lengths, its best by moves; the second
    // level a solution that does not solve.
    const std::string file =
        data.Write("two.sok", "Title: room\n" + ROOM + "Solution: " + ROOM_BY_PUSHES +
                                  "\nSolution\n3luRRurDrd3L\n\n#####\n#@$.#\n#####\n"
                                  "Solution: L\n");
    s.Open(file);
    WaitForCaption(s, "RUK (Rukplayer) v2.2 - two 1/2: room  [solved 14/6, 16/4, 1 of 2 solved]");
    // Ctrl+M loads the best by moves as URDL Input does.
    Type(s, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(Game(s), ROOM_BY_MOVES);
}

TEST(ProgressWindowTest, TheWelcomeNamesTheLastPlaceAndResumeGoesOnWithItsGame) {
    TempDir data;
    Session s;
    s.progress = data.Path("ruk/progress.sqlite");
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.W().ShownWelcomeLine(), "Ctrl+0: fit levels to the board");
    CommandLine resume;
    resume.resume = true;
    s.W().OpenFromCommandLine(resume);
    EXPECT_EQ(s.Core().level.levelSet.count, 0);
    ASSERT_EQ(s.prompts.shown.size(), 1u);
    EXPECT_EQ(s.prompts.shown[0].text, "No level file was shown when RUK was last closed.");

    const std::string file = data.Write("two.sok", TWO_LEVELS);
    s.Open(file);
    Type(s, Qt::Key_PageDown);
    Type(s, Qt::Key_PageUp);
    TypeMoves(s, "lllu");
    Type(s, Qt::Key_Z, Qt::ControlModifier);
    const std::uint32_t cursor = s.Core().game.history.cursor;
    s.W().close();
    s.window.reset();

    ASSERT_TRUE(s.Start());
    // The game is found once the file has been read on a thread: the line is drawn again.
    EXPECT_EQ(s.W().ShownWelcomeLine(),
              "Ctrl+L: two, level 1      Ctrl+0: fit levels to the board");
    WaitForWelcomeLine(s,
                       "Ctrl+L: two, level 1 (a game in progress: Ctrl+G)      "
                       "Ctrl+0: fit levels to the board");
    EXPECT_EQ(s.Core().level.levelSet.count, 0) << "nothing loads by itself";
    Type(s, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(s.W().ShownWelcomeLine(), "Ctrl+L: two, level 1 (a game in progress: Ctrl+G)");
    s.W().OpenFromCommandLine(resume);
    ASSERT_EQ(s.Level(), 1);
    EXPECT_EQ(Game(s), "lllu");
    EXPECT_EQ(s.Core().game.history.cursor, cursor);
    EXPECT_EQ(s.prompts.shown.size(), 1u);
    Type(s, Qt::Key_PageDown);  // a level only looked at: no game there
    s.W().close();
    s.window.reset();

    ASSERT_TRUE(s.Start());
    WaitForWelcomeLine(s, "Ctrl+L: two, level 2");
    // The file gone: said as Ctrl+L says it, and the welcome screen stays.
    std::filesystem::remove(file);
    s.W().OpenFromCommandLine(resume);
    EXPECT_EQ(s.Core().level.levelSet.count, 0);
    ASSERT_EQ(s.prompts.shown.size(), 2u);
    EXPECT_EQ(s.prompts.shown[1].text, "No level can be read from\r\n" + file);
}

TEST(ProgressWindowTest, WithoutProgressMemoryItIsSaidOnceAndPlayGoesOn) {
    TempDir data;
    Session s;
    s.progress = "";
    ASSERT_TRUE(s.Start());
    const std::string note = "  [no progress memory: no home folder]";
    EXPECT_EQ(Caption(s), "RUK (Rukplayer) v2.2" + note);
    s.Open(data.Write("two.sok", TWO_LEVELS));
    EXPECT_EQ(Caption(s), "RUK (Rukplayer) v2.2 - two 1/2: room" + note);
    TypeMoves(s, ROOM_BY_MOVES);
    QApplication::processEvents();
    EXPECT_TRUE(s.Core().game.totals.solved);
    EXPECT_EQ(Caption(s), "RUK (Rukplayer) v2.2 - two 1/2: room" + note);
    Type(s, Qt::Key_PageDown);
    Type(s, Qt::Key_M, Qt::ControlModifier);
    Type(s, Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(s.prompts.shown.size(), 3u);  // the congratulations, then one line per key
    EXPECT_EQ(s.prompts.shown[1].text, "No solution of this level is kept yet.");
    EXPECT_EQ(s.prompts.shown[2].text, "No unfinished game of this level is kept.");

    // A damaged file is set aside and a fresh one used: the player remembers again, and says
    // where the old file went for the rest of the session.
    const std::string path = data.Path("ruk/progress.sqlite");
    std::filesystem::create_directories(data.Path("ruk"));
    std::ofstream(path) << std::string(5000, '\x5a');
    Session repaired;
    repaired.progress = path;
    ASSERT_TRUE(repaired.Start());
    std::vector<std::string> aside;
    for (const auto& entry : std::filesystem::directory_iterator(data.Path("ruk"))) {
        const std::string name = entry.path().filename().string();
        if (name.find(".damaged-") != std::string::npos) aside.push_back(name);
    }
    ASSERT_EQ(aside.size(), 1u);
    const std::string kept =
        "  [the damaged progress file was kept as " + aside[0] + "; a new one was begun]";
    EXPECT_EQ(Caption(repaired), "RUK (Rukplayer) v2.2" + kept);
    repaired.Open(data.Write("two.sok", TWO_LEVELS));
    Type(repaired, Qt::Key_PageDown);
    WaitForCount(repaired);
    EXPECT_EQ(Caption(repaired),
              "RUK (Rukplayer) v2.2 - two 2/2  [0 of 2 solved, " + kept.substr(3));
}

// A logout's SIGTERM closes the window as its close box does: the game and the place are kept.
TEST(ProgressWindowTest, SigtermClosesTheWindowAndKeepsTheGameAndThePlace) {
    TempDir data;
    Session s;
    s.progress = data.Path("ruk/progress.sqlite");
    ASSERT_TRUE(s.Start());
    const std::string file = data.Write("two.sok", TWO_LEVELS);
    s.Open(file);
    TypeMoves(s, "lll");
    ASSERT_TRUE(CloseOnQuitSignals(s.W()));
    std::raise(SIGTERM);
    for (int i = 0; i < 1000 && s.W().isVisible(); ++i) QTest::qWait(5);
    EXPECT_FALSE(s.W().isVisible());
    s.window.reset();
    EXPECT_EQ(std::signal(SIGTERM, SIG_DFL), SIG_DFL) << "the default is back once it is gone";

    ProgressStore reader;
    ASSERT_EQ(reader.Open(*s.progress), ProgressState::READY);
    const std::optional<LastPlace> place = reader.LoadLastPlace();
    ASSERT_TRUE(place);
    EXPECT_EQ(place->file, file);
    EXPECT_EQ(place->level, 1);
    const LevelRecord record = reader.Load(LevelKey(BoardOf(ROOM)));
    EXPECT_EQ(record.gameLetters, "lll");
    EXPECT_EQ(record.gameCursor, 3u);
}

// Solved by keys: the caption counts the solve while the congratulation is still up, without
// waiting for the next keep, Undo or level change.
TEST(ProgressWindowTest, TheCaptionFollowsASolveWhileTheCongratulationIsUp) {
    TempDir data;
    Session s;
    s.progress = data.Path("ruk/progress.sqlite");
    ASSERT_TRUE(s.Start());
    s.Open(data.Write("two.sok", TWO_LEVELS));
    WaitForCount(s);
    const std::string solved = "RUK (Rukplayer) v2.2 - two 1/2: room  [solved 14/6, 1 of 2 solved]";
    std::string seen;
    s.prompts.whileShown = [&](const std::string& text) {
        if (text.find("Congratulations") == std::string::npos) return;
        // Longer than the keep's period, as a player reading the box may take.
        for (int i = 0; i < 1400 && Caption(s) != solved; ++i) QTest::qWait(5);
        seen = Caption(s);
    };
    TypeMoves(s, ROOM_BY_MOVES);
    EXPECT_EQ(seen, solved);
    s.prompts.whileShown = nullptr;
    QTest::qWait(20);
    EXPECT_EQ(Caption(s), solved);
}

// A quit signal while a modal box is up ends the program there, but only once the game and the
// place are kept and the store is closed: the log folded back into the file, as after a normal
// close. Run in a child process, which the signal ends.
TEST(ProgressWindowTest, SigtermOverAModalBoxClosesTheStoreBeforeTheProgramEnds) {
    TempDir data;
    const std::string path = data.Path("ruk/progress.sqlite");
    const std::string file = data.Write("two.sok", TWO_LEVELS);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        Session s;
        s.progress = path;
        if (!s.Start()) _exit(2);
        s.Open(file);
        TypeMoves(s, "lll");
        MainWindow& window = s.W();
        CloseOnQuitSignals(window, [&window] { window.FinishProgress(); });
        QDialog box(&window);
        box.setModal(true);
        box.show();
        std::raise(SIGTERM);
        for (int i = 0; i < 2000; ++i) QTest::qWait(5);
        _exit(3);  // the signal did not end the program
    }
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 3000 && ended == 0; ++i) {
        ended = waitpid(child, &status, WNOHANG);
        if (ended == 0) usleep(10000);
    }
    if (ended == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the child still runs 30 s after SIGTERM";
    }
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    std::error_code error;
    const std::uintmax_t logSize = std::filesystem::file_size(path + "-wal", error);
    EXPECT_TRUE(error || logSize == 0) << "the log still holds " << logSize << " bytes";
    ProgressStore reader;
    ASSERT_EQ(reader.Open(path), ProgressState::READY);
    const std::optional<LastPlace> place = reader.LoadLastPlace();
    ASSERT_TRUE(place);
    EXPECT_EQ(place->file, file);
    EXPECT_EQ(reader.Load(LevelKey(BoardOf(ROOM))).gameLetters, "lll");
}

}  // namespace
}  // namespace ruk::test
