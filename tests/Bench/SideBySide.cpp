// SideBySide.cpp - the game program Cardolia_DX9 ("ours") and GNOME's
// solitaire program sol (package aisleriot, "the peer", run only as a black
// box: started, looked at and clicked, nothing of it read) measured
// alternately on one private X server (Xvfb 1280 x 1024, Mesa llvmpipe) as a
// player meets them. tests/Bench/side-by-side.sh builds and runs it; it
// prints the medians of the runs side by side, each beside every run's own
// figure:
//
//   start to first picture   the process is started -> the window shows
//                            something other than black (the start figure:
//                            ours presents a black frame first, by design)
//   start to window          -> its main window exists
//   start to first frame     -> the first drawing reaches that window
//   Continue Player          ours: its press -> the main menu, the player
//                            loaded (no popup over it)
//   deal                     Klondike: the press that deals (ours: Return on
//                            the note after the deal number kDeal; the peer:
//                            New Game) -> the last card has landed (the
//                            table then stays still for 1 s)
//   CPU ...                  the process's CPU time over 10 s, all threads,
//                            in % of one core: a still table, the main menu,
//                            the player selection, a card dragged in circles
//   drag to pixel            a pointer move with a card held -> the pixel
//                            under the pointer changes (20 moves)
//   RSS ...                  resident memory (VmRSS) and its peak so far
//                            (VmHWM) at each screen
// With --memory, ours runs once more under heaptrack up to each screen and
// is killed there: the heap it holds then, split into ours and what the GL
// driver allocated, and its resident statics are printed (0 runs: only
// that). The heap is counted as allocated: the game records' piles that no
// game uses are allocated but never take memory.
//
// Ours runs with a prepared player (Ann) and settings that ask for no
// dialog at start-up; its first run generates the cards and is not counted
// (the later ones are warm starts, each from the folder the first left,
// without a saved game), and every run deals the same cards. Each screen is
// checked to be there, by what only it shows, before and after it is
// measured (the player selection's title and buttons, the main menu's
// title and New Game, a dealt card with the menu gone); a run that misses
// one counts nowhere. Clicks are a person's: press, release, a moment's
// rest, then the pointer moves away; what a click starts is timed from its
// press against the screen as it was before the press. The peer runs with
// private settings (GSETTINGS_BACKEND=memory) and opens on Klondike; it
// takes no deal number, so its deals differ. Beside the runs the machine's
// load at each run's start is printed, and every run's screenshots are
// kept (run<run>-<screen>.png; run 0 is each program's first start).
//
// Usage: SideBySide [runs] [--memory] [--keep] [--shots <folder>] [--ours]
// (--keep leaves the runs' folders and heaptrack's files in place; --shots
// names the screenshots' folder, <build>/side-by-side-shots unless given;
// --ours runs ours alone, for comparing two builds of it.)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "App/Resolution.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "tests/Support/ProgramHarness.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kWidth = 1280, kHeight = 1024;
constexpr double kCpuSeconds = 10;

double MsSince(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }
double MsBetween(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}
void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(seconds * 1e6))); }

// ---- the process from outside ------------------------------------------------------

// User plus system time of every thread, in seconds; -1 when it is gone.
double CpuSeconds(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(in, text);
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::atof(field.c_str());  // utime, stime
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// A "Key:" line of /proc/<pid>/<file> (status, smaps_rollup) in MiB; -1
// when unknown.
double ProcMiB(int pid, const char* file, const char* key) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::strlen(key)) / 1024.0;
  }
  return -1;
}

// CPU over the seconds in % of one core; during() is called in a loop
// meanwhile (or the time is slept through).
double CpuPercent(int pid, double seconds, const std::function<void()>& during = {}) {
  const double before = CpuSeconds(pid);
  const auto start = Clock::now();
  while (MsSince(start) < seconds * 1000) {
    if (during) {
      during();
    } else {
      Sleep(0.05);
    }
  }
  const double wall = MsSince(start) / 1000;
  const double after = CpuSeconds(pid);
  return before < 0 || after < 0 ? -1 : (after - before) / wall * 100;
}

// The peer's process: started with its own folders, ended with SIGTERM.
int StartPeer(const std::string& display, const std::string& home) {
  std::filesystem::create_directories(home);
  const std::vector<std::string> env = {
      "PATH=/usr/games:/usr/bin:/bin", "HOME=" + home, "XDG_CONFIG_HOME=" + home + "/config",
      "XDG_DATA_HOME=" + home + "/data", "XDG_CACHE_HOME=" + home + "/cache", "DISPLAY=" + display,
      "GSETTINGS_BACKEND=memory", "NO_AT_BRIDGE=1", "LANG=C.UTF-8"};
  std::vector<char*> envp;
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(home.c_str()) != 0) _exit(126);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, 1);
      dup2(null, 2);
    }
    char* argv[] = {const_cast<char*>("sol"), nullptr};
    execve("/usr/games/sol", argv, envp.data());
    _exit(127);
  }
  return pid;
}

void EndProcess(int pid, double grace) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  const auto start = Clock::now();
  while (MsSince(start) < grace * 1000) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    Sleep(0.02);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// ---- the display from outside --------------------------------------------------------

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
};

// The bench's own connection: new top-level windows, the first drawing
// into one, screen pixels, and pointer and button input through XTEST.
// A watched window may go before its damage object is let go.
int IgnoreXError(::Display*, XErrorEvent*) { return 0; }

class Watch {
 public:
  explicit Watch(const std::string& display) {
    x_ = XOpenDisplay(display.c_str());
    if (!x_) return;
    XSetErrorHandler(IgnoreXError);
    root_ = DefaultRootWindow(x_);
    int error = 0;
    damageOk_ = XDamageQueryExtension(x_, &damageEvent_, &error);
    XSelectInput(x_, root_, SubstructureNotifyMask);
    XSync(x_, False);
  }
  ~Watch() {
    if (x_) XCloseDisplay(x_);
  }
  bool Ok() const { return x_ && damageOk_; }

  // Forgets the events so far (call before a start).
  void Forget() {
    XSync(x_, False);
    while (XPending(x_)) {
      XEvent e;
      XNextEvent(x_, &e);
    }
    if (damage_) XDamageDestroy(x_, damage_);
    damage_ = 0;
    window_ = 0;
  }

  // Waits for a new top-level window of at least the size; from then on
  // drawing into it is watched. Its place, or an empty rectangle in time.
  Rect WaitForWindow(int minW, int minH, Clock::time_point deadline, Clock::time_point* when) {
    Rect place;
    while (!window_ && Wait(deadline)) {
      XEvent e;
      XNextEvent(x_, &e);
      if (e.type == CreateNotify && e.xcreatewindow.parent == root_ && e.xcreatewindow.width >= minW &&
          e.xcreatewindow.height >= minH) {
        *when = Clock::now();
        window_ = e.xcreatewindow.window;
        XSelectInput(x_, window_, StructureNotifyMask);
        damage_ = XDamageCreate(x_, window_, XDamageReportNonEmpty);
        XFlush(x_);
        place = {e.xcreatewindow.x, e.xcreatewindow.y, e.xcreatewindow.width, e.xcreatewindow.height};
      }
    }
    return place;
  }

  // Waits for the first drawing into the watched window after it was
  // mapped (what the server paints at the mapping is not counted).
  bool WaitForDrawing(Clock::time_point deadline, Clock::time_point* when) {
    bool mapped = false;
    while (window_ && Wait(deadline)) {
      XEvent e;
      XNextEvent(x_, &e);
      if (e.type == MapNotify && e.xmap.window == window_ && !mapped) {
        mapped = true;
        XDamageSubtract(x_, damage_, None, None);
        XSync(x_, False);
        // Drop the damage of the mapping that came before the subtraction.
        XEvent drop;
        while (XCheckTypedEvent(x_, damageEvent_ + XDamageNotify, &drop)) {}
      } else if (mapped && e.type == damageEvent_ + XDamageNotify) {
        *when = Clock::now();
        return true;
      }
    }
    return false;
  }

  unsigned long Window() const { return window_; }

  // The pixels of a rectangle (0xRRGGBB, rows top first); empty on failure.
  std::vector<std::uint32_t> Grab(const Rect& r) {
    std::vector<std::uint32_t> pixels;
    XImage* image = XGetImage(x_, root_, r.x, r.y, static_cast<unsigned>(r.w), static_cast<unsigned>(r.h),
                              AllPlanes, ZPixmap);
    if (!image) return pixels;
    pixels.resize(static_cast<std::size_t>(r.w) * static_cast<std::size_t>(r.h));
    if (image->bits_per_pixel == 32) {
      for (int y = 0; y < r.h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image->data + y * image->bytes_per_line);
        for (int x = 0; x < r.w; ++x) pixels[static_cast<std::size_t>(y * r.w + x)] = row[x] & 0xFFFFFF;
      }
    } else {
      for (int y = 0; y < r.h; ++y) {
        for (int x = 0; x < r.w; ++x)
          pixels[static_cast<std::size_t>(y * r.w + x)] = XGetPixel(image, x, y) & 0xFFFFFF;
      }
    }
    XDestroyImage(image);
    return pixels;
  }

  void Move(int x, int y) {
    XTestFakeMotionEvent(x_, -1, x, y, CurrentTime);
    XFlush(x_);
  }
  void Button(bool down) {
    XTestFakeButtonEvent(x_, 1, down ? True : False, CurrentTime);
    XFlush(x_);
  }
  // A person's click: onto the place, a moment's rest, press, release, a
  // moment's rest, then the pointer moves away. What the click starts
  // starts at the press, so it answers the press's moment and calls look()
  // in a loop through the rests after it (a program that answers within
  // the gesture is seen doing so).
  Clock::time_point ClickAndLeave(int x, int y, const std::function<void()>& look = {}) {
    Move(x, y);
    Sleep(0.1);
    const auto press = Clock::now();
    Button(true);
    Pass(0.08, look);
    Button(false);
    Pass(0.15, look);
    Move(kWidth - 1, kHeight - 1);
    return press;
  }
  // A key pressed and released as a person does (a keysym name: "Return",
  // "1"), timed and watched from the press as a click is.
  Clock::time_point Key(const char* name, const std::function<void()>& look = {}) {
    const KeyCode code = XKeysymToKeycode(x_, XStringToKeysym(name));
    const auto press = Clock::now();
    XTestFakeKeyEvent(x_, code, True, CurrentTime);
    XFlush(x_);
    Pass(0.08, look);
    XTestFakeKeyEvent(x_, code, False, CurrentTime);
    XFlush(x_);
    Pass(0.1, look);
    return press;
  }
  void Type(const std::string& digits) {
    for (const char c : digits) Key(std::string(1, c).c_str());
  }

 private:
  void Pass(double seconds, const std::function<void()>& look) {
    const auto start = Clock::now();
    while (MsSince(start) < seconds * 1000) {
      if (look) look();
      Sleep(0.005);
    }
  }
  // True when an event is waiting before the deadline.
  bool Wait(Clock::time_point deadline) {
    while (!XPending(x_)) {
      const double left = MsBetween(Clock::now(), deadline);
      if (left <= 0) return false;
      pollfd fd{ConnectionNumber(x_), POLLIN, 0};
      poll(&fd, 1, static_cast<int>(std::min(left, 50.0)) + 1);
    }
    return true;
  }

  ::Display* x_ = nullptr;
  ::Window root_ = 0;
  int damageEvent_ = 0;
  bool damageOk_ = false;
  ::Window window_ = 0;
  Damage damage_ = 0;
};

// The share of the pixels (0 to 1) that differ between two grabs of one
// rectangle; 0 when either is missing.
double ChangedShare(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  if (a.empty() || a.size() != b.size()) return 0;
  std::size_t changed = 0;
  for (std::size_t i = 0; i < a.size(); ++i) changed += a[i] != b[i];
  return static_cast<double>(changed) / static_cast<double>(a.size());
}

bool IsBlack(std::uint32_t c) { return ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF) + (c & 0xFF) < 24; }

// The first moment the rectangle shows a pixel that is not black (the
// pointer's corner, where ours draws its pointer, left out).
bool WaitForPicture(Watch& s, const Rect& r, Clock::time_point deadline, Clock::time_point* when) {
  while (Clock::now() < deadline) {
    const std::vector<std::uint32_t> p = s.Grab(r);
    const auto now = Clock::now();
    for (int y = 0; y < r.h; y += 2) {
      for (int x = 0; x < r.w; x += 2) {
        if (r.x + x >= kWidth - 64 && r.y + y >= kHeight - 64) continue;
        if (!p.empty() && !IsBlack(p[static_cast<std::size_t>(y * r.w + x)])) {
          *when = now;
          return true;
        }
      }
    }
    Sleep(0.005);
  }
  return false;
}

// A rectangle's changes from a reference picture on (taken before the
// input that changes it): each Look grabs it and notes the moment of its
// last change.
struct Changes {
  Watch& s;
  Rect r;
  std::vector<std::uint32_t> last;
  Clock::time_point lastChange;

  // From the rectangle as it is now.
  static Changes From(Watch& s, const Rect& r) { return Changes{s, r, s.Grab(r), Clock::now()}; }
  void Look() {
    std::vector<std::uint32_t> now = s.Grab(r);
    const auto t = Clock::now();
    if (now != last) {
      lastChange = t;
      last = std::move(now);
    }
  }
};

// Looks at the rectangle until it has not changed for quiet seconds (the
// last change then in c.lastChange; the reference's moment when nothing
// changed). False when seconds have passed since start.
bool WaitForStill(Changes& c, double quiet, double seconds, Clock::time_point start) {
  while (MsSince(start) < seconds * 1000) {
    c.Look();
    if (MsSince(c.lastChange) >= quiet * 1000) return true;
    Sleep(0.02);
  }
  return false;
}

// A screen looked for until it shows (its test on the display's pixels):
// the moment it was first seen.
struct Sighting {
  Watch& s;
  std::function<bool(Watch&)> shows;
  bool seen = false;
  Clock::time_point when;

  void Look() {
    if (!seen && shows(s)) {
      seen = true;
      when = Clock::now();
    }
  }
};

// Looks until the screen shows; false after the seconds.
bool WaitToSee(Sighting& sight, double seconds) {
  const auto start = Clock::now();
  while (!sight.seen && MsSince(start) < seconds * 1000) {
    sight.Look();
    if (!sight.seen) Sleep(0.01);
  }
  return sight.seen;
}

// Pointer moves with a card held: the time from each move to the first
// change of the pixels around the new pointer position.
std::vector<double> DragLatencies(Watch& s, int ax, int ay, int bx, int by, int moves) {
  std::vector<double> out;
  for (int i = 0; i < moves; ++i) {
    const int x = (i % 2) ? ax : bx, y = (i % 2) ? ay : by;
    const Rect around{x - 3, y - 3, 7, 7};
    Sleep(0.12);
    const std::vector<std::uint32_t> before = s.Grab(around);
    const auto t = Clock::now();
    s.Move(x, y);
    while (MsSince(t) < 1000) {
      if (s.Grab(around) != before) {
        out.push_back(MsSince(t));
        break;
      }
    }
  }
  return out;
}

// A card dragged in circles of the radius around (x, y), one pointer move
// every 10 ms.
std::function<void()> Circling(Watch& s, int x, int y, int radius) {
  auto step = std::make_shared<int>(0);
  return [&s, x, y, radius, step] {
    const double a = (*step)++ * 0.08;
    s.Move(x + static_cast<int>(radius * std::cos(a)), y + static_cast<int>(radius * std::sin(a)));
    Sleep(0.01);
  };
}

// ---- results --------------------------------------------------------------------------

using Figures = std::map<std::string, std::vector<double>>;

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Add(Figures& f, const std::string& name, double value) {
  if (value >= 0) f[name].push_back(value);
}

// The memory figures of a screen, taken the same way for both programs:
// resident now and at its peak (shared libraries counted whole: the GL
// driver's LLVM alone is tens of MiB), the proportional share (shared pages
// split among the processes that map them) and the anonymous pages (the
// process's own heap and statics, its driver's included).
void AddMemory(Figures& f, int pid, const std::string& screen) {
  Add(f, "rss " + screen, ProcMiB(pid, "status", "VmRSS:"));
  Add(f, "hwm " + screen, ProcMiB(pid, "status", "VmHWM:"));
  Add(f, "pss " + screen, ProcMiB(pid, "smaps_rollup", "Pss:"));
  Add(f, "anon " + screen, ProcMiB(pid, "status", "RssAnon:"));
}

// Every run's screens are kept for a reader to check, named by the run
// ("run0-": the first start of each, which counts nowhere).
std::string g_shots;
int g_run = 0;
void Shot(ProgramHarness& h, const std::string& name) {
  h.Screenshot(g_shots + "/run" + std::to_string(g_run) + "-" + name + ".png");
}

// The machine's load average over the last minute; -1 when unknown.
double LoadAverage() {
  std::ifstream in("/proc/loadavg");
  double load = -1;
  in >> load;
  return in ? load : -1;
}

// ---- ours ----------------------------------------------------------------------------------

// Ann, on Klondike's Game page, and settings that ask for nothing at start:
// no dialog, the update checked today, the Internet test passed, About seen.
void PrepareOurs(const std::string& folder) {
  std::filesystem::create_directories(folder + "/Users");
  EngEncryptionInit("Mplx4QoragZn_265");
  UserRecord ann;
  std::strcpy(ann.name, "Ann");
  std::strcpy(ann.country, "Germany");
  ann.menuGame = kGameKlondike;
  std::uint8_t user[kUserRecordFileSize];
  UserRecordToBytes(ann, user);
  EngEncryptionEncryptAndWriteToFile((folder + "/Users/Ann.usr").c_str(), user, sizeof user);

  ResolutionSetDefaults();
  g_ResolutionSettings.showDialog = 0;
  EngMiscGetLocalDate(&g_ResolutionSettings.lastUpdateCheck);
  g_ResolutionSettings.httpTest = 1;
  g_ResolutionSettings.showAbout = 2;
  g_ResolutionSettings.fullWidth = kWidth;
  g_ResolutionSettings.fullHeight = kHeight;
  std::snprintf(g_ResolutionSettings.lastPlayer, sizeof g_ResolutionSettings.lastPlayer, "%s", "Ann");
  std::uint8_t bytes[kResolutionFileSize];
  ResolutionToBytes(g_ResolutionSettings, bytes);
  std::ofstream(folder + "/Resolution.dat", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

int Px(float virtualX) { return static_cast<int>(std::lround(virtualX * kWidth / 640.0f)); }
int Py(float virtualY) { return static_cast<int>(std::lround(virtualY * kHeight / 480.0f)); }

// True once the pixel at the virtual point passes the test; false after
// the time.
template <typename Test>
bool WaitForPixel(Watch& s, float vx, float vy, Test test, double seconds) {
  const auto start = Clock::now();
  while (MsSince(start) < seconds * 1000) {
    const std::vector<std::uint32_t> p = s.Grab({Px(vx), Py(vy), 1, 1});
    if (!p.empty() && test(p[0])) return true;
    Sleep(0.02);
  }
  return false;
}

struct Rgb {
  int r, g, b;
};
Rgb Split(std::uint32_t c) {
  return {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>(c & 0xFF)};
}
// The colour at a point of the virtual 640 x 480 screen.
Rgb At(Watch& s, float vx, float vy) {
  const std::vector<std::uint32_t> p = s.Grab({Px(vx), Py(vy), 1, 1});
  return p.empty() ? Rgb{-1, -1, -1} : Split(p[0]);
}
// The colours the program tests know its screens by: a green button's face,
// the main menu's title (bright gold, dimmed under a popup), a text field's
// gold and a popup's dark green body.
bool IsButtonGreen(Rgb c) { return c.g > c.r + 25 && c.g > c.b + 15; }
bool IsTitleGold(Rgb c) { return c.r > 200 && c.g > 170 && c.b < 150; }
bool IsFieldGold(std::uint32_t c) {
  const Rgb k = Split(c);
  return k.r > 100 && k.g > 70 && k.r > k.b + 60;
}
bool IsPopupGreen(std::uint32_t c) {
  const Rgb k = Split(c);
  return k.g > k.r + 10 && k.g > k.b && k.g < 120;
}

// The main menu, free of any popup (Ann loaded): its title at the top left
// bright gold and its New Game button green.
bool ShowsOursMenu(Watch& s) { return IsTitleGold(At(s, 25, 22.5f)) && IsButtonGreen(At(s, 343, 449)); }
// Some pixel of a rectangle of the virtual screen passes the test.
bool AnyIn(Watch& s, float left, float top, float right, float bottom, bool (*test)(Rgb)) {
  const std::vector<std::uint32_t> p = s.Grab({Px(left), Py(top), Px(right) - Px(left), Py(bottom) - Py(top)});
  return std::any_of(p.begin(), p.end(), [test](std::uint32_t c) { return test(Split(c)); });
}
// The player selection, faded in and free of any popup: its title picture
// over the middle of the top bright gold, and Continue Player and Create
// New Player green. (Its splash sparkles for as long as it shows.)
bool ShowsOursUsers(Watch& s) {
  return IsButtonGreen(At(s, 220, 400)) && IsButtonGreen(At(s, 40, 448)) && AnyIn(s, 110, 10, 530, 70, IsTitleGold);
}

// The deal every run of ours plays, by its number: the Game page's Deal
// field, the field of the popup it opens, and the note that follows.
constexpr unsigned kDeal = 1234;
constexpr float kDealFieldX = 322, kDealFieldY = 384;
constexpr float kDealTextX = 200, kDealTextY = 233;
constexpr float kNoteX = 320, kNoteY = 215;

// The top card of Klondike's last column (its light face, found from
// below on the column's middle line), where a card can be held.
bool FindOursCard(Watch& s, int* x, int* y) {
  const Rect table{0, 0, kWidth, kHeight};
  const std::vector<std::uint32_t> p = s.Grab(table);
  if (p.empty()) return false;
  auto light = [&p](int px, int py) {
    const std::uint32_t c = p[static_cast<std::size_t>(py * kWidth + px)];
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r > 150 && (r + g + b) / 3 > 120;
  };
  // Columns lie between 15 % and 90 % of the width; the last one is the
  // rightmost light run on a row through the columns' tops.
  for (int py = kHeight * 85 / 100; py > kHeight * 30 / 100; py -= 4) {
    for (int px = kWidth * 92 / 100; px > kWidth * 50 / 100; px -= 2) {
      if (light(px, py) && light(px - 10, py) && light(px - 20, py)) {
        *x = px - 25;
        *y = py - 15;
        return true;
      }
    }
  }
  return false;
}

// What one side (ours or the peer) measured: every figure of every counted
// run, and each run's own figures (empty for a run that failed: a screen
// that was not there is not measured as if it were).
struct Side {
  Figures all;
  std::vector<Figures> runs;
  std::vector<double> loads;  // the machine's load at each run's start, failed runs' too

  void Count(const Figures& run, bool ok, double load) {
    loads.push_back(load);
    runs.push_back(ok ? run : Figures{});
    if (!ok) return;
    for (const auto& [name, values] : run) all[name].insert(all[name].end(), values.begin(), values.end());
  }
};

struct Run {
  Side& side;
  Watch& s;
  ProgramHarness& h;
};

// From the main menu on Klondike's Game page to the note that follows the
// deal number kDeal typed into the Deal field's popup; false (saying why)
// when a step does not come.
bool OursToTheDealNote(Watch& s) {
  s.ClickAndLeave(Px(kDealFieldX), Py(kDealFieldY));
  if (!WaitForPixel(s, kDealTextX, kDealTextY, IsFieldGold, 60)) {
    std::fprintf(stderr, "ours: no deal-number popup\n");
    return false;
  }
  s.Type(std::to_string(kDeal));
  s.Key("Return");
  if (!WaitForPixel(s, kNoteX, kNoteY, IsPopupGreen, 60)) {
    std::fprintf(stderr, "ours: no note after the deal number\n");
    return false;
  }
  // The note's opening has played (its picture is the deal's reference).
  Sleep(0.5);
  return true;
}

// One start of ours: start-up, player selection, Continue, main menu,
// Klondike's deal kDeal by its number, the still table, a drag; ended with SIGTERM
// (an orderly end: the settings stay as prepared).
bool OursScreens(Watch& s, ProgramHarness& h, Figures& f, Clock::time_point start) {
  Clock::time_point window, frame, picture;
  s.WaitForWindow(640, 480, start + std::chrono::seconds(60), &window);
  if (!s.Window() || !s.WaitForDrawing(start + std::chrono::seconds(60), &frame)) {
    std::fprintf(stderr, "ours: no window or no drawing\n");
    return false;
  }
  Add(f, "window", MsBetween(start, window));
  Add(f, "frame", MsBetween(start, frame));
  if (WaitForPicture(s, {0, 0, kWidth, kHeight}, start + std::chrono::seconds(60), &picture))
    Add(f, "picture", MsBetween(start, picture));
  const int pid = h.ProgramPid();

  // The player selection.
  Sighting users{s, ShowsOursUsers};
  if (!WaitToSee(users, 60)) {
    std::fprintf(stderr, "ours: no player selection\n");
    return false;
  }
  Sleep(1.0);
  Shot(h, "ours-users");
  Add(f, "cpu users", CpuPercent(pid, kCpuSeconds));
  AddMemory(f, pid, "users");
  if (!ShowsOursUsers(s)) {
    std::fprintf(stderr, "ours: the player selection went while it was measured\n");
    return false;
  }

  // Continue Player: from the press to the main menu (Ann loaded, the menu
  // free), on Klondike's Game page.
  Sighting menu{s, ShowsOursMenu};
  const auto pressed = s.ClickAndLeave(Px(320), Py(400), [&menu] { menu.Look(); });
  if (!WaitToSee(menu, 120)) {
    std::fprintf(stderr, "ours: no main menu\n");
    return false;
  }
  Add(f, "continue", MsBetween(pressed, menu.when));
  Sleep(2.0);
  Shot(h, "ours-menu");
  Add(f, "cpu menu", CpuPercent(pid, kCpuSeconds));
  AddMemory(f, pid, "menu");
  if (!ShowsOursMenu(s)) {
    std::fprintf(stderr, "ours: the main menu went while it was measured\n");
    return false;
  }

  // The deal of the fixed number: the Game page's Deal field, the number,
  // Return, and the note about deal numbers, whose answer (Return) deals.
  // Timed from that press to the table staying still (the status corners
  // and the Menu button's strip left out).
  if (!OursToTheDealNote(s)) return false;
  const Rect table{0, Py(24), kWidth, Py(456) - Py(24)};
  Changes dealing = Changes::From(s, table);
  const std::vector<std::uint32_t> before = dealing.last;
  const auto deal = s.Key("Return", [&dealing] { dealing.Look(); });
  if (!WaitForStill(dealing, 1.0, 120, deal)) {
    std::fprintf(stderr, "ours: the table never stood still\n");
    return false;
  }
  // The table, not the menu still standing after a lost key: the menu has
  // gone, most of the screen has changed from its picture, and a card lies
  // at the foot of the last column.
  int cx = 0, cy = 0;
  Shot(h, "ours-table");
  if (ShowsOursMenu(s) || ChangedShare(before, s.Grab(table)) < 0.5 || !FindOursCard(s, &cx, &cy)) {
    std::fprintf(stderr, "ours: the deal number dealt no table\n");
    return false;
  }
  Add(f, "deal", MsBetween(deal, dealing.lastChange));
  Sleep(1.0);
  Add(f, "cpu table", CpuPercent(pid, kCpuSeconds));
  AddMemory(f, pid, "table");

  // A card held: dragged in circles, then moved to and fro.
  {
    s.Move(cx, cy);
    Sleep(0.3);
    s.Button(true);
    Sleep(0.3);
    const int ox = kWidth / 2, oy = kHeight * 3 / 4;
    s.Move(ox, oy);
    Sleep(0.3);
    Add(f, "cpu drag", CpuPercent(pid, kCpuSeconds, Circling(s, ox, oy, 120)));
    for (double ms : DragLatencies(s, ox - 200, oy, ox + 200, oy, 20)) Add(f, "latency", ms);
    s.Move(cx, cy);
    Sleep(0.3);
    s.Button(false);
    Sleep(0.5);
  }
  return true;
}

// Every run of ours starts from the player folder as the first run left
// it (its cards made), without a saved game: the same start each time.
void KeepStartFolder(const std::string& home, const std::string& kept) {
  std::error_code ignored;
  std::filesystem::remove_all(kept, ignored);
  std::filesystem::copy(home, kept, std::filesystem::copy_options::recursive, ignored);
  std::filesystem::remove_all(kept + "/data/Quarnix/Free Cardolia 3D/SavedGames", ignored);
}
void RestoreStartFolder(const std::string& home, const std::string& kept) {
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  std::filesystem::copy(kept, home, std::filesystem::copy_options::recursive, ignored);
}

bool RunOurs(Run run, bool counted) {
  Figures one;
  run.s.Move(kWidth - 1, kHeight - 1);
  run.s.Forget();
  const double load = LoadAverage();
  const auto start = Clock::now();
  const bool ok = run.h.StartProgram() && OursScreens(run.s, run.h, one, start);
  if (!ok) Shot(run.h, "ours-failed");
  EndProcess(run.h.ProgramPid(), 30);
  run.h.WaitForExit(5);
  if (counted) run.side.Count(one, ok, load);
  return ok;
}

// ---- the peer ------------------------------------------------------------------------------

// The peer's top card of its first tableau column: the lowest light pixel
// on the column's middle line below the upper row of piles.
bool FindPeerCard(Watch& s, const Rect& w, int* x, int* y) {
  const std::vector<std::uint32_t> p = s.Grab(w);
  if (p.empty()) return false;
  auto light = [&p, &w](int px, int py) {
    const std::uint32_t c = p[static_cast<std::size_t>(py * w.w + px)];
    return ((c >> 16) & 0xFF) > 220 && ((c >> 8) & 0xFF) > 220 && (c & 0xFF) > 220;
  };
  // The first column's middle: the first light run on a row a third down.
  const int row = w.h * 45 / 100;
  for (int px = 0; px < w.w / 4; ++px) {
    if (!light(px, row)) continue;
    const int mid = px + w.w / 24;
    for (int py = w.h - 50; py > row; --py) {
      if (light(mid, py)) {
        *x = w.x + mid;
        *y = w.y + py - 20;
        return true;
      }
    }
    *x = w.x + mid;
    *y = w.y + row;
    return true;
  }
  return false;
}

bool RunPeer(Run run, const std::string& home, bool counted) {
  Watch& s = run.s;
  Figures f;
  s.Move(kWidth - 1, kHeight - 1);
  s.Forget();
  const double load = LoadAverage();
  const auto start = Clock::now();
  const int pid = StartPeer(run.h.Display(), home);
  Clock::time_point window, frame, picture;
  const Rect place = s.WaitForWindow(320, 240, start + std::chrono::seconds(60), &window);
  if (!s.Window() || !s.WaitForDrawing(start + std::chrono::seconds(60), &frame)) {
    std::fprintf(stderr, "peer: no window or no drawing\n");
    EndProcess(pid, 5);
    if (counted) run.side.Count(f, false, load);
    return false;
  }
  Add(f, "window", MsBetween(start, window));
  Add(f, "frame", MsBetween(start, frame));
  if (WaitForPicture(s, place, start + std::chrono::seconds(60), &picture))
    Add(f, "picture", MsBetween(start, picture));

  // The whole display, like ours.
  char id[32];
  std::snprintf(id, sizeof id, "%lu", s.Window());
  std::system(("DISPLAY=" + run.h.Display() + " xdotool windowsize " + id + " " + std::to_string(kWidth) + " " +
               std::to_string(kHeight) + " windowmove " + id + " 0 0")
                  .c_str());
  const Rect w{0, 0, kWidth, kHeight};
  const Rect table{0, 80, kWidth, kHeight - 80 - 45};  // below the tool bar, above the status line
  Changes settling = Changes::From(s, w);
  WaitForStill(settling, 1.0, 15, Clock::now());
  Shot(run.h, "peer-table");

  // New Game: the tool bar's first button, timed from its press; a new
  // deal changes the cards on the table (a lost click would measure the
  // old table).
  Changes dealing = Changes::From(s, table);
  const std::vector<std::uint32_t> before = dealing.last;
  const auto deal = s.ClickAndLeave(26, 44, [&dealing] { dealing.Look(); });
  const bool dealt = WaitForStill(dealing, 1.0, 60, deal);
  Shot(run.h, "peer-dealt");
  if (!dealt || ChangedShare(before, s.Grab(table)) < 0.02) {
    std::fprintf(stderr, "peer: New Game dealt no new table\n");
    EndProcess(pid, 10);
    if (counted) run.side.Count(f, false, load);
    return false;
  }
  Add(f, "deal", MsBetween(deal, dealing.lastChange));
  Sleep(1.0);
  const double cpu = CpuPercent(pid, kCpuSeconds);
  Add(f, "cpu table", cpu);
  AddMemory(f, pid, "table");

  int cx = 0, cy = 0;
  if (FindPeerCard(s, w, &cx, &cy)) {
    s.Move(cx, cy);
    Sleep(0.3);
    s.Button(true);
    Sleep(0.3);
    const int ox = kWidth / 2, oy = kHeight * 3 / 4;
    s.Move(ox, oy);
    Sleep(0.3);
    Add(f, "cpu drag", CpuPercent(pid, kCpuSeconds, Circling(s, ox, oy, 120)));
    for (double ms : DragLatencies(s, ox - 200, oy, ox + 200, oy, 20)) Add(f, "latency", ms);
    s.Move(cx, cy);
    Sleep(0.3);
    s.Button(false);
  } else {
    std::fprintf(stderr, "peer: no card found to drag\n");
  }
  EndProcess(pid, 10);
  if (counted) run.side.Count(f, true, load);
  return true;
}

// ---- ours under heaptrack -------------------------------------------------------------

// The game's own process among the descendants of the heaptrack script
// (which also starts its interpreter); -1 when none runs.
int FindGame(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  int child = -1;
  while (in >> child) {
    std::error_code error;
    const std::string exe = std::filesystem::read_symlink("/proc/" + std::to_string(child) + "/exe", error).string();
    if (exe.size() >= 12 && exe.compare(exe.size() - 12, 12, "Cardolia_DX9") == 0) return child;
    const int below = FindGame(child);
    if (below > 0) return below;
  }
  return -1;
}

// Resident MiB of the program's writable file pages and of the anonymous
// mapping right after its file (its zero-initialised statics).
double StaticsMiB(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/smaps");
  std::string line, lastFile;
  bool ours = false, afterOurs = false;
  double kib = 0;
  while (std::getline(in, line)) {
    if (line.find('-') < 16 && line.find(' ') < 40 && std::isxdigit(static_cast<unsigned char>(line[0]))) {
      // A mapping's head: range perms offset dev inode [path].
      std::istringstream head(line);
      std::string range, perms, offset, dev, inode, path;
      head >> range >> perms >> offset >> dev >> inode;
      std::getline(head, path);
      path.erase(0, path.find_first_not_of(' '));
      const bool file = !path.empty() && path[0] == '/';
      const bool isOurs = file && path.find("Cardolia_DX9") != std::string::npos;
      ours = (isOurs && perms[1] == 'w') || (!file && path.empty() && afterOurs);
      afterOurs = isOurs;
    } else if (ours && line.rfind("Rss:", 0) == 0) {
      kib += std::atof(line.c_str() + 4);
    }
  }
  return kib / 1024;
}

// From heaptrack's list of what was still allocated when the program was
// killed (each place of allocation with its module): the MiB allocated by
// the GL driver (Mesa, LLVM, the GL libraries) and the rest.
void SplitHeap(const std::string& leaksFile, double* ours, double* driver) {
  std::ifstream in(leaksFile);
  std::string line;
  *ours = *driver = 0;
  // "??": code of no file, the shaders the driver compiled.
  const char* driverModules[] = {"dri/",     "libLLVM",    "libGLX", "libGL.",
                                 "libglapi", "libgallium", "libGLdispatch", "in ??"};
  bool inList = false;
  double bytes = -1;
  int linesAfter = 0;
  while (std::getline(in, line)) {
    if (line.rfind("MEMORY LEAKS", 0) == 0) {
      inList = true;
      continue;
    }
    if (!inList) continue;
    if (line.rfind("total runtime", 0) == 0) break;
    char unit = 0;
    double amount = 0;
    if (std::sscanf(line.c_str(), "%lf%c leaked over", &amount, &unit) == 2 &&
        line.find(" leaked over ") != std::string::npos) {
      const double scale = unit == 'G' ? 1024.0 * 1024 * 1024 : unit == 'M' ? 1024.0 * 1024 : unit == 'K' ? 1024.0 : 1;
      bytes = unit == ' ' ? amount : amount * scale;
      linesAfter = 0;
      continue;
    }
    // The place follows on one line, its module on the next ("  in ...").
    if (bytes >= 0 && ++linesAfter == 2) {
      bool inDriver = false;
      for (const char* m : driverModules) inDriver = inDriver || line.find(m) != std::string::npos;
      (inDriver ? *driver : *ours) += bytes / (1024.0 * 1024.0);
      bytes = -1;
    }
  }
}

// Ours under heaptrack up to a screen (1 player selection, 2 main menu,
// 3 table) and killed there: the heap it held then, split into ours and
// the driver's, and its resident statics.
bool MemoryUpTo(ProgramHarness& h, Watch& s, int screen, const std::string& work, Figures& f) {
  const std::string out = work + "/heaptrack-" + std::to_string(screen);
  // heaptrack runs the program as its child.
  const std::string program = std::string(CARDOLIA_BUILD_DIR) + "/Cardolia_DX9";
  s.Forget();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(CARDOLIA_BUILD_DIR) != 0) _exit(126);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, 1);
      dup2(null, 2);
    }
    setenv("DISPLAY", h.Display().c_str(), 1);
    setenv("HOME", (work + "/home").c_str(), 1);
    setenv("XDG_DATA_HOME", (work + "/home/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (work + "/home/config").c_str(), 1);
    setenv("CARDOLIA_HEADLESS", "1", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("CARDOLIA_SITE_URL", h.UpdateService().Url("").c_str(), 1);
    execlp("heaptrack", "heaptrack", "-o", out.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  Clock::time_point t;
  s.WaitForWindow(640, 480, Clock::now() + std::chrono::seconds(120), &t);
  Sighting users{s, ShowsOursUsers};
  bool ok = WaitToSee(users, 120);
  Sleep(6);
  if (ok && screen >= 2) {
    Sighting menu{s, ShowsOursMenu};
    s.ClickAndLeave(Px(320), Py(400));
    ok = WaitToSee(menu, 240);
    Sleep(3);
  }
  if (ok && screen >= 3) {
    ok = OursToTheDealNote(s);
    Changes dealing = Changes::From(s, {0, Py(24), kWidth, Py(456) - Py(24)});
    if (ok) s.Key("Return");
    ok = ok && WaitForStill(dealing, 1.5, 240, Clock::now()) && !ShowsOursMenu(s);
  }
  const int game = FindGame(pid);
  const double statics = game > 0 ? StaticsMiB(game) : -1;
  const double rss = game > 0 ? ProcMiB(game, "status", "VmRSS:") : -1;
  if (game > 0) kill(game, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!ok) return false;
  std::string file;
  for (const auto& entry : std::filesystem::directory_iterator(work)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("heaptrack-" + std::to_string(screen), 0) == 0) file = entry.path().string();
  }
  const std::string leaks = out + ".leaks";
  const std::string print = "heaptrack_print -f '" + file +
                            "' -l 1 -p 0 -a 0 -T 0 -n 1000000 -s 0 --disable-builtin-suppressions "
                            "--disable-embedded-suppressions > '" + leaks + "' 2>/dev/null";
  if (file.empty() || std::system(print.c_str()) != 0) return false;
  double heapOurs = 0, heapDriver = 0;
  SplitHeap(leaks, &heapOurs, &heapDriver);
  const char* names[] = {"", "users", "menu", "table"};
  Add(f, std::string("ours ") + names[screen], heapOurs + statics);
  Add(f, std::string("statics ") + names[screen], statics);
  Add(f, std::string("driver heap ") + names[screen], heapDriver);
  Add(f, std::string("rss heaptrack ") + names[screen], rss);
  return true;
}

// ---- the table ---------------------------------------------------------------------------

// A row: each side's median over its runs, and beside it every run's own
// figure (its median where a run has several, "x" for a run that failed).
void PrintRow(const char* what, const char* unit, const Side& ours, const Side& peer, const std::string& key,
              double scale = 1, const char* peerKey = nullptr) {
  auto median = [&](const Side& side, const std::string& k) {
    char text[32] = "-";
    const auto it = side.all.find(k);
    if (it != side.all.end() && !it->second.empty())
      std::snprintf(text, sizeof text, "%.1f %s", Median(it->second) * scale, unit);
    return std::string(text);
  };
  auto each = [&](const Side& side, const std::string& k) {
    std::string text;
    for (const Figures& run : side.runs) {
      char one[24] = "x";
      const auto it = run.find(k);
      if (!run.empty()) std::snprintf(one, sizeof one, "-");
      if (it != run.end() && !it->second.empty()) std::snprintf(one, sizeof one, "%.1f", Median(it->second) * scale);
      text += (text.empty() ? "" : " ") + std::string(one);
    }
    return text.empty() ? std::string("-") : text;
  };
  const std::string peerName = peerKey ? std::string(peerKey) : key;
  std::printf("| %-44s | %12s | %-34s | %12s | %-34s |\n", what, median(ours, key).c_str(), each(ours, key).c_str(),
              median(peer, peerName).c_str(), each(peer, peerName).c_str());
}

// The machine's load at each run's start (a failed run's too): a run
// beside a busy machine's is not one beside a quiet one's.
void PrintLoads(const Side& ours, const Side& peer) {
  auto each = [](const Side& side) {
    std::string text;
    for (double load : side.loads) {
      char one[24] = "?";
      if (load >= 0) std::snprintf(one, sizeof one, "%.1f", load);
      text += (text.empty() ? "" : " ") + std::string(one);
    }
    return text.empty() ? std::string("-") : text;
  };
  std::printf("| %-44s | %12s | %-34s | %12s | %-34s |\n", "load average (1 min) at the run's start", "",
              each(ours).c_str(), "", each(peer).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  bool memory = false, keep = false, oursOnly = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--memory") {
      memory = true;
    } else if (a == "--keep") {
      keep = true;
    } else if (a == "--ours") {
      oursOnly = true;
    } else if (a == "--shots" && i + 1 < argc) {
      g_shots = argv[++i];
    } else {
      runs = std::max(0, std::atoi(argv[i]));
    }
  }
  // The screenshots of this invocation's runs only.
  if (g_shots.empty()) g_shots = std::string(CARDOLIA_BUILD_DIR) + "/side-by-side-shots";
  std::filesystem::create_directories(g_shots);
  for (const auto& entry : std::filesystem::directory_iterator(g_shots)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("run", 0) == 0 && entry.path().extension() == ".png") std::filesystem::remove(entry.path());
  }
  const std::string work =
      std::filesystem::temp_directory_path() / ("cardolia-side-by-side-" + std::to_string(getpid()));
  ProgramHarness h(work + "/ours");
  if (!h.StartDisplay(kWidth, kHeight)) {
    std::fprintf(stderr, "no X server\n");
    return 1;
  }
  Watch s(h.Display());
  if (!s.Ok()) {
    std::fprintf(stderr, "no DAMAGE extension on the X server\n");
    return 1;
  }
  PrepareOurs(h.UserFolder());
  Side ours, peer;
  Run oursRun{ours, s, h}, peerRun{peer, s, h};
  // The first start of each makes its caches (ours: the player's cards);
  // every counted run of ours starts from the folder it leaves.
  const std::string oursHome = work + "/ours", oursStart = work + "/ours-start";
  if (runs > 0 && !RunOurs(oursRun, false)) std::fprintf(stderr, "ours: the first run failed\n");
  PrepareOurs(h.UserFolder());
  KeepStartFolder(oursHome, oursStart);
  if (runs > 0 && !oursOnly && !RunPeer(peerRun, work + "/peer", false)) std::fprintf(stderr, "peer: the first run failed\n");
  for (int run = 0; run < runs; ++run) {
    g_run = run + 1;
    std::fprintf(stderr, "run %d of %d (load average %.1f)\n", g_run, runs, LoadAverage());
    const bool oursFirst = run % 2 == 0;
    RestoreStartFolder(oursHome, oursStart);
    if (oursFirst && !RunOurs(oursRun, true)) std::fprintf(stderr, "ours: run %d failed\n", run + 1);
    if (!oursOnly && !RunPeer(peerRun, work + "/peer", true)) std::fprintf(stderr, "peer: run %d failed\n", run + 1);
    if (!oursFirst && !RunOurs(oursRun, true)) std::fprintf(stderr, "ours: run %d failed\n", run + 1);
  }
  if (memory) {
    for (int screen = 1; screen <= 3; ++screen) {
      // A killed run leaves the settings asking for the start-up dialog.
      PrepareOurs(work + "/home/data/Quarnix/Free Cardolia 3D");
      if (!MemoryUpTo(h, s, screen, work, ours.all)) std::fprintf(stderr, "heaptrack: screen %d failed\n", screen);
    }
  }

  std::printf("medians of %d warm runs each, Xvfb %dx%d, llvmpipe; beside each median every run's own figure\n"
              "(x: the run failed before that screen and counts nowhere)\n\n",
              runs, kWidth, kHeight);
  std::printf("| %-44s | %12s | %-34s | %12s | %-34s |\n", "", "ours", "ours, each run", "peer", "peer, each run");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(46, '-').c_str(), std::string(14, '-').c_str(),
              std::string(36, '-').c_str(), std::string(14, '-').c_str(), std::string(36, '-').c_str());
  PrintLoads(ours, peer);
  // The start figure is the first picture: ours presents one black frame
  // as soon as its window exists, by design, before the splash is drawn.
  PrintRow("start to first picture (the start figure)", "ms", ours, peer, "picture");
  PrintRow("start to window", "ms", ours, peer, "window");
  PrintRow("start to first frame presented (ours: black)", "ms", ours, peer, "frame");
  PrintRow("Continue Player pressed to main menu", "ms", ours, peer, "continue");
  PrintRow("deal: its press to the cards still", "s", ours, peer, "deal", 0.001);
  PrintRow("CPU, still table (10 s, all threads)", "%", ours, peer, "cpu table");
  PrintRow("CPU, main menu", "%", ours, peer, "cpu menu");
  PrintRow("CPU, player selection", "%", ours, peer, "cpu users");
  PrintRow("CPU, dragging a card", "%", ours, peer, "cpu drag");
  PrintRow("drag motion to a changed pixel", "ms", ours, peer, "latency");
  PrintRow("RSS, player selection (peak so far)", "MiB", ours, peer, "hwm users", 1, "hwm table");
  PrintRow("RSS, main menu (peak so far)", "MiB", ours, peer, "hwm menu", 1, "hwm table");
  PrintRow("RSS, table (peak so far)", "MiB", ours, peer, "hwm table");
  PrintRow("RSS, player selection (now)", "MiB", ours, peer, "rss users", 1, "rss table");
  PrintRow("RSS, main menu (now)", "MiB", ours, peer, "rss menu", 1, "rss table");
  PrintRow("RSS, table (now)", "MiB", ours, peer, "rss table");
  PrintRow("PSS (shared pages split), player selection", "MiB", ours, peer, "pss users", 1, "pss table");
  PrintRow("PSS (shared pages split), main menu", "MiB", ours, peer, "pss menu", 1, "pss table");
  PrintRow("PSS (shared pages split), table", "MiB", ours, peer, "pss table");
  PrintRow("anonymous resident, player selection", "MiB", ours, peer, "anon users", 1, "anon table");
  PrintRow("anonymous resident, main menu", "MiB", ours, peer, "anon menu", 1, "anon table");
  PrintRow("anonymous resident, table", "MiB", ours, peer, "anon table");
  if (memory) {
    PrintRow("ours (heap allocated + statics), player sel.", "MiB", ours, peer, "ours users");
    PrintRow("ours (heap allocated + statics), main menu", "MiB", ours, peer, "ours menu");
    PrintRow("ours (heap allocated + statics), table", "MiB", ours, peer, "ours table");
    PrintRow("  of it statics, table", "MiB", ours, peer, "statics table");
    PrintRow("GL driver's heap, player selection", "MiB", ours, peer, "driver heap users");
    PrintRow("GL driver's heap, main menu", "MiB", ours, peer, "driver heap menu");
    PrintRow("GL driver's heap, table", "MiB", ours, peer, "driver heap table");
  }
  std::printf("\n(the peer has one screen: its table's figures stand in its column for every screen)\n");
  std::printf("(the deal: ours deals deal number %u in every run, started by Return on the note after the number;\n"
              " the peer's New Game deals other cards each run: it takes no deal number on its command line or in\n"
              " its window)\n",
              kDeal);
  std::printf("(every run's screenshots: %s/run<run>-<screen>.png; run0 is each program's first start, not counted)\n",
              g_shots.c_str());
  std::error_code ignored;
  if (keep) {
    std::fprintf(stderr, "the runs' folders (heaptrack's files among them) are in %s\n", work.c_str());
  } else {
    std::filesystem::remove_all(work, ignored);
  }
  return 0;
}
