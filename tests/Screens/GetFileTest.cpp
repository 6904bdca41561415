// Tests of the file chooser on the real toolkit and the recording device,
// over a temporary folder tree: filters, the list's order, going into and
// out of folders (re-selecting the one come from), places, choosing and
// cancelling, the bounds of titles and paths, a folder that links back
// into itself, and a working folder that never changes.
#include <unistd.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "App/GetFile.h"
#include "Engine/MWin/MWinButton.h"
#include "tests/Screens/ScreensFixture.h"

namespace {

std::vector<int> g_results;
std::vector<int> g_reasons;

std::string WorkingFolder() {
  char buffer[4096];
  return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

class GetFileTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    g_results.clear();
    g_reasons.clear();
    GetFileSetDefaults();
    tree_ = dir_ + "/tree";
    std::filesystem::create_directories(tree_ + "/sub");
    std::filesystem::create_directories(tree_ + "/Other");
    std::filesystem::create_directories(dir_ + "/Desktop");
    std::filesystem::create_directories(dir_ + "/Documents");
    for (const char* name : {"a.jpg", "A.JPG", "jpg", "a.xjpg", "b.txt", "sub/inside.jpg"}) {
      WriteFile(tree_ + "/" + name, "x");
    }
  }
  void TearDown() override {
    GetFileSetDefaults();
    ScreensTest::TearDown();
  }

  // The chooser prepared for pictures in the tree and shown.
  void Open(const std::string& folder) {
    const char* jpg[kGetFileMaxFilters] = {"jpg"};
    GetFileSetTitle("Choose a picture");
    GetFileSetStartDir(folder.c_str());
    GetFileSetExtensions(jpg);
    GetFileSetFileChosenCB([](int result) { g_results.push_back(result); });
    GetFileSetFolderChangedCB([](int reason) { g_reasons.push_back(reason); });
    StartScreens();
    ScreensGoto(g_ScreenGetFile);
    ASSERT_EQ(ScreensGetCurrent(), g_ScreenGetFile);
  }

  static MWinButton* Element(const char* id) { return g_MWin.GetButtonFromIDs("GetFile", "GetFile", id); }

  static std::vector<std::string> Shown() {
    std::vector<std::string> texts;
    for (int i = 0; i < GetFileGetEntryCount(); ++i) texts.emplace_back(GetFileEntryText(i, 0));
    return texts;
  }

  static int IndexOf(const std::string& text) {
    const std::vector<std::string> texts = Shown();
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
      if (texts[i] == text) return i;
    }
    return -1;
  }

  // A click on an entry of the Files panel.
  static void Pick(int index) { Element("Files")->PanelSetPos(index, 1, 1); }

  std::string tree_;
};

TEST_F(GetFileTest, FiltersTakeNamesEndingInADotAndTheExtension) {
  struct Case {
    const char* name;
    bool listed;
  } cases[] = {
      {"a.jpg", true},   {"A.JPG", true},  {"photo.Jpg", true}, {"jpg", false},     {".jpg", true},
      {"a.xjpg", false}, {"ajpg", false},  {"a.jpg.txt", false}, {"a.bmp", true},   {"a.tga", false},
  };
  const char* filters[kGetFileMaxFilters] = {"jpg", "bmp", nullptr, "tga"};
  GetFileSetExtensions(filters);
  for (const Case& c : cases) EXPECT_EQ(GetFileNameMatchesFilters(c.name), c.listed) << c.name;
  // A filter of 10 characters ends the list; no filters take every name.
  const char* longOne[kGetFileMaxFilters] = {"abcdefghij", "jpg"};
  GetFileSetExtensions(longOne);
  EXPECT_TRUE(GetFileNameMatchesFilters("b.txt"));
  GetFileSetExtensions(nullptr);
  EXPECT_TRUE(GetFileNameMatchesFilters("anything"));
}

// The photo editor's chooser: programs carry no extension here, so the
// files listed are those this user can run (a link to one is one too).
TEST_F(GetFileTest, ProgramsOnlyListsFoldersAndTheFilesThatCanRun) {
  const std::string bin = tree_ + "/bin";
  std::filesystem::create_directories(bin + "/tools");
  struct Case {
    const char* name;
    mode_t mode;
  } files[] = {{"editor", 0755}, {"mine", 0700}, {"notes.txt", 0644}, {"setup.exe", 0644}, {"Paint", 0711}};
  for (const Case& f : files) {
    WriteFile(bin + "/" + f.name, "#!/bin/sh\n");
    ASSERT_EQ(chmod((bin + "/" + f.name).c_str(), f.mode), 0) << f.name;
  }
  std::filesystem::create_symlink("editor", bin + "/editor-link");
  std::filesystem::create_symlink("notes.txt", bin + "/notes-link");
  GetFileSetProgramsOnly(true);
  Open(bin);
  GetFileSetExtensions(nullptr);  // Open set "jpg"; the photo-editor chooser sets none
  GetFileUpdateFiles();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"[ ^ ]", "[ tools ]", "editor", "editor-link", "mine", "Paint"}));
  // Chosen as any file; a fresh chooser lists every file again.
  Pick(IndexOf("Paint"));
  EXPECT_STREQ(GetFileGetChosenFilename(), (bin + "/Paint").c_str());
  GetFileSetDefaults();
  GetFileSetStartDir(bin.c_str());
  GetFileUpdateFiles();
  EXPECT_EQ(GetFileGetEntryCount(), 2 + 5 + 2);
}

TEST_F(GetFileTest, TheListShowsTheParentThenFoldersThenFilesIgnoringCase) {
  Open(tree_);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"[ ^ ]", "[ Other ]", "[ sub ]", "A.JPG", "a.jpg"}));
  EXPECT_STREQ(Element("Title")->GetTextP(), "Choose a picture");
  EXPECT_STREQ(Element("Dir")->GetTextP(), tree_.c_str());
  EXPECT_EQ(Element("Files")->PanelData().count, 5);
  EXPECT_EQ(Element("Files")->PanelGetPos(), -1);
  // The places: desktop, documents, the root, then mounted volumes.
  ASSERT_GE(GetFileGetPlaceCount(), 3);
  EXPECT_STREQ(GetFileGetPlaceText(0), "Desktop");
  EXPECT_STREQ(GetFileGetPlaceText(1), "Documents");
  EXPECT_STREQ(GetFileGetPlaceText(2), "/");
  // In the root there is no way up.
  GetFileChoosePlace(2);
  EXPECT_STREQ(GetFileGetCurrentDir(), "/");
  ASSERT_GT(GetFileGetEntryCount(), 0);
  EXPECT_NE(GetFileGetEntry(0)->kind, kGetFileParent);
  EXPECT_EQ(g_reasons, std::vector<int>{1});
}

TEST_F(GetFileTest, GoingInAndUpSelectsTheFolderComeFromAndTheWorkingFolderStays) {
  const std::string cwd = WorkingFolder();
  Open(tree_);
  const int sub = IndexOf("[ sub ]");
  ASSERT_GE(sub, 0);
  Pick(sub);
  EXPECT_STREQ(GetFileGetCurrentDir(), (tree_ + "/sub").c_str());
  EXPECT_EQ(GetFileGetDepth(), 1);
  EXPECT_EQ(Shown(), (std::vector<std::string>{"[ ^ ]", "inside.jpg"}));
  EXPECT_EQ(WorkingFolder(), cwd);
  // Backspace goes up through the parent entry.
  EXPECT_TRUE(GetFileFilesKeyHook(8));
  EXPECT_FALSE(GetFileFilesKeyHook('A'));
  EXPECT_STREQ(GetFileGetCurrentDir(), tree_.c_str());
  EXPECT_EQ(GetFileGetDepth(), 0);
  EXPECT_EQ(Element("Files")->PanelGetPos(), sub);
  // In again and up by the parent entry.
  Pick(sub);
  Pick(0);
  EXPECT_EQ(Element("Files")->PanelGetPos(), sub);
  EXPECT_EQ(g_reasons, (std::vector<int>{0, 2, 0, 2}));
  // Up from the start folder: nothing was entered there, nothing selected.
  GetFileGoUp();
  EXPECT_STREQ(GetFileGetCurrentDir(), dir_.c_str());
  EXPECT_EQ(Element("Files")->PanelGetPos(), -1);
  EXPECT_EQ(g_reasons.back(), 0);
  // A key no element takes goes to the list: Backspace goes up again.
  ASSERT_NE(Element("Files")->GetParent(), nullptr);
  Element("Files")->GetParent()->DeactivateButtons();
  EXPECT_TRUE(GetFileWindowKeyHook(8));
  EXPECT_STREQ(GetFileGetCurrentDir(), std::filesystem::path(dir_).parent_path().c_str());
  // A place: depth 0 and reason 1.
  GetFileChoosePlace(1);
  EXPECT_STREQ(GetFileGetCurrentDir(), (dir_ + "/Documents").c_str());
  EXPECT_EQ(g_reasons.back(), 1);
  EXPECT_EQ(WorkingFolder(), cwd);
  EXPECT_TRUE(g_results.empty());
}

TEST_F(GetFileTest, AFileIsChosenWithItsPathAndCancelFinishesWithNothing) {
  const std::string cwd = WorkingFolder();
  Open(tree_);
  EXPECT_STREQ(GetFileGetChosenFilename(), "");
  Pick(IndexOf("a.jpg"));
  EXPECT_EQ(g_results, std::vector<int>{1});
  EXPECT_STREQ(GetFileGetChosenFilename(), (tree_ + "/a.jpg").c_str());
  EXPECT_EQ(WorkingFolder(), cwd);
  Element("Cancel")->CallCallback(nullptr);
  EXPECT_EQ(g_results, (std::vector<int>{1, 0}));
}

TEST_F(GetFileTest, PathsPastTheLimitAreNeitherEnteredNorChosen) {
  // A folder 500 characters long holding a short folder, and a folder and a
  // file whose paths would pass 512 characters.
  std::string deep = dir_;
  while (deep.size() < 500 - 201) deep += "/" + std::string(200, 'd');
  deep += "/" + std::string(500 - deep.size() - 1, 'e');
  ASSERT_EQ(deep.size(), 500u);
  std::filesystem::create_directories(deep + "/h");
  std::filesystem::create_directories(deep + "/" + std::string(16, 'f'));
  WriteFile(deep + "/" + std::string(12, 'g') + ".jpg", "x");
  Open(deep);
  ASSERT_STREQ(GetFileGetCurrentDir(), deep.c_str());
  Pick(IndexOf("[ " + std::string(16, 'f') + " ]"));
  EXPECT_STREQ(GetFileGetCurrentDir(), deep.c_str());
  EXPECT_TRUE(LogContains("Path too long"));
  Pick(IndexOf(std::string(12, 'g') + ".jpg"));
  EXPECT_TRUE(g_results.empty());
  EXPECT_STREQ(GetFileGetChosenFilename(), "");
  Pick(IndexOf("[ h ]"));
  EXPECT_STREQ(GetFileGetCurrentDir(), (deep + "/h").c_str());
}

TEST_F(GetFileTest, FoldersDeeperThanTheHistoryAreLeftWithoutSelection) {
  const int levels = 150;
  std::string deepest = tree_ + "/deep";
  for (int i = 0; i < levels; ++i) deepest += "/d";
  std::filesystem::create_directories(deepest);
  Open(tree_ + "/deep");
  for (int i = 0; i < levels; ++i) {
    ASSERT_EQ(IndexOf("[ d ]"), 1) << i;
    Pick(1);
  }
  EXPECT_EQ(GetFileGetDepth(), levels);
  g_reasons.clear();
  for (int i = 0; i < levels; ++i) GetFileGoUp();
  EXPECT_STREQ(GetFileGetCurrentDir(), (tree_ + "/deep").c_str());
  // Only the first 100 levels were recorded and are selected again.
  ASSERT_EQ(g_reasons.size(), static_cast<std::size_t>(levels));
  for (int i = 0; i < levels; ++i) EXPECT_EQ(g_reasons[i], i < levels - 100 ? 0 : 2) << i;
  EXPECT_EQ(Element("Files")->PanelGetPos(), 1);
}

TEST_F(GetFileTest, AFolderLinkedIntoItselfEndsWhereTheSystemStopsFollowingIt) {
  std::filesystem::create_directories(tree_ + "/loop");
  std::filesystem::create_directory_symlink(".", tree_ + "/loop/l");
  Open(tree_ + "/loop");
  int entered = 0;
  while (IndexOf("[ l ]") == 1 && entered < 100) {
    Pick(1);
    ++entered;
  }
  // The system follows at most 40 links in a path; past them "l" is no
  // folder any more and (not a picture) is not listed.
  EXPECT_LT(entered, 100);
  EXPECT_EQ(Shown(), std::vector<std::string>{"[ ^ ]"});
  EXPECT_TRUE(g_results.empty());
}

TEST_F(GetFileTest, AFolderThatCannotBeReadIsNotEntered) {
  if (geteuid() == 0) GTEST_SKIP() << "every folder is readable for root";
  std::filesystem::create_directories(tree_ + "/locked");
  ASSERT_EQ(chmod((tree_ + "/locked").c_str(), 0), 0);
  Open(tree_);
  const std::vector<std::string> before = Shown();
  Pick(IndexOf("[ locked ]"));
  EXPECT_STREQ(GetFileGetCurrentDir(), tree_.c_str());
  EXPECT_EQ(Shown(), before);
  chmod((tree_ + "/locked").c_str(), 0755);
}

TEST_F(GetFileTest, TitlesAndStartFolders) {
  GetFileSetTitle(std::string(254, 't').c_str());
  EXPECT_EQ(std::string(GetFileGetTitle()), std::string(254, 't'));
  GetFileSetTitle(std::string(255, 'u').c_str());
  EXPECT_EQ(std::string(GetFileGetTitle()), std::string(254, 't'));
  GetFileSetTitle(nullptr);
  EXPECT_STREQ(GetFileGetTitle(), "Select A File");
  GetFileSetDefaults();
  EXPECT_STREQ(GetFileGetTitle(), "Select File");

  struct Case {
    std::string path;
    std::string folder;
    const char* logged;
  } cases[] = {
      {tree_ + "/", tree_, nullptr},
      {".", WorkingFolder(), nullptr},
      {tree_ + "/missing", dir_ + "/Desktop", "directory does not exist"},
      {"/" + std::string(513, 'x'), dir_ + "/Desktop", "dir too long"},
  };
  for (const Case& c : cases) {
    ClearLog();
    GetFileSetStartDir(c.path.c_str());
    EXPECT_STREQ(GetFileGetCurrentDir(), c.folder.c_str()) << c.path;
    if (c.logged) {
      EXPECT_TRUE(LogContains(c.logged)) << c.path;
    }
  }
  GetFileSetStartDir(nullptr);
  EXPECT_STREQ(GetFileGetCurrentDir(), (dir_ + "/Desktop").c_str());
  // Without a desktop the documents folder.
  std::filesystem::remove_all(dir_ + "/Desktop");
  GetFileSetStartDir(nullptr);
  EXPECT_STREQ(GetFileGetCurrentDir(), (dir_ + "/Documents").c_str());
}

}  // namespace
