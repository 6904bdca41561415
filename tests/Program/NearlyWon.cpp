// NearlyWon.cpp - a Klondike game one move from the win (see NearlyWon.h).
#include "tests/Program/NearlyWon.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "Engine/EngEncryption.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GenBytes.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenImage.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSaveLocal.h"
#include "Game/GenSelectionLocal.h"
#include "Game/SolCards.h"

namespace playrun {

namespace {

constexpr unsigned kDeal = 1234;
constexpr int kLeftPerSuit = 3;  // J, Q, K of each suit wait on the columns

}  // namespace

bool WriteNearlyWonKlondike(const std::string& file, LastMove* move) {
  GenGameLayoutsLoad();
  CardsInit();
  SolCardsSetup();
  GenSetCurGame(kGameKlondike);
  GenNewGameWithNumber(kDeal, true);
  for (int i = 0; i < 1000 && AnimIsAnimating(); ++i) {
    AnimClearStartDelay();
    GenSelEndAllAnimations();
  }
  Gen& g = g_GenLive;
  std::vector<Card> cards;
  GenForEachPileInUse(g, [&cards](CardGroup& pile, int) {
    for (; pile.numCards > 0; pile.RemoveCardFromEnd()) cards.push_back(pile.cards[pile.numCards - 1]);
  });
  if (cards.size() != 52 || g.numFoundations != 4 || g.numTableaus < 4) return false;
  bool placed = true;
  auto put = [&](int suit, int rank, CardGroup& pile) {
    for (Card& c : cards) {
      if (c.suit != suit || c.rank != rank) continue;
      c.faceUp = 1;
      placed = pile.AddCardToGroup(&c, false, false, true) && placed;
    }
  };
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 1; rank <= 13 - kLeftPerSuit; ++rank) put(suit, rank, g.foundations[suit]);
    for (int rank = 13; rank > 13 - kLeftPerSuit; --rank) put(suit, rank, g.tableaus[suit]);
  }
  GenRelayOutAllPiles(g);
  if (!placed || !GenSaveCheckGameInPlay(g)) return false;

  const CardGroup& column = g.tableaus[0];
  const Card& top = column.cards[column.numCards - 1];
  const CardGroup& home = g.foundations[0];
  move->from = playrun::ProjectTablePoint(column.pos[0] + top.pos[0], column.pos[1] + top.pos[1] + 2.5f,
                                         column.pos[2] + top.pos[2]);
  move->to = playrun::ProjectTablePoint(home.pos[0], home.pos[1], home.pos[2]);

  g.version = kGenSaveVersion;
  std::unique_ptr<uint8_t[]> image(new uint8_t[kGenImageSize]);
  GenWriteImage(g, image.get());
  unsigned char* ciphered = EngEncryptionEncrypt(image.get(), kGenImageSize);
  if (!ciphered) return false;
  std::string bytes(kGenSaveFileSize, '\0');
  GenPutF32(reinterpret_cast<uint8_t*>(bytes.data()), 0, kGenSaveVersion);
  std::memcpy(bytes.data() + 4, ciphered, kGenImageSize + kEngEncryptionCounterSize);
  std::free(ciphered);
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}


}  // namespace playrun
