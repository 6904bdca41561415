// Cameras.h - "Cameras", the choice of the ten table cameras and the
// adjustment of the current one (the look-at point's height and depth, the
// eye's distance and height, the field of view and the aspect, each with
// its default): Options page 4, and a screen of its own opened from play.
//
// In the main menu a live preview of the player's table is drawn into the
// page's frame "RenderBg" (inset 4 units, in window pixels); the Lights page
// shares it. From play the frame is hidden: the table behind the page is
// the preview.
//
// The presets and the current camera are the player's (g_UserRecord);
// every scrollbar edits the current preset in place and applies it.
//
// State: the screen's handles and the preview viewport.
#pragma once

#include <cstdint>

class MWinCollection;
class MWinWindow;
struct MWinCallbackRecord;

MWinCollection* CamerasAddCollectionToDesktop();
void CamerasCreateCB();
bool CamerasAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void CamerasClearButtonHandles();
bool CamerasGetButtonHandlesNormal(const char* collection, const char* window);

void CamerasControlStartingCB();
// "Current": the chosen camera becomes current, the page is bound to it
// again and it is applied.
void CamerasControlSelectCB();
// Every scrollbar: the current preset applied.
void CamerasControlApplyCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
// Field of view 45 and aspect 1.4, shown and applied.
void CamerasControlFovDefaultCB();
void CamerasControlAspectDefaultCB();
// "Default": the current preset's factory values, applied and shown.
void CamerasControlRestoreCB();
// "Done" of the Cameras, Lights and Keys pages: back to the game.
void CamerasControlDoneCB();
// "1" to "10" for entries 0-9, "-" beyond.
const char* CamerasControlGetCameraText(int entry);

// The preview's viewport in window pixels: "RenderBg"'s area inset by 4,
// cut to whole units, x and w times width / 640, y and h times height / 480
// (whole-number division).
struct CamerasViewport {
  int x, y, w, h;
};
CamerasViewport CamerasPreviewViewportFor(float x, float y, float w, float h, int width, int height);
// Recomputes the preview viewport, while the toolkit shows Options on page 4
// or 5 and "RenderBg" is known.
void CamerasControlUpdatePreviewViewport();
CamerasViewport CamerasGetPreviewViewport();
// Draws the player's table through the current camera into the preview.
void CamerasControlRenderPreview();
