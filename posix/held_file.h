#pragma once

#include <string>

namespace vertuno::posix {

// A file named in a folder held open. Reads and saves go to that folder itself, so a folder
// moved or renamed while the game runs is still saved to. The user's own symbolic links to the
// file are followed once, when it is held (root's too: the links of an installation); another
// user's link is followed never, and no link at all afterwards.
class HeldFile {
 public:
  HeldFile() = default;
  explicit HeldFile(const std::string& path);
  ~HeldFile();
  HeldFile(HeldFile&& other) noexcept;
  HeldFile& operator=(HeldFile&& other) noexcept;
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;

  // False when the folder could not be opened or the name is another user's link.
  bool isHeld() const { return folder_ >= 0; }
  int folder() const { return folder_; }
  const std::string& name() const { return name_; }
  // The same text for every name of the file's folder (a link, a bind mount, a moved folder).
  std::string identity() const;
  // Whether the file has names in other folders too (hard links), which no folder names alike.
  bool hasOtherNames() const;

 private:
  int folder_ = -1;
  std::string name_;
};

}  // namespace vertuno::posix
