// CardsRender.h - the card module's pictures and models, and the drawing of
// cards and piles.
//
// The module names, loads and draws what a card or a pile shows: the 52
// face textures, the back, the shadow, the deck-side model drawn under a
// stacked pile, and an empty pile's marker (the group's own texture, given
// by the program's group set-up hook). It knows no folders: the program
// plugs in three callbacks (the folder of a picture kind, the model file
// name, the texture file name of the back, the shadow and the deck side).
//
// Picture names: rank letter then suit letter; ranks 1 and 14 "a", 2-9 the
// digit, 10 "t", 11 "j", 12 "q", 13 "k"; suits 0 "h", 1 "s", 2 "d", 3 "c";
// rank 0 "ba" (the back), rank -1 "ds" (the deck side).
//
// Drawing happens only while a graphics device exists; headless (tests)
// every draw call returns at once, but the face mode and the set-up state
// are kept so that the two agree.
//
// State (CardsGraphics, CardsRender.cpp): the 56 face slots (0, 14, 28 and
// 42 stay empty), 17 further textures, the back, the shadow, the deck-side
// model, the face extension and alpha settings, the face mode, the
// highlight callback, the model scale, the three callbacks. Released by
// CardsFreeGraphics; the settings live for the run.
#pragma once

class CardGroup;
class EngTexture;
class EngXfile;
struct Card;
struct EngMatrix;

constexpr int kCardsNumFaceSlots = 56;
constexpr int kCardsNumFurtherTextures = 17;

// (kind, name) -> folder, or null for none. Kinds: 0 models, 4 faces,
// 5 card spaces, 6 letters.
using CardsPathCB = const char* (*)(int kind, const char* name);
// (kind) -> model file name (0 the deck side), or null.
using CardsModelFilenameCB = const char* (*)(int kind);
// (kind) -> texture file name: 0 back, 1 shadow, 2 deck side; null for none.
using CardsTextureFilenameCB = const char* (*)(int kind);
// Drawn after a highlighted card, under the card's world.
using CardsHighlightCB = void (*)(Card* card);

// ---- Binding and settings ---------------------------------------------------------
void CardsSetPathCB(CardsPathCB callback);
void CardsSetModelFilenameCB(CardsModelFilenameCB callback);
void CardsSetTextureFilenameCB(CardsTextureFilenameCB callback);
// Faces are ".tga" files with their own alpha (creation flags 7); before
// this call ".bmp" without alpha (flags 1).
void CardsSetTextureExtToTga();
bool CardsIsTextureExtTga();
// Values <= 0 leave a field unchanged.
void CardsSetModelScale(float x, float y, float z, float factor);
void CardsSetHighlightCB(CardsHighlightCB callback);
// Every card drawn face down (while the game is paused) / by its own flag.
void CardsHideAllFaces();
void CardsShowFacesNormally();
bool CardsAreAllFacesHidden();
// Alpha blending around card drawing when faces carry alpha (".tga").
void CardsBeginBlending();
void CardsEndBlending();

// ---- Names ---------------------------------------------------------------------------
// Two letters into out (3 bytes); false for a bad suit ("Invalid suit
// specified", the suit letter stays '?') or rank ("Invalid rank specified").
bool CardsGetCardFacePicName(int suit, int rank, char* out);
// prefix + the face extension, in the folder the path callback gives for
// kind (folder + "/" + name), else the bare name. Null for an empty prefix
// or one of 60 characters or more ("Invalid prefix"), or without a path
// callback ("No path filename cb setup"). Shared buffer.
const char* CardsGetTextureFileName(int kind, const char* prefix);

// ---- Loading -------------------------------------------------------------------------
// Sets a loaded texture's quad to the card rectangle; a face also gets the
// normal (0, 0, -1), draw direction 0 and coordinates (1, 1) .. (0, 0).
void CardsApplyMaterial(EngTexture* texture, bool backSide);
// The 56 faces and the 17 further textures as faces, the back and the
// shadow as back sides.
void CardsApplyMaterialsToAll();
bool CardsLoadCardFace(int suit, int rank);
bool CardsLoadCardBack();
bool CardsLoadCardShadow();
// The texture file for a material of the deck-side model: "DeckSide.bmp"
// the deck side (kind 2), "Back.bmp" the back (kind 0), "Blank.bmp" the
// texture file of "Blank"; anything else null.
const char* CardsMaterialOverwrite(const char* materialFile);
// Loads model kind 0 into a mesh (kinds 1-3 are not used by this game:
// "Unknown xfile type [%d]").
bool CardsLoadModel(int kind, EngXfile* model);
// Each value >= 0 replaces the model scale for this load of the deck side.
bool CardsLoadDeckSide(float x, float y, float z);
// The deck-side model when loaded, else null.
EngXfile* CardsGetDeckSideModel();
// A marker: the letter of rank (or "Blank") drawn over the "CardSpace"
// picture.
bool CardsSetCardSpaceRank(EngTexture* space, int rank, bool blank);
// A marker from a picture file: alone, or (composite) over "CardSpace".
bool CardsSetCardSpaceToCustomPic(bool composite, EngTexture* space, const char* file);
// A blank marker.
bool CardsLoadCardSpace(EngTexture* space);
void CardsFreeGraphics();
// The texture of a face slot (suit x 14 + rank), of the back, of the shadow
// (tests and the celebration); null outside the slots.
EngTexture* CardsGetFaceTexture(int number);
EngTexture* CardsGetBackTexture();

// ---- Drawing ---------------------------------------------------------------------------
// One card of a group (group null for a loose card): nothing for a hidden
// card; the face (face up and faces shown normally) or the back; both sides
// for a two-sided card; the highlight callback after a highlighted one.
void CardsRenderCard(CardGroup* group, int index, Card* card);
// The shadow texture under the card's world.
void CardsRenderCardShadow(CardGroup* group, int index, Card* card);
// The shadows of every card of a group that is not a stack.
void CardsRenderGroupShadows(CardGroup* group);
// The deck-side model under a stack of 2 or more cards.
void CardsRenderDeckSide(CardGroup* group);
// A texture's quad under a matrix, when loaded.
void CardsRenderCardModelOrTex(int model, EngTexture* texture, const EngMatrix* matrix);
// A pile: a stack by the pile rule, an empty group its marker (when its
// draw-empty-space byte is set), any other group its cards bottom up.
void CardsRenderGroup(CardGroup* group);

// What the drawing would show (tests and the recording device): the number
// of faces, backs, deck sides and markers drawn since the last reset.
struct CardsDrawCounts {
  int faces = 0;
  int backs = 0;
  int deckSides = 0;
  int markers = 0;
  int shadows = 0;
};
const CardsDrawCounts& CardsGetDrawCountsForTests();
void CardsResetDrawCountsForTests();
// True once faces exist (the animation layer draws only then).
bool CardsGraphicsExist();
