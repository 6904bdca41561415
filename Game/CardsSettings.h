// CardsSettings.h - the card module's settings: card size, spacing
// variation, default column bottom, hooks, animation speed scale and timed
// launch rate.
//
// One set for the program, reset to the start values only by
// CardsResetSettingsForTests. Cards, groups and the animation engine read it.
#pragma once

class CardGroup;
struct Card;

// Called at the end of every CardGroup::SetupCardGroup with the group.
using CardsGroupSetupCB = void (*)(CardGroup* group);
// Called when a flying card starts (start true) or lands (start false) with
// its sound number, the source and target groups and the two card slots.
using CardsCardSoundCB = void (*)(int sound, CardGroup* source, Card* sourceCard,
                                  CardGroup* target, Card* targetCard, bool start);

struct CardsSettingsRecord {
  float width = 1, height = 1, depth = 1;             // card size on the table
  float halfWidth = 0.5f, halfHeight = 0.5f, halfDepth = 0.5f;
  float modelScale[3] = {1, 1, 1};
  float horizontalVariation = 0;                      // 0 = off, else 0 < v < 1
  float verticalVariation = 0;
  bool defaultColumnBottomOn = false;
  float defaultColumnBottomY = 0;
  CardsGroupSetupCB groupSetupCB = nullptr;
  CardsCardSoundCB cardSoundCB = nullptr;
  const float* animSpeedScale = nullptr;              // null: the stored 1.0
  float animTimedRate = 3.0f;                         // cards per second
};

// The one set of card module settings (read only; the setters below change
// it).
const CardsSettingsRecord& CardsGetSettings();

// Each value above 0 replaces its setting; the halves are recomputed and the
// card materials re-applied (CardsApplyMaterialsToAll).
void CardsSetCardSize(float width, float height, float depth, float modelX, float modelY,
                      float modelZ);
float CardsGetCardWidth();
float CardsGetCardHeight();
// A value strictly between 0 and 1 turns that variation on with that value;
// anything else turns it off.
void CardsSetSpacingVariation(float horizontal, float vertical);
// y is only replaced when on.
void CardsSetDefaultColumnBottom(bool on, float y);
void CardsSetGroupSetupCB(CardsGroupSetupCB callback);
void CardsSetCardSoundCB(CardsCardSoundCB callback);
// Points the animation speed scale at a float the caller keeps alive (the
// player's setting); null restores the stored 1.0.
void CardsSetAnimSpeedScalePtr(const float* scale);
float CardsGetAnimSpeedScale();
void CardsSetAnimTimedRate(float cardsPerSecond);

// The card module's start: card faces drawn normally again. (The deck
// module's own start-up joins here once custom decks exist.)
void CardsInit();

// Back to the start values (tests).
void CardsResetSettingsForTests();
