#pragma once

#include <string>

namespace vertuno {

// A start finds its money claimed by a machine it cannot hand over to. Both desktop games say
// why in a message box, so the player is not left facing a start that does nothing.
struct StartRefusal {
  enum class Holder {
    // A game that does not answer: the Windows game under Wine, or one on another computer or in
    // another container sharing the folder.
    Silent,
    // A game of another user: a start with sudo on the player's own folder, or a folder shared
    // between users.
    AnotherUser,
    // The file has another name in another folder (a hard link), and a game plays under it.
    AnotherName,
    // No locks where the money lies (a network folder without its lock daemon), and a game of
    // this computer already plays on it.
    UnlockedFolder,
  };
  Holder holder = Holder::Silent;
  std::string totalsFile;
  std::string holdingUser;  // for AnotherUser
};

struct RefusalBox {
  std::string title;
  std::string text;
};

RefusalBox refusalBox(const StartRefusal& refusal);

}  // namespace vertuno
