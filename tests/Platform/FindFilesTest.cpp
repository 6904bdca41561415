// Tests of the directory search: the order (by name ignoring case, dots
// first), patterns, names that game text cannot hold, the record, the end
// of a search and its failures.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Files.h"
#include "Platform/FindFiles.h"
#include "tests/Support/TestSupport.h"

namespace {

using Names = std::vector<std::string>;

class FindFilesTest : public TempDirTest {
 protected:
  // Every name the search gives for the pattern, in its order.
  static Names Search(const char* pattern) {
    Names names;
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      names.emplace_back(data.cFileName);
    } while (FindNextFileA(h, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(FindClose(h));
    return names;
  }
};

TEST_F(FindFilesTest, ListsByNameIgnoringCaseWithTheDotsFirst) {
  std::filesystem::create_directory("Users");
  for (const char* name : {"zed.usr", "Anna.usr", "bob.usr", "Bob2.usr", "-dash", "_under", "\xc3\x89mile.usr"}) {
    WriteFile(std::string("Users/") + name, "x");
  }
  std::filesystem::create_directory("Users/Sub");
  // '-' sorts before the letters, '_' after them (names compare in upper
  // case), and the accented capital E sorts after Z.
  EXPECT_EQ(Search("Users\\*.*"), (Names{".", "..", "-dash", "Anna.usr", "bob.usr", "Bob2.usr",
                                         "Sub", "zed.usr", "_under", "\xc9mile.usr"}));
  EXPECT_EQ(Search("Users/*.usr"), (Names{"Anna.usr", "bob.usr", "Bob2.usr", "zed.usr", "\xc9mile.usr"}));
  EXPECT_EQ(Search("Users\\b?b*"), (Names{"bob.usr", "Bob2.usr"}));
}

TEST_F(FindFilesTest, SkipsNamesGameTextCannotHold) {
  std::filesystem::create_directory("Users");
  WriteFile("Users/ok.usr", "x");
  WriteFile("Users/\xe4\xb8\xad.usr", "x");  // a CJK character: no CP1252 byte
  WriteFile("Users/bad\xff.usr", "x");        // broken UTF-8
  EXPECT_EQ(Search("Users\\*.usr"), (Names{"ok.usr"}));
}

TEST_F(FindFilesTest, RecordDescribesTheEntry) {
  std::filesystem::create_directory("D");
  WriteFile("D/five.bin", "12345");
  std::filesystem::create_directory("D/Inner");
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA("D\\f*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "five.bin");
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  // A FILETIME counts 100-ns steps since 1601: any file written now lies
  // past 2020 (0x01D5C...).
  const unsigned long long written =
      (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime;
  EXPECT_GT(written, 132223104000000000ULL);
  EXPECT_FALSE(FindNextFileA(h, &data));
  EXPECT_TRUE(FindClose(h));

  h = FindFirstFileA("D\\In*", &data);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  FindClose(h);
}

TEST_F(FindFilesTest, FailuresAndTheRootFolder) {
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA("Missing\\*.*", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  std::filesystem::create_directory("Empty");
  EXPECT_EQ(FindFirstFileA("Empty\\*.txt", &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(FindFirstFileA(nullptr, &data), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindNextFileA(INVALID_HANDLE_VALUE, &data));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
  // The root folder lists no dot entries.
  const Names root = Search("\\*.*");
  ASSERT_FALSE(root.empty());
  EXPECT_NE(root.front(), ".");
}

}  // namespace
