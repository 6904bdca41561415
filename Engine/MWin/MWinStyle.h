// MWinStyle.h - the toolkit's appearance record and per-layout metrics.
//
// One MWinStyle lives inside the manager (MWin); the game writes its look
// into it before the toolkit starts. Every size a window or button needs is
// read from the 50-float metric block of the layout it is shown in.
#pragma once

#include <cstdint>

// The window lists of a collection, one per screen layout (the toolkit's
// layout numbers are plain ints; these name them).
enum class MWinScreenLayout : int {
  Normal = 0,
  IPhonePortrait = 1,
  IPhoneLandscape = 2,
  IPadPortrait = 3,
};
constexpr int kMWinNumLayouts = 5;  // 0-3 used, 4 spare
constexpr int kMWinNumMetrics = 50;

// Metric entries the toolkit and the button kinds read (0-based).
enum MWinMetric : int {
  kMetTitleHeight = 0,
  kMetTitleMargin = 1,
  kMetDefaultWidth = 2,
  kMetDefaultHeight = 3,
  kMetFontScaleX = 4,
  kMetFontScaleY = 5,
  kMetTextInset = 6,
  kMetTexturedInset = 7,
  kMetHalfLineSpacing = 8,
  kMetChoiceArrowW = 9,
  kMetChoiceArrowH = 10,
  kMetChoiceArrowInset = 11,
  kMetScrollThumbH = 12,
  kMetScrollThumbW = 13,
  kMetPanelThumbW = 14,
  kMetPanelBarW = 16,
  kMetPanelMinThumbH = 17,
  kMetScrollEndInset = 18,
  kMetPanelEndInset = 19,
  kMetListArrowW = 20,
  kMetListArrowH = 21,
  kMetListArrowInset = 22,
  kMetCheckW = 23,
  kMetCheckH = 24,
  kMetCheckInset = 26,
  kMetScriptMarginX = 27,
  kMetScriptMarginY = 28,
  kMetPieInsetOuter = 33,
  kMetPieInsetInner = 34,
  kMetGraphInset = 35,
  kMetGraphLine = 36,
  kMetGraphAxis = 37,
  kMetGraphGrid = 38,
  kMetGraphTextGap = 39,
  kMetRangeThumbW = 41,
  kMetRangeThumbH = 42,
  kMetPickerSide = 43,
  kMetPickerTop = 44,
  kMetPickerGap = 45,
  kMetPickerBorderX = 46,
  kMetPickerBorderY = 47,
  kMetPickerStripW = 48,
  kMetPickerMarkerH = 49,
};

struct MWinLayoutMetrics {
  float m[kMWinNumMetrics];
};

struct MWinStyle {
  std::uint8_t hoverActivatesCollections;  // the popup saves, clears and restores it
  std::uint8_t hoverActivatesWindows;
  std::int32_t backgroundMode;  // 0 none, 1 clear, 2 clear with depth, 3 image
  char backgroundFile[256];
  std::uint8_t panelRowHighlight;
  std::uint8_t panelBackground;
  std::uint8_t panelBackgroundHighlight;
  std::uint8_t textFit;     // copied into each button at construction
  std::uint8_t choiceMode;  // 0 box under the mouse, 1 every box, 2 none
  std::uint8_t pieValueSector, pieInnerDisc, pieOuterRing;
  std::int8_t pieBlendingType;  // below 0: blending untouched
  float pieColours[3][3];       // value sector, inner disc, outer ring
  float graphColours[3][3];     // frame, grid, graph
  std::int8_t graphType;        // 0 line, 1 area, 2 bars
  std::uint8_t graphFrame;
  std::int8_t graphGridMode;  // 0 none, 1 first and last marks, 2 every mark
  float pickerBorder[3];
  MWinLayoutMetrics layouts[kMWinNumLayouts];
};
