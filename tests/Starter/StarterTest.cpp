// Tests of the starter: its answers with a library that cannot be loaded
// (the question and the page opener replaced), the real question (its box
// loaded whatever the probe found, answered headless), and the built
// program Vantrip_DX9 run as a child in a temporary folder that holds a
// stand-in game, a shell script that writes the folder it runs in and its
// argument count; on a private X display the program's real box is
// answered with keys. The test process adopts the processes the starter
// leaves behind (a child subreaper), so it knows when a started game has
// ended, and that none was started. Screenshot:
// <build>/screenshots/starter-box.png.
#include <spawn.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Starter/Starter.h"
#include "Starter/StarterBox.h"
#include "Starter/StarterFit.h"
#include "tests/Support/ProgramHarness.h"
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

// The processes whose parent is this one, but for those kept (an X
// server of the test's own).
std::vector<pid_t> ChildrenBut(const std::vector<pid_t>& kept) {
  std::vector<pid_t> children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = ReadWhole(entry.path().string() + "/stat");
    const std::size_t end = stat.rfind(')');
    if (end == std::string::npos) continue;
    char state = 0;
    int parent = 0;
    if (std::sscanf(stat.c_str() + end + 1, " %c %d", &state, &parent) != 2 || parent != getpid()) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(name));
    if (std::find(kept.begin(), kept.end(), pid) == kept.end()) children.push_back(pid);
  }
  return children;
}

// Waits until every game the starter started has ended (they are this
// process's children, as the fixture adopts them) and gives how many
// there were; -1 when one still runs after the time.
int EndedGames(const std::vector<pid_t>& kept = {}, double seconds = 10) {
  int ended = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    const std::vector<pid_t> running = ChildrenBut(kept);
    for (const pid_t pid : running) ended += waitpid(pid, nullptr, WNOHANG) == pid;
    if (running.empty()) return ended;
    if (std::chrono::steady_clock::now() >= until) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// The stand-in game's note, once every game started has ended; empty when
// none was started.
std::string StartNote(const std::string& folder, const std::vector<pid_t>& kept = {}) {
  EXPECT_GE(EndedGames(kept), 0) << "a started game did not end";
  return ReadWhole(folder + "/started.txt");
}

struct StarterRun {
  int status = -1;
  std::string errors;
};

using EnvSettings = std::vector<std::pair<std::string, std::string>>;

// Starts the starter in folder with its stderr in errorsFile and the
// environment changed by env (an empty value removes the variable);
// headless unless env says otherwise. Its process id, or -1.
pid_t StartStarter(const std::string& program, const std::string& folder, const std::string& errorsFile,
                   const EnvSettings& env) {
  // Later settings of a name win over earlier ones and over the inherited.
  std::map<std::string, std::string> changes = {{"CARDOLIA_HEADLESS", "1"}};
  for (const auto& [name, value] : env) changes[name] = value;
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string line = *entry;
    if (!changes.count(line.substr(0, line.find('=')))) environment.push_back(line);
  }
  for (const auto& [name, value] : changes) {
    if (!value.empty()) environment.push_back(name + "=" + value);
  }
  std::vector<char*> envp;
  for (std::string& line : environment) envp.push_back(line.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::string previous = std::filesystem::current_path().string();
  std::filesystem::current_path(folder);
  std::string path = program;
  char* argv[] = {path.data(), nullptr};
  pid_t child = 0;
  const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, envp.data());
  std::filesystem::current_path(previous);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? child : -1;
}

// Waits (bounded) for the child to end: its exit status, or -1 after the
// time (the child is then killed).
int WaitForStarter(pid_t child, double seconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < until);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  return -1;
}

// Runs the starter in folder and collects its stderr.
StarterRun RunStarter(const std::string& program, const std::string& folder, const EnvSettings& env = {}) {
  StarterRun run;
  const std::string errorsFile = folder + "/../starter-errors.txt";
  const pid_t child = StartStarter(program, folder, errorsFile, env);
  if (child < 0) return run;
  run.status = WaitForStarter(child, 60);
  run.errors = ReadWhole(errorsFile);
  return run;
}

// A folder whose libraries stand in front of the system's (through
// LD_LIBRARY_PATH) and cannot be loaded: the loader refuses a file too short
// for an ELF header.
std::string BrokenLibraries(const std::string& folder, const std::vector<std::string>& names) {
  std::filesystem::create_directories(folder);
  for (const std::string& name : names) {
    std::ofstream(folder + "/" + name) << "not a shared object";
  }
  return folder;
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
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  }
  void TearDown() override {
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    StarterSetLibrariesForTests(nullptr);
    StarterSetAskForTests(nullptr);
    StarterSetOpenerForTests(nullptr);
    StarterBoxSetLibrariesForTests(nullptr, nullptr);
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

    EXPECT_EQ(!StartNote(dir_).empty(), c.starts);
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

// SDL's box of a missing library on a screen 1024 wide, its font measured
// as 10 pixels a character and 20 high: rows of at most two thirds of the
// screen, and a row of three buttons, each as wide as the widest caption
// and a line's height more, with a line's height between and around them,
// within nine tenths of it.
TEST_F(StarterTest, TheQuestionIsFittedToTheScreenForSdlsBox) {
  const SdlBoxMeasure tenPerCharacter = [](const char*, int length) { return length * 10; };
  const std::vector<std::string> missing = {"/home/ann/.local/lib/cardolia/renderer/libGL-cardolia-missing.so.1"};
  StarterSetLibrariesForTests(&missing);
  ASSERT_FALSE(ProbeD3D9Library());
  StarterMessage message = StarterMissingLibraryMessage();
  StarterFitMessage(&message, 1024, 20, tenPerCharacter);

  EXPECT_EQ(message.lines[0], "OpenGL and SDL 2 is needed to run Cardolia 3D");  // fits as it is
  EXPECT_EQ(message.lines[2],
            "Click on this button to go online and get the latest version of\nOpenGL and SDL 2 :");
  for (const std::string& line : message.lines) {
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
      end = line.find('\n', start);
      EXPECT_LE(line.substr(start, end == std::string::npos ? end : end - start).size(), 68u) << line;
    }
  }
  // (1024 x 9 / 10 - 7 x 20) / 3 = 260 pixels for a caption.
  EXPECT_EQ(message.buttons[0].text, "Ok");
  EXPECT_EQ(message.buttons[1].text, "https://pac...kworm/libgl1");
  EXPECT_EQ(message.buttons[2].text, "Ignore ...");
  // On a wide screen nothing changes.
  StarterMessage wide = StarterMissingLibraryMessage();
  StarterFitMessage(&wide, 2560, 20, tenPerCharacter);
  EXPECT_EQ(wide.lines[2], StarterMissingLibraryMessage().lines[2]);
  EXPECT_EQ(wide.buttons[1].text, "https://packages.debian.org/bookworm/libgl1");
}

// The real question, not replaced: whatever the probe found missing, and
// after it closed everything for a game that is not there, the box is
// loaded (SDL's, else GTK's) and, headless, logged and answered Ok; only
// without a display or without either kit the explanation goes to stderr.
TEST_F(StarterTest, TheRealQuestionIsABoxWhateverTheProbeFoundMissing) {
  StarterSetAskForTests(nullptr);
  ASSERT_TRUE(StarterIsHeadless());  // the tests' environment: a box never waits
  ProgramHarness display(dir_ + "/x");
  ASSERT_TRUE(display.StartDisplay(640, 480));
  const std::vector<pid_t> server = ChildrenBut({});
  constexpr const char* kNoSdl = "libSDL2-cardolia-missing.so.0";
  constexpr const char* kNoGtk = "libgtk-cardolia-missing.so.0";
  constexpr const char* kNoGl = "libGL-cardolia-missing.so.1";
  struct Case {
    const char* what;
    std::vector<std::string> libraries;
    const char* sdlKit;  // null: the real one
    const char* gtkKit;
    bool display;
    std::string shown;  // the start of stderr
    std::string detail;  // also in stderr
  };
  const std::string needed = "Cardolia 3D Launcher: OpenGL and SDL 2 is needed to run Cardolia 3D";
  const std::string explained = "Cardolia 3D Launcher\nOpenGL and SDL 2 is needed to run Cardolia 3D";
  const Case cases[] = {
      {"OpenGL missing: the probe never opened SDL", {kNoGl, "libc.so.6"}, nullptr, nullptr, true,
       "[message box, SDL] " + needed,
       "[Ok | https://packages.debian.org/bookworm/libgl1 | Ignore ...] -> Ok"},
      {"SDL missing: GTK's box", {"libc.so.6", kNoSdl}, kNoSdl, nullptr, true, "[message box, GTK] " + needed,
       "[Ok | https://packages.debian.org/bookworm/libsdl2-2.0-0 | Ignore ...] -> Ok"},
      {"no game: the probe closed everything", {"libc.so.6"}, nullptr, nullptr, true,
       "[message box, SDL] Cardolia 3D Launcher: Cardolia_DX9 could not be started from the current folder: "
       "No such file or directory",
       "[Ok] -> Ok"},
      {"neither kit: stderr", {kNoGl, "libc.so.6"}, kNoSdl, kNoGtk, true, explained,
       "https://packages.debian.org/bookworm/libgl1"},
      {"no display: stderr", {kNoGl, "libc.so.6"}, nullptr, nullptr, false, explained, kNoGl},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScopedEnv x11("DISPLAY", c.display ? display.Display().c_str() : nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    StarterSetLibrariesForTests(&c.libraries);
    StarterBoxSetLibrariesForTests(c.sdlKit, c.gtkKit);
    testing::internal::CaptureStderr();
    EXPECT_EQ(StarterMain(), 0);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.rfind(c.shown, 0), 0u) << errors;
    EXPECT_NE(errors.find(c.detail), std::string::npos) << errors;
    EXPECT_EQ(StartNote(dir_, server), "");  // Ok starts nothing
  }
}

// The built program: the real renderer libraries of this machine load.
TEST_F(StarterTest, TheProgramStartsTheGameOfTheCurrentFolderWithoutArguments) {
  const std::string folder = dir_ + "/play";
  std::filesystem::create_directory(folder);
  WriteFakeGame(folder);
  const StarterRun run = RunStarter(kStarter, folder);
  EXPECT_EQ(run.status, 1) << run.errors;
  EXPECT_EQ(StartNote(folder), folder + " 0\n");
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
  EXPECT_EQ(StartNote(beside), "");
}

// The built program on a display, not headless: its box comes up (SDL's, or
// GTK's where SDL cannot show one), Return and Escape close it, and with SDL
// missing too GTK's box takes Tab, Tab, Return as "Ignore ..." and starts
// the game. Headless the same box is logged and Ok answers.
TEST_F(StarterTest, TheProgramAsksInItsBoxOnADisplay) {
  const std::string shots = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
  std::filesystem::create_directories(shots);
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(h.StartDisplay(1024, 768));
  const std::vector<pid_t> server = ChildrenBut({});
  const std::string folder = dir_ + "/play";
  std::filesystem::create_directory(folder);
  WriteFakeGame(folder);
  const std::string noGl = BrokenLibraries(dir_ + "/no-gl", {"libGL.so.1"});
  const std::string noGlNoSdl = BrokenLibraries(dir_ + "/no-gl-no-sdl", {"libGL.so.1", "libSDL2-2.0.so.0"});
  const EnvSettings shown = {{"DISPLAY", h.Display()}, {"CARDOLIA_HEADLESS", "0"}, {"NO_AT_BRIDGE", "1"}};

  struct Case {
    const char* what;
    std::string libraries;
    std::vector<const char*> keys;
    bool starts;
  };
  const Case cases[] = {
      {"Return is Ok", noGl, {"Return"}, false},
      {"Escape closes", noGl, {"Escape"}, false},
      {"GTK: Ignore ...", noGlNoSdl, {"Tab", "Tab", "Return"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(folder + "/started.txt");
    EnvSettings env = shown;
    env.emplace_back("LD_LIBRARY_PATH", c.libraries);
    const std::string errors = dir_ + "/box-errors.txt";
    const pid_t child = StartStarter(kStarter, folder, errors, env);
    ASSERT_GT(child, 0);
    const ProgramHarness::WindowPlace box = h.WaitForWindow(kStarterTitle, 0, 30);
    // A box takes keys once it has drawn: something not black in its place.
    const auto drawn = [&] {
      const std::vector<unsigned long> pixels = h.Pixels();
      for (int y = std::max(box.y, 0); y < std::min(box.y + box.height, 768); ++y) {
        for (int x = std::max(box.x, 0); x < std::min(box.x + box.width, 1024); ++x) {
          if (pixels.size() == 1024u * 768u && pixels[static_cast<std::size_t>(y) * 1024 + x] != 0) return true;
        }
      }
      return false;
    };
    const bool boxDrawn = box.id && ProgramHarness::WaitUntil(drawn, 30, 0.1);
    if (!boxDrawn) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
    ASSERT_TRUE(boxDrawn) << "no window titled \"" << kStarterTitle << "\" drawn within 30 s\n" << ReadWhole(errors);
    if (&c == &cases[0]) h.Screenshot(shots + "starter-box.png");
    for (const char* key : c.keys) EXPECT_TRUE(h.KeyInto(box.id, key)) << key;
    EXPECT_EQ(WaitForStarter(child, 30), 0) << ReadWhole(errors);
    EXPECT_EQ(StartNote(folder, server), c.starts ? folder + " 0\n" : "");
  }

  // Headless, the box is loaded and logged, and Ok answers.
  const StarterRun run = RunStarter(kStarter, folder, {{"DISPLAY", h.Display()}, {"LD_LIBRARY_PATH", noGl}});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors.rfind("[message box, SDL] Cardolia 3D Launcher: OpenGL and SDL 2 is needed", 0), 0u)
      << run.errors;
  EXPECT_NE(run.errors.find(noGl + "/libGL.so.1: "), std::string::npos) << run.errors;  // the loader's words
}

// The box of a missing library on screens of two sizes, whatever fonts the
// system has: inside the screen; and when the starter is killed while it is
// up (SDL shows it from a child process), the box goes too. Screenshots:
// <build>/screenshots/starter-box-<width>.png.
TEST_F(StarterTest, TheBoxFitsTheScreenAndGoesWithTheStarter) {
  const std::string shots = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
  std::filesystem::create_directories(shots);
  const std::string folder = dir_ + "/play";
  std::filesystem::create_directory(folder);
  WriteFakeGame(folder);
  const std::string noGl = BrokenLibraries(dir_ + "/no-gl", {"libGL.so.1"});
  const std::pair<int, int> screens[] = {{1024, 768}, {1280, 1024}};
  for (const auto& [width, height] : screens) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    ProgramHarness h(dir_ + "/home-" + std::to_string(width));
    ASSERT_TRUE(h.StartDisplay(width, height));
    const std::vector<pid_t> server = ChildrenBut({});
    const EnvSettings env = {
        {"DISPLAY", h.Display()}, {"CARDOLIA_HEADLESS", "0"}, {"NO_AT_BRIDGE", "1"}, {"LD_LIBRARY_PATH", noGl}};
    const pid_t child = StartStarter(kStarter, folder, dir_ + "/box-errors.txt", env);
    ASSERT_GT(child, 0);
    const ProgramHarness::WindowPlace box = h.WaitForWindow(kStarterTitle, 0, 60);
    ASSERT_NE(box.id, 0u) << ReadWhole(dir_ + "/box-errors.txt");
    EXPECT_TRUE(box.x >= 0 && box.y >= 0 && box.x + box.width <= width && box.y + box.height <= height)
        << box.x << ", " << box.y << " " << box.width << " x " << box.height;
    h.Screenshot(shots + "starter-box-" + std::to_string(width) + ".png");

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return h.FindWindow(kStarterTitle).id == 0; }, 10))
        << "the box stayed after the starter was killed";
    // What the starter left (a box's process, adopted here) is ended.
    for (const pid_t left : ChildrenBut(server)) kill(left, SIGKILL);
    EXPECT_GE(EndedGames(server), 0);
  }
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
