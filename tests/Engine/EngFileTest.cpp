// Tests of the file object and the whole-file helpers, and of every writer
// on a disk that is full.
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngTga.h"
#include "Platform/Files.h"
#include "tests/Support/TestSupport.h"

namespace {

class EngFileTest : public TempDirTest {};

TEST_F(EngFileTest, WholeFileReadNeedsTheExactSize) {
  WriteFile("ten.bin", "0123456789");
  char buffer[12] = {};
  EXPECT_FALSE(EngFileOpenReadAndClose("ten.bin", false, buffer, 12));
  EXPECT_TRUE(LogContains("( EngFileOpenReadAndClose )    Invalid file size in <ten.bin>"));
  EXPECT_EQ(buffer[0], 0);
  EXPECT_TRUE(EngFileOpenReadAndClose("ten.bin", false, buffer, 10));
  EXPECT_EQ(std::string(buffer, 10), "0123456789");
}

TEST_F(EngFileTest, BackslashPathsAndCp1252NamesReachTheRightFile) {
  std::filesystem::create_directories("Data/Main");
  ASSERT_TRUE(EngFileOpenWriteAndClose("Data\\Main\\0100.dat", false, "abc", 3));
  EXPECT_EQ(ReadFile("Data/Main/0100.dat"), "abc");
  ASSERT_TRUE(EngFileOpenWriteAndClose("caf\xe9.txt", false, "x", 1));  // "café" in CP1252
  EXPECT_EQ(ReadFile("caf\xc3\xa9.txt"), "x");
  EXPECT_TRUE(EngFileExists("caf\xe9.txt"));
}

TEST_F(EngFileTest, DirectionAndStateAreChecked) {
  WriteFile("a.txt", "hello\n");
  EngFile file;
  char buffer[8];
  EXPECT_FALSE(file.Read(buffer, 1));
  EXPECT_TRUE(LogContains("( EngFile::Read )    File is not open"));
  EXPECT_FALSE(file.Rewind());
  EXPECT_TRUE(LogContains("( EngFile::Rewind )    File is not opened"));

  ASSERT_TRUE(file.OpenForReading("a.txt", true));
  EXPECT_FALSE(file.Write("x", 1));
  EXPECT_TRUE(LogContains("( EngFile::Write )    File is not open for writing"));
  EXPECT_TRUE(file.IsOpen());

  ClearLog();
  ASSERT_TRUE(file.OpenForReading("a.txt", true));
  EXPECT_TRUE(LogContains("( EngFile::OpenForReading )    File was already opened"));

  EngFile writer;
  ASSERT_TRUE(writer.DoOpenForWriting("b.txt", false));
  EXPECT_FALSE(writer.Read(buffer, 1));
  EXPECT_TRUE(LogContains("( EngFile::Read )    File is not open for reading"));
  ClearLog();
  ASSERT_TRUE(writer.DoOpenForWriting("b.txt", false));
  EXPECT_TRUE(LogContains("( EngFile::OpenForWriting )    File was already opened"));

  // Nothing written is a failed write, an empty text included.
  ClearLog();
  EXPECT_FALSE(writer.Write("x", 0));
  EXPECT_TRUE(LogContains("( EngFile::Write )    Could not write to file"));
  ClearLog();
  EXPECT_FALSE(writer.Printf("%s", ""));
  EXPECT_TRUE(LogContains("( EngFile::Printf )    Could not write to file"));
  EXPECT_TRUE(writer.Write("x", 1));
}

TEST_F(EngFileTest, OpeningFailuresAndTheirReports) {
  EngFile file;
  EXPECT_FALSE(file.OpenForReadingIfExists("missing.txt", false));
  EXPECT_FALSE(file.OpenForReadingIfExists(nullptr, false));
  EXPECT_TRUE(LogLines().empty());

  EXPECT_FALSE(file.OpenForReading("missing.txt", false));
  EXPECT_TRUE(LogContains("( EngFile::OpenForReading )    Could not open file <missing.txt>"));
  EXPECT_FALSE(file.OpenForReading("", false));
  EXPECT_TRUE(LogContains("( EngFile::OpenForReading )    No filename specified"));
  EXPECT_FALSE(file.DoOpenForWriting("no/such/dir/x", false));
  EXPECT_TRUE(LogContains("Could not open or create file <no/such/dir/x>"));
  EXPECT_FALSE(file.IsOpen());
}

TEST_F(EngFileTest, ShortReadsAndSizeKeepThePosition) {
  WriteFile("data.bin", "abcdefgh");
  EngFile file("data.bin", false, false);
  ASSERT_TRUE(file.IsOpen());
  char buffer[16] = {};
  ASSERT_TRUE(file.Read(buffer, 3));
  EXPECT_EQ(file.GetSize(), 8);
  ASSERT_TRUE(file.Read(buffer, 2));
  EXPECT_EQ(std::string(buffer, 2), "de");
  EXPECT_FALSE(file.Read(buffer, 10));
  EXPECT_TRUE(LogContains("Problem reading from file [ read 3 not 10 ]"));
  EXPECT_FALSE(file.Read(buffer, 1));
  EXPECT_TRUE(LogContains("( EngFile::Read )    Could not read from file"));
}

TEST_F(EngFileTest, TextModeDropsCarriageReturnsOnRead) {
  WriteFile("crlf.txt", "one\r\ntwo\r\nthree");
  EngFile file;
  ASSERT_TRUE(file.OpenForReading("crlf.txt", true));
  char line[32];
  ASSERT_TRUE(file.ReadLine(line, sizeof(line)));
  EXPECT_STREQ(line, "one\n");
  ASSERT_TRUE(file.ReadLine(line, sizeof(line)));
  EXPECT_STREQ(line, "two\n");
  ASSERT_TRUE(file.ReadLine(line, sizeof(line)));
  EXPECT_STREQ(line, "three");
  EXPECT_FALSE(file.ReadLine(line, sizeof(line)));

  ASSERT_TRUE(file.Rewind());
  char all[16] = {};
  ASSERT_TRUE(file.Read(all, 8));
  EXPECT_EQ(std::string(all, 8), "one\ntwo\n");
}

TEST_F(EngFileTest, ExistsIsForFilesOnly) {
  std::filesystem::create_directory("folder");
  WriteFile("file", "");
  EXPECT_FALSE(EngFileExists("folder"));
  EXPECT_TRUE(EngFileDirectoryExists("folder"));
  EXPECT_TRUE(EngFileExists("file"));
  EXPECT_FALSE(EngFileDirectoryExists("file"));
  EXPECT_FALSE(EngFileExists("nothing"));
}

TEST_F(EngFileTest, CopyMoveAndDirectories) {
  WriteFile("src", "payload");
  EXPECT_TRUE(EngFileCopyFile("src", "copy", true));
  EXPECT_EQ(ReadFile("copy"), "payload");
  EXPECT_FALSE(EngFileCopyFile("src", "copy", true));
  EXPECT_TRUE(LogContains("File <copy> exists"));
  EXPECT_FALSE(EngFileCopyFile("nope", "other", false));
  EXPECT_TRUE(LogContains("File <nope> does not exist"));

  WriteFile("target", "keep");
  EXPECT_FALSE(EngFileMoveFile("src", "target"));
  EXPECT_EQ(ReadFile("target"), "keep");
  EXPECT_EQ(ReadFile("src"), "payload");
  EXPECT_TRUE(EngFileMoveFile("src", "moved"));
  EXPECT_FALSE(EngFileExists("src"));
  EXPECT_EQ(ReadFile("moved"), "payload");

  EXPECT_TRUE(EngFileCreateDirectory("d"));
  EXPECT_FALSE(EngFileCreateDirectory("d"));
  EXPECT_TRUE(LogContains("Failed to create directory <d>"));
  EXPECT_FALSE(EngFileCreateDirectory("x/y"));
  EngFileDeleteDirectory("d");
  EXPECT_FALSE(EngFileDirectoryExists("d"));
}

TEST_F(EngFileTest, ReplacingWriteKeepsTheOldFileOnFailure) {
  WriteFile("save.dat", "old contents");
  EXPECT_TRUE(EngFileWriteReplacing("save.dat", "new", 3));
  EXPECT_EQ(ReadFile("save.dat"), "new");
  EXPECT_FALSE(EngFileWriteReplacing("missing-folder/save.dat", "new", 3));
  EXPECT_TRUE(LogContains("Could not write file <missing-folder/save.dat>"));
  // No temporary files are left behind.
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
  }
}

TEST_F(EngFileTest, AKeepingWriteAppendsBehindThePresentFilesStart) {
  std::string records;
  for (int i = 0; i < 200000; ++i) records += static_cast<char>('a' + i % 26);  // more than one copy step
  WriteFile("history.sta", records + "torn");
  ASSERT_TRUE(EngFileWriteReplacingKeeping("history.sta", records.size(), "new", 3));
  EXPECT_TRUE(ReadFile("history.sta") == records + "new");
  EXPECT_TRUE(EngFileWriteReplacingKeeping("history.sta", 0, "only", 4));
  EXPECT_EQ(ReadFile("history.sta"), "only");

  // Asked to keep more than there is, or from no file: the old file stays.
  EXPECT_FALSE(EngFileWriteReplacingKeeping("history.sta", 5, "x", 1));
  EXPECT_EQ(ReadFile("history.sta"), "only");
  EXPECT_FALSE(EngFileWriteReplacingKeeping("missing.sta", 2, "x", 1));
  EXPECT_FALSE(std::filesystem::exists("missing.sta"));
  EXPECT_TRUE(LogContains("Could not write file <missing.sta>"));
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
  }
}

TEST_F(EngFileTest, AFilesStampChangesWithEveryWrite) {
  EngFileStamp first, again, later;
  EXPECT_FALSE(EngFileGetStamp("none.dat", &first));
  ASSERT_TRUE(std::filesystem::create_directory("folder"));
  EXPECT_FALSE(EngFileGetStamp("folder", &first));  // not a file
  ASSERT_TRUE(EngFileWriteReplacing("a.dat", "one", 3));
  ASSERT_TRUE(EngFileGetStamp("a.dat", &first));
  ASSERT_TRUE(EngFileGetStamp("a.dat", &again));
  EXPECT_TRUE(first == again);
  EXPECT_EQ(first.size, 3u);
  // A replacing write of the same size at once: a new file, another stamp.
  ASSERT_TRUE(EngFileWriteReplacing("a.dat", "two", 3));
  ASSERT_TRUE(EngFileGetStamp("a.dat", &later));
  EXPECT_FALSE(first == later);
}

// The id of a process that has ended (a child that exited at once).
std::string EndedProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return std::to_string(child);
}

TEST_F(EngFileTest, LeftoversOfKilledWritesGoWithTheNextWriteOrTheStartUpSweep) {
  const std::string dead = EndedProcessId();
  const std::string alive = std::to_string(::getppid());  // another running program
  ASSERT_TRUE(std::filesystem::create_directory("Saved"));
  struct Entry {
    const char* name;
    bool goesWithWrite;    // removed by the next write of Saved/game.c3o
    bool goesWithSweep;    // removed by the sweep of the folder
  };
  const Entry entries[] = {
      {"game.c3o.tmp-DEAD", true, true},
      {"game.c3o.tmp-ALIVE", false, false},
      {"game.c3m.tmp-DEAD", false, true},
      {"game.c3o.tmp-12x", false, false},
      {"game.c3o.tmp-", false, false},
      {"notes.txt", false, false},
  };
  auto pathOf = [&](const Entry& e) {
    std::string name = e.name;
    if (const auto at = name.find("DEAD"); at != std::string::npos) name.replace(at, 4, dead);
    if (const auto at = name.find("ALIVE"); at != std::string::npos) name.replace(at, 5, alive);
    return "Saved/" + name;
  };
  for (const Entry& e : entries) WriteFile(pathOf(e), std::string(1000, 'x'));

  ASSERT_TRUE(EngFileWriteReplacing("Saved\\game.c3o", "new", 3));
  EXPECT_EQ(ReadFile("Saved/game.c3o"), "new");
  for (const Entry& e : entries) {
    SCOPED_TRACE(pathOf(e));
    EXPECT_EQ(std::filesystem::exists(pathOf(e)), !e.goesWithWrite);
  }
  EXPECT_EQ(EngFileRemoveLeftoverTemporaries("Saved"), 1);
  for (const Entry& e : entries) {
    SCOPED_TRACE(pathOf(e));
    EXPECT_EQ(std::filesystem::exists(pathOf(e)), !e.goesWithSweep);
  }
  EXPECT_TRUE(std::filesystem::exists("Saved/game.c3o"));
  EXPECT_EQ(EngFileRemoveLeftoverTemporaries("Missing"), 0);
}

TEST_F(EngFileTest, AReplacingWriteSyncsTheFolderAfterItsRename) {
  const int before = PlatformFolderSyncsForTests();
  ASSERT_TRUE(EngFileWriteReplacing("save.dat", "one", 3));
  EXPECT_EQ(PlatformFolderSyncsForTests(), before + 1);
  EXPECT_FALSE(EngFileWriteReplacing("missing-folder/save.dat", "two", 3));
  EXPECT_EQ(PlatformFolderSyncsForTests(), before + 1);  // nothing renamed, nothing to sync
}

TEST_F(EngFileTest, PrintfAndAppend) {
  EngFile file;
  ASSERT_TRUE(file.DoOpenForWriting("p.txt", true));
  ASSERT_TRUE(file.Printf("%d-%s\n", 42, "x"));
  file.Close();
  ASSERT_TRUE(file.OpenForAppending("p.txt", true));
  ASSERT_TRUE(file.Printf("more\n"));
  file.Close();
  EXPECT_EQ(ReadFile("p.txt"), "42-x\nmore\n");
  EXPECT_EQ(EngFileGetFileSize("p.txt", false), 10);
  EXPECT_EQ(EngFileGetFileSize("none", false), 0);
  EXPECT_TRUE(LogContains("( EngFileGetFileSize )    Could not open file <none>"));
}

// Every writer of the player's files on a disk with no room left: the
// writer fails, and no part of its file stays (a replaced file keeps its old
// contents). The small writes wait in the stream's buffer until the close,
// the large ones fail on the way.
TEST_F(EngFileTest, AFullDiskFailsEveryWriterAndLeavesNoPartOfItsFile) {
  if (!RerunInPrivateMounts()) return;
  const std::string disk = dir_ + "/disk";
  SmallDisk small(disk, 16 * 4096);
  ASSERT_TRUE(small.Mounted());
  WriteFile(disk + "/old.dat", "old contents");
  {
    std::ofstream filler(disk + "/filler", std::ios::binary);
    const std::string block(4096, 'f');
    for (int i = 0; i < 64 && filler.write(block.data(), static_cast<std::streamsize>(block.size())); ++i) {
    }
  }
  ASSERT_TRUE(EngEncryptionInit("FullDiskPhrase"));
  const std::string large(256 << 10, 'x');
  const auto image = [](int side) {
    auto tga = std::make_shared<EngTga>();
    EXPECT_TRUE(tga->CreateWithColour(side, side, 32, 0.2f, 0.4f, 0.6f, 1.0f));
    return tga;
  };
  const auto small8 = image(8), large256 = image(256);
  struct Case {
    const char* what;
    const char* file;
    std::function<bool(const std::string&)> write;
    std::optional<std::string> left;  // what the file holds afterwards; none: no file
  } cases[] = {
      {"a file object, a few bytes", "few.dat",
       [](const std::string& name) {
         EngFile file;
         return file.DoOpenForWriting(name.c_str(), false) && file.Write("a few bytes", 11) && file.Close();
       },
       std::string()},  // the object leaves the empty file it made; its caller knows it failed
      {"a whole file, a few bytes", "few2.dat",
       [](const std::string& name) { return EngFileOpenWriteAndClose(name.c_str(), false, "a few bytes", 11); },
       std::nullopt},
      {"a whole file, many bytes", "many.dat",
       [&](const std::string& name) { return EngFileOpenWriteAndClose(name.c_str(), false, large.data(), large.size()); },
       std::nullopt},
      {"a replacing write", "old.dat",
       [](const std::string& name) { return EngFileWriteReplacing(name.c_str(), "new contents", 12); },
       std::string("old contents")},
      {"a record file", "record.usr",
       [](const std::string& name) { return EngEncryptionEncryptAndWriteToFile(name.c_str(), "record", 6); },
       std::nullopt},
      {"a small TGA face", "ah.tga", [&](const std::string& name) { return small8->SaveToFile(name.c_str()); },
       std::nullopt},
      {"a large TGA face", "kc.tga", [&](const std::string& name) { return large256->SaveToFile(name.c_str()); },
       std::nullopt},
      {"a small JPEG sheet", "sheet.jpg",
       [&](const std::string& name) { return EngJpegSaveToFileFromTga(name.c_str(), small8.get(), 90, 300); },
       std::nullopt},
      {"a large JPEG sheet", "sheet2.jpg",
       [&](const std::string& name) { return EngJpegSaveToFileFromTga(name.c_str(), large256.get(), 100, 300); },
       std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = disk + "/" + c.file;
    EXPECT_FALSE(c.write(name));
    if (c.left) {
      EXPECT_EQ(ReadFile(name), *c.left);
    } else {
      EXPECT_FALSE(std::filesystem::exists(name));
    }
  }
  EXPECT_TRUE(LogContains("( EngFile::Close )    Could not write to file"));
  for (const auto& entry : std::filesystem::directory_iterator(disk)) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

// Where the machine refuses a private mount namespace, as container
// runtimes do by default, the full-disk test skips and says why instead of
// failing.
TEST_F(EngFileTest, AFullDiskWhereMountsAreRefusedSkipsWithTheReason) {
  std::string said;
  EXPECT_TRUE(SkipsWhereMountsAreRefused("EngFileTest.AFullDiskFailsEveryWriterAndLeavesNoPartOfItsFile", &said))
      << said;
  EXPECT_NE(said.find("no private mount namespace: unshare: unshare failed: Operation not permitted"),
            std::string::npos)
      << said;
}

}  // namespace
