// Splash.cpp - stand-in splash panel (see Splash.h): state only.
#include "App/Splash.h"

#include "Game/GameImports.h"

namespace {

bool g_setUp = false;
bool g_on = false;

}  // namespace

bool SplashSetup(const char* picture1, const char*, const char*, const char*, const char*,
                 const char*, const char*, EngFont*, float, float, SplashTextCB, SplashEndCB,
                 SplashStopCB) {
  g_setUp = picture1 != nullptr;
  return g_setUp;
}
void SplashSetRect(float, float, float, float) {}
bool SplashStart() {
  if (!g_setUp || g_on) return false;
  g_on = true;
  return true;
}
bool SplashTick() { return g_on; }
bool SplashRender(int) { return g_on; }
bool SplashIsOn() { return g_on; }
void SplashSkipFadeIn() {}
void SplashStop() { g_on = false; }
void SplashCancel() { g_on = false; }
bool SplashCreateGraphics() { return true; }
void SplashFreeGraphics() {}
