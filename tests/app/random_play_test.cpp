// Thousands of random presses, drags, commands, dialog answers and timer ticks on the real
// window; after every event the game's records must agree with a fresh replay of the moves
// before the cursor, and nothing may crash.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <random>

#include "dialogs/solver_dialog.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/text_out_dialog.h"
#include "window_session.h"

namespace ruk::test {
namespace {

std::string Joined(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "\n";
    return text;
}

// The records the window shows against a replay of history[0, cursor) on the level's start.
void ExpectReplayed(CoreState& core, int event) {
    ASSERT_NO_FATAL_FAILURE(ExpectInvariants(core, "event " + std::to_string(event)));
    const MoveHistory& h = core.game.history;
    ASSERT_LE(h.cursor, h.end) << event;
    ASSERT_EQ(h.text[h.end], '\0') << event;
    const LevelStatus status = core.level.board.status;
    if (core.level.editor.editMode != EditMode::PLAY ||
        (status != LevelStatus::PLAYABLE && status != LevelStatus::BLOCKED))
        return;
    // Side marks exist only while a box is selected.
    if (!core.view.boxSelected) {
        for (int i = 0; i < MAX_CELLS; ++i)
            ASSERT_LT(core.level.grids.displayGrid[i], 1u << MARKER_SHIFT) << event;
    }
    ExpectShownMatchesReplay(core, Joined(BoardRows(core.level.board)),
                             "event " + std::to_string(event));
}

class RandomPlayer {
  public:
    RandomPlayer(Session& session, unsigned seed) : s_(session), rng_(seed) {
        s_.prompts.dialogScript = [this](QDialog& dialog) { Answer(dialog); };
        samples_ = ReadWholeFile(SAMPLES);
    }

    void Event() {
        const int kind = Pick(100);
        if (kind < 30)
            Press(Qt::LeftButton);
        else if (kind < 35)
            Press(Qt::RightButton);
        else if (kind < 55)
            for (int n = Pick(20); n >= 0; --n) s_.W().OnStepTimerTick();
        else if (kind < 60)
            s_.W().OnAutoPlayTimerTick();
        else if (kind < 90)
            Button();
        else
            Drag();
    }

  private:
    int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    QPoint BoardPoint() {
        const PixelRect& board = s_.W().State().boardRect;
        const Grids& grids = s_.Core().level.grids;
        // Mostly on the level, sometimes anywhere on the board or just beside it.
        const Board& level = s_.Core().level.board;
        int row = Pick(grids.maxHeight);
        int col = Pick(grids.maxWidth);
        if (Pick(4) != 0 && level.width > 0 && level.height > 0) {
            row = grids.rowOffset + Pick(std::min(level.height, grids.maxHeight));
            col = grids.colOffset + Pick(std::min(level.width, grids.maxWidth));
        }
        return {board.left + 24 * col + Pick(24) - (Pick(50) == 0 ? 30 : 0),
                board.top + 24 * row + Pick(24)};
    }

    void Press(Qt::MouseButton button) { QTest::mouseClick(&s_.W(), button, {}, BoardPoint()); }

    void Drag() {
        MainWindow& w = s_.W();
        if (Pick(2) == 0) {  // the palette and the wall tool
            const PixelRect& palette = w.State().paletteRect;
            QTest::mouseClick(&w, Qt::LeftButton, {},
                              QPoint(palette.left + Pick(110), palette.top + Pick(92)));
            return;
        }
        const Qt::MouseButton button = Pick(3) == 0 ? Qt::RightButton : Qt::LeftButton;
        QTest::mousePress(&w, button, {}, BoardPoint());
        for (int n = Pick(5); n >= 0; --n) QTest::mouseMove(&w, BoardPoint());
        QTest::mouseRelease(&w, button, {}, BoardPoint());
    }

    void Button() {
        // Play commands often; loads, the editor and the dialogs now and then.
        static const int often[] = {ID_RESTART,   ID_UNDO,  ID_REDO,
                                    ID_AUTO_PLAY, ID_GUARD, ID_INSTANT_MOVE};
        static const int seldom[] = {ID_PREV,   ID_NEXT,       ID_JUMP,        ID_TEXT, ID_FILE,
                                     ID_SOLVER, ID_URDL_INPUT, ID_URDL_OUTPUT, ID_EDIT, ID_CLEAR};
        int id = Pick(5) != 0 ? often[Pick(static_cast<int>(std::size(often)))]
                              : seldom[Pick(static_cast<int>(std::size(seldom)))];
        if (s_.Core().level.editor.editMode == EditMode::EDIT && Pick(2) == 0) id = ID_PLAY;
        if (id == ID_FILE) s_.prompts.files.push_back(Pick(4) == 0 ? "/nonexistent" : SAMPLES);
        if (id == ID_JUMP)
            static_cast<QLineEdit*>(s_.W().Control(ID_LEVEL_NUMBER))
                ->setText(QString::number(Pick(30)));
        s_.prompts.confirmAnswer = Pick(2) == 0;
        // Through the button itself, so that a disabled control stays inert.
        QTest::mouseClick(s_.W().Control(id), Qt::LeftButton);
        s_.prompts.files.clear();
    }

    std::string SampleLevel() {
        // Mostly a whole level of the sample file; sometimes a random stretch of it.
        if (Pick(4) == 0) return samples_.substr(rng_() % samples_.size(), 40 + rng_() % 400);
        std::size_t from = samples_.find("\n; ", rng_() % samples_.size());
        if (from == std::string::npos) from = 0;
        const std::size_t to = samples_.find("\n\n", from + 1);
        return samples_.substr(from, to == std::string::npos ? std::string::npos : to - from);
    }

    void Answer(QDialog& dialog) {
        if (auto* input = dynamic_cast<TextInputDialog*>(&dialog)) {
            std::string text;
            if (dialog.windowTitle() == "Text") {
                text = SampleLevel();
            } else {
                static const char letters[] = "urdlURDL";
                for (int n = Pick(60); n > 0; --n) text += letters[Pick(8)];
                if (Pick(5) == 0) text += "x?";
            }
            input->TextBox()->setPlainText(QString::fromLatin1(text.c_str()));
            if (Pick(6) != 0)
                input->LoadButton()->click();
            else
                dialog.close();
        } else if (auto* out = dynamic_cast<TextOutDialog*>(&dialog)) {
            if (Pick(2) == 0) out->HyphenBox()->click();
            out->CloseButton()->click();
        } else {
            dialog.close();  // the solver is not started here
        }
    }

    Session& s_;
    std::mt19937 rng_;
    std::string samples_;
};

TEST(RandomPlayTest, RandomEventsKeepTheGameConsistent) {
    int events = 0;
    for (unsigned seed : {1u, 2u, 3u}) {
        Session s;
        ASSERT_TRUE(s.Start());
        s.Open(SAMPLES);
        RandomPlayer player(s, seed);
        for (int i = 0; i < 1500; ++i, ++events) {
            player.Event();
            ASSERT_NO_FATAL_FAILURE(ExpectReplayed(s.Core(), i)) << "seed " << seed;
        }
        s.W().close();
    }
    RecordProperty("events", events);
}

}  // namespace
}  // namespace ruk::test
