#include "win32/app/images.h"

#include <array>
#include <cstdlib>

#include "app/menu_layout.h"
#include "win32/res/resource_ids.h"
#include "win32/shared/dpi.h"

namespace quorvel::win32 {
namespace {

struct Strip {
    int size;
    int resource;
};
// Drawn for each of these sizes, so that no scale is a blurred copy of another.
constexpr std::array<Strip, 5> kStrips{{{16, IDB_IMAGES_16},
                                        {20, IDB_IMAGES_20},
                                        {24, IDB_IMAGES_24},
                                        {32, IDB_IMAGES_32},
                                        {48, IDB_IMAGES_48}}};

const Strip& ClosestStrip(int wanted) {
    const Strip* best = &kStrips[0];
    for (const Strip& strip : kStrips) {
        if (std::abs(strip.size - wanted) < std::abs(best->size - wanted)) best = &strip;
    }
    return *best;
}

}  // namespace

ImageSet::ImageSet(HINSTANCE instance, UINT dpi) {
    const Strip& strip = ClosestStrip(Scale(16, dpi));
    size_ = strip.size;
    list_ = ImageList_Create(size_, size_, ILC_COLOR32, kImageCount, 0);
    // One strip holds every image, the program's own last, with straight alpha: the form a 32-bit
    // image list takes in one call. Image by image, through icons, took a tenth of the start-up.
    const UniqueHBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(strip.resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (list_ != nullptr && bitmap) ImageList_Add(list_, bitmap.get(), nullptr);
}

ImageSet::~ImageSet() {
    if (list_ != nullptr) ImageList_Destroy(list_);
}

}  // namespace quorvel::win32
