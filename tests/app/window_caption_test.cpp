// The main window's caption: the program's name, the set, the level number and its title.
#include <gtest/gtest.h>

#include "../test_files.h"
#include "board/level_file.h"
#include "board/text_level_parser.h"
#include "panel/window_caption.h"

namespace ruk::test {
namespace {

TEST(WindowCaptionTest, FileLevelsAddNumberAndTitleTextLevelsTheirNameOnly) {
    TempDir dir;
    Core core;
    LevelModel& model = *core.level;
    EXPECT_EQ(WindowCaption(model.levelSet), "RUK (Rukplayer) v2.2");
    const std::string path =
        dir.Write("set.v2.txt", "; Easy One\n#####\n#@$.#\n#####\n\n#####\n#@$.#\n#####\n");
    ASSERT_TRUE(OpenLevelFile(model, path.c_str()));
    EXPECT_EQ(WindowCaption(model.levelSet), "RUK (Rukplayer) v2.2 - set.v2 1/2: Easy One");
    ASSERT_TRUE(SelectLevel(model, 2));
    EXPECT_EQ(WindowCaption(model.levelSet), "RUK (Rukplayer) v2.2 - set.v2 2/2");
    CopyText(model.levelSet.sourceText, "; Ignored\n#####\n#@$.#\n#####\n");
    ParseTextLevel(model);
    EXPECT_EQ(WindowCaption(model.levelSet), "RUK (Rukplayer) v2.2 - Text");
}

}  // namespace
}  // namespace ruk::test
