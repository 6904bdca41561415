// PrefFolderTest.cpp - the per-user folders: created on demand under the
// application-data folder, documents and desktop folders, the log file,
// bad names falling back to their base folder, the shared buffers.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "App/PrefFolder.h"
#include "Engine/Debug.h"
#include "tests/Support/TestSupport.h"

namespace {

class PrefFolderTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", dir_.c_str(), 1);
    setenv("HOME", dir_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
  }
  void TearDown() override {
    DebugSetLogFilename("ErrorLog.txt", false);
    TempDirTest::TearDown();
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
  EXPECT_EQ(PrefFolderGetMainFolderFile("Resolution.dat"), main + "\\Resolution.dat");
}

TEST_F(PrefFolderTest, TheStartOfARunDeletesWhatKilledSavesLeftBehind) {
  const std::string main = Native(PrefFolderSetup("Cardolia Test", false, nullptr));
  std::filesystem::create_directories(main + "/SavedGames");
  const pid_t child = ::fork();  // a process that has ended
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string ended = std::to_string(child);
  const std::string leftovers[] = {main + "/SavedGames/Ann_Klondike.c3o.tmp-" + ended,
                                   main + "/SavedGames/Ann_Klondike.c3m.tmp-" + ended,
                                   main + "/Resolution.dat.tmp-" + ended};
  for (const std::string& name : leftovers) WriteFile(name, std::string(4096, 'x'));
  WriteFile(main + "/SavedGames/Ann_Klondike.c3o", "the saved game");
  PrefFolderSetup("Cardolia Test", false, nullptr);
  EXPECT_TRUE(std::filesystem::exists(leftovers[0]));  // only the start of a run sweeps
  PrefFolderSetup("Cardolia Test", true, nullptr);
  for (const std::string& name : leftovers) EXPECT_FALSE(std::filesystem::exists(name)) << name;
  EXPECT_EQ(ReadFile(main + "/SavedGames/Ann_Klondike.c3o"), "the saved game");
  EXPECT_FALSE(std::filesystem::exists(main + "/Scores"));  // nothing made for the sweep
}

TEST_F(PrefFolderTest, BadNamesFallBack) {
  const std::string main = PrefFolderSetup("Cardolia Test", false, nullptr);
  EXPECT_EQ(PrefFolderGetSubFolder(std::string(127, 'a').c_str()), main + "\\" + std::string(127, 'a'));
  EXPECT_EQ(PrefFolderGetSubFolder(std::string(128, 'a').c_str()), main);
  EXPECT_TRUE(LogContains("( PrefFolderGetSubFolder )    Invalid sub folder name"));
  EXPECT_EQ(PrefFolderGetSubFolder(""), main);
  EXPECT_EQ(PrefFolderGetMainFolderFile(""), main);
  EXPECT_TRUE(LogContains("No file specified"));
  EXPECT_EQ(PrefFolderGetMainFolderFile(std::string(128, 'f').c_str()), main);
  EXPECT_TRUE(LogContains("Filename too long"));
  // An invalid sub-sub-folder name gives the documents sub-folder.
  EXPECT_EQ(Native(PrefFolderGetMyDocsSubSubFolder("Quarnix", "", true)), dir_ + "/Documents/Quarnix");
  EXPECT_TRUE(LogContains("Invalid sub sub folder name"));
  PrefFolderSetup("", false, nullptr);
  EXPECT_TRUE(LogContains("Invalid folder name"));
  EXPECT_EQ(std::string(PrefFolderGetMainFolder()), ".");
}

TEST_F(PrefFolderTest, ResultsShareTheirBuffer) {
  PrefFolderSetup("Cardolia Test", false, nullptr);
  const char* users = PrefFolderGetSubFolder("Users");
  const char* scores = PrefFolderGetSubFolder("Scores");
  EXPECT_EQ(users, scores);  // one buffer: the first pointer now shows "Scores"
  EXPECT_EQ(std::string(users).substr(std::string(users).size() - 6), "Scores");
}

TEST_F(PrefFolderTest, WithoutApplicationDataEverythingLiesInTheCurrentFolder) {
  // A file where the "Quarnix" folder would go: the main folder cannot be had.
  WriteFile("Quarnix", "not a folder");
  EXPECT_STREQ(PrefFolderSetup("Cardolia Test", false, nullptr), ".");
  EXPECT_TRUE(LogContains("Could not create/get directory"));
  EXPECT_STREQ(PrefFolderGetSubFolder("Users"), ".\\Users");
  EXPECT_TRUE(std::filesystem::is_directory("Users"));
  EXPECT_STREQ(PrefFolderGetMainFolderFile("Resolution.dat"), ".\\Resolution.dat");
}

TEST_F(PrefFolderTest, DocumentsAndDesktopFoldersAreMadeWhenMissing) {
  PrefFolderSetup("Cardolia Test", false, nullptr);
  ASSERT_FALSE(std::filesystem::exists(dir_ + "/Documents"));
  EXPECT_EQ(Native(PrefFolderGetMyDocsSubFolder("Quarnix", false)), dir_ + "/Documents/Quarnix");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/Documents"));
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/Documents/Quarnix"));  // not asked to create
  EXPECT_EQ(Native(PrefFolderGetMyDocsSubSubFolder("Quarnix", "Card Decks", true)),
            dir_ + "/Documents/Quarnix/Card Decks");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/Documents/Quarnix/Card Decks"));
  EXPECT_EQ(Native(PrefFolderGetDesktopFolder()), dir_ + "/Desktop");
  EXPECT_EQ(Native(PrefFolderGetDesktopSubFolder("Prints")), dir_ + "/Desktop/Prints");
  EXPECT_TRUE(std::filesystem::is_directory(dir_ + "/Desktop/Prints"));
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(PrefFolderTest, SetupStartsTheLogAfresh) {
  const std::string folder = dir_ + "/Quarnix/Cardolia Test";
  std::filesystem::create_directories(folder);
  WriteFile(folder + "/LogFile.txt", "an old run\n");
  PrefFolderSetup("Cardolia Test", true, "LogFile.txt");
  DebugError("PrefFolderTest", "first line of the new run");
  const std::string log = ReadFile(folder + "/LogFile.txt");
  EXPECT_EQ(log.find("an old run"), std::string::npos);
  EXPECT_NE(log.find("first line of the new run"), std::string::npos);
}

}  // namespace
