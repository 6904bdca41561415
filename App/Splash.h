// Splash.h - the timed picture panel over the player screens and the main
// menu: one to four pictures that fade in, stay and fade out, with an
// optional line of text under them, a ring of sparkles (a particle system)
// around them and a growing highlight, then a call back to the owner.
//
// The owner sets the panel up once, starts it, advances it from its tick
// and draws it from its render hook. States: 1 fading in (the first 800 ms
// show nothing, then the panel fades in until 2,400 ms), 2 shown (until the
// end callback answers true, or 2,000 ms without one), 3 fading out over
// 1,500 ms, 4 ending (SplashStop). The fades dim the whole frame drawn so
// far, so the owner's screen fades with the panel.
//
// State (Splash.cpp): one panel: set-up and on flags, state and alpha, the
// file names and textures, the callbacks, the rectangle, the highlight, the
// effect's particle system and its age, the state's time stamp.
#pragma once

class EngFont;
struct EngParticleSystem;

using SplashTextCB = const char* (*)();
// Milliseconds since the panel was fully shown -> true to fade out.
using SplashEndCB = bool (*)(unsigned shownMs);
using SplashStopCB = void (*)();

// Pictures 1-4 (1 required), the effect texture, an extra picture (the
// highlight's), a sound file (checked, kept, not played), a font, the text
// scales (above 0 replace 1.3 x 1.2), and the text, end and stop callbacks.
// Every given name must be under 128 characters and name a file (the extra
// picture is not checked). False, reported under "Spash Setup", otherwise.
bool SplashSetup(const char* picture1, const char* picture2, const char* picture3,
                 const char* picture4, const char* effectTexture, const char* extraPicture,
                 const char* soundFile, EngFont* font, float textScaleX, float textScaleY,
                 SplashTextCB textCallback, SplashEndCB endCallback, SplashStopCB stopCallback);
// The panel's place in the 640 x 480 space; a width of 0 or less keeps the
// default 200, 115, 240 x 250.
void SplashSetRect(float x, float y, float w, float h);
// False when not set up ("Splash not setup"), already on ("Splash is
// already on"), without a device ("No device") or when the pictures cannot
// be loaded ("Could not load textures").
bool SplashStart();
// Per frame while on: the effect, the fades, the highlight. True while on.
bool SplashTick();
// Draws the panel (the pass is the owner's; every pass draws). True while on.
bool SplashRender(int pass);
bool SplashIsOn();
// Fully shown at once (state 2, alpha 1).
void SplashSkipFadeIn();
// Ends the panel: effect released, textures freed, off, stop callback.
void SplashStop();
// Ends the panel quietly: textures freed, off; the effect's particles stay
// until the next start.
void SplashCancel();
// Loads the panel's textures while it is on (true when nothing is to load);
// frees them.
bool SplashCreateGraphics();
void SplashFreeGraphics();

// The panel as the tests see it.
struct SplashStateForTests {
  bool on;
  int state;
  float alpha;
  int highlightPhase;
  float highlightScale, highlightAlpha;
  float rect[4];
};
SplashStateForTests SplashGetStateForTests();
const EngParticleSystem* SplashGetEffectForTests();
// Back to never set up (the effect released).
void SplashResetForTests();
