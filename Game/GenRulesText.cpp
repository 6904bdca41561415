// GenRulesText.cpp - the rules-text table: for each game the language keys
// of its objective and of up to eight rules (title, count, place, texts).
//
// Data only; the texts behind the keys live in the language files and are
// put together by GenGetGameString.
#include "Game/GenGameTable.h"

const GameRulesText GenRulesTextTable[kGenNumGames] = {
    // 0 Accordion
    {"Accordion", "Obj_FormOnePileFromAllCardsInTableau",
     {
      {"RuleTitle_Tableau", 0, "RulePlace_Center", {"Rule_AccordianTableau"}},
     }},
    // 1 AcesUp
    {"Aces Up", "Obj_AcesUp",
     {
      {"RuleTitle_1FoundationPile", 0, "RulePlace_TopRight", {"Rule_AcesUpFoundation"}},
      {"RuleTitle_NTableauCols", 4, "RulePlace_Center", {"Rule_AcesUpTableaus"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardEachTab"}},
     }},
    // 2 AgnesBernauer
    {"Agnes Bernauer", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_DealSetFndRank", "Rule_BuildUpInSuitFromRankWrapUntil13"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithRankLowerFndBase", "Rule_CardsAreWrapped"}},
      {"RuleTitle_NReservePiles", 7, "RulePlace_Bottom", {"Rule_TopEachPileAvail"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickToDeal1CardEachReservePile"}},
     }},
    // 3 AgnesSorel
    {"Agnes Sorel", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_DealSetFndRank", "Rule_BuildUpInSuitFromRankWrapUntil13"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownSameCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesNotFilled", "Rule_CardsAreWrapped"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardEachTab"}},
     }},
    // 4 Alternations
    {"Alternations", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 5 BakersDozen
    {"Baker's Dozen", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Right", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 13, "RulePlace_Left", {"Rule_BuildDownAnySuit", "Rule_MoveOneWithinTabOrToFnd", "Rule_SpacesNotFilled", "Rule_AfterDealKingsBottomTab"}},
     }},
    // 6 BakersGame
    {"Baker's Game", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_TopRight", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NCells", 4, "RulePlace_TopLeft", {"Rule_EachCellCanHoldOneCard"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_GroupsInSeqCanMoveIfFreeCells", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteMoveGroupIsShortcutSeeTabRule"}},
      {"RuleTitle_Note2", 0, "", {"Rule_BakersGameNote"}},
     }},
    // 7 Baroness
    {"Baroness", "Obj_PairAllCardsRankAddsTo13",
     {
      {"RuleTitle_NPiles", 5, "RulePlace_Center", {"Rule_PairIsRanksAddTo13AndKing", "Rule_TopAvailPlay"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardEachTabPile"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteCardsPairedByCombining"}},
      {"RuleTitle_Note2", 0, "", {"Rule_BaronessNote2"}},
      {"RuleTitle_Note3", 0, "", {"Rule_BaronessNote3"}},
     }},
    // 8 BeleagueredCastleF
    {"Beleaguered Castle", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Center", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NFanRows", 8, "RulePlace_Sides", {"Rule_BuildDownAnySuit", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledWithAnyOneCard"}},
     }},
    // 9 BlackHole
    {"Black Hole", "Obj_BlackHole",
     {
      {"RuleTitle_BlackHole", 0, "RulePlace_Center", {"Rule_AlwaysStartWithAceSpades", "Rule_BuildUpOrDownAnySuit"}},
      {"RuleTitle_NFans", 17, "RulePlace_AroundBlackHole", {"Rule_BlackHoleFan", "Rule_TopAvailPlayFnd"}},
     }},
    // 10 BlondesAndBrunettes
    {"Blondes And Brunettes", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_DealSetFndRank", "Rule_BuildUpAltCol", "Rule_CardsAreWrapped"}},
      {"RuleTitle_NTableauCols", 9, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledFromStockOrWasteIfStockEmpty"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
      {"RuleTitle_Reserve", 0, "RulePlace_BottomRight", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 11 Brigade
    {"Brigade", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledWithAnyOneCard"}},
      {"RuleTitle_Reserve", 0, "RulePlace_Bottom", {"Rule_EachCardIncBotAvailPlayFndTab"}},
     }},
    // 12 Bristol
    {"Bristol", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpAnySuitFromAceToKing"}},
      {"RuleTitle_NFans", 8, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_OneCardOnlyMoved", "Rule_SpacesNotFilled"}},
      {"RuleTitle_NReservePiles", 3, "RulePlace_Bottom", {"Rule_TopAvailPlayFndFan"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1CardTo3ResPiles"}},
     }},
    // 13 BuffaloBill
    {"Buffalo Bill", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildLeftFourAKRightFourKA"}},
      {"RuleTitle_NFans", 26, "RulePlace_Center", {"Rule_NoBuildingInFans", "Rule_OneCardAvailPlayCellFnd"}},
      {"RuleTitle_NCells", 8, "RulePlace_Bottom", {"Rule_EachCellCanHoldOneCardAvailPlayFnd"}},
     }},
    // 14 Calculation
    {"Calculation", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_Calculation"}},
      {"RuleTitle_NTableauCols", 4, "RulePlace_Center", {"Rule_TopAvailPlayFnd", "Rule_SpacesFilledWithAnyCard"}},
      {"RuleTitle_Waste", 0, "RulePlace_BottomLeft", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 15 Canfield
    {"Canfield", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_TopLeft", {"Rule_DealSetFndRank", "Rule_BuildUpInSuitFromRankWrapUntil13"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopRight", {"Rule_ClickTurn3ToWaste", "Rule_ClickEmptyMoveWasteToStockUnlimited"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
      {"RuleTitle_Reserve", 0, "RulePlace_BottomRight", {"Rule_TopAvailPlayTabOrFnd"}},
      {"RuleTitle_NTableauCols", 4, "RulePlace_BottomLeft", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab"}},
      {"RuleTitle_Note", 0, "", {"Rule_CanfieldNote"}},
     }},
    // 16 CastlesInSpain
    {"Castles in Spain", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 13, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledWithAnyOneCard"}},
     }},
    // 17 Coleopter
    {"Coleopter", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_FndFilledOnlyFromTabUnderFnd", "Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickToDeal1CardToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTab"}},
     }},
    // 18 CurdsAndWhey
    {"Curds and Whey", "Obj_4SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 13, "RulePlace_Center", {"Rule_BuitDownInSuitOrOfSameRank", "Rule_MoveGroupDownInSuitOrSameRank", "Rule_SpacesFilledWithKingOrKingGroup"}},
     }},
    // 19 DoubleKlondike
    {"Double Klondike", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 9, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn3ToWaste", "Rule_ClickEmptyMoveWasteToStockUnlimited"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 20 DoubleYukon
    {"Double Yukon", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveAnyGroupToOtherTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
     }},
    // 21 EightOff
    {"Eight Off", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_TopRight", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NCells", 8, "RulePlace_TopLeft", {"Rule_EachCellCanHoldOneCard"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_GroupsInSeqCanMoveIfFreeCells", "Rule_SpacesFilledByKings"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteMoveGroupIsShortcutSeeTabRule"}},
     }},
    // 22 Fan
    {"Fan", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NFans", 18, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_OneCardAvailPlayFanFnd", "Rule_SpacesFilledByKings"}},
     }},
    // 23 FlowerGarden
    {"Flower Garden", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 6, "RulePlace_TheGarden", {"Rule_BuildDownAnySuit", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledWithAnyOneCard"}},
      {"RuleTitle_Reserve", 0, "RulePlace_TheBouquet", {"Rule_EachCardIncBotAvailPlayFndTab"}},
     }},
    // 24 FortyThieves
    {"Forty Thieves", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_OneCardAvailPlayTabFnd", "Rule_SpacesFilledWithAnyOneCard"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BelowStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 25 FortyThievesEasier
    {"Forty Thieves (Easier)", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_MoveGroupAnySeq", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BelowStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 26 FreeCell
    {"FreeCell", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_TopRight", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NCells", 4, "RulePlace_TopLeft", {"Rule_EachCellCanHoldOneCard"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_GroupsInSeqCanMoveIfFreeCells", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteMoveGroupIsShortcutSeeTabRule"}},
     }},
    // 27 GapsF
    {"Gaps", "Obj_Gaps",
     {
      {"RuleTitle_NCards", 52, "RulePlace_Center", {"Rule_GapsTableau"}},
      {"RuleTitle_Redeal", 0, "", {"Rule_GapsRedeal"}},
     }},
    // 28 Gargantua
    {"Gargantua", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 9, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 29 Giant
    {"Giant", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_AboveTableau", {"Rule_BuildUpInSuitFromAceToKing", "Rule_GiantFnd"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardEachTab"}},
     }},
    // 30 Giza
    {"Giza", "Obj_PairAllCardsRankAddsTo13",
     {
      {"RuleTitle_Pyramid", 0, "RulePlace_Top", {"Rule_Pyramid", "Rule_PairIsRanksAddTo13AndKing"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Bottom", {"Rule_TopAvailPlay"}},
      {"RuleTitle_Author", 0, "", {"Rule_GizaAuthor"}},
     }},
    // 31 Golf
    {"Golf", "Obj_MoveAllCardsToFoundation",
     {
      {"RuleTitle_1FoundationPile", 0, "RulePlace_Bottom", {"Rule_BuildUpOrDownAnySuit"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Top", {"Rule_GolfTab"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1CardToFndPile"}},
     }},
    // 32 GrandfathersClock
    {"Grandfather's Clock", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 12, "RulePlace_TheClock", {"Rule_GClock"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Sides", {"Rule_BuildDownAnySuit", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledWithAnyOneCard"}},
     }},
    // 33 Harp
    {"Harp", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 9, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneOrKingGroupToSpace", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste", "Rule_ClickEmptyMoveWasteToStockOnce"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 34 Intelligence
    {"Intelligence", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NFans", 18, "RulePlace_Center", {"Rule_BuildUpOrDownInSuit", "Rule_OneCardAvailPlayFanFnd", "Rule_SpacesFilledAutoWith3StockCards"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_IntelligenceStock"}},
      {"RuleTitle_Redeal", 0, "", {"Rule_LucieRedeal"}},
     }},
    // 35 Interchange
    {"Interchange", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_MoveGroupDownInSuit", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 36 Kings
    {"Kings", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpAnySuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildUpOrDownAnySuit", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledWithAnyCard"}},
      {"RuleTitle_Note", 0, "", {"Rule_KingsNote"}},
     }},
    // 37 Klondike
    {"Klondike", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn3ToWaste", "Rule_ClickEmptyMoveWasteToStockUnlimited"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 38 Klondike2
    {"Klondike (Easier)", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn3ToWaste", "Rule_ClickEmptyMoveWasteToStockUnlimited"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 39 LaBelleLucie
    {"La Belle Lucie", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NFans", 18, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_OneCardAvailPlayFanFnd", "Rule_SpacesNotFilled"}},
      {"RuleTitle_Redeal", 0, "", {"Rule_LucieRedeal"}},
      {"RuleTitle_Note", 0, "", {"Rule_LucieNote"}},
     }},
    // 40 LasVegas
    {"Las Vegas Cardolia", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 41 LasVegas2
    {"Las Vegas Cardolia 2", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste", "Rule_ClickEmptyMoveWasteToStockUnlimited"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 42 Martha
    {"Martha", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 12, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithAnyOneCard"}},
     }},
    // 43 Memory
    {"Memory", "Obj_Memory",
     {
      {"RuleTitle_NCards", 26, "RulePlace_Center", {"Rule_Memory"}},
      {"RuleTitle_Note", 0, "", {"Rule_MemoryNote"}},
     }},
    // 44 Memory2
    {"Memory 2", "Obj_Memory",
     {
      {"RuleTitle_NCards", 52, "RulePlace_Center", {"Rule_Memory"}},
      {"RuleTitle_Note", 0, "", {"Rule_Memory2Note"}},
     }},
    // 45 MissMilligan
    {"Miss Milligan", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTab"}},
      {"RuleTitle_ReserveCol", 0, "RulePlace_Right", {"Rule_MissMReserve"}},
     }},
    // 46 MonteCarlo
    {"Monte Carlo", "Obj_MonteCarlo",
     {
      {"RuleTitle_NTableauPiles", 25, "RulePlace_Center", {"Rule_MonteCarloTab"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_MonteCarloStock"}},
     }},
    // 47 NewYork
    {"New York", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_DealSetFndRank", "Rule_BuildUpInSuitFromRankWrapUntil13"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledFromStockOrReservePile", "Rule_CardsAreWrapped"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_TopAvailPlayTabResFnd"}},
      {"RuleTitle_NReservePiles", 3, "RulePlace_BelowStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 48 NumberTen
    {"Number Ten", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BelowStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 49 Penguin
    {"Penguin", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_PenguinFnd", "Rule_BuildUpInSuitFromRankWrapUntil13"}},
      {"RuleTitle_NCells", 7, "RulePlace_BelowFoundation", {"Rule_EachCellCanHoldOneCard"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_MoveGroupDownInSuit", "Rule_SpacesFilledWithRankLowerFndBase", "Rule_CardsAreWrapped"}},
     }},
    // 50 PokerShuffle
    {"Poker Shuffle", "Obj_HighScore",
     {
      {"RuleTitle_NTableauPiles", 25, "RulePlace_Center", {"Rule_PokerShuffleTab"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_PokerStock"}},
      {"RuleTitle_PokerHandsScoring", 0, "", {"Rule_PokerHands"}},
     }},
    // 51 PokerSquare
    {"Poker Square", "Obj_HighScore",
     {
      {"RuleTitle_NTableauPiles", 25, "RulePlace_Center", {"Rule_PokerSquareTab"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_PokerStock"}},
      {"RuleTitle_PokerHandsScoring", 0, "", {"Rule_PokerHands"}},
     }},
    // 52 PyramidF
    {"Pyramid", "Obj_PairAllCardsRankAddsTo13",
     {
      {"RuleTitle_Pyramid", 0, "RulePlace_Center", {"Rule_Pyramid", "Rule_PairIsRanksAddTo13AndKing"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_PyramidStock", "Rule_ClickEmptyMoveWasteToStock3Times"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_PyramidWaste"}},
     }},
    // 53 QueenOfItaly
    {"Queen of Italy", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_QueenItalyFnd", "Rule_BuildUpAltCol", "Rule_CardsAreWrapped"}},
      {"RuleTitle_NTableauCols", 9, "RulePlace_Center", {"Rule_QueenItalyTab", "Rule_BuildDownAltCol", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledAutoFromWasteOrStockIfNoWaste"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
      {"RuleTitle_Reserve", 0, "RulePlace_BottomRight", {"Rule_TopAvailPlayFnd"}},
     }},
    // 54 RougeEtNoir
    {"Rouge et Noir", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_RougeNoirFnd"}},
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDealOneCardFaceUpEachPile"}},
      {"RuleTitle_Note", 0, "", {"Rule_RougeNoirNote"}},
     }},
    // 55 RussianCardolia
    {"Russian Cardolia", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_MoveAnyGroupToOtherTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
     }},
    // 56 Scorpion
    {"Scorpion", "Obj_4SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_MoveAnyGroupToOtherTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
      {"RuleTitle_Reserve", 0, "RulePlace_BottomLeft", {"Rule_ScorpionRes"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteFullSuitNoCoverAutoRemove"}},
     }},
    // 57 SeaTowers
    {"SeaTowers", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_TopRight", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NCells", 4, "RulePlace_2TopLeft2TopRight", {"Rule_EachCellCanHoldOneCard"}},
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_GroupsInSeqCanMoveIfFreeCells", "Rule_SpacesFilledByKings"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteMoveGroupIsShortcutSeeTabRule"}},
      {"RuleTitle_Author", 0, "", {"Rule_InventedByTobiasWrenfold"}},
     }},
    // 58 Shamrocks
    {"Shamrocks", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NFans", 18, "RulePlace_Center", {"Rule_BuildUpOrDownAnySuit", "Rule_NoMoreThan3CardsPerFan", "Rule_OneCardAvailPlayFanFnd", "Rule_SpacesNotFilled"}},
     }},
    // 59 SirTommy
    {"Sir Tommy", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"RuleSirTommyFnd", "Rule_BuildUpAnySuit"}},
      {"RuleTitle_NTableauCols", 4, "RulePlace_Center", {"Rule_TopAvailPlayFnd", "Rule_SpacesFilledWithAnyCard"}},
      {"RuleTitle_Waste", 0, "RulePlace_BottomLeft", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 60 Spider
    {"Spider", "Obj_8SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
     }},
    // 61 Spider3Suits
    {"Spider 3 Suits", "Obj_8SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Note2", 0, "", {"Rule_Spider3SuitsNote"}},
     }},
    // 62 Spider2Suits
    {"Spider 2 Suits", "Obj_8SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Note2", 0, "", {"Rule_Spider2SuitsNote"}},
     }},
    // 63 Spider1Suit
    {"Spider 1 Suit", "Obj_8SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Note2", 0, "", {"Rule_Spider1SuitNote"}},
     }},
    // 64 SpiderTrap
    {"Spider Trap", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 5, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Cell", 0, "RulePlace_TopLeft", {"Rule_ThisCellCanHoldOneCard"}},
      {"RuleTitle_Reserve", 0, "RulePlace_BelowCells", {"Rule_SpiderTrapRes"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopCenter", {"Rule_ClickDeal1CardEachTab"}},
     }},
    // 65 SpiderTripleDeck
    {"Spider Triple Deck", "Obj_12SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 12, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
     }},
    // 66 Spiderette
    {"Spiderette", "Obj_4SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
     }},
    // 67 Spiderette3Suits
    {"Spiderette 3 Suits", "Obj_4SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Note2", 0, "", {"Rule_Spiderette3SuitsNote"}},
     }},
    // 68 Spiderette2Suits
    {"Spiderette 2 Suits", "Obj_4SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Note2", 0, "", {"Rule_Spiderette2SuitsNote"}},
     }},
    // 69 Spiderette1Suit
    {"Spiderette 1 Suit", "Obj_4SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup", "Rule_TopCardInEachTabIsFaceUp"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickDeal1CardFaceUpEachTabNoSpaces"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Note2", 0, "", {"Rule_Spiderette1SuitNote"}},
     }},
    // 70 SpidersCrossing
    {"Spider's Crossing", "Obj_8SetsOf13DownInSuitWithinTableau",
     {
      {"RuleTitle_NTableauCols", 9, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_NCells", 9, "RulePlace_Top", {"Rule_SpidersCrossingCells"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_SpidersCrossingStock"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Author", 0, "", {"Rule_SpidersCrossingAuthor"}},
     }},
    // 71 SpidersCrossingTD
    {"Spider's Crossing Triple Deck", "Obj_12SetsOf13DownInSuit",
     {
      {"RuleTitle_NTableauCols", 11, "RulePlace_Center", {"Rule_BuildDownAnySuit", "Rule_HoweverOnlyGroupInSuitMovedTogether", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_NCells", 11, "RulePlace_Top", {"Rule_SpidersCrossingCells"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_SpidersCrossingStock"}},
      {"RuleTitle_Note", 0, "", {"Rule_NoteFullSuitAutoRemove"}},
      {"RuleTitle_Author", 0, "", {"Rule_SpidersCrossingAuthor"}},
     }},
    // 72 Spiral
    {"Spiral", "Obj_FormOnePileFromAllCardsInTableau",
     {
      {"RuleTitle_Tableau", 0, "RulePlace_Center", {"Rule_AccordianTableau"}},
      {"RuleTitle_Author", 0, "", {"Rule_SpiralAuthor"}},
     }},
    // 73 Steps
    {"Steps", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 74 Stonewall
    {"Stonewall", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 6, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveOneOrGroupToTabOrSpace", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Reserve", 0, "RulePlace_Bottom", {"Rule_EachCardIncBotAvailPlayFndTab"}},
     }},
    // 75 Strategy
    {"Strategy", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_StrategyFnd"}},
      {"RuleTitle_NTableauCols", 4, "RulePlace_Center", {"Rule_TopAvailPlayFnd", "Rule_SpacesFilledWithAnyCard", "Rule_StrategyTab"}},
      {"RuleTitle_Waste", 0, "RulePlace_BottomLeft", {"Rule_TopAvailPlayTab"}},
      {"RuleTitle_Note", 0, "", {"Rule_StrategyNote"}},
     }},
    // 76 Streets
    {"Streets", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 10, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_OneCardOnlyMoved", "Rule_SpacesFilledWithAnyOneCard"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BelowStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 77 ThreeCell
    {"ThreeCell", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_TopRight", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NCells", 3, "RulePlace_TopLeft", {"Rule_EachCellCanHoldOneCard"}},
      {"RuleTitle_NTableauCols", 8, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_GroupsInSeqCanMoveIfFreeCells", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Note1", 0, "", {"Rule_NoteMoveGroupIsShortcutSeeTabRule"}},
      {"RuleTitle_Note2", 0, "", {"Rule_ThreecellNote"}},
     }},
    // 78 ThumbAndPouch
    {"Thumb and Pouch", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownDiffSuit", "Rule_MoveOneCardOrGroupTab", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 79 TutsTomb
    {"Tut's Tomb", "Obj_PairAllCardsRankAddsTo13",
     {
      {"RuleTitle_Pyramid", 0, "RulePlace_Center", {"Rule_Pyramid", "Rule_PairIsRanksAddTo13AndKing"}},
      {"RuleTitle_Stock", 0, "RulePlace_TheFlipper", {"Rule_TutsTombStock", "Rule_ClickEmptyMoveWasteToStockUnlimited"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_PyramidWaste"}},
     }},
    // 80 TwentyF
    {"Twenty", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_TwentyFnd"}},
      {"RuleTitle_NTableauPiles", 20, "RulePlace_Center", {"Rule_TwentyTab", "Rule_SpacesFilledAutoFromStock"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickToDeal1CardEachReservePile"}},
     }},
    // 81 Unlimited
    {"Unlimited", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_MoveGroupDownInSuit", "Rule_SpacesFilledWithAnyCardOrGroup"}},
      {"RuleTitle_Stock", 0, "RulePlace_TopLeft", {"Rule_ClickTurn1ToWaste", "Rule_ClickEmptyMoveWasteToStockUnlimited"}},
      {"RuleTitle_Waste", 0, "RulePlace_BesideStock", {"Rule_TopAvailPlayTabOrFnd"}},
     }},
    // 82 WaningMoon
    {"Waning Moon", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 8, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 13, "RulePlace_Center", {"Rule_BuildDownInSuit", "Rule_OneCardAvailPlayTabFnd", "Rule_SpacesFilledWithAnyOneCard"}},
      {"RuleTitle_Stock", 0, "RulePlace_BottomLeft", {"Rule_ClickTurn1ToWaste"}},
      {"RuleTitle_Waste", 0, "RulePlace_BelowStock", {"Rule_TopAvailPlayTabOrFnd"}},
      {"RuleTitle_Author", 0, "", {"Rule_InventedByNessaCorvelle"}},
     }},
    // 83 Yukon
    {"Yukon", "Obj_MoveAllCardsToFoundations",
     {
      {"RuleTitle_NFoundationPiles", 4, "RulePlace_Top", {"Rule_BuildUpInSuitFromAceToKing"}},
      {"RuleTitle_NTableauCols", 7, "RulePlace_Center", {"Rule_BuildDownAltCol", "Rule_MoveAnyGroupToOtherTab", "Rule_SpacesFilledWithKingOrKingGroup"}},
     }},
};
