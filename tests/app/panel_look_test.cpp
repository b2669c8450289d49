// The panel as a person sees it, in the font the program uses: every text whole in its control,
// and no control on the frame line or title of its group box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <utility>
#include <vector>

#include "window/panel_group_box.h"
#include "window_session.h"

namespace ruk::test {
namespace {

// The longest text each control can show: counters of seven digits, the largest grids, every
// fixed word. The set name is a file's name of any length and is left out.
const std::vector<std::pair<int, std::vector<QString>>> LONGEST_TEXTS = {
    {ID_LEVEL_COUNT, {"999999 Levels"}},
    {ID_LEVEL_SIZE, {"[50 * 50 (2500)]"}},
    {ID_STATUS_LINE, {"Bad Level", "Size Over"}},
    {ID_INFO_LINE, {"(x, y) = (50, 50)    ", " 99999 / 99999 sec"}},
    {ID_SHOWN_MOVES, {"9999999 Moves  "}},
    {ID_SHOWN_PUSHES, {"9999999 Pushes "}},
    {ID_SHOWN_ACTIONS, {"9999999 Actions"}},
    {ID_SOLVED, {"Solved"}},
    {ID_UNSOLVABLE, {"UnSolvable"}},
    {ID_TOTAL_MOVES, {"9999999 Moves  "}},
    {ID_TOTAL_PUSHES, {"9999999 Pushes "}},
    {ID_TOTAL_ACTIONS, {"9999999 Actions"}},
    {ID_EDITOR_BOXES, {"2500 Boxes"}},
    {ID_EDITOR_GOALS, {"2500 Goals"}},
    {ID_EDITOR_STATUS, {"Can't Play", "Boxes Over"}},
    {ID_TEXT, {"Text"}},
    {ID_FILE, {"File"}},
    {ID_PREV, {"Prev"}},
    {ID_NEXT, {"Next"}},
    {ID_JUMP, {"Jump"}},
    {ID_SOLVER, {"Solver", "Cancel"}},
    {ID_URDL_INPUT, {"URDL Input"}},
    {ID_RESTART, {"Restart"}},
    {ID_UNDO, {"Undo"}},
    {ID_REDO, {"Redo"}},
    {ID_AUTO_PLAY, {"Auto-play", "Stop"}},
    {ID_URDL_OUTPUT, {"URDL Output", "Level Output"}},
    {ID_PLAY, {"Play"}},
    {ID_EDIT, {"Edit"}},
    {ID_CLEAR, {"Clear"}},
    {ID_INSTANT_MOVE, {"Instant Move"}},
    {ID_GUARD, {"Guard"}},
};

constexpr int BUTTON_MARGIN = 3;  // a button's text keeps clear of its bevel on each side

TEST(PanelLookTest, EveryTextIsWholeInItsControl) {
    for (const QRect work : {FULL_HD, QRect(0, 0, 1920, 700)}) {
        Session session;
        ASSERT_TRUE(session.Start(work));
        for (const auto& [id, texts] : LONGEST_TEXTS) {
            QWidget* control = session.W().Control(id);
            for (const QString& text : texts) {
                if (auto* check = qobject_cast<QCheckBox*>(control)) {
                    const QString before = check->text();
                    check->setText(text);
                    EXPECT_LE(check->sizeHint().width(), check->width())
                        << id << " " << text.toStdString();
                    check->setText(before);
                } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                    const int needed =
                        button->fontMetrics().horizontalAdvance(text) + 2 * BUTTON_MARGIN;
                    EXPECT_LE(needed, button->width()) << id << " " << text.toStdString();
                } else if (auto* label = qobject_cast<QLabel*>(control)) {
                    const QFontMetrics metrics = label->fontMetrics();
                    EXPECT_LE(metrics.horizontalAdvance(text), label->contentsRect().width())
                        << id << " " << text.toStdString();
                    EXPECT_LE(metrics.height(), label->contentsRect().height()) << id;
                } else {
                    ADD_FAILURE() << id << " is no label or button";
                }
            }
        }
    }
}

TEST(PanelLookTest, NoControlSitsOnTheFrameOrTitleOfItsGroup) {
    for (const QRect work : {FULL_HD, QRect(0, 0, 1920, 700)}) {
        Session session;
        ASSERT_TRUE(session.Start(work));
        MainWindow& window = session.W();
        int checkedGroups = 0;
        for (int g = FIRST_CONTROL_ID; g <= LAST_CONTROL_ID; ++g) {
            auto* group = dynamic_cast<PanelGroupBox*>(window.Control(g));
            if (!group) continue;
            ++checkedGroups;
            const QRect outer = group->geometry();
            const QFontMetrics metrics = group->fontMetrics();
            // Inside the frame's lines (two pixels each) and below the title's line.
            const QRect inside = outer.adjusted(2, group->FrameTop() + 2, -2, -2);
            const QRect title(outer.left(), outer.top(),
                              8 + metrics.horizontalAdvance(group->title()) + 2, metrics.height());
            int inGroup = 0;
            for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
                QWidget* control = window.Control(id);
                if (id == g || dynamic_cast<PanelGroupBox*>(control)) continue;
                const QRect place = control->geometry();
                if (!outer.intersects(place)) continue;
                ++inGroup;
                EXPECT_TRUE(inside.contains(place)) << id << " on the frame of " << g;
                EXPECT_FALSE(title.intersects(place)) << id << " on the title of " << g;
            }
            EXPECT_GT(inGroup, 0) << g;
        }
        EXPECT_EQ(checkedGroups, 6);
    }
}

}  // namespace
}  // namespace ruk::test
