// ArtParts.h - the parts of the card art program (MakeCardArt), each
// drawing one family of pictures into the data folder, and the output they
// share.
#pragma once

#include <string>

#include "Tools/ArtCanvas.h"

// Where the pictures go: folders under the output root, created on demand;
// every write is checked and a failure makes the program fail.
class ArtOutput {
 public:
  explicit ArtOutput(std::string root) : root_(std::move(root)) {}
  // root + "/" + relative, created with its parents.
  std::string Folder(const std::string& relative) const;
  void Tga(const ArtCanvas& canvas, const std::string& path) const;
  void Jpeg(const ArtCanvas& canvas, const std::string& path) const;
  void Bmp(const ArtCanvas& canvas, const std::string& path) const;
  bool Failed() const { return failed_; }

 private:
  void Check(bool ok, const std::string& path) const;
  std::string root_;
  mutable bool failed_ = false;
};

// Shapes, bases, suits, ranks, the ace, courts, the empty set.
void ArtMakeElements(const ArtOutput& out);
// The 16 card backs, their 4 deck-side pictures and the back overlay.
void ArtMakeBacks(const ArtOutput& out);
// The empty-pile marker, its letters, the deck marker's pictures, the top
// of the deck box, the score panel, the highlight, the shadow and the
// celebration's tile.
void ArtMakeTable(const ArtOutput& out);
// The 19 board textures and the 12 table shapes.
void ArtMakeBoards(const ArtOutput& out);
