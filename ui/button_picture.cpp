#include "ui/button_picture.h"

namespace clavitone {

namespace {

constexpr int PictureTwips = 1440 / 6;

}  // namespace

int ButtonPictureSize(int twipsPerPixel)
{
    const int wanted = twipsPerPixel > 0 ? PictureTwips / twipsPerPixel : 0;
    for (const int size : ButtonPictureSizes)
        if (size <= wanted)
            return size;
    return ButtonPictureSizes.back();
}

}  // namespace clavitone
