// Tests of keeping a damaged file aside where its folder refuses it: the
// trying stops at the first refusal that is not a taken name, the failure is
// one log line with its reason, and the same file is not tried again in the
// run (a reader meets it at every read).
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "App/DamagedFile.h"
#include "tests/Support/TestSupport.h"

namespace {

class DamagedFileTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    DamagedFileClearNotices();
    folder_ = dir_ + "/Scores/";
    std::filesystem::create_directories(folder_);
    path_ = folder_ + "Klondike.sco";
  }
  void TearDown() override {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    DamagedFileClearNotices();
    TempDirTest::TearDown();
  }
  // The names in the folder that the keeping made.
  std::vector<std::string> AsideNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name.find(".damaged") != std::string::npos && name.find(".tmp-") == std::string::npos) {
        names.push_back(name);
      }
    }
    return names;
  }
  int LinesWith(const std::string& text) const {
    int count = 0;
    for (const std::string& line : LogLines()) count += line.find(text) != std::string::npos;
    return count;
  }

  std::string folder_;
  std::string path_;
};

TEST_F(DamagedFileTest, AFolderThatRefusesTheFileIsTriedOnceARunAndLoggedOnce) {
  const std::string blocker = path_ + ".damaged.tmp-" + std::to_string(getpid());
  const auto writable = [&](bool on) {
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                 on ? std::filesystem::perm_options::add : std::filesystem::perm_options::remove);
  };
  const struct {
    const char* what;
    const char* (*aside)(const char*);
    std::function<void()> refuse, allow;
    const char* reason;
    bool needsNonRoot;
  } cases[] = {
      // The first name's copy is made under a temporary name: a folder there
      // refuses it, root too.
      {"a copy whose first name the folder refuses", DamagedFileCopyAside,
       [&] { std::filesystem::create_directory(blocker); }, [&] { std::filesystem::remove(blocker); },
       "Is a directory", false},
      {"a copy into a read-only folder", DamagedFileCopyAside, [&] { writable(false); }, [&] { writable(true); },
       "Permission denied", true},
      {"a move out of a read-only folder", DamagedFileMoveAside, [&] { writable(false); }, [&] { writable(true); },
       "Permission denied", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.needsNonRoot && geteuid() == 0) continue;  // root writes into read-only folders
    for (const std::string& name : AsideNames()) std::filesystem::remove(folder_ + name);
    WriteFile(path_, "damaged rows");
    DamagedFileClearNotices();
    c.refuse();
    ClearLog();

    EXPECT_EQ(c.aside(path_.c_str()), nullptr);
    EXPECT_EQ(ReadFile(path_), "damaged rows");
    EXPECT_TRUE(AsideNames().empty());  // no later name of the series was tried
    EXPECT_EQ(LinesWith("Klondike.sco"), 1);
    EXPECT_EQ(LinesWith(std::string("Could not keep damaged file <") + path_ + ">: " + c.reason), 1);

    // Once a run: the file is not tried again, even where it now could be.
    c.allow();
    ClearLog();
    EXPECT_EQ(c.aside(path_.c_str()), nullptr);
    EXPECT_TRUE(AsideNames().empty());
    EXPECT_TRUE(LogLines().empty());

    // The next run keeps it.
    DamagedFileClearNotices();
    const char* kept = c.aside(path_.c_str());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(std::string(kept), path_ + ".damaged");
    EXPECT_EQ(ReadFile(path_ + ".damaged"), "damaged rows");
  }
}

// Names taken are passed over; with all 99 taken the failure is still one
// line, and another file of the folder is tried on its own.
TEST_F(DamagedFileTest, EveryNameTakenIsOneFailureOfThatFileOnly) {
  WriteFile(path_, "damaged rows");
  WriteFile(path_ + ".damaged", "taken");
  for (int n = 2; n <= 99; ++n) WriteFile(path_ + ".damaged-" + std::to_string(n), "taken");
  ClearLog();
  EXPECT_EQ(DamagedFileCopyAside(path_.c_str()), nullptr);
  EXPECT_EQ(DamagedFileCopyAside(path_.c_str()), nullptr);
  EXPECT_EQ(LinesWith("Klondike.sco"), 1);
  EXPECT_EQ(LinesWith("Could not keep damaged file <" + path_ + ">: every name of the series is taken"), 1);

  const std::string other = folder_ + "Yukon.sco";
  WriteFile(other, "damaged too");
  WriteFile(other + ".damaged", "taken");
  const char* kept = DamagedFileMoveAside(other.c_str());
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(std::string(kept), other + ".damaged-2");
  EXPECT_FALSE(std::filesystem::exists(other));
}

// A full disk refuses every name alike: one try, one line with the reason.
TEST_F(DamagedFileTest, AFullDiskIsOneFailureWithItsReason) {
  if (!RerunInPrivateMounts()) return;
  SmallDisk disk(folder_, 16 * 4096);
  ASSERT_TRUE(disk.Mounted());
  WriteFile(path_, std::string(6000, 'd'));
  {
    std::ofstream filler(folder_ + "filler", std::ios::binary);
    const std::string block(4096, 'f');
    for (int i = 0; i < 64 && filler.write(block.data(), static_cast<std::streamsize>(block.size())); ++i) {
    }
  }
  ClearLog();
  EXPECT_EQ(DamagedFileCopyAside(path_.c_str()), nullptr);
  EXPECT_EQ(DamagedFileCopyAside(path_.c_str()), nullptr);
  EXPECT_TRUE(AsideNames().empty());
  EXPECT_EQ(ReadFile(path_), std::string(6000, 'd'));
  EXPECT_EQ(LinesWith("Klondike.sco"), 1);
  EXPECT_EQ(LinesWith("Could not keep damaged file <" + path_ + ">: No space left on device"), 1);
}

}  // namespace
