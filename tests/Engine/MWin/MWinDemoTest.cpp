// The toolkit on a real window and OpenGL device (under Xvfb in the test
// run): a demo screen with every kind of button and a popup, drawn and
// driven by SDL events pushed into the window's event queue, and a switch to
// a second screen. Runs on an X server of its own.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngScreen.h"
#include "Engine/EngTga.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinGraph.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"
#include "Platform/D3D9.h"
#include "Platform/D3D9GL.h"
#include "Platform/Window.h"
#include "Platform/WindowLocal.h"
#include "tests/Engine/MWin/MWinTestSetup.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

constexpr char kFontFile[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The program: input to the toolkit first, the toolkit drawn over a clear.
class DemoProgram : public EngProgram {
 public:
  bool InputEventCB(int kind, int a, int b) override { return g_MWin.HandleInputEvent(kind, a, b); }
  void RenderCB() override {
    if (EngDevice* d = EngDeviceGetCurrent()) {
      d->SetClearColour(0.2f, 0.2f, 0.2f);
      d->ClearScreenAndDepth();
    }
    g_MWin.Render();
  }
};

// What the demo's callbacks saw.
struct Seen {
  int pushes = 0;
  int answers = -1;
  int listEntry = -1;
  int secondCreated = 0;
  std::string text;
};
Seen g_seen;
int g_second = -1;
char g_name[32] = "";

void Pushed() { ++g_seen.pushes; }
void PopupAnswered(int result) { g_seen.answers = result; }
const char* Sizes(int n) {
  static const char* names[] = {"Small", "Medium", "Large", "Huge"};
  return names[n];
}
const char* Rows(int n, int) {
  static std::string row;
  row = "Row " + std::to_string(n);
  return row.c_str();
}
void SecondCreate() {
  ++g_seen.secondCreated;
  MWinCollection* c = g_MWin.GetDesktop()->AddCollection("Second");
  const MWinWindowSetup s = TestWindowSetup(0, 0, 640, 480, "MWIN_TEXBUT_DEFAULT");
  c->AddWindow("MainWin", &s);
}
void GoSecond() { EngScreenGoto(g_second); }

void DemoCreate() {
  MWinCollection* c = g_MWin.GetDesktop()->AddCollection("Demo");
  const MWinWindowSetup s = TestWindowSetup(20, 40, 600, 420, "MWIN_TEXBUT_DEFAULT", "Demo");
  MWinWindow* w = c->AddWindow("MainWin", &s);
  MWinButton* push = w->AddButton("Push", MWIN_BUT_PUSH, "MWIN_TEXBUT_DEFAULT", "Push", 10, 10, 120, 30);
  push->SetSimpleCallback(Pushed);
  w->AddButton("Label", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "A label", 140, 10, 120, 30);
  MWinButton* edit = w->AddButton("Edit", MWIN_BUT_TEXTEDIT, "MWIN_TEXBUT_DEFAULT", "", 10, 50, 200, 30);
  edit->TextEditRegisterText(g_name, sizeof(g_name));
  MWinButton* list = w->AddButton("List", MWIN_BUT_LIST, "MWIN_TEXBUT_DEFAULT", "", 220, 50, 120, 30);
  list->ListSetStringsCallback(4, Sizes);
  w->AddButton("Check", MWIN_BUT_CHECKBOX, "MWIN_TEXBUT_DEFAULT", "Check", 350, 50, 120, 30);
  static const char* const choices[] = {"One", "Two", "Three"};
  MWinButton* choice = w->AddButton("Choice", MWIN_BUT_CHOICE, "MWIN_TEXBUT_DEFAULT", "", 10, 90, 240, 30);
  choice->ChoiceSetStrings(3, choices);
  MWinButton* panel = w->AddButton("Panel", MWIN_BUT_PANEL, "MWIN_TEXBUT_DEFAULT", "", 10, 130, 200, 150);
  panel->PanelSetStringsCallback(30, 6, Rows);
  w->AddButton("Colour", MWIN_BUT_COLOUR, "MWIN_TEXBUT_DEFAULT", "", 220, 130, 150, 100);
  MWinButton* pic = w->AddButton("Picture", MWIN_BUT_PICTURE, "MWIN_TEXBUT_NONE", "", 380, 130, 100, 100);
  pic->PictureSetPieValues(0.3f, 1);
  MWinButton* script = w->AddButton("Script", MWIN_BUT_SCRIPT, "MWIN_TEXBUT_DEFAULT", "", 10, 290, 280, 120);
  std::string text = "<1>Rules\n";
  for (int i = 0; i < 12; ++i) text += "A long line of rules text number " + std::to_string(i) + ".\n";
  script->ScriptSetText(text.c_str());
  w->AddButton("Range", MWIN_BUT_RANGE, "MWIN_TEXBUT_DEFAULT", "", 300, 290, 150, 30);
  MWinHorzScrollbar* bar = w->AddHorzScrollbar("Bar", "MWIN_TEXBUT_DEFAULT", "", 300, 330, 200, 30);
  bar->SetRange(0, 100, 10, 1);
  MWinGraph* graph = w->AddGraph("Graph", "MWIN_TEXBUT_NONE", 490, 130, 100, 100);
  graph->SetMarks(0, 4, 5, 0, 10, 3);
  for (int i = 0; i < 5; ++i) graph->SetMarkValue(i, i * 2);
  MWinButton* next = w->AddButton("Next", MWIN_BUT_PUSH, "MWIN_TEXBUT_DEFAULT", "Next", 470, 380, 120, 30);
  next->SetSimpleCallback(GoSecond);
}

class MWinDemoPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
    PlatformUseHeadlessWindows(false);
    D3D9SetFactory(nullptr);
    program_ = std::make_unique<DemoProgram>();
    ASSERT_EQ(program_->Init(nullptr, ""), 1);
    EngWindowSettings settings;
    settings.width = 640;
    settings.height = 480;
    settings.windowed = 1;
    std::int8_t result = 0;
    ASSERT_NE(program_->CreateMainWindow("MWin demo", settings, &result), nullptr);
    ASSERT_TRUE(EngResModesGetModesAvailable());
    ASSERT_TRUE(program_->GetWindow()->CreateGraphicsDevice());
    handle_ = program_->GetWindow()->Win().handle;
    sdlId_ = SDL_GetWindowID(PlatformSdlWindow(handle_));

    // A look: a light grey picture with a dark border, in every slot.
    std::vector<std::uint32_t> pixels(32 * 32, 0xFFC0C0C0u);
    for (int i = 0; i < 32; ++i) {
      pixels[i] = pixels[31 * 32 + i] = pixels[i * 32] = pixels[i * 32 + 31] = 0xFF303030u;
    }
    ASSERT_TRUE(EngTgaWriteFileFromPixels("look.tga", 32, 32, pixels.data()));
    MWinTextures* t = g_MWin.GetTextures();
    ASSERT_TRUE(t->AddTexture("LookTex", "look.tga", 1, 2));
    ASSERT_NE(t->AddTextureButton("Look", "LookTex", 0, 0, 1, 1, "LookTex", 0.1f, 0.1f, 0.9f, 0.9f,
                                  "", 0, 0, 0, 0, "", 0, 0, 0, 0),
              nullptr);
    t->SetTexButDrawStyle("Look", 2, 0.1f, 4, 2, 0.1f, 4);
    for (int slot = 0; slot < kMWinNumStandardTexButs; ++slot) t->SetStandardTextureToTexBut(slot, "Look");
    font_ = std::make_unique<EngFont>();
    ASSERT_TRUE(font_->Create(kFontFile, 1, 32, 32, 245, nullptr, 0, 0.2f, 0.16f, 1.75f, 6.747f, true));
    g_MWin.GetFonts()->AddFontPointer(nullptr, font_.get());

    g_seen = Seen{};
    std::memset(g_name, 0, sizeof(g_name));
    const int demo = EngScreenAdd();
    EngScreenSetCreateCallback(demo, DemoCreate);
    g_second = EngScreenAdd();
    EngScreenSetCreateCallback(g_second, SecondCreate);
    EngScreenSetPreChangeCallback([] { g_MWin.GetDesktop()->RemoveAllCollections(); });
    EngScreenSetCurrent(demo);
    MWinInstallScreenHooks();
    EngScreenStart(true);
    ASSERT_TRUE(g_MWin.IsOn());
  }

  void TearDown() override {
    EngScreenStop(2);
    EngScreenSetPreChangeCallback(nullptr);
    EngScreenRemoveAll();
    EngScreenClearCurrent();
    EngScreenSetToolkit(nullptr);
    if (program_) {
      g_MWin.DestroyGraphicsObjects();
      font_.reset();
      program_->Shutdown();
      program_.reset();
    }
    PlatformResetWindowsForTests();
    PlatformUseHeadlessWindows(true);
    TempDirTest::TearDown();
  }

  // Pushes an SDL event and pumps until the window's queue is empty.
  void Push(SDL_Event e) {
    SDL_PushEvent(&e);
    Pump();
  }
  // As the program's frame: the toolkit's tick, then the screen's.
  void Pump() {
    for (int i = 0; i < 50; ++i) program_->GetWindow()->Tick();
    g_MWin.Tick();
    EngScreenTick();
  }
  void MoveTo(int x, int y) {
    // The real pointer goes there too, so the window's own reports agree;
    // wait (briefly) until the window system has reported the warp.
    SDL_WarpMouseInWindow(PlatformSdlWindow(handle_), x, y);
    for (int i = 0; i < 200; ++i) {
      Pump();
      int mx = -1, my = -1;
      SDL_GetMouseState(&mx, &my);
      if (mx == x && my == y) break;
      SDL_Delay(1);
    }
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = sdlId_;
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
  }
  void Button(int x, int y, bool down) {
    SDL_Event e = {};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = sdlId_;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    Push(e);
  }
  void ClickAt(int x, int y) {
    MoveTo(x, y);
    Button(x, y, true);
    Button(x, y, false);
  }
  void KeyPress(SDL_Scancode code) {
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.windowID = sdlId_;
    e.key.state = SDL_PRESSED;
    e.key.keysym.scancode = code;
    e.key.keysym.sym = SDL_GetKeyFromScancode(code);
    Push(e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    Push(e);
  }
  void Type(const char* text) {
    SDL_Event e = {};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = sdlId_;
    std::strncpy(e.text.text, text, sizeof(e.text.text) - 1);
    Push(e);
  }
  void WheelBy(int y) {
    SDL_Event e = {};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = sdlId_;
    e.wheel.y = y;
    e.wheel.preciseY = static_cast<float>(y);
    Push(e);
  }
  // Renders a frame and reads the pixel at window (x, y) as 0xRRGGBB.
  std::uint32_t Probe(int x, int y) {
    program_->DoRender();
    std::vector<std::uint32_t> p;
    if (!D3D9GLReadPixels(x, y, 1, 1, &p) || p.empty()) return 0xFFFFFFFFu;
    return p[0] & 0xFFFFFF;
  }
  // With MWIN_DEMO_DUMP set to a folder, writes the frame there as a PPM
  // picture (for looking at the demo by eye).
  void Dump(const char* name) {
    const char* folder = std::getenv("MWIN_DEMO_DUMP");
    if (!folder) return;
    program_->DoRender();
    std::vector<std::uint32_t> p;
    if (!D3D9GLReadPixels(0, 0, 640, 480, &p) || p.size() < 640u * 480u) return;
    const std::string path = std::string(folder) + "/" + name + ".ppm";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fprintf(f, "P6 640 480 255\n");
    for (std::uint32_t px : p) {
      const unsigned char rgb[3] = {static_cast<unsigned char>(px >> 16),
                                    static_cast<unsigned char>(px >> 8),
                                    static_cast<unsigned char>(px)};
      std::fwrite(rgb, 1, 3, f);
    }
    std::fclose(f);
  }
  static int Brightness(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF);
  }
  MWinButton* B(const char* id) { return g_MWin.GetButtonFromIDs("Demo", "MainWin", id); }

  std::unique_ptr<DemoProgram> program_;
  std::unique_ptr<EngFont> font_;
  HWND handle_ = nullptr;
  unsigned sdlId_ = 0;
};

TEST_F(MWinDemoPixelTest, EveryKindIsDrawnAndDrivenAndAPopupDimsTheScreen) {
  // The window is drawn with the look: a pixel inside the push button is
  // light grey, one outside the window is the clear colour.
  const std::uint32_t inside = Probe(20 + 10 + 60, 40 + 10 + 15);
  const std::uint32_t outside = Probe(5, 470);
  EXPECT_GT(Brightness(inside), Brightness(outside));

  Dump("start");
  ClickAt(90, 65);  // the push button
  EXPECT_EQ(g_seen.pushes, 1);

  ClickAt(60, 105);  // the text entry
  ASSERT_TRUE(B("Edit")->TextEditIsEditing());
  Type("Ada");
  KeyPress(SDL_SCANCODE_RETURN);
  EXPECT_STREQ(g_name, "Ada");

  ClickAt(280, 105);  // opens the list
  ASSERT_TRUE(B("List")->ListIsOpen());
  Dump("list");
  ClickAt(280, 105 + 60);  // two rows down
  EXPECT_FALSE(B("List")->ListIsOpen());
  EXPECT_EQ(B("List")->ListGetPos(), 2);

  ClickAt(400, 105);
  EXPECT_EQ(B("Check")->CheckboxGet(), 1);
  ClickAt(200, 145);  // third box of the choice
  EXPECT_EQ(B("Choice")->ChoiceGetSel(), 2);

  MoveTo(100, 200);  // over the panel
  WheelBy(-2);
  EXPECT_GT(B("Panel")->PanelGetScrollPos(), 0);

  // Drag the scrollbar thumb to the right.
  auto* bar = static_cast<MWinHorzScrollbar*>(B("Bar"));
  const int thumbX = static_cast<int>(bar->ThumbX()) + 5;
  MoveTo(thumbX, 385);
  Button(thumbX, 385, true);
  MoveTo(thumbX + 80, 385);
  Button(thumbX + 80, 385, false);
  EXPECT_GT(bar->GetPosDouble(), 30);

  // Tab moves the focus off the scrollbar.
  KeyPress(SDL_SCANCODE_TAB);
  EXPECT_FALSE(bar->IsHighlighted());

  // A popup dims the screen behind it.
  const int before = Brightness(Probe(90, 65));
  ASSERT_TRUE(g_MWin.PopupOkCancel("Question", "Go on?", PopupAnswered));
  const int dimmed = Brightness(Probe(90, 65));
  Dump("popup");
  EXPECT_LT(dimmed, before * 3 / 4);
  KeyPress(SDL_SCANCODE_ESCAPE);
  EXPECT_EQ(g_seen.answers, 0);
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  EXPECT_NEAR(Brightness(Probe(90, 65)), before, 30);

  // The Next button switches to the second screen.
  ClickAt(20 + 470 + 60, 40 + 380 + 15);
  EXPECT_EQ(g_seen.secondCreated, 1);
  EXPECT_EQ(EngScreenGetCurrent(), g_second);
  EXPECT_FALSE(g_MWin.GetDesktop()->HasCollection("Demo"));
  Probe(10, 10);
}

}  // namespace

