// The window shows the level's title after its caption, and no title for a Text-dialog level.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include "dialogs/text_input_dialog.h"
#include "window_session.h"

namespace ruk::test {
namespace {

TEST(LevelTitleWindowTest, CaptionFollowsTheLevelAndDropsTheTitleForText) {
    Session s;
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.W().windowTitle(), "RUK (Rukplayer) v2.2");
    const std::string level = "#####\n#@$.#\n#####\n";
    s.Open(s.dir.Write("set.v2.txt", "; Easy One\n" + level + "\n" + level));
    EXPECT_EQ(s.W().windowTitle(), "RUK (Rukplayer) v2.2 - set.v2 1/2: Easy One");
    s.Toggle(ID_NEXT);
    EXPECT_EQ(s.W().windowTitle(), "RUK (Rukplayer) v2.2 - set.v2 2/2") << "no title";
    EXPECT_EQ(s.Text(ID_SET_NAME), "set.v2") << "the panel keeps the set name alone";

    s.prompts.dialogScript = [](QDialog& d) {
        auto& dialog = dynamic_cast<TextInputDialog&>(d);
        dialog.TextBox()->setPlainText("; A title line\n#####\n#@$.#\n#####");
        dialog.LoadButton()->click();
    };
    s.Toggle(ID_TEXT);
    s.prompts.dialogScript = nullptr;
    EXPECT_EQ(s.Core().level.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(s.W().windowTitle(), "RUK (Rukplayer) v2.2 - Text");
}

}  // namespace
}  // namespace ruk::test
