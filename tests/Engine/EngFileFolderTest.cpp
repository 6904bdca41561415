// Folders and null buffers given to the file object: refused with a report,
// never opened or dereferenced.
#include <filesystem>

#include <gtest/gtest.h>

#include "Engine/EngFile.h"
#include "tests/Support/TestSupport.h"

class EngFileFolderTest : public TempDirTest {};

TEST_F(EngFileFolderTest, AFolderIsNotAFileToRead) {
  std::filesystem::create_directory("Saves");
  EngFile file;
  EXPECT_FALSE(file.OpenForReading("Saves", false));
  EXPECT_TRUE(LogContains("( EngFile::OpenForReading )    Could not open file <Saves>"));
  EXPECT_FALSE(file.OpenForReadingIfExists("Saves", true));
  EXPECT_EQ(EngFileGetFileSize("Saves", false), 0);
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(EngFileFolderTest, NullBuffersAreRefused) {
  EngFile out;
  ASSERT_TRUE(out.DoOpenForWriting("a.bin", false));
  EXPECT_FALSE(out.Write(nullptr, 4));
  EXPECT_TRUE(LogContains("( EngFile::Write )    Could not write to file"));
  ASSERT_TRUE(out.Write("abcd", 4));
  out.Close();
  EngFile in;
  ASSERT_TRUE(in.OpenForReading("a.bin", false));
  EXPECT_FALSE(in.Read(nullptr, 4));
  EXPECT_TRUE(LogContains("( EngFile::Read )    Could not read from file"));
}
