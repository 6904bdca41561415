// MWinHorzScrollbar.h - the toolkit's slider: a horizontal track with a thumb
// standing for a value between a minimum and a maximum.
//
// Thumb drag, frame by frame:
//   left press on the thumb   -> capture on, grab offset stored, taken
//   move while capturing      -> value under (mouse x - grab), callback flag 1
//   release / cancel / lose   -> capture off; when the value moved during the
//                                drag, one final callback with flag 0
// A press on the track away from the thumb takes a big step toward the mouse.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinButton.h"

class MWinHorzScrollbar : public MWinButton {
 public:
  MWinHorzScrollbar(MWin* mw, const char* id, MWinWindow* parent, const char* texButID,
                    const char* text, float x, float y, float w, float h);
  ~MWinHorzScrollbar() override;

  void Draw() override;
  bool ButtonPressed(int button, int pressed) override;
  bool ButtonDoubleClicked(int button) override;
  void CancelPress() override;
  bool MouseMove() override;
  bool MouseWheelMoved(int steps) override;
  bool KeyDown(int key) override;
  bool IsCapturingInput() override;
  void Deactivate() override;

  // A minimum above the maximum is ignored; steps of 0 or less become a tenth
  // (big) and a hundredth (small) of the range; the value goes to the minimum.
  void SetRange(float minimum, float maximum, float bigStep, float smallStep);
  void SetRangeInt(int minimum, int maximum, int bigStep, int smallStep);
  void SetRangeDouble(double minimum, double maximum, double bigStep, double smallStep);
  double GetPosDouble() const { return value_; }
  float GetPosFloat() const { return static_cast<float>(value_); }
  void SetPosDouble(double value, bool drag, bool force, bool call);
  void SetPosFloat(float value, bool call) { SetPosDouble(value, false, false, call); }
  void SetPosInt(int value, bool call) { SetPosDouble(value, false, false, call); }
  void SetPosUnsigned(unsigned value, bool call) { SetPosDouble(value, false, false, call); }
  bool RegisterCharVariable(signed char* variable, bool call);
  // A multiplier of 0 is refused ("ID: %s - 0 val passed as mult").
  bool RegisterFloatVariable(float* variable, float multiplier, bool call);
  void UpdateFromVariable(bool call);
  double GetMinimum() const { return minimum_; }
  double GetMaximum() const { return maximum_; }
  double GetBigStep() const { return bigStep_; }
  double GetSmallStep() const { return smallStep_; }
  // The thumb's absolute x.
  float ThumbX() const;
  // The value under a mouse x.
  double ValueAt(float mouseX) const;

 private:
  // The run of the thumb's left edge: from absolute x + the end inset, the
  // width less the thumb and both insets long.
  struct Track {
    float thumbW, start, usable;
  };
  Track GetTrack() const;
  void SmallStep(int direction);
  void BigStep(int direction);
  void EndDrag();

  double value_ = 0, minimum_ = 0, maximum_ = 100, bigStep_ = 10, smallStep_ = 1;
  std::uint8_t keyboardUsed_ = 1;
  std::uint8_t changedDuringDrag_ = 0;
};

// A value rounded as the scrollbar writes bound variables: a fraction strictly
// between 0.5 and 1 rounds up, exactly 0.5 is dropped, negatives truncate.
int MWinScrollbarRound(double value);
