// Splash.cpp - stand-in splash panel (see Splash.h): state only.
#include "App/Splash.h"

#include "Game/GameImports.h"

namespace {

bool gSetUp = false;
bool gOn = false;

}  // namespace

bool SplashSetup(const char* picture1, const char*, const char*, const char*, const char*,
                 const char*, const char*, EngFont*, float, float, SplashTextCB, SplashEndCB,
                 SplashStopCB) {
  gSetUp = picture1 != nullptr;
  return gSetUp;
}
void SplashSetRect(float, float, float, float) {}
bool SplashStart() {
  if (!gSetUp || gOn) return false;
  gOn = true;
  return true;
}
bool SplashTick() { return gOn; }
bool SplashRender(int) { return gOn; }
bool SplashIsOn() { return gOn; }
void SplashSkipFadeIn() {}
void SplashStop() { gOn = false; }
void SplashCancel() { gOn = false; }
bool SplashCreateGraphics() { return true; }
void SplashFreeGraphics() {}
