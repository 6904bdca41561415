// GameFrames.cpp - the frames a carried run of cards asks for (see
// GenRender.h): while cards are dragged only they and their shadows
// change on the table, so a frame need draw no more than the area they
// left and the one they reach.
//
// State: the selection as last drawn (its cards' places, the camera it was
// drawn with, the area it covered, the drop target that was lit); taken at
// each drawing of the table, forgotten when nothing is carried.
#include <cstring>

#include "Engine/EngDevice.h"
#include "Engine/EngFrames.h"
#include "Engine/EngMath.h"
#include "Game/CardGroup.h"
#include "Game/CardsSettings.h"
#include "Game/GenRecord.h"
#include "Game/GenRender.h"
#include "Game/GenSelection.h"

namespace {

// The carried cards' shadows lie this far from them on the table (as the
// piles are drawn).
constexpr float kShadowOffset[2] = {1.0f, -1.5f};
// A group in this alignment is drawn as a stack (its side and top cards).
constexpr int kStackAlignment = 1;

struct DrawnSelection {
  bool valid = false;
  EngDeviceProjection projection;
  EngFramesArea area;
  int bestTarget = -1;
  int count = 0;
  float swing = 0;
  EngMatrix places[kCardGroupMaxCards];
};

DrawnSelection g_drawn;

// The area the group's cards and their shadows cover under the projection;
// false when some card cannot be placed on the screen.
bool AreaOfSelection(const EngDeviceProjection& projection, const CardGroup& group, EngFramesArea* area) {
  const CardsSettingsRecord& s = CardsGetSettings();
  *area = EngFramesArea();
  for (int i = 0; i < group.numCards; ++i) {
    if (group.cards[i].hidden) continue;
    EngMatrix world;
    world.CopyFrom(&group.cards[i].matrix);
    world.Multiply(&group.groupMatrix);
    EngFramesArea card, shadow;
    if (!EngDeviceScreenAreaOfQuad(projection, &world, s.halfWidth, s.halfHeight, 2, &card)) return false;
    world.m[12] += kShadowOffset[0];
    world.m[13] += kShadowOffset[1];
    if (!EngDeviceScreenAreaOfQuad(projection, &world, s.halfWidth, s.halfHeight, 2, &shadow)) return false;
    *area = EngFramesUnion(*area, EngFramesUnion(card, shadow));
  }
  return true;
}

bool SameAsDrawn(const CardGroup& group) {
  if (group.numCards != g_drawn.count || group.swing != g_drawn.swing) return false;
  for (int i = 0; i < group.numCards; ++i) {
    EngMatrix world;
    world.CopyFrom(&group.cards[i].matrix);
    world.Multiply(&group.groupMatrix);
    if (std::memcmp(world.m, g_drawn.places[i].m, sizeof world.m) != 0) return false;
  }
  return true;
}

}  // namespace

void GameFramesNoteSelectionDrawn() {
  const CardGroup& group = g_GenLive.selection;
  EngDevice* device = EngDeviceGetCurrent();
  g_drawn.valid = false;
  if (group.numCards < 1 || group.alignType == kStackAlignment || !device) return;
  if (!device->GetProjection(&g_drawn.projection)) return;
  if (!AreaOfSelection(g_drawn.projection, group, &g_drawn.area)) return;
  g_drawn.count = group.numCards;
  g_drawn.swing = group.swing;
  for (int i = 0; i < group.numCards; ++i) {
    g_drawn.places[i].CopyFrom(&group.cards[i].matrix);
    g_drawn.places[i].Multiply(&group.groupMatrix);
  }
  g_drawn.bestTarget = GenGetBestDropCandidate();
  g_drawn.valid = true;
}

void GameFramesAskForSelection() {
  const CardGroup& group = g_GenLive.selection;
  if (group.numCards < 1) {
    g_drawn.valid = false;
    return;
  }
  if (g_drawn.valid && SameAsDrawn(group) && GenGetBestDropCandidate() == g_drawn.bestTarget) return;
  EngFramesArea now;
  if (!g_drawn.valid || GenGetBestDropCandidate() != g_drawn.bestTarget ||
      !AreaOfSelection(g_drawn.projection, group, &now)) {
    EngFramesRequestDraw();
    return;
  }
  EngFramesRequestDrawArea(EngFramesUnion(g_drawn.area, now), 0);
}
