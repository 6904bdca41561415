// GenCallbacks.h - the variant callback slots: the steps and rules a
// variant's set-up hands the shared engine (deal, after-deal, selection,
// autoplay, custom rules, drop veto), and the step type the animation
// finishes and the stock share.
//
// State: the current variant's slots live beside the live record (Gen.cpp);
// GenReset clears them.
#pragma once

// Slots 0, 1, 2, 4 and the animation finish steps: (0, 0) -> acted.
using GenStepCB = bool (*)(int a, int b);
// Slot 3: (quick flag, button down) -> handled.
using GenSelectionCB = bool (*)(int quick, int down);
// Slots 5 and 6: (target code, source code, dropping flag, suit, rank) -> allowed.
using GenRuleCB = bool (*)(int target, int source, int dropping, int suit, int rank);
// Slot 7: (target code, target code, dropping flag, suit a, rank a, suit b, rank b).
using GenPairRuleCB = bool (*)(int target, int target2, int dropping, int suitA, int rankA,
                               int suitB, int rankB);
// Slot 8: (target code) -> false refuses the drop.
using GenDropVetoCB = bool (*)(int target);

struct GenVariantCallbacks {
  GenStepCB deal;                 // 0
  GenStepCB afterDeal;            // 1
  GenStepCB dealWithAnimation;    // 2
  GenSelectionCB selection;       // 3
  GenStepCB autoplay;             // 4
  GenRuleCB customRule;           // 5
  GenRuleCB tableauSpace;         // 6
  GenPairRuleCB pairRule;         // 7
  GenDropVetoCB dropVeto;         // 8
};

// The current variant's slots; every caller tests a slot before calling it.
const GenVariantCallbacks& GenGetCallbacks();
void GenSetDealCB(GenStepCB callback);
void GenSetAfterDealCB(GenStepCB callback);
void GenSetDealWithAnimationCB(GenStepCB callback);
void GenSetSelectionCB(GenSelectionCB callback);
void GenSetAutoplayCB(GenStepCB callback);
void GenSetCustomRuleCB(GenRuleCB callback);
void GenSetTableauSpaceCB(GenRuleCB callback);
void GenSetPickupDropRuleCB(GenPairRuleCB callback);
void GenSetDropRuleCB(GenDropVetoCB callback);
