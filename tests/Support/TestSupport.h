// TestSupport.h - small fixtures shared by every test executable.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// Runs each test inside a fresh temporary folder (made the current directory)
// that is removed afterwards, with the message log reset and its lines
// captured.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The captured log lines since SetUp (or the last ClearLog).
  const std::vector<std::string>& LogLines() const { return lines_; }
  void ClearLog() { lines_.clear(); }
  // True when some captured line contains text.
  bool LogContains(const std::string& text) const;
  // Writes a file of raw bytes relative to the temporary folder.
  static void WriteFile(const std::string& name, const std::string& bytes);
  static std::string ReadFile(const std::string& name);

  std::string dir_;

 private:
  std::string previousDir_;
  std::vector<std::string> lines_;
};

// Collects log lines while it lives.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  const std::vector<std::string>& Lines() const { return lines_; }
  bool Contains(const std::string& text) const;

 private:
  std::vector<std::string> lines_;
};

// Sets an environment variable of this process for one scope (null removes
// it); the value it had comes back at the end of the scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value);
  std::string name_;
  std::optional<std::string> old_;
};

// A file system of the test's own, for what only a real disk shows (one
// that fills up). The current test is run again in a child process that
// "unshare -rm" gave a mount namespace of its own:
//
//   TEST_F(Suite, AFullDisk...) {
//     if (!RerunInPrivateMounts()) return;  // here: the child's result was checked
//     SmallDisk disk(dir_ + "/data", 16 * 4096);  // in the child
//     ...
//   }
//
// RerunInPrivateMounts answers true in the child, where the test goes on;
// in the first process it waits for the child (bounded), adds a failure when
// the child failed, did not run the test or did not end in time, and
// answers false. Where the machine gives no mount namespace of its own (as
// container runtimes refuse one by default) it marks the test skipped with
// the reason instead and answers false.
bool RerunInPrivateMounts(double limitSeconds = 180.0);
// Why this machine gives a test no mount namespace of its own that takes
// mounts ("unshare -rm" refused); empty when it gives one. Asked once per
// process; every test that needs one skips with this reason.
std::string PrivateMountsRefused();
// Runs this test program again with only the named test ("Suite.Name")
// where private mount namespaces are refused (an "unshare" first on PATH
// answers as container runtimes make it answer): true when the test
// skipped there and the program passed. Its output in *said, with its skip
// marks reworded so that CTest, reading the caller's output, does not take
// the caller for skipped.
bool SkipsWhereMountsAreRefused(const std::string& test, std::string* said);
// A tmpfs of `bytes` bytes (whole pages) mounted over a folder (made when
// missing) for its lifetime; only in the child of RerunInPrivateMounts
// (else a failure is added and nothing is mounted).
class SmallDisk {
 public:
  SmallDisk(std::string folder, std::size_t bytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;
  bool Mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
};

// Frames as the game's loop runs them while network waits are out
// (Engine/EngJob.h): each delivers the ended jobs, then does the frame's own
// work (optional), then rests 5 ms; until busy() turns false or the time is
// up. What the frames were: how many, the longest, and the seconds in all.
struct FrameRun {
  int count = 0;
  double longest = 0.0;
  double seconds = 0.0;
};
FrameRun RunFramesWhile(const std::function<bool()>& busy, double limitSeconds,
                        const std::function<void()>& frame = nullptr);
// A frame that waited on the network would take seconds; a frame's own work
// (a window's first pumps, a box answered headless) stays far below this.
constexpr double kLongestFrameSeconds = 0.25;
