// Tests of the starter: its answers with a library that cannot be loaded
// (the question and the page opener replaced), and the built program
// Vantrip_DX9 run as a child in a temporary folder that holds a stand-in
// game, a shell script that writes the folder it runs in and its argument
// count.
#include <spawn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Starter/Starter.h"
#include "tests/Support/TestSupport.h"

extern char** environ;

namespace {

const std::string kStarter = std::string(CARDOLIA_BUILD_DIR) + "/Vantrip_DX9";
constexpr const char* kMissing = "libcardolia-missing-renderer.so.9";

// The stand-in game: "<folder> <argument count>" into started.txt.
constexpr const char* kFakeGame = "#!/bin/sh\necho \"$(pwd) $#\" > started.txt\n";

std::vector<StarterMessage> g_asked;
int g_answer = kStarterOk;
std::vector<std::string> g_opened;

int RecordAsk(const StarterMessage& message) {
  g_asked.push_back(message);
  return g_answer;
}

bool RecordOpen(const char* address) {
  g_opened.emplace_back(address);
  return true;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFakeGame(const std::string& folder) {
  const std::string path = folder + "/Cardolia_DX9";
  std::FILE* file = std::fopen(path.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fputs(kFakeGame, file);
  std::fclose(file);
  ASSERT_EQ(chmod(path.c_str(), 0755), 0);
}

// Waits (bounded) for the stand-in game's note.
std::string WaitForStart(const std::string& folder, double seconds = 10.0) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < until) {
    const std::string note = ReadWhole(folder + "/started.txt");
    if (!note.empty() && note.back() == '\n') return note;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return "";
}

struct StarterRun {
  int status = -1;
  std::string errors;
};

// Runs the starter in folder, headless, and collects its stderr.
StarterRun RunStarter(const std::string& program, const std::string& folder) {
  StarterRun run;
  const std::string errorsFile = folder + "/../starter-errors.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::string previous = std::filesystem::current_path().string();
  std::filesystem::current_path(folder);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, environ);
  std::filesystem::current_path(previous);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  if (waitpid(child, &status, 0) == child && WIFEXITED(status)) run.status = WEXITSTATUS(status);
  run.errors = ReadWhole(errorsFile);
  return run;
}

class StarterTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    g_asked.clear();
    g_opened.clear();
    g_answer = kStarterOk;
    StarterSetAskForTests(RecordAsk);
    StarterSetOpenerForTests(RecordOpen);
  }
  void TearDown() override {
    StarterSetLibrariesForTests(nullptr);
    StarterSetAskForTests(nullptr);
    StarterSetOpenerForTests(nullptr);
    TempDirTest::TearDown();
  }
};

}  // namespace

TEST_F(StarterTest, AMissingLibraryIsExplainedAndEachAnswerDoesItsOwnThing) {
  struct Case {
    int answer;
    bool starts;
    bool opensPage;
  };
  const Case cases[] = {
      {kStarterOk, false, false},
      {kStarterClosed, false, false},
      {kStarterIgnore, true, false},
      {kStarterVendorPage, false, true},
  };
  const std::vector<std::string> libraries = {"libc.so.6", kMissing};
  WriteFakeGame(dir_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    std::filesystem::remove(dir_ + "/started.txt");
    g_asked.clear();
    g_opened.clear();
    g_answer = c.answer;
    StarterSetLibrariesForTests(&libraries);
    EXPECT_EQ(StarterMain(), 0);

    ASSERT_EQ(g_asked.size(), 1u);
    const StarterMessage& asked = g_asked[0];
    EXPECT_EQ(asked.title, "Cardolia 3D Launcher");
    ASSERT_EQ(asked.lines.size(), 4u);
    EXPECT_EQ(asked.lines[0], "OpenGL and SDL 2 is needed to run Cardolia 3D");
    EXPECT_NE(asked.lines[3].find(kMissing), std::string::npos) << asked.lines[3];  // the loader's own words
    ASSERT_EQ(asked.buttons.size(), 3u);
    EXPECT_EQ(asked.buttons[0].id, kStarterOk);
    EXPECT_EQ(asked.buttons[0].text, "Ok");
    EXPECT_EQ(asked.buttons[2].text, "Ignore ...");

    // A game that is not started has had time to write its note by then.
    EXPECT_EQ(!WaitForStart(dir_, c.starts ? 10.0 : 0.5).empty(), c.starts);
    ASSERT_EQ(g_opened.size(), c.opensPage ? 1u : 0u);
    if (c.opensPage) {
      EXPECT_EQ(g_opened[0], asked.buttons[1].text);
    }
  }
}

TEST_F(StarterTest, TheProbeNamesTheFirstLibraryThatFailsAndClosesWhatItOpened) {
  const std::vector<std::string> present = {"libc.so.6", "libm.so.6"};
  StarterSetLibrariesForTests(&present);
  EXPECT_TRUE(CheckD3D9Present(false));
  EXPECT_EQ(StarterGetLoaderMessage(), "");
  EXPECT_TRUE(CheckD3D9Present(false));  // closed again, so it can probe again

  const std::vector<std::string> missingSdl = {"libc.so.6", "libSDL2-cardolia-missing.so.0"};
  StarterSetLibrariesForTests(&missingSdl);
  EXPECT_FALSE(CheckD3D9Present(false));
  EXPECT_NE(StarterGetLoaderMessage().find("libSDL2-cardolia-missing.so.0"), std::string::npos);
  EXPECT_STREQ(StarterVendorPage(), "https://packages.debian.org/bookworm/libsdl2-2.0-0");

  const std::vector<std::string> missingGl = {"libGL-cardolia-missing.so.1", "libc.so.6"};
  StarterSetLibrariesForTests(&missingGl);
  EXPECT_FALSE(ProbeD3D9Library());
  EXPECT_STREQ(StarterVendorPage(), "https://packages.debian.org/bookworm/libgl1");
}

TEST_F(StarterTest, AGameThatCannotBeStartedIsExplained) {
  const std::vector<std::string> present = {"libc.so.6"};
  StarterSetLibrariesForTests(&present);
  EXPECT_EQ(StarterMain(), 0);  // no Cardolia_DX9 in this folder
  ASSERT_EQ(g_asked.size(), 1u);
  EXPECT_NE(g_asked[0].lines[0].find("Cardolia_DX9"), std::string::npos);
  EXPECT_NE(g_asked[0].lines[0].find("No such file or directory"), std::string::npos) << g_asked[0].lines[0];
}

// The built program: the real renderer libraries of this machine load.
TEST_F(StarterTest, TheProgramStartsTheGameOfTheCurrentFolderWithoutArguments) {
  const std::string folder = dir_ + "/play";
  std::filesystem::create_directory(folder);
  WriteFakeGame(folder);
  const StarterRun run = RunStarter(kStarter, folder);
  EXPECT_EQ(run.status, 1) << run.errors;
  EXPECT_EQ(WaitForStart(folder), folder + " 0\n");
  EXPECT_EQ(run.errors, "");  // nothing to explain
}

TEST_F(StarterTest, TheProgramLooksForTheGameInTheCurrentFolderNotBesideItself) {
  const std::string beside = dir_ + "/installed";
  const std::string elsewhere = dir_ + "/elsewhere";
  std::filesystem::create_directory(beside);
  std::filesystem::create_directory(elsewhere);
  std::filesystem::copy_file(kStarter, beside + "/Vantrip_DX9");
  WriteFakeGame(beside);
  const StarterRun run = RunStarter(beside + "/Vantrip_DX9", elsewhere);
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.errors.find("Cardolia_DX9 could not be started"), std::string::npos) << run.errors;
  EXPECT_FALSE(std::filesystem::exists(beside + "/started.txt"));
}

TEST_F(StarterTest, TheProgramNeedsNoneOfTheGamesLibraries) {
  std::array<char, 4096> buffer{};
  std::string dynamic;
  const std::string command = "readelf -d '" + kStarter + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) dynamic += buffer.data();
  ASSERT_EQ(pclose(pipe), 0);
  ASSERT_NE(dynamic.find("NEEDED"), std::string::npos) << dynamic;
  for (const char* library : {"SDL", "libGL", "gtk", "gdk", "curl", "fluidsynth", "png", "jpeg", "freetype"}) {
    EXPECT_EQ(dynamic.find(library), std::string::npos) << library << "\n" << dynamic;
  }
  // Without the sanitizers' runtimes, the C library is all it loads.
  if (dynamic.find("libasan") == std::string::npos) {
    EXPECT_EQ(dynamic.find("libstdc++"), std::string::npos) << dynamic;
    EXPECT_EQ(dynamic.find("libgcc_s"), std::string::npos) << dynamic;
  }
}
