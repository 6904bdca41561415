// Tests of the two folder listings: life cycle, filters and their count,
// "." and "..", path limits, joined paths and the second listing's records.
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/DirList.h"
#include "tests/Support/TestSupport.h"

namespace {

class DirListTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::filesystem::create_directory("Decks");
    WriteFile("Decks/a.txt", "1");
    WriteFile("Decks/b.dat", "22");
    WriteFile("Decks/c.txt", "333");
    std::filesystem::create_directory("Decks/Sub");
  }
  void TearDown() override {
    DirListCloseDir();
    DirListUnicodeCloseDir();
    DirListSetShowParentDir(false);
    TempDirTest::TearDown();
  }
  static std::vector<std::string> ListFirst() {
    std::vector<std::string> names;
    if (!DirListPrepareToGetFilenamesInDir()) return names;
    for (const char* name = DirListGetNextFilenameInDir(); *name; name = DirListGetNextFilenameInDir()) {
      names.push_back(name);
    }
    DirListCleanupAfterGettingFilenamesInDir();
    std::sort(names.begin(), names.end());
    return names;
  }
};

using Names = std::vector<std::string>;

std::vector<int> g_counts;
bool OnlyText(int accepted, const char* name, const char*) {
  g_counts.push_back(accepted);
  const std::string n(name);
  return n.size() > 4 && n.compare(n.size() - 4, 4, ".txt") == 0;
}

}  // namespace

TEST_F(DirListTest, ListsFilesAndFoldersButNeverTheDot) {
  ASSERT_TRUE(DirListOpenDir("Decks", nullptr));
  EXPECT_EQ(ListFirst(), (Names{"Sub", "a.txt", "b.dat", "c.txt"}));
  // The folder stays open for another pass.
  EXPECT_EQ(ListFirst().size(), 4u);
  DirListSetShowParentDir(true);
  EXPECT_EQ(ListFirst(), (Names{"..", "Sub", "a.txt", "b.dat", "c.txt"}));
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(DirListTest, NamesComeAlphabeticallyIgnoringCase) {
  WriteFile("Decks/B.txt", "4");
  WriteFile("Decks/_x.txt", "5");
  ASSERT_TRUE(DirListOpenDir("Decks", nullptr));
  ASSERT_TRUE(DirListPrepareToGetFilenamesInDir());
  Names names;
  for (const char* name = DirListGetNextFilenameInDir(); *name; name = DirListGetNextFilenameInDir()) {
    names.push_back(name);
  }
  DirListCleanupAfterGettingFilenamesInDir();
  EXPECT_EQ(names, (Names{"a.txt", "b.dat", "B.txt", "c.txt", "Sub", "_x.txt"}));
}

TEST_F(DirListTest, FilterSeesTheCountOfAcceptedEntriesOnly) {
  g_counts.clear();
  ASSERT_TRUE(DirListOpenDir("Decks", OnlyText));
  EXPECT_EQ(ListFirst(), (Names{"a.txt", "c.txt"}));
  // Four entries offered in name order a.txt, b.dat, c.txt, Sub (the dot
  // entries never reach the filter); the count rises only after an
  // acceptance.
  EXPECT_EQ(g_counts, (std::vector<int>{0, 1, 1, 2}));
}

TEST_F(DirListTest, EmptyFolderAnswersEmptyAtOnce) {
  std::filesystem::create_directory("Empty");
  ASSERT_TRUE(DirListOpenDir("Empty", nullptr));
  ASSERT_TRUE(DirListPrepareToGetFilenamesInDir());
  EXPECT_STREQ(DirListGetNextFilenameInDir(), "");
  EXPECT_STREQ(DirListGetNextFilenameInDir(), "");
  DirListCleanupAfterGettingFilenamesInDir();
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(DirListTest, LifeCycleRefusals) {
  EXPECT_FALSE(DirListPrepareToGetFilenamesInDir());
  EXPECT_TRUE(LogContains("( DirListPrepareToGetFilenamesInDir )    Directory not opened - call DirListOpenDir() first."));
  EXPECT_STREQ(DirListGetNextFilenameInDir(), "");
  EXPECT_TRUE(LogContains("( DirListPrepareToGetFilenamesInDir )    Call DirListPrepareToGetFilenamesInDir() first."));
  DirListCleanupAfterGettingFilenamesInDir();
  EXPECT_TRUE(LogContains("Not getting files in dir"));
  EXPECT_STREQ(DirListGetFilenameWithPath("x"), "");
  EXPECT_TRUE(LogContains("( DirListGetFilenameWithPath )    Not setup"));
  ASSERT_TRUE(DirListOpenDir("Decks", nullptr));
  ASSERT_TRUE(DirListPrepareToGetFilenamesInDir());
  EXPECT_FALSE(DirListPrepareToGetFilenamesInDir());
  EXPECT_TRUE(LogContains("Error - get filenames in progress"));
  DirListCloseDir();  // allowed mid-listing
  EXPECT_STREQ(DirListGetNextFilenameInDir(), "");
}

TEST_F(DirListTest, PathLimitsAndMissingFolders) {
  EXPECT_FALSE(DirListOpenDir("", nullptr));
  EXPECT_TRUE(LogContains("( DirListOpenDir )    Invalid Path Passed In"));
  EXPECT_FALSE(DirListOpenDir("NoSuch", nullptr));
  EXPECT_TRUE(LogContains("( DirListOpenDir )    Directory does not exist"));
  // 1024 characters pass the length check (and then must exist); 1025 do not.
  std::string path = "Decks";
  while (path.size() + 2 <= 1024) path += "/.";
  path.resize(1024, '/');
  ClearLog();
  EXPECT_TRUE(DirListOpenDir(path.c_str(), nullptr));
  EXPECT_TRUE(LogLines().empty());
  path += "/";
  EXPECT_FALSE(DirListOpenDir(path.c_str(), nullptr));
  EXPECT_TRUE(LogContains("Invalid Path Passed In"));
}

TEST_F(DirListTest, JoinedPaths) {
  ASSERT_TRUE(DirListOpenDir("Decks", nullptr));
  EXPECT_STREQ(DirListGetFilenameWithPath("a.txt"), "Decks\\a.txt");
  EXPECT_STREQ(DirListGetFilenameWithPath(""), "");
  EXPECT_TRUE(LogContains("No filename"));
  ASSERT_TRUE(DirListOpenDir("\\", nullptr));  // the root folder
  EXPECT_STREQ(DirListGetFilenameWithPath("etc"), "\\etc");
}

TEST_F(DirListTest, SecondListingRunsAlongsideTheFirst) {
  ASSERT_TRUE(DirListOpenDir("Decks", nullptr));
  ASSERT_TRUE(DirListPrepareToGetFilenamesInDir());
  const std::string firstName = DirListGetNextFilenameInDir();

  ASSERT_TRUE(DirListUnicodeOpenDir("Decks\\", OnlyText));  // one trailing '\' is dropped
  ASSERT_TRUE(DirListUnicodePrepareToGetFilenamesInDir());
  std::set<std::string> seen;
  DirListFindRecord record;
  for (const char* name = DirListUnicodeGetNextFilenameInDir(&record); *name;
       name = DirListUnicodeGetNextFilenameInDir(&record)) {
    seen.insert(name);
    EXPECT_STREQ(record.cFileName, name);
    EXPECT_EQ(record.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(record.nFileSizeLow, name == std::string("a.txt") ? 1u : 3u);
    EXPECT_GT(record.ftLastWriteTime.dwLowDateTime | record.ftLastWriteTime.dwHighDateTime, 0u);
  }
  EXPECT_EQ(record.cFileName[0], '\0');  // zero-filled at the end
  EXPECT_EQ(seen, (std::set<std::string>{"a.txt", "c.txt"}));
  DirListUnicodeCleanupAfterGettingFilenamesInDir();

  // The first listing carried on undisturbed.
  int rest = 0;
  while (*DirListGetNextFilenameInDir()) ++rest;
  EXPECT_EQ(rest, 3);
  EXPECT_FALSE(firstName.empty());

  EXPECT_FALSE(DirListUnicodeOpenDir("Missing", nullptr));
  EXPECT_TRUE(LogContains("( DirListUnicodeOpenDir )    Directory does not exist <Missing>"));
  EXPECT_STREQ(DirListUnicodeGetNextFilenameInDir(&record), "");
  EXPECT_TRUE(LogContains("Call DirListUnicodePrepareToGetFilenamesInDir() first."));
}
