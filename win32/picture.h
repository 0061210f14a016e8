#pragma once

#include <windows.h>

#include <future>

#include "win32/display_scale.h"

namespace vertuno::win32 {

// A picture from the resources, base plus a scale in percent, at the scale asked for: the
// rendering at that very scale where the build made one, else the nearest larger one resized
// smoothly to the picture's size at this scale. Only that one rendering is decoded. The caller
// deletes it.
HBITMAP loadPicture(int base, SIZE layoutSize, DisplayScale scale);

// A picture decoded on a thread of its own while the caller goes on: the start makes its window
// meanwhile, which takes as long. The decoding's COM and imaging factory are that thread's alone.
class PictureInAdvance {
 public:
  PictureInAdvance(int base, SIZE layoutSize, DisplayScale scale);
  ~PictureInAdvance();
  PictureInAdvance(const PictureInAdvance&) = delete;
  PictureInAdvance& operator=(const PictureInAdvance&) = delete;

  // The picture at this scale: the one decoded in advance where the scale is the one guessed,
  // else one decoded now. The caller deletes it.
  HBITMAP take(DisplayScale scale);

 private:
  int base_;
  SIZE layoutSize_;
  DisplayScale scale_;
  std::future<HBITMAP> picture_;
};

}  // namespace vertuno::win32
