// The size at which a picture button shows its picture.
#pragma once

#include <array>

namespace clavitone {

// The sizes, in pixels, every key picture is drawn in (resources/make_artwork.py).
inline constexpr std::array ButtonPictureSizes{32, 20, 16};

// Pixels of a picture shown on a push button at this screen resolution. The
// pictures are a sixth of an inch (16 pixels at 96 DPI, 20 at 120 DPI): of the
// sizes drawn, the largest not bigger than that, so that they stay inside the
// button's raised edge.
int ButtonPictureSize(int twipsPerPixel);

}  // namespace clavitone
