// MWinGraph.h - a small chart inside a button's area: values at evenly spaced
// horizontal marks drawn as a line, a filled area or bars, with an optional
// frame, grid lines and four texts. Shapes are built as triangle lists
// whenever the position or the data change and drawn each frame. Takes no
// input.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinButton.h"

class MWinGraph : public MWinButton {
 public:
  MWinGraph(MWin* mw, const char* id, MWinWindow* parent, const char* texButID, float x, float y,
            float w, float h);
  ~MWinGraph() override;

  void DestroyGraphicsObjects() override;
  void PositionUpdated() override;
  void Draw() override;

  // Refused ("Invalid Parameters") when a count is below the type's least
  // (1 for bars, 2 otherwise) or a maximum is below its minimum.
  bool SetMarks(double hMin, double hMax, int hMarks, double vMin, double vMax, int vMarks);
  bool SetMarkValue(int mark, double value);
  // All four null removes the texts; each is cut to 31 characters.
  bool SetTexts(const char* t0, const char* t1, const char* t2, const char* t3);
  // Negative values (and a type of 3 or more) keep the current one. Bars are
  // drawn with half the bar gap on each side, or without a gap when it would
  // leave no bar.
  void SetStyle(int type, int frame, int gridMode, float inset, float line, float axis,
                float grid, float textGap, float barGap);

  int GetHorzMarks() const { return hMarks_; }
  double GetMarkValue(int mark) const;
  float GetMarkX(int mark) const;
  float GetVertMarkY(int mark) const;
  int GetGraphTriangles() const { return graphTriangles_; }
  MWinEngTriList* GetGraphList() { return lists_[3]; }
  const char* GetGraphText(int n) const;

 private:
  void Reset();
  void FreeMarks();
  int LeastMarks() const { return type_ == 2 ? 1 : 2; }

  double hMin_ = 0, hMax_ = 100;
  int hMarks_ = 0;
  double vMin_ = 0, vMax_ = 100;
  int vMarks_ = 4;
  float textPos_[4][2] = {};
  // Horizontal marks: screen x and value; vertical marks: screen y.
  float* markX_ = nullptr;
  double* markValue_ = nullptr;
  float* vertY_ = nullptr;
  char (*texts_)[32] = nullptr;
  int type_ = 0;
  std::uint8_t frame_ = 1;
  int gridMode_ = 1;
  float inset_ = 0, line_ = 0, axis_ = 0, grid_ = 0, textGap_ = 0, barGap_ = 0;
  float frameColour_[3] = {}, gridColour_[3] = {}, graphColour_[3] = {};
  MWinEngTriList* lists_[4] = {};  // frame, spare, grid shapes, graph
  int graphTriangles_ = 0;
  float plot_[4] = {};  // left, top, right, bottom
};
