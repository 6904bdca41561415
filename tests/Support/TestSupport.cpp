// TestSupport.cpp - temporary folders and log capture for tests.
#include "tests/Support/TestSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "Engine/Debug.h"
#include "Engine/EngJob.h"

namespace {

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
