// TestSupport.cpp - temporary folders and log capture for tests.
#include "tests/Support/TestSupport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Engine/Debug.h"
#include "Engine/EngJob.h"

extern char** environ;

namespace {

constexpr const char* kPrivateMountsVariable = "CARDOLIA_TEST_PRIVATE_MOUNTS";

void CollectLine(int, const char* line, void* context) {
  static_cast<std::vector<std::string>*>(context)->push_back(line);
}

bool AnyContains(const std::vector<std::string>& lines, const std::string& text) {
  for (const auto& line : lines) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

void TempDirTest::SetUp() {
  previousDir_ = std::filesystem::current_path().string();
  std::string pattern = (std::filesystem::temp_directory_path() / "cardolia-test-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
  std::filesystem::current_path(dir_);
  DebugResetForTests();
  DebugSetListener(CollectLine, &lines_);
}

void TempDirTest::TearDown() {
  DebugSetListener(nullptr, nullptr);
  DebugResetForTests();
  std::filesystem::current_path(previousDir_);
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

bool TempDirTest::LogContains(const std::string& text) const { return AnyContains(lines_, text); }

void TempDirTest::WriteFile(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDirTest::ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

LogCapture::LogCapture() { DebugSetListener(CollectLine, &lines_); }
LogCapture::~LogCapture() { DebugSetListener(nullptr, nullptr); }
bool LogCapture::Contains(const std::string& text) const { return AnyContains(lines_, text); }

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  Set(value);
}

ScopedEnv::~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }

void ScopedEnv::Set(const char* value) {
  if (value) {
    setenv(name_.c_str(), value, 1);
  } else {
    unsetenv(name_.c_str());
  }
}

FrameRun RunFramesWhile(const std::function<bool()>& busy, double limitSeconds, const std::function<void()>& frame) {
  using Clock = std::chrono::steady_clock;
  const auto seconds = [](Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); };
  FrameRun run;
  const Clock::time_point start = Clock::now();
  while (busy() && seconds(start) < limitSeconds) {
    const Clock::time_point before = Clock::now();
    EngJobDeliver();
    if (frame) frame();
    run.longest = std::max(run.longest, seconds(before));
    ++run.count;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  run.seconds = seconds(start);
  return run;
}

// ---- Private mounts ---------------------------------------------------------------------------------

namespace {

std::string LinkTarget(const char* path) {
  char target[4096];
  const ssize_t length = ::readlink(path, target, sizeof target - 1);
  return length > 0 ? std::string(target, static_cast<std::size_t>(length)) : std::string();
}

// In the child of RerunInPrivateMounts, in a mount namespace not the first
// process's (nor the system's).
bool InPrivateMounts() {
  const char* marker = std::getenv(kPrivateMountsVariable);
  if (!marker) return false;
  const std::string own = LinkTarget("/proc/self/ns/mnt");
  return !own.empty() && own != marker;
}

// Runs the program of args with this process's environment, the extra
// lines in place of the variables they name, its output into *said;
// bounded. Its exit status; -1 when it
// could not be started (why in *said), -2 when it did not end in time (it
// is killed then).
constexpr int kNotStarted = -1, kNotEnded = -2;
int RunCapturing(std::vector<std::string> args, const std::vector<std::string>& extraEnv, double limitSeconds,
                 std::string* said) {
  std::string output = (std::filesystem::temp_directory_path() / "cardolia-private-mounts-XXXXXX").string();
  const int outputFd = ::mkstemp(output.data());
  if (outputFd < 0) {
    *said = "no file for the child's output";
    return kNotStarted;
  }
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string line = *e;
    const std::string name = line.substr(0, line.find('=') + 1);
    if (std::none_of(extraEnv.begin(), extraEnv.end(), [&](const std::string& x) { return x.rfind(name, 0) == 0; })) {
      env.push_back(line);
    }
  }
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> argv, envp;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
  posix_spawn_file_actions_adddup2(&actions, outputFd, 2);
  pid_t child = -1;
  const int spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(outputFd);
  if (spawned != 0) {
    std::filesystem::remove(output);
    *said = "could not start " + args[0] + ": " + std::strerror(spawned);
    return kNotStarted;
  }
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limitSeconds));
  int status = 0;
  bool ended = false;
  while (!(ended = ::waitpid(child, &status, WNOHANG) == child) && Clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (!ended) {
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
  }
  std::ifstream in(output);
  said->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::filesystem::remove(output);
  if (!ended) return kNotEnded;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::string PrivateMountsRefused() {
  // unshare -m makes the new namespace's mounts private, so a namespace it
  // gives also takes mounts.
  static const std::string refused = [] {
    std::string said;
    const int status = RunCapturing({"unshare", "-rm", "true"}, {}, 30, &said);
    if (status == 0) return std::string();
    while (!said.empty() && std::isspace(static_cast<unsigned char>(said.back()))) said.pop_back();
    if (said.empty()) {
      said = status == kNotEnded ? "unshare -rm did not end" : "unshare -rm ended with " + std::to_string(status);
    }
    return said;
  }();
  return refused;
}

bool RerunInPrivateMounts(double limitSeconds) {
  if (std::getenv(kPrivateMountsVariable)) {
    if (InPrivateMounts()) return true;
    ADD_FAILURE() << "the child did not get a mount namespace of its own";
    return false;
  }
  const std::string refused = PrivateMountsRefused();
  if (!refused.empty()) {
    [&] { GTEST_SKIP() << "no private mount namespace: " << refused; }();
    return false;
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string self = LinkTarget("/proc/self/exe");
  if (!test || self.empty()) {
    ADD_FAILURE() << "cannot name this test or this program";
    return false;
  }
  // Bounded: the child is a whole test, which waits for nothing forever.
  std::string said;
  const std::string filter = std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name();
  const int status = RunCapturing({"unshare", "-rm", self, filter},
                                  {std::string(kPrivateMountsVariable) + "=" + LinkTarget("/proc/self/ns/mnt")},
                                  limitSeconds, &said);
  EXPECT_NE(status, kNotEnded) << "the test in its own mount namespace did not end within " << limitSeconds << " s:\n"
                               << said;
  EXPECT_TRUE(status == 0 && said.find("[  PASSED  ] 1 test.") != std::string::npos)
      << "the test in its own mount namespace failed:\n" << said;
  return false;
}

bool SkipsWhereMountsAreRefused(const std::string& test, std::string* said) {
  const std::string self = LinkTarget("/proc/self/exe");
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("cardolia-refusing-unshare-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path unshare = folder / "unshare";
  std::ofstream(unshare) << "#!/bin/sh\necho 'unshare: unshare failed: Operation not permitted' >&2\nexit 1\n";
  std::filesystem::permissions(unshare, std::filesystem::perms::owner_all);
  const char* path = std::getenv("PATH");
  const int status = RunCapturing({self, "--gtest_filter=" + test},
                                  {"PATH=" + folder.string() + ":" + (path ? path : "/usr/bin:/bin")}, 180, said);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  const std::string mark = "[  SKIPPED ]";
  const bool skipped = status == 0 && said->find(mark + " " + test) != std::string::npos;
  for (std::size_t at = said->find(mark); at != std::string::npos; at = said->find(mark, at)) {
    said->replace(at, mark.size(), "[ skipped ]");
  }
  return skipped;
}

SmallDisk::SmallDisk(std::string folder, std::size_t bytes) : folder_(std::move(folder)) {
  if (!InPrivateMounts()) {
    ADD_FAILURE() << "a small disk is only mounted in the child of RerunInPrivateMounts";
    return;
  }
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
  EXPECT_TRUE(mounted_) << "mount tmpfs on " << folder_ << ": " << std::strerror(errno);
}

SmallDisk::~SmallDisk() {
  if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
}
