// EngInput.h - the kinds of input event the window hands the program
// (EngProgram::InputEventCB) and the program hands the toolkit
// (MWin::HandleInputEvent), with their two values.
#pragma once

enum EngInputKind : int {
  kEngInputMouseMove = 1,    // x, y in client pixels
  kEngInputMouseButton = 2,  // 0 left / 1 right / 2 middle, 1 pressed / 0 released
  kEngInputDoubleClick = 3,  // left double click: 0, 0
  kEngInputWheel = 4,        // whole notches x scroll lines, 2
  kEngInputKeyDown = 5,      // virtual key, 0
  kEngInputKeyUp = 6,        // virtual key, 0
  kEngInputChar = 7,         // CP1252 character (above 255: the code point of one
                             // CP1252 lacks, which text refuses), 0
};
