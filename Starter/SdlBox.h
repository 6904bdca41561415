// SdlBox.h - what SDL's message box on X11 needs from whoever shows it, in
// the starter and in the game alike. Header-only: the starter includes
// nothing of the game, and the game's platform layer compiles these lines
// as they are.
//
// SDL draws each line of the box's text as one row, in a 12-point font of
// the X server's (the first the server has for kSdlBoxFont: whatever fonts
// are installed), and makes the box as wide as its widest row: a long
// sentence gives a box wider than the screen, centred, both ends cut off.
// The text is therefore broken into rows that fit before it is shown,
// measured with that font (SdlBoxWrap).
//
// SDL shows the box from a child process it forks (zenity, on Wayland, runs
// in one too): the box would stay on the screen when the program that asked
// for it is killed. A fork made while an SdlBoxAsking lives gives the child
// the parent's death as its own (the child checks the parent once more,
// for a parent that ended before the death signal was asked for).
//
// State: the process asking for a box, for the children forked meanwhile.
#pragma once

#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <functional>
#include <string>

// The font SDL's X11 box asks the server for.
inline constexpr const char* kSdlBoxFont = "-*-*-medium-r-normal--*-120-*-*-*-*-*-*";

// The width in pixels of the first length bytes of a UTF-8 text.
using SdlBoxMeasure = std::function<int(const char* utf8, int length)>;

namespace sdlbox_detail {

inline bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The end of the character that starts at position (UTF-8).
inline std::size_t NextCharacter(const std::string& text, std::size_t position) {
  ++position;
  while (position < text.size() && IsContinuationByte(text[position])) ++position;
  return position;
}

inline int Width(const SdlBoxMeasure& measure, const std::string& text) {
  return text.empty() ? 0 : measure(text.data(), static_cast<int>(text.size()));
}

// The longest run of whole characters from the start that fits (at least
// one character).
inline std::size_t FittingPrefix(const std::string& word, int maxWidth, const SdlBoxMeasure& measure) {
  std::size_t fits = NextCharacter(word, 0);
  for (std::size_t end = NextCharacter(word, fits); end <= word.size(); end = NextCharacter(word, end)) {
    if (Width(measure, word.substr(0, end)) > maxWidth) break;
    fits = end;
  }
  return fits;
}

// One line of the text, greedily into rows.
inline std::string WrapLine(const std::string& line, int maxWidth, const SdlBoxMeasure& measure) {
  if (Width(measure, line) <= maxWidth) return line;
  std::string rows, row;
  std::size_t start = 0;
  for (;;) {
    const std::size_t blank = line.find(' ', start);
    std::string word = line.substr(start, blank == std::string::npos ? std::string::npos : blank - start);
    const std::string longer = row.empty() ? word : row + " " + word;
    if (Width(measure, longer) <= maxWidth) {
      row = longer;
    } else {
      if (!row.empty()) rows += row + "\n";
      // A word wider than a row goes on rows of its own.
      while (Width(measure, word) > maxWidth) {
        const std::size_t cut = FittingPrefix(word, maxWidth, measure);
        if (cut >= word.size()) break;
        rows += word.substr(0, cut) + "\n";
        word.erase(0, cut);
      }
      row = word;
    }
    if (blank == std::string::npos) break;
    start = blank + 1;
  }
  return rows + row;
}

// While a box is asked for: the process asking, 0 otherwise.
inline pid_t g_asking = 0;

// In a child forked while a box is asked for.
inline void EndWithTheAsker() {
  const pid_t asker = g_asking;
  if (asker == 0) return;
  g_asking = 0;  // the child's own children are not the box
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != asker) _exit(1);
}

}  // namespace sdlbox_detail

// Breaks every line of the text that is wider than maxWidth: at blanks
// (the blank goes), and a word wider than a row by itself between whole
// characters. Lines the text already breaks stay; a maxWidth below 1
// leaves the text as it is.
inline std::string SdlBoxWrap(const std::string& utf8Text, int maxWidth, const SdlBoxMeasure& measure) {
  if (maxWidth < 1 || !measure) return utf8Text;
  std::string wrapped;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = utf8Text.find('\n', start);
    wrapped += sdlbox_detail::WrapLine(
        utf8Text.substr(start, end == std::string::npos ? std::string::npos : end - start), maxWidth, measure);
    if (end == std::string::npos) break;
    wrapped += '\n';
    start = end + 1;
  }
  return wrapped;
}

// Show the box while one of these lives: what is forked meanwhile ends
// with this process.
class SdlBoxAsking {
 public:
  SdlBoxAsking() {
    static const bool registered = pthread_atfork(nullptr, nullptr, sdlbox_detail::EndWithTheAsker) == 0;
    if (registered) sdlbox_detail::g_asking = getpid();
  }
  ~SdlBoxAsking() { sdlbox_detail::g_asking = 0; }
  SdlBoxAsking(const SdlBoxAsking&) = delete;
  SdlBoxAsking& operator=(const SdlBoxAsking&) = delete;
};
