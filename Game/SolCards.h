// SolCards.h - this program's binding of the card module: the deck module's
// set-up, card sizes, the empty-pile markers with their rank letters, the
// highlight drawn over a playable card, and the loading steps of the card
// graphics.
//
// Markers, one texture each: cell, foundation, second foundation (games 13
// and 54: foundations above code 13), tableau, fan, deck, waste, reserve;
// plus the highlight texture "Data\Main\0155.dat". A pile gets its marker by
// its pile code when it is set up (SolCardsSetupCardGroupModelsAndTextures).
//
// State: the marker textures (released by SolCardsFreeGraphics), the last
// foundation base rank and the deck marker's picture kind (kept for the run;
// GenInit sets them for every game).
#pragma once

class CardGroup;
class EngTexture;
struct Card;

// The deck module's set-up (with the four-colour test), the group set-up
// hook, the timed launch rate 2.5, card size and markers, the table values
// 30, 30, 0, 35, the table rectangle and the board texture quality.
void SolCardsSetup();
// Width and height factors (<= 0 keep), the thickness kept or reset;
// marker materials, the default column bottom at y = -20.5 minus the card
// height, the highlight callback.
void SolCardsSetCardSize(float width, float height, bool keepThickness);
// Draws the highlight texture over a card (the highlight option on).
void SolCardsDrawHighlight(Card* card);
// The marker of a pile by its pile code; 800, 801 and piles of no cards get
// none silently; an unknown code reports "Unexpected group %d".
void SolCardsSetupCardGroupModelsAndTextures(CardGroup* group);
// A rank below 1 draws the marker blank; kinds 10, 11, 200 and 300 draw the
// rank (14 as 1); 500 takes only a blank marker; others "Unsupported type:
// %d". False when the marker could not be built.
bool SolCardsDoSetSpaceRank(int rank, int kind);
// The foundation marker shows the base rank (negative: the last one given);
// the tableau and fan markers follow (SolCardsSetSpaceRanks).
void SolCardsSetFoundationSpaceRank(int baseRank);
// The tableau and fan markers by the empty-space choices: 0 blank,
// -1 one below the base rank (0 becomes 13), else that rank.
void SolCardsSetSpaceRanks(int baseRank);
// The choices SolCardsSetSpaceRanks follows (both 0 at start; each variant
// set-up gives its own: 13 where spaces take only kings).
void SolCardsSetSpaceRankOptions(int tableau, int fan);
void SolCardsGetSpaceRankOptions(int* tableau, int* fan);
// The rank the option gives for a base rank (0 = blank).
int SolCardsSpaceRankFor(int option, int baseRank);
// The deck marker's picture: 1 "Data/Custom/Special1.bmp", 2
// "Data/Custom/X.bmp", any other "Data/Letters/Blank.bmp", each over the
// card-space picture. The kind is remembered.
void SolCardsSetSpaceCustomPic(int kind);
int SolCardsGetSpaceCustomPic();
// One loading step (0 boards, 1 card graphics, 2 highlight, 3-8 and 69 the
// markers); other steps do nothing. False when the step failed (reported).
bool SolCardsCreateGraphics(int step);
// Card size kept, model factors, the deck generated when needed, faces,
// back, shadow and the deck side.
bool LoadCardsCreateGraphics();
// The deck module's graphics, every marker and the highlight texture.
void SolCardsFreeGraphics();
// The marker of a kind (10, 11, 100, 200, 300, 400, 500, 600); null for
// another.
EngTexture* SolCardsGetMarker(int kind);
