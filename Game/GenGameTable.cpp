// GenGameTable.cpp - the game table, the current game number and the
// game-file-name look-up.
//
// The table is data only: one GameDef per game, in game-number order.
// Fields: id, name, code, set-up routine, skill, win chance, length, 0,
// decks, autoplay, levels 1-3, 0, four-colour, {0, 0}, topics.
#include "Game/GenGameTable.h"

#include <cstdio>

#include "Engine/Debug.h"
#include "Game/GenSetups.h"
#include "Game/GenText.h"

const GameDef GenGameTable[kGenNumGames] = {
    {0, "Accordion", "ACCO", AccordionSetup, 70, 15, 30, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {1, "AcesUp", "ACUP", AcesUpSetup, 20, 5, 20, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {1, 3, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {2, "AgnesBernauer", "AGBE", AgnesSetup, 75, 60, 50, 0, 1, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 5, 7, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {3, "AgnesSorel", "AGSO", AgnesSetup, 10, 2, 50, 0, 1, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 5, 8, 13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {4, "Alternations", "ALTE", AlternationsSetup, 30, 15, 70, 0, 2, 1, 1, 0, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {5, "BakersDozen", "BADO", BakersDozenSetup, 75, 60, 50, 0, 1, 1, 1, 0, 1, 0, 0, {0, 0},
     {1, 3, 8, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {6, "BakersGame", "BAGA", FreeCellSetup, 100, 50, 20, 0, 1, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 2, 3, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {7, "Baroness", "BARO", BaronessSetup, 30, 20, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {8, "BeleagueredCastleF", "BECF", BeleagueredCastleSetup, 80, 35, 50, 0, 1, 1, 1, 0, 1, 0, 1, {0, 0},
     {1, 4, 8, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {9, "BlackHole", "BLHO", BlackHoleSetup, 70, 60, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {4, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {10, "BlondesAndBrunettes", "BLBR", QueenOfItalySetup, 50, 30, 80, 0, 2, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 10, 11, 5, 6, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {11, "Brigade", "BRIG", FlowerGardenSetup, 70, 66, 50, 0, 1, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 7, 8, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {12, "Bristol", "BRIS", BristolSetup, 50, 70, 50, 0, 1, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 4, 7, 15, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {13, "BuffaloBill", "BUBI", BuffaloBillSetup, 85, 75, 30, 0, 2, 1, 0, 0, 1, 0, 1, {0, 0},
     {1, 4, 2, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {14, "Calculation", "CALC", CalculationSetup, 30, 50, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {15, "Canfield", "CANF", CanfieldSetup, 40, 40, 50, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 5, 6, 7, 3, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {16, "CastlesInSpain", "CAIS", BakersDozenSetup, 50, 70, 50, 0, 1, 1, 1, 0, 1, 0, 0, {0, 0},
     {1, 3, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {17, "Coleopter", "COLE", ColeopterSetup, 80, 85, 50, 0, 2, 1, 1, 0, 1, 0, 1, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {18, "CurdsAndWhey", "CUWH", CurdsAndWheySetup, 75, 30, 60, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {19, "DoubleKlondike", "DOKL", KlondikeSetup, 50, 90, 70, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {20, "DoubleYukon", "DOYU", YukonSetup, 80, 60, 80, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {21, "EightOff", "EIOF", FreeCellSetup, 90, 95, 50, 0, 1, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 2, 3, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {22, "Fan", "FANN", LaBelleLucieSetup, 80, 20, 20, 0, 1, 1, 0, 0, 1, 0, 1, {0, 0},
     {1, 4, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {23, "FlowerGarden", "FLGA", FlowerGardenSetup, 60, 80, 40, 0, 1, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 7, 8, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {24, "FortyThieves", "FOTH", FortyThievesSetup, 80, 10, 80, 0, 2, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 3, 5, 6, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {25, "FortyThievesEasier", "FOTE", FortyThievesSetup, 70, 25, 80, 0, 2, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 3, 5, 6, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {26, "FreeCell", "FRCE", FreeCellSetup, 80, 95, 20, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 2, 3, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {27, "GapsF", "GAPF", GapsSetup, 40, 20, 50, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {28, "Gargantua", "GARG", HarpSetup, 50, 95, 80, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {29, "Giant", "GIAN", GiantSetup, 75, 27, 70, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {30, "Giza", "GIZA", GizaSetup, 70, 35, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {31, "Golf", "GOLF", GolfSetup, 50, 5, 10, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {1, 3, 5, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {32, "GrandfathersClock", "GRCL", GrandfathersClockSetup, 20, 85, 50, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {1, 3, 8, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {33, "Harp", "HARP", HarpSetup, 50, 20, 80, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {34, "Intelligence", "INTE", LaBelleLucieSetup, 70, 35, 50, 0, 2, 1, 0, 0, 1, 0, 1, {0, 0},
     {1, 4, 8, 18, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {35, "Interchange", "INCH", AlternationsSetup, 30, 5, 70, 0, 2, 1, 1, 0, 1, 0, 1, {0, 0},
     {1, 3, 5, 6, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {36, "Kings", "KING", KingsSetup, 80, 50, 50, 0, 2, 1, 1, 0, 1, 0, 0, {0, 0},
     {1, 3, 15, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {37, "Klondike", "KLON", KlondikeSetup, 60, 30, 20, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {38, "Klondike2", "KLO2", KlondikeSetup, 50, 60, 20, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {39, "LaBelleLucie", "LBLU", LaBelleLucieSetup, 60, 50, 20, 0, 1, 1, 0, 0, 1, 0, 1, {0, 0},
     {1, 4, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {40, "LasVegas", "LAVE", KlondikeSetup, 60, 25, 20, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {41, "LasVegas2", "LAV2", KlondikeSetup, 50, 50, 30, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {42, "Martha", "MART", MarthaSetup, 20, 75, 15, 0, 1, 1, 1, 0, 1, 0, 0, {0, 0},
     {1, 3, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {43, "Memory", "MEMO", MemorySetup, 33, 50, 50, 0, 2, 0, 0, 0, 0, 0, 0, {0, 0},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {44, "Memory2", "MEM2", MemorySetup, 66, 50, 50, 0, 2, 0, 0, 0, 0, 0, 0, {0, 0},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {45, "MissMilligan", "MIMI", MissMilliganSetup, 50, 30, 70, 0, 2, 1, 1, 0, 1, 0, 0, {0, 0},
     {1, 3, 5, 7, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {46, "MonteCarlo", "MOCA", MonteCarloSetup, 15, 20, 20, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {5, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {47, "NewYork", "NEYO", NewYorkSetup, 60, 10, 50, 0, 2, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 7, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {48, "NumberTen", "NUTE", FortyThievesSetup, 55, 30, 80, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {49, "Penguin", "PENG", PenguinSetup, 80, 70, 50, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 2, 3, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {50, "PokerShuffle", "POSH", PokerSetup, 20, 60, 15, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {3, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {51, "PokerSquare", "POSQ", PokerSetup, 50, 40, 25, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {3, 5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {52, "PyramidF", "PYRF", GizaSetup, 20, 20, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {53, "QueenOfItaly", "QOIT", QueenOfItalySetup, 60, 20, 80, 0, 2, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 10, 11, 5, 6, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {54, "RougeEtNoir", "RENO", RougeEtNoirSetup, 80, 25, 80, 0, 2, 0, 0, 0, 0, 0, 0, {0, 0},
     {3, 5, 9, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {55, "RussianCardolia", "RUCA", YukonSetup, 80, 92, 50, 0, 1, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 3, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {56, "Scorpion", "SCOR", ScorpionSetup, 60, 25, 50, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 7, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {57, "SeaTowers", "SEAT", FreeCellSetup, 90, 99, 20, 0, 1, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 2, 3, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {58, "Shamrocks", "SHAM", LaBelleLucieSetup, 60, 50, 20, 0, 1, 1, 0, 1, 0, 0, 0, {0, 0},
     {1, 4, 8, 17, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {59, "SirTommy", "SIRT", CalculationSetup, 50, 10, 50, 0, 1, 1, 0, 1, 0, 0, 0, {0, 0},
     {1, 3, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {60, "Spider", "SPID", SpiderSetup, 70, 25, 50, 0, 2, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {61, "Spider3Suits", "SP3S", SpiderSetup, 65, 40, 50, 0, 2, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {62, "Spider2Suits", "SP2S", SpiderSetup, 50, 70, 50, 0, 2, 0, 0, 0, 0, 0, 0, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {63, "Spider1Suit", "SP1S", SpiderSetup, 25, 90, 50, 0, 2, 0, 0, 0, 0, 0, 0, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {64, "SpiderTrap", "SPTR", SpiderTrapSetup, 30, 60, 50, 0, 1, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 3, 12, 16, 5, 2, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {65, "SpiderTripleDeck", "SPTD", SpiderSetup, 60, 30, 80, 0, 3, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {66, "Spiderette", "SPTT", SpiderSetup, 40, 2, 50, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {67, "Spiderette3Suits", "SPT3", SpiderSetup, 30, 25, 50, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {68, "Spiderette2Suits", "SPT2", SpiderSetup, 20, 60, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {69, "Spiderette1Suit", "SPT1", SpiderSetup, 10, 80, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {3, 5, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {70, "SpidersCrossing", "SPCO", SpidersCrossingSetup, 75, 30, 45, 0, 2, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 5, 2, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {71, "SpidersCrossingTD", "SCTD", SpidersCrossingSetup, 65, 25, 70, 0, 3, 0, 0, 0, 0, 0, 1, {0, 0},
     {3, 5, 2, 12, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {72, "Spiral", "SPIR", AccordionSetup, 70, 15, 30, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {73, "Steps", "STEP", HarpSetup, 50, 80, 80, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {74, "Stonewall", "STON", FlowerGardenSetup, 25, 8, 50, 0, 1, 1, 0, 0, 1, 0, 0, {0, 0},
     {1, 3, 7, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {75, "Strategy", "STRA", CalculationSetup, 98, 85, 50, 0, 1, 0, 0, 0, 0, 0, 1, {0, 0},
     {1, 3, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {76, "Streets", "STRE", FortyThievesSetup, 65, 10, 80, 0, 2, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 5, 6, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {77, "ThreeCell", "THCE", FreeCellSetup, 90, 75, 25, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 2, 3, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {78, "ThumbAndPouch", "TAPO", KlondikeSetup, 10, 99, 20, 0, 1, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 3, 5, 6, 8, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {79, "TutsTomb", "TUTO", GizaSetup, 25, 20, 50, 0, 1, 0, 0, 0, 0, 0, 0, {0, 0},
     {5, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {80, "TwentyF", "TWEF", TwentySetup, 40, 75, 20, 0, 2, 0, 0, 0, 0, 0, 1, {0, 0},
     {1, 3, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {81, "Unlimited", "UNLI", AlternationsSetup, 30, 35, 70, 0, 2, 1, 1, 0, 1, 0, 1, {0, 0},
     {1, 3, 5, 6, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {82, "WaningMoon", "WAMO", WaningMoonSetup, 80, 70, 50, 0, 2, 1, 1, 1, 1, 0, 1, {0, 0},
     {1, 3, 5, 6, 8, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {83, "Yukon", "YUKO", YukonSetup, 80, 70, 50, 0, 1, 1, 1, 1, 1, 0, 0, {0, 0},
     {1, 3, 8, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
};

namespace {

// The current game number; GenInit repairs an out-of-range value.
int g_curGame = 0;
char g_windowTitle[160] = "";

constexpr const char* kProductTitle = "Free Cardolia 3D";

}  // namespace

int GenGetCurGame() { return g_curGame; }

void GenSetCurGame(int game) {
  g_curGame = game;
  // An out-of-range number is repaired (and reported) by GenInit.
  if (game < 0 || game >= kGenNumGames) return;
  std::snprintf(g_windowTitle, sizeof g_windowTitle, "%s - %s", kProductTitle,
                GenGetGameString(1, game));
}

const char* GenGetWindowTitle() { return g_windowTitle; }

const char* GenGetGameFilename(int n) {
  int game = n < 0 ? g_curGame : n;
  if (game < 0 || game >= kGenNumGames) {
    DebugError("GenGetGameFilename", "Invalid game number %d", game);
    return "XXX";
  }
  return GenGameTable[game].name;
}

bool GenCurGameWantsFourColorDeck() {
  if (g_curGame < 0 || g_curGame >= kGenNumGames) return false;
  return GenGameTable[g_curGame].fourColour != 0;
}
