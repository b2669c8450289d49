// The level key: one record per level whatever file holds it, a new record for any changed cell,
// and the progress file's place under the data folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <set>

#include "core_door.h"
#include "level_key.h"
#include "progress_path.h"
#include "progress_test_util.h"
#include "sha256.h"
#include "test_files.h"

namespace ruk::test {
namespace {

std::string Hex(const Sha256Digest& digest) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : digest) {
        text += HEX[byte >> 4];
        text += HEX[byte & 15];
    }
    return text;
}

// The published test vectors, and lengths around the one- and two-block padding edges.
TEST(LevelKeyTest, Sha256MatchesTheKnownDigests) {
    EXPECT_EQ(Hex(Sha256("")), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Hex(Sha256("abc")),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Hex(Sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Hex(Sha256(std::string(1000000, 'a'))),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
    std::set<std::string> digests;
    for (int size = 50; size < 140; ++size) digests.insert(Hex(Sha256(std::string(size, 'x'))));
    EXPECT_EQ(digests.size(), 90u);
}

// The key of level n of a file written with the given bytes.
std::string FileKey(const TempDir& dir, const std::string& name, const std::string& bytes, int n) {
    Core core;
    const std::string path = dir.Write(name, bytes);
    if (!door::LoadFileLevel(*core.state, path.c_str(), n)) return "unread";
    if (door::Status(*core.state) != LevelStatus::PLAYABLE) return "unplayable";
    return LevelKey(core.level->board);
}

TEST(LevelKeyTest, TheSameLevelInAnyFileHasOneKey) {
    TempDir dir;
    const std::string key = FileKey(dir, "plain.txt", ROOM, 1);
    ASSERT_EQ(key.size(), 32u);

    // Line ends, trailing floor, a common indent, titles and other levels around it.
    std::string crlf;
    for (const char ch : ROOM) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    std::string padded;
    for (std::size_t start = 0; start < ROOM.size();) {
        const std::size_t end = ROOM.find('\n', start);
        padded += "  " + ROOM.substr(start, end - start) + "   \n";
        start = end + 1;
    }
    const std::string other = "#####\n#@$.#\n#####\n";
    EXPECT_EQ(FileKey(dir, "crlf.txt", crlf, 1), key);
    EXPECT_EQ(FileKey(dir, "padded.txt", padded, 1), key);
    EXPECT_EQ(FileKey(dir, "second.txt", "Title: first\n" + other + "\nTitle: again\n" + ROOM, 2),
              key);
    EXPECT_EQ(
        FileKey(dir, "dashes.txt", "#######\n#-#---#\n#-$---#\n#.--@-#\n#-#___#\n#######\n", 1),
        key);
    EXPECT_EQ(CanonicalBoardText([&] {
                  Core core;
                  LoadText(*core.state, padded);
                  return core.level->board;
              }()),
              "#######\n# #   #\n# $   #\n#.  @ #\n# #   #\n#######");
}

TEST(LevelKeyTest, OneChangedCellGivesAnotherKey) {
    TempDir dir;
    const std::string key = FileKey(dir, "room.txt", ROOM, 1);
    // A wall added, and the goal, the box, the keeper or a wall moved by one cell; the box and
    // the goal swapped.
    const std::vector<std::vector<std::pair<std::size_t, char>>> edits = {{{11, '#'}},
                                                                          {{25, ' '}, {26, '.'}},
                                                                          {{18, ' '}, {19, '$'}},
                                                                          {{28, ' '}, {29, '@'}},
                                                                          {{10, ' '}, {11, '#'}},
                                                                          {{18, '.'}, {25, '$'}}};
    std::set<std::string> keys = {key};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        std::string level = ROOM;
        for (const auto& [at, letter] : edits[i]) level[at] = letter;
        const std::string edited = FileKey(dir, "edit" + std::to_string(i) + ".txt", level, 1);
        EXPECT_EQ(edited.size(), 32u) << level;
        keys.insert(edited);
    }
    EXPECT_EQ(keys.size(), edits.size() + 1);
}

// Sets or clears an environment variable for one scope.
class EnvValue {
  public:
    EnvValue(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvValue() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(LevelKeyTest, TheProgressFileLivesInTheDataFolder) {
    {
        EnvValue data("XDG_DATA_HOME", "/tmp/ruk-data/");
        EnvValue home("HOME", "/tmp/ruk-home");
        EXPECT_EQ(ProgressFilePath(), "/tmp/ruk-data/ruk/progress.sqlite");
    }
    {
        // Unset, empty and relative values fall back on the home folder.
        for (const char* value : {static_cast<const char*>(nullptr), "", "data"}) {
            EnvValue data("XDG_DATA_HOME", value);
            EnvValue home("HOME", "/tmp/ruk-home");
            EXPECT_EQ(ProgressFilePath(), "/tmp/ruk-home/.local/share/ruk/progress.sqlite");
        }
    }
    {
        EnvValue data("XDG_DATA_HOME", nullptr);
        EnvValue home("HOME", nullptr);
        EXPECT_EQ(ProgressFilePath(), "");
        EnvValue relative("HOME", "home");
        EXPECT_EQ(ProgressFilePath(), "");
    }
}

}  // namespace
}  // namespace ruk::test
