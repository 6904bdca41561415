// Starter.h - the starter program Vantrip_DX9: it checks that the renderer
// libraries the game needs (OpenGL and SDL 2) can be loaded, then starts the
// game program Cardolia_DX9 from the current folder and ends; when a library
// is missing it explains what is missing instead.
//
// It shares nothing with the game: it links only the C library and the
// dynamic loader. The libraries it probes, and the kits of its message box
// (SDL 2, else GTK 3, StarterBox.h), are opened at run time with dlopen.
// The game is started with no arguments, no shell in between, and not
// waited for.
//
// The explanation is a message box with the buttons "Ok" (Return), the
// vendor page (1204) and "Ignore ..." (1205); Escape and the close box end
// it as Ok does. The box is shown whenever a display is there and either
// kit loads, whatever the probe found missing. Headless (CARDOLIA_HEADLESS
// set) the box is logged on stderr and Ok answers; without a display, or
// with neither kit, the explanation goes to stderr and Ok answers.
//
// Exit status of the program: 1 when the game was started directly, 0 after
// the explanation (whatever the answer) and after a game that could not be
// started (also explained).
//
// State: the probed libraries' handles and the loader's last message, and
// the tests' replacements (library names, the question, the page opener).
#pragma once

#include <string>
#include <vector>

// The answers of the explanation.
constexpr int kStarterOk = 1;
constexpr int kStarterClosed = 2;
constexpr int kStarterVendorPage = 1204;
constexpr int kStarterIgnore = 1205;

constexpr const char* kStarterGame = "./Cardolia_DX9";
constexpr const char* kStarterTitle = "Cardolia 3D Launcher";

struct StarterButton {
  int id;
  std::string text;
};

// A question for the player: its lines and buttons (the first is the
// default, answered by Return).
struct StarterMessage {
  std::string title;
  std::vector<std::string> lines;
  std::vector<StarterButton> buttons;
};

// True when every renderer library is (or already was) loaded; the loader's
// message of the first that fails is kept (StarterGetLoaderMessage).
bool ProbeD3D9Library();
// Probes; on success closes the libraries again and returns true. The
// starter never shows a message of its own here (showMessage is unused, as
// the starter always passes false).
bool CheckD3D9Present(bool showMessage);
// What the explanation's answer does: 1 and 2 end it; 1204 opens the vendor
// page, then ends it; 1205 ends it and starts the game. False for any other
// answer (not handled).
bool StarterDialogProc(int answer);
// The whole program: check, then start the game or explain. Its exit status.
int StarterMain();

// The loader's message of the last failed probe ("" when none failed).
const std::string& StarterGetLoaderMessage();
// The explanation asked when a library is missing, and the one asked when
// the game cannot be started.
StarterMessage StarterMissingLibraryMessage();
StarterMessage StarterGameNotStartedMessage(const std::string& error);
// The vendor page: the Debian package page of the missing library.
const char* StarterVendorPage();
// Starts the game from the current folder (no arguments, no shell, not
// waited for); on failure false and the system's reason in error.
bool StarterStartGame(std::string* error);

// ---- Test seams --------------------------------------------------------------
// The libraries probed, in order (null restores OpenGL's and SDL 2's).
void StarterSetLibrariesForTests(const std::vector<std::string>* names);
// The question (null: the message box, else stderr) and the page opener
// (null: xdg-open, not run when headless).
using StarterAskFunction = int (*)(const StarterMessage& message);
using StarterOpenFunction = bool (*)(const char* address);
void StarterSetAskForTests(StarterAskFunction ask);
void StarterSetOpenerForTests(StarterOpenFunction open);
