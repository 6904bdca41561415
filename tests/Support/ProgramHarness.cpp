// ProgramHarness.cpp - the program test harness (see ProgramHarness.h).
#include "tests/Support/ProgramHarness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <png.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/Support/XServer.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The program's windows come and go while the harness looks at them: a
// window gone between listing and asking is no reason to end the test
// process (Xlib's own handler would exit).
int IgnoreXError(::Display*, XErrorEvent*) { return 0; }

::Display* OpenDisplay(const std::string& name) {
  XSetErrorHandler(IgnoreXError);
  return XOpenDisplay(name.c_str());
}

// Ends a child: SIGTERM, a grace time, then SIGKILL; reaps it.
void EndChild(int pid, double grace) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  const auto start = Clock::now();
  while (SecondsSince(start) < grace) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// Runs a program with arguments and extra environment, waits for it.
int RunAndWait(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  // This process's environment with env's entries in place of its own.
  std::vector<char*> envp;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('=') + 1);
    const bool replaced =
        std::any_of(env.begin(), env.end(), [&](const std::string& v) { return v.starts_with(name); });
    if (!replaced) envp.push_back(*e);
  }
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  // A spawn, not a fork: copying the sanitized test process's page tables
  // for every xdotool call cost more than the call.
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The colours (0xRRGGBB) of a row of an image read from the display: the
// words of the usual 32-bit layout read straight, any other through Xlib.
void ImageRow(XImage* image, int y, int width, std::vector<unsigned long>* out) {
  out->resize(static_cast<std::size_t>(width));
  unsigned long* colours = out->data();
  if (std::endian::native == std::endian::little && image->bits_per_pixel == 32 &&
      image->byte_order == LSBFirst && image->red_mask == 0xFF0000 &&
      image->green_mask == 0xFF00 && image->blue_mask == 0xFF) {
    const auto* words = reinterpret_cast<const std::uint32_t*>(image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line);
    for (int x = 0; x < width; ++x) colours[x] = words[x] & 0xFFFFFFu;
    return;
  }
  for (int x = 0; x < width; ++x) colours[x] = XGetPixel(image, x, y) & 0xFFFFFF;
}

// A window's title as UTF-8: its _NET_WM_NAME, else its WM_NAME in whatever
// encoding the window gave it (a box made in a UTF-8 locale names its
// WM_NAME UTF8_STRING, which XFetchName does not read). "" when it has none.
std::string WindowTitle(::Display* display, Window window) {
  const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
  XTextProperty property{};
  std::string title;
  if (!XGetTextProperty(display, window, &property, netName) || !property.value) {
    property = XTextProperty{};
    if (!XGetWMName(display, window, &property)) return title;
  }
  char** list = nullptr;
  int count = 0;
  if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && list && count > 0) {
    title = list[0];
  }
  if (list) XFreeStringList(list);
  if (property.value) XFree(property.value);
  return title;
}

// Writes an image read from the display to an open file as an RGB PNG.
bool WritePng(std::FILE* file, XImage* image, int width, int height) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (png && info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    // Screenshots are for a person to look at: the quickest compression.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    std::vector<unsigned long> colours;
    for (int y = 0; y < height; ++y) {
      ImageRow(image, y, width, &colours);
      for (int x = 0; x < width; ++x) {
        const unsigned long p = colours[static_cast<std::size_t>(x)];
        row[x * 3] = static_cast<unsigned char>((p >> 16) & 0xFF);
        row[x * 3 + 1] = static_cast<unsigned char>((p >> 8) & 0xFF);
        row[x * 3 + 2] = static_cast<unsigned char>(p & 0xFF);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    ok = true;
  }
  if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
  return ok;
}

// The code points of a UTF-8 text (a broken sequence ends it).
std::vector<char32_t> CodePoints(const std::string& utf8) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 4;
    if (i + length > utf8.size()) break;
    char32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back(cp);
    i += length;
  }
  return out;
}

// The small and the capital form of a Latin-1 letter (the same character
// twice for any other).
std::pair<char32_t, char32_t> LetterCases(char32_t cp) {
  if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) return {cp, cp - 0x20};
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return {cp + 0x20, cp};
  if (cp == 0xFF) return {0xFF, 0x178};
  return {cp, cp};
}

KeySym KeySymOf(char32_t cp) { return cp < 0x100 ? cp : 0x1000000 + cp; }

// xdotool types a character the keyboard map lacks by binding it to a
// spare key for that one stroke and undoing the binding straight after: a
// program that reads the stroke after the undo (one busy drawing a frame)
// finds no character on that key. A keyboard layout holds its letters all
// the time; so each character of the text beyond ASCII is bound here to a
// spare key of its own, for good, its capital on the shifted level, and
// xdotool then types it as a player's keyboard does.
bool BindCharactersOfText(::Display* x, const std::string& text) {
  int minKey = 0, maxKey = 0;
  XDisplayKeycodes(x, &minKey, &maxKey);
  int perKey = 0;
  KeySym* map = XGetKeyboardMapping(x, static_cast<KeyCode>(minKey), maxKey - minKey + 1, &perKey);
  if (!map) return false;
  auto bound = [&](KeySym sym) {
    for (int i = 0; i < (maxKey - minKey + 1) * perKey; ++i)
      if (map[i] == sym) return true;
    return false;
  };
  auto spare = [&](int key) {
    for (int j = 0; j < perKey; ++j)
      if (map[(key - minKey) * perKey + j] != NoSymbol) return false;
    return true;
  };
  bool ok = true;
  int key = maxKey;
  for (char32_t cp : CodePoints(text)) {
    if (cp < 0x80) continue;
    const auto [small, capital] = LetterCases(cp);
    KeySym pair[2] = {KeySymOf(small), KeySymOf(capital)};
    if (bound(pair[0]) || bound(pair[1])) continue;
    while (key >= minKey && !spare(key)) --key;
    if (key < minKey) {
      ok = false;
      break;
    }
    XChangeKeyboardMapping(x, key, 2, pair, 1);
    // Marked as taken in the copy, so the next character takes another key.
    for (int j = 0; j < perKey; ++j) map[(key - minKey) * perKey + j] = j < 2 ? pair[j] : NoSymbol;
    --key;
  }
  XFree(map);
  XSync(x, False);
  return ok;
}

}  // namespace

ProgramHarness::ProgramHarness(std::string home) : home_(std::move(home)) {
  std::filesystem::create_directories(home_);
  updateService_.SetReply("/cgi-bin/common/updater/CheckVersionV2.cgi",
                          HttpTestReply::Text("No new version exists at this time."));
}

ProgramHarness::~ProgramHarness() {
  EndChild(programPid_, 5.0);
  EndChild(serverPid_, 2.0);
}

bool ProgramHarness::StartDisplay(int width, int height) {
  width_ = width;
  height_ = height;
  TestXServer server;
  std::string why;
  if (!TestStartXServer(width, height, 10 * Patience(), &server, &why)) {
    std::fprintf(stderr, "ProgramHarness::StartDisplay: %s\n", why.c_str());
    return false;
  }
  serverPid_ = server.pid;
  display_ = server.display;
  return true;
}

bool ProgramHarness::StartProgram(const std::vector<std::string>& args, const std::string& lang) {
  // The waits read this run's log only.
  std::error_code ignored;
  std::filesystem::remove(UserFolder() + "/LogFile.txt", ignored);
  const std::string program = std::string(CARDOLIA_BUILD_DIR) + "/Cardolia_DX9";
  // The child's environment is made here: after the fork only exec-safe
  // calls are made (the harness's loopback server runs threads).
  std::vector<std::pair<std::string, std::string>> settings = {
      {"HOME", home_},
      {"XDG_DATA_HOME", home_ + "/data"},
      {"XDG_CONFIG_HOME", home_ + "/config"},
      {"DISPLAY", display_},
      {"LANG", lang},
      {"CARDOLIA_HEADLESS", "1"},
      {"SDL_AUDIODRIVER", "dummy"},
      {"CARDOLIA_SITE_URL", updateService_.Url("")},
  };
  settings.insert(settings.end(), env_.begin(), env_.end());
  const auto unset = [&](const std::string& name) {
    return std::find(unset_.begin(), unset_.end(), name) != unset_.end();
  };
  settings.erase(std::remove_if(settings.begin(), settings.end(), [&](const auto& s) { return unset(s.first); }),
                 settings.end());
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string line = *entry;
    const std::string name = line.substr(0, line.find('='));
    bool replaced = name == "LC_ALL" || name == "LC_MESSAGES" || unset(name);
    for (const auto& setting : settings) replaced = replaced || setting.first == name;
    if (!replaced) environment.push_back(line);
  }
  for (const auto& setting : settings) {
    // A later setting of the same name wins.
    const std::string prefix = setting.first + "=";
    environment.erase(std::remove_if(environment.begin(), environment.end(),
                                     [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }),
                      environment.end());
    environment.push_back(prefix + setting.second);
  }
  std::vector<char*> envp;
  for (std::string& line : environment) envp.push_back(line.data());
  envp.push_back(nullptr);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  const char* errorFile = stderrPath_.empty() ? nullptr : stderrPath_.c_str();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (chdir(CARDOLIA_BUILD_DIR) != 0) _exit(126);
    if (errorFile) {
      const int fd = open(errorFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || dup2(fd, STDERR_FILENO) < 0) _exit(126);
      close(fd);
    }
    execve(program.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  programPid_ = pid;
  exitCode_ = -1000;
  return true;
}

void ProgramHarness::SetProgramEnv(const std::string& name, const std::string& value) {
  env_.emplace_back(name, value);
}

void ProgramHarness::UnsetProgramEnv(const std::string& name) { unset_.push_back(name); }

void ProgramHarness::SendProgramStderrTo(const std::string& path) { stderrPath_ = path; }

bool ProgramHarness::WaitForLog(const std::string& text, double seconds) {
  const auto start = Clock::now();
  do {
    if (LogText().find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  } while (SecondsSince(start) < seconds * Patience());
  return false;
}

int ProgramHarness::WaitForExit(double seconds) {
  if (programPid_ <= 0) return exitCode_;
  const auto start = Clock::now();
  do {
    int status = 0;
    if (waitpid(programPid_, &status, WNOHANG) == programPid_) {
      programPid_ = -1;
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return exitCode_;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (SecondsSince(start) < seconds * Patience());
  return -1000;
}

void ProgramHarness::KillProgram() {
  if (programPid_ <= 0) return;
  kill(programPid_, SIGKILL);
  waitpid(programPid_, nullptr, 0);
  programPid_ = -1;
}

bool ProgramHarness::SignalProgram(int signalNumber) {
  return programPid_ > 0 && kill(programPid_, signalNumber) == 0;
}

bool ProgramHarness::StopDisplay() {
  if (serverPid_ <= 0) return false;
  EndChild(serverPid_, 2.0);
  serverPid_ = -1;
  return true;
}

bool ProgramHarness::IsProgramRunning() {
  return programPid_ > 0 && waitpid(programPid_, nullptr, WNOHANG) == 0;
}

bool ProgramHarness::RunXdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  return RunAndWait(argv, {"DISPLAY=" + display_}) == 0;
}

bool ProgramHarness::MovePixel(int x, int y) {
  // xdotool's --sync waits for a move, and when the pointer is there already
  // none comes: it gives up only after some 15 s.
  if (::Display* display = OpenDisplay(display_)) {
    Window root = 0, child = 0;
    int rootX = -1, rootY = -1, windowX = 0, windowY = 0;
    unsigned mask = 0;
    const bool known =
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask);
    XCloseDisplay(display);
    if (known && rootX == x && rootY == y) return true;
  }
  return RunXdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

bool ProgramHarness::MoveVirtual(float x, float y) {
  return MovePixel(static_cast<int>(std::lround(x * width_ / 640.0f)), static_cast<int>(std::lround(y * height_ / 480.0f)));
}

bool ProgramHarness::ClickVirtual(float x, float y) {
  return ClickPixel(static_cast<int>(std::lround(x * width_ / 640.0f)), static_cast<int>(std::lround(y * height_ / 480.0f)));
}

bool ProgramHarness::ClickAndMoveAwayVirtual(float x, float y) {
  if (!MoveVirtual(x, y)) return false;
  Settle(0.1);  // pacing: the program sees the pointer arrive first
  return ClickHereAndMoveAway();
}

bool ProgramHarness::ClickHereAndMoveAway() {
  return RunXdotool({"mousedown", "1", "mouseup", "1", "mousemove_relative", "40", "0"});
}

bool ProgramHarness::MouseDown() { return RunXdotool({"mousedown", "1"}); }
bool ProgramHarness::MouseUp() { return RunXdotool({"mouseup", "1"}); }

bool ProgramHarness::DragVirtual(float fromX, float fromY, float toX, float toY) {
  constexpr int kSteps = 8;
  if (!MoveVirtual(fromX, fromY)) return false;
  Settle(0.15);
  if (!MouseDown()) return false;
  Settle(0.15);
  for (int i = 1; i <= kSteps; ++i) {
    const float t = static_cast<float>(i) / kSteps;
    if (!MoveVirtual(fromX + (toX - fromX) * t, fromY + (toY - fromY) * t)) return false;
    Settle(0.05);
  }
  Settle(0.15);
  return MouseUp();
}

bool ProgramHarness::Key(const std::string& keys) { return RunXdotool({"key", keys}); }
bool ProgramHarness::Type(const std::string& text) {
  if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    ::Display* x = OpenDisplay(display_);
    if (!x) return false;
    const bool bound = BindCharactersOfText(x, text);
    XCloseDisplay(x);
    if (!bound) return false;
  }
  return RunXdotool({"type", "--delay", "30", text});
}

void ProgramHarness::Settle(double seconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
}

bool ProgramHarness::WaitUntil(const std::function<bool()>& condition, double seconds, double pollSeconds) {
  const auto start = Clock::now();
  while (!condition()) {
    if (SecondsSince(start) >= seconds * Patience()) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(pollSeconds * 1e6)));
  }
  return true;
}

bool ProgramHarness::WaitForPixel(float x, float y, const std::function<bool(int r, int g, int b)>& test,
                                  double seconds) {
  return WaitUntil(
      [&] {
        const long c = PixelVirtual(x, y);
        return c >= 0 && test(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                              static_cast<int>(c & 0xFF));
      },
      seconds);
}

bool ProgramHarness::WaitForPixelIn(float left, float top, float right, float bottom,
                                    const std::function<bool(int r, int g, int b)>& test, double seconds) {
  const int x0 = static_cast<int>(left * width_ / 640.0f), y0 = static_cast<int>(top * height_ / 480.0f);
  const int x1 = std::min(width_, static_cast<int>(right * width_ / 640.0f));
  const int y1 = std::min(height_, static_cast<int>(bottom * height_ / 480.0f));
  if (x0 < 0 || y0 < 0 || x1 <= x0 || y1 <= y0) return false;
  return WaitUntil(
      [&] {
        ::Display* x = OpenDisplay(display_);
        if (!x) return false;
        XImage* image = XGetImage(x, DefaultRootWindow(x), x0, y0, static_cast<unsigned>(x1 - x0),
                                  static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
        bool found = false;
        if (image) {
          std::vector<unsigned long> colours;
          for (int y = 0; y < y1 - y0 && !found; ++y) {
            ImageRow(image, y, x1 - x0, &colours);
            for (unsigned long c : colours) {
              if (test(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                       static_cast<int>(c & 0xFF))) {
                found = true;
                break;
              }
            }
          }
          XDestroyImage(image);
        }
        XCloseDisplay(x);
        return found;
      },
      seconds);
}

ProgramHarness::WindowPlace ProgramHarness::WaitForWindow(const std::string& title, int minHeight, double seconds) {
  WindowPlace place;
  WaitUntil([&] { return (place = FindWindow(title, minHeight)).id != 0; }, seconds, 0.1);
  return place;
}

bool ProgramHarness::Screenshot(const std::string& pngPath) {
  ::Display* x = OpenDisplay(display_);
  if (!x) return false;
  const Window root = DefaultRootWindow(x);
  XImage* image = XGetImage(x, root, 0, 0, static_cast<unsigned>(width_), static_cast<unsigned>(height_),
                            AllPlanes, ZPixmap);
  bool ok = false;
  if (image) {
    std::FILE* file = std::fopen(pngPath.c_str(), "wb");
    if (file) {
      ok = WritePng(file, image, width_, height_);
      ok = std::fclose(file) == 0 && ok;
    }
    XDestroyImage(image);
  }
  XCloseDisplay(x);
  return ok;
}

std::vector<unsigned long> ProgramHarness::Pixels() {
  std::vector<unsigned long> pixels;
  ::Display* x = OpenDisplay(display_);
  if (!x) return pixels;
  XImage* image = XGetImage(x, DefaultRootWindow(x), 0, 0, static_cast<unsigned>(width_),
                            static_cast<unsigned>(height_), AllPlanes, ZPixmap);
  if (image) {
    pixels.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    std::vector<unsigned long> colours;
    for (int y = 0; y < height_; ++y) {
      ImageRow(image, y, width_, &colours);
      pixels.insert(pixels.end(), colours.begin(), colours.end());
    }
    XDestroyImage(image);
  }
  XCloseDisplay(x);
  return pixels;
}

long ProgramHarness::PixelVirtual(float vx, float vy) {
  ::Display* x = OpenDisplay(display_);
  if (!x) return -1;
  const int px = static_cast<int>(vx * width_ / 640.0f), py = static_cast<int>(vy * height_ / 480.0f);
  XImage* image = XGetImage(x, DefaultRootWindow(x), px, py, 1, 1, AllPlanes, ZPixmap);
  long colour = -1;
  if (image) {
    colour = static_cast<long>(XGetPixel(image, 0, 0) & 0xFFFFFF);
    XDestroyImage(image);
  }
  XCloseDisplay(x);
  return colour;
}

bool ProgramHarness::WaitUntilDrawn(float x, float y, double seconds, double pollSeconds) {
  const auto start = Clock::now();
  do {
    const long colour = PixelVirtual(x, y);
    if (colour > 0) return true;
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(pollSeconds * 1e6)));
  } while (SecondsSince(start) < seconds * Patience());
  return false;
}

bool ProgramHarness::IsWindowMapped() {
  ::Display* x = OpenDisplay(display_);
  if (!x) return false;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  bool mapped = false;
  if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !mapped; ++i) {
      XWindowAttributes attributes;
      if (XGetWindowAttributes(x, children[i], &attributes) && attributes.map_state == IsViewable) mapped = true;
    }
    if (children) XFree(children);
  }
  XCloseDisplay(x);
  return mapped;
}

ProgramHarness::WindowPlace ProgramHarness::FindWindow(const std::string& title, int minHeight) {
  return FindWindowOn(display_, title, minHeight);
}

ProgramHarness::WindowPlace ProgramHarness::FindWindowOn(const std::string& display, const std::string& title,
                                                         int minHeight) {
  WindowPlace place;
  ::Display* x = OpenDisplay(display);
  if (!x) return place;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !place.id; ++i) {
      XWindowAttributes attributes;
      if (!XGetWindowAttributes(x, children[i], &attributes) || attributes.map_state != IsViewable ||
          attributes.height < minHeight) {
        continue;
      }
      if (WindowTitle(x, children[i]) == title) {
        place = {children[i], attributes.x, attributes.y, attributes.width, attributes.height};
      }
    }
    if (children) XFree(children);
  }
  XCloseDisplay(x);
  return place;
}

namespace {

constexpr double kDialogUnitsWide = 254;

// A point of the start-up dialog in display pixels.
void DialogPoint(const ProgramHarness::WindowPlace& dialog, double unitsX, double unitsY, int* x, int* y) {
  const double scale = dialog.width / kDialogUnitsWide;
  *x = dialog.x + static_cast<int>(std::lround(unitsX * scale));
  *y = dialog.y + static_cast<int>(std::lround(unitsY * scale));
}

}  // namespace

ProgramHarness::WindowPlace ProgramHarness::WaitForStartupDialog(double seconds) {
  WindowPlace dialog;
  // PLAY's caption: dark pixels across the middle of the button.
  const auto playDrawn = [&] {
    int left = 0, top = 0, right = 0, bottom = 0;
    DialogPoint(dialog, 96, 250, &left, &top);
    DialogPoint(dialog, 156, 260, &right, &bottom);
    const std::vector<unsigned long> pixels = Pixels();
    for (int y = std::max(top, 0); y < std::min(bottom, height_) && !pixels.empty(); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, width_); ++x) {
        const unsigned long c = pixels[static_cast<std::size_t>(y) * width_ + x];
        if (((c >> 16) & 0xFF) < 100 && ((c >> 8) & 0xFF) < 100 && (c & 0xFF) < 100) return true;
      }
    }
    return false;
  };
  const bool drawn = WaitUntil([&] { return (dialog = FindWindow("Free Cardolia 3D", 300)).id != 0 && playDrawn(); },
                               seconds, 0.1);
  return drawn ? dialog : WindowPlace();
}

bool ProgramHarness::ClickInDialog(const WindowPlace& dialog, double unitsX, double unitsY) {
  int x = 0, y = 0;
  DialogPoint(dialog, unitsX, unitsY, &x, &y);
  return ClickPixel(x, y);
}

bool ProgramHarness::ClickPixel(int x, int y) {
  if (!MovePixel(x, y)) return false;
  // A press near the last one within SDL's double-click time (0.5 s, 32
  // pixels) reaches the program as a double click, which a push button
  // does not take: a second click there waits that time out, as a player's
  // two separate clicks do. Then a moment for the program to see the move.
  const double sinceLast = std::chrono::duration<double>(Clock::now() - lastClick_).count();
  const bool near = std::abs(x - lastClickX_) <= 32 && std::abs(y - lastClickY_) <= 32;
  Settle(near && sinceLast < 0.6 ? 0.6 - sinceLast : 0.1);
  const bool clicked = RunXdotool({"click", "1"});
  lastClick_ = Clock::now();
  lastClickX_ = x;
  lastClickY_ = y;
  return clicked;
}

bool ProgramHarness::KeyInto(unsigned long window, const std::string& keys) {
  return RunXdotool({"windowfocus", "--sync", std::to_string(window)}) && RunXdotool({"key", keys});
}

bool ProgramHarness::GiveFocus(unsigned long window) {
  ::Display* x = OpenDisplay(display_);
  if (!x) return false;
  XSetInputFocus(x, window ? window : DefaultRootWindow(x), RevertToPointerRoot, CurrentTime);
  XSync(x, False);
  XCloseDisplay(x);
  return true;
}

bool ProgramHarness::ResizeWindow(unsigned long window, int width, int height) {
  return RunXdotool({"windowsize", std::to_string(window), std::to_string(width), std::to_string(height)});
}

bool ProgramHarness::MoveWindow(unsigned long window, int x, int y) {
  return RunXdotool({"windowmove", std::to_string(window), std::to_string(x), std::to_string(y)});
}

long ProgramHarness::ProgramPeakMemoryKiB() const {
  if (programPid_ <= 0) return -1;
  std::ifstream in("/proc/" + std::to_string(programPid_) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

std::string ProgramHarness::UserFolder() const { return home_ + "/data/Quarnix/Free Cardolia 3D"; }

std::string ProgramHarness::LogText() const {
  std::ifstream in(UserFolder() + "/LogFile.txt", std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string ProgramHarness::LogErrorLines() const {
  const std::string log = LogText();
  std::string errors;
  for (std::size_t start = 0; start < log.size();) {
    std::size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    const std::string line = log.substr(start, end - start);
    if (line.find(" <ERROR> ") != std::string::npos) errors += line + "\n";
    start = end + 1;
  }
  return errors;
}

bool ProgramHarness::LogHasError() const { return LogText().find(" <ERROR> ") != std::string::npos; }
