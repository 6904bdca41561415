// Splash.h - the splash panel of the player screens and the main menu: four
// pictures fading in turn in a square with a particle effect.
//
// Stand-in until the panel itself is built: the calls exist with their
// final names and arguments; it keeps its on flag and its rectangle and
// draws nothing.
#pragma once

class EngFont;

using SplashTextCB = const char* (*)();
using SplashEndCB = bool (*)();
using SplashStopCB = void (*)();

// Pictures 1-4 (1 required), the effect texture, an extra picture, a sound
// file, a font, the text scales, and the text, end and stop callbacks.
bool SplashSetup(const char* picture1, const char* picture2, const char* picture3,
                 const char* picture4, const char* effectTexture, const char* extraPicture,
                 const char* soundFile, EngFont* font, float textScaleX, float textScaleY,
                 SplashTextCB textCallback, SplashEndCB endCallback, SplashStopCB stopCallback);
void SplashSetRect(float x, float y, float w, float h);
bool SplashStart();
bool SplashTick();
bool SplashRender(int pass);
bool SplashIsOn();
void SplashSkipFadeIn();
void SplashStop();
void SplashCancel();
bool SplashCreateGraphics();
void SplashFreeGraphics();
