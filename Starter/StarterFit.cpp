// StarterFit.cpp - the starter's question fitted to a screen (see
// StarterFit.h).
#include "Starter/StarterFit.h"

std::string StarterCutCaption(const std::string& caption, int maxWidth, const SdlBoxMeasure& measure) {
  using sdlbox_detail::IsContinuationByte;
  using sdlbox_detail::NextCharacter;
  using sdlbox_detail::Width;
  if (Width(measure, caption) <= maxWidth) return caption;
  // Characters go from the middle, alternately from the end of the start
  // and the start of the end, until what is left fits.
  std::string head = caption.substr(0, caption.size() / 2), tail = caption.substr(caption.size() / 2);
  while (!head.empty() || !tail.empty()) {
    if (head.size() >= tail.size()) {
      std::size_t end = head.size() - 1;
      while (end > 0 && IsContinuationByte(head[end])) --end;
      head.erase(end);
    } else {
      tail.erase(0, NextCharacter(tail, 0));
    }
    const std::string cut = head + "..." + tail;
    if (Width(measure, cut) <= maxWidth) return cut;
  }
  return "...";
}

void StarterFitMessage(StarterMessage* message, int screenWidth, int lineHeight, const SdlBoxMeasure& measure) {
  for (std::string& line : message->lines) line = SdlBoxWrap(line, screenWidth * 2 / 3, measure);
  // SDL's row of buttons: each as wide as the widest caption and a line's
  // height more, a line's height between and around them.
  const int count = static_cast<int>(message->buttons.size());
  if (count < 1) return;
  const int caption = (screenWidth * 9 / 10 - (2 * count + 1) * lineHeight) / count;
  for (StarterButton& button : message->buttons) button.text = StarterCutCaption(button.text, caption, measure);
}
