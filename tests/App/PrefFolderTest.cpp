// PrefFolderTest.cpp - the per-user folders: created on demand under the
// application-data folder, bad names fall back to the main folder.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "App/PrefFolder.h"
#include "tests/Support/TestSupport.h"

namespace {

class PrefFolderTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
  }
  static std::string Native(std::string path) {
    for (char& c : path) {
      if (c == '\\') c = '/';
    }
    return path;
  }
};

TEST_F(PrefFolderTest, SubFoldersAreMadeOnceUnderTheProgramsFolder) {
  const std::string main = PrefFolderSetup("Cardolia Test", false, nullptr);
  EXPECT_EQ(Native(main), dir_ + "/Quarnix/Cardolia Test");
  const std::string saved = PrefFolderGetSubFolder("SavedGames");
  EXPECT_EQ(saved, main + "\\SavedGames");
  EXPECT_TRUE(std::filesystem::is_directory(Native(saved)));
  EXPECT_EQ(PrefFolderGetSubFolder("SavedGames"), saved);
}

TEST_F(PrefFolderTest, BadNamesFallBack) {
  const std::string main = PrefFolderSetup("Cardolia Test", false, nullptr);
  EXPECT_EQ(PrefFolderGetSubFolder(std::string(127, 'a').c_str()), main + "\\" + std::string(127, 'a'));
  EXPECT_EQ(PrefFolderGetSubFolder(std::string(128, 'a').c_str()), main);
  EXPECT_TRUE(LogContains("Invalid sub folder name"));
  EXPECT_EQ(PrefFolderGetSubFolder(""), main);
  PrefFolderSetup("", false, nullptr);
  EXPECT_TRUE(LogContains("Invalid folder name"));
  EXPECT_EQ(std::string(PrefFolderGetMainFolder()), ".");
}

}  // namespace
