// The level browser window: F2 shows and hides it, its rows carry a solve made in the main
// window, the filter lists the solved level only, its current row follows the level shown, and
// a row taken with Enter is shown in the main window as Jump shows it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "browser/browser_window.h"
#include "browser/level_thumbnail.h"
#include "browser/thumbnail_maker.h"
#include "engine/move_letters.h"
#include "level_browser/rows_reader.h"
#include "render/board_renderer.h"
#include "window/browser_part.h"
#include "window_session.h"

namespace ruk::test {
namespace {

const Qt::Key ARROWS[4] = {Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left};

void Type(Session& s, Qt::Key key) {
    QTest::keyClick(s.W().focusWidget(), key);
    s.Settle();
}

// The text of the list row of level number in column, or "<not listed>".
std::string Cell(BrowserWindow& browser, int number, int column) {
    QAbstractItemModel* model = browser.View()->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, BrowserModel::NUMBER).data().toInt() == number)
            return model->index(row, column).data().toString().toStdString();
    }
    return "<not listed>";
}

// Waits (a bound only a hang reaches) until the text of a cell is the one expected.
void WaitForCell(BrowserWindow& browser, int number, int column, const std::string& text) {
    for (int i = 0; i < 2000 && Cell(browser, number, column) != text; ++i) QTest::qWait(5);
    EXPECT_EQ(Cell(browser, number, column), text);
}

TEST(LevelBrowserWindowTest, RowsFollowASolveTheFilterAndTheShownLevelAndShowARowTaken) {
    TempDir data;
    Session s;
    s.progress = data.Path("ruk/progress.sqlite");
    ASSERT_TRUE(s.Start());
    s.Open(SAMPLES);
    ASSERT_EQ(s.Level(), 1);

    Type(s, Qt::Key_F2);
    BrowserWindow* browser = s.W().Browser().Window();
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(browser->isVisible());
    WaitForCell(*browser, 1, BrowserModel::TITLE, "1 First Push");
    EXPECT_EQ(Cell(*browser, 1, BrowserModel::SIZE), "5 x 3, 1 box");
    EXPECT_EQ(Cell(*browser, 1, BrowserModel::SOLVED), "");
    EXPECT_EQ(browser->CurrentNumber(), 1);

    // Solved with the keys in the main window: the writer's answer marks the row at once.
    for (const char letter : std::string("R")) Type(s, ARROWS[IndexOf(*LetterDirection(letter))]);
    ASSERT_TRUE(s.Core().game.totals.solved);
    WaitForCell(*browser, 1, BrowserModel::SOLVED, "solved");
    EXPECT_EQ(Cell(*browser, 1, BrowserModel::BEST_MOVES), "1/1");
    // Its note gives the caption's count of the file, once the count is in.
    const QString count = QString(" 1 of %1 solved").arg(door::Levels(s.Core()).count);
    for (int i = 0; i < 2000 && !browser->Note().endsWith(count); ++i) QTest::qWait(5);
    EXPECT_TRUE(browser->Note().endsWith(count)) << browser->Note().toStdString();

    browser->FilterBox()->setCurrentIndex(2);  // Solved
    EXPECT_EQ(browser->View()->model()->rowCount(), 1);
    EXPECT_EQ(Cell(*browser, 2, BrowserModel::TITLE), "<not listed>");
    browser->FilterBox()->setCurrentIndex(0);
    browser->SearchBox()->setText("corner");
    EXPECT_EQ(browser->View()->model()->rowCount(), 1);
    EXPECT_NE(Cell(*browser, 2, BrowserModel::TITLE), "<not listed>");
    browser->SearchBox()->clear();

    // The current row follows Jump in the main window.
    s.JumpTo("3");
    ASSERT_EQ(s.Level(), 3);
    EXPECT_EQ(browser->CurrentNumber(), 3);

    // Typed digits pick a row; Enter shows its level in the main window.
    QTest::keyClick(browser->View(), Qt::Key_2);
    EXPECT_EQ(browser->CurrentNumber(), 2);
    QTest::keyClick(browser->View(), Qt::Key_Return);
    EXPECT_EQ(s.Level(), 2);
    EXPECT_EQ(s.W().ControlText(ID_LEVEL_NUMBER).toStdString(), "2");

    // F2 in the browser hides it; its place is kept.
    browser->move(30, 40);
    QTest::keyClick(browser->View(), Qt::Key_F2);
    EXPECT_FALSE(browser->isVisible());
    const std::string ini = ReadWholeFile(s.Ini());
    EXPECT_NE(ini.find("[BROWSER]"), std::string::npos);
    EXPECT_NE(ini.find("X=30"), std::string::npos);

    // Another file opened while it is up is listed afresh.
    Type(s, Qt::Key_F2);
    ASSERT_TRUE(browser->isVisible());
    s.Open(s.dir.Write("three.txt",
                       "#####\n#@$.#\n#####\n\n######\n#@ $.#\n######\n\n"
                       "#######\n#@  $.#\n#######\n"));
    WaitForCell(*browser, 3, BrowserModel::SIZE, "7 x 3, 1 box");
    EXPECT_EQ(browser->View()->model()->rowCount(), 3);
    EXPECT_EQ(Cell(*browser, 1, BrowserModel::SOLVED), "solved");  // the same level as before
}

// Thumbnails are drawn for the rows asked for, and no more than the cache holds are kept.
TEST(LevelBrowserWindowTest, ThumbnailsAreDrawnOnAskingAndTheirCacheIsBounded) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < THUMBNAIL_CACHE + 50; ++i) text += "#####\n#@$.#\n#####\n\n";
    const std::string path = dir.Write("many.txt", text);
    const std::unique_ptr<CoreState> core = door::CreateState();
    ASSERT_TRUE(door::OpenLevelSet(*core, path.c_str()));
    LevelRows rows;
    RowsReader reader;
    reader.Start(door::Levels(*core), "", rows, nullptr);
    for (int i = 0; i < 6000 && !reader.Idle(); ++i) QTest::qWait(5);
    ASSERT_TRUE(reader.Idle());

    ThumbnailMaker maker;
    maker.Start(door::Levels(*core), LoadSkin(QString()), QSize(60, 40), nullptr);
    const int count = rows.Count();
    for (int n = 1; n <= count; ++n) {
        const std::int64_t start = rows.Row(n).fileStart;
        for (int i = 0; i < 2000 && maker.Get(n, start).isNull(); ++i) QTest::qWait(1);
        ASSERT_FALSE(maker.Get(n, start).isNull()) << n;
    }
    EXPECT_EQ(maker.Held(), THUMBNAIL_CACHE);
    // A 5 x 3 level in tiles of 12 pixels (the largest that fit 60 x 40).
    EXPECT_EQ(maker.Get(count, rows.Row(count).fileStart).size(), QSize(60, 36));
}

// A level drawn small: the skin's tiles at the largest size that fits, the outside of the walls
// as the exterior tile, walls over floor with their face.
TEST(LevelBrowserWindowTest, ThumbnailsUseTheSkinsTilesAndLeaveTheOutsideBlank) {
    const std::unique_ptr<CoreState> core = door::CreateState();
    ASSERT_TRUE(door::LoadText(*core, "  #####\n  #@$.#\n###.$##\n#     #\n#######\n"));
    const Skin skin = LoadSkin(QString());
    const QImage image = DrawLevelThumbnail(door::ReadBoard(*core), skin, QSize(210, 500));
    ASSERT_EQ(image.size(), QSize(7 * 24, 5 * 24));  // never above the skin's own size
    const auto tileAt = [&](int col, int row) { return image.copy(col * 24, row * 24, 24, 24); };
    const auto skinTile = [&](CellCode code) {
        const TilePlace place = TileOf(EditMode::PLAY, code);
        return skin.image.copy(place.column * 24, place.row * 24, 24, 24);
    };
    EXPECT_EQ(tileAt(0, 0), skinTile(EXTERIOR));
    EXPECT_EQ(tileAt(3, 1), skinTile(KEEPER));
    EXPECT_EQ(tileAt(4, 1), skinTile(BOX));
    EXPECT_EQ(tileAt(5, 1), skinTile(GOAL));
    EXPECT_EQ(tileAt(1, 3), skinTile(FLOOR));
    EXPECT_EQ(tileAt(2, 0), skinTile(WALL));       // a wall over a wall
    EXPECT_EQ(tileAt(3, 0), skinTile(WALL_FACE));  // a wall over the floor
    EXPECT_EQ(DrawLevelThumbnail(door::ReadBoard(*core), skin, QSize(70, 50)).size(),
              QSize(70, 50));  // tiles of 10 pixels
}

}  // namespace
}  // namespace ruk::test
