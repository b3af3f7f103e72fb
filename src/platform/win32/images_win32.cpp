#include "platform/win32/images_win32.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/win32/dpi.h"
#include "platform/win32/resource_ids.h"

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

using Pixels = std::vector<std::uint32_t>;  // top-down BGRA, straight alpha

// A 32-bit top-down DIB section holding the given pixels.
UniqueHBitmap MakeBitmap(const Pixels& pixels, int size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueHBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return bitmap;
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

// An icon made from straight-alpha pixels, the form image lists and menus of every version accept.
HICON MakeIcon(const Pixels& pixels, int size) {
    UniqueHBitmap color = MakeBitmap(pixels, size);
    const std::vector<std::uint8_t> mask_bits(static_cast<size_t>(((size + 15) / 16) * 2 * size), 0);
    UniqueHBitmap mask(::CreateBitmap(size, size, 1, 1, mask_bits.data()));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color.get();
    info.hbmMask = mask.get();
    return ::CreateIconIndirect(&info);
}

// The ten images of a strip, each as its own block of pixels.
std::vector<Pixels> ReadStrip(HINSTANCE instance, const Strip& strip) {
    std::vector<Pixels> images;
    UniqueHBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(strip.resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (!bitmap || ::GetObjectW(bitmap.get(), sizeof(dib), &dib) != sizeof(dib) ||
        dib.dsBm.bmBitsPixel != 32) {
        return images;
    }
    const int size = strip.size;
    const int count = dib.dsBm.bmWidth / size;
    const bool bottom_up = dib.dsBmih.biHeight > 0;
    const auto* bits = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
    for (int image = 0; image < count; ++image) {
        Pixels pixels(static_cast<size_t>(size * size));
        for (int y = 0; y < size; ++y) {
            const int row = bottom_up ? size - 1 - y : y;
            const auto* line = reinterpret_cast<const std::uint32_t*>(bits + row * dib.dsBm.bmWidthBytes);
            for (int x = 0; x < size; ++x)
                pixels[static_cast<size_t>(y * size + x)] = line[image * size + x];
        }
        images.push_back(std::move(pixels));
    }
    return images;
}

}  // namespace

ImageSet::ImageSet(HINSTANCE instance, UINT dpi) {
    const Strip& strip = ClosestStrip(Scale(16, dpi));
    size_ = strip.size;
    list_ = ImageList_Create(size_, size_, ILC_COLOR32, kImageCount, 0);
    const std::vector<Pixels> images = ReadStrip(instance, strip);
    for (size_t i = 0; i < images.size() && i + 1 < kImageCount; ++i) {
        UniqueHIcon icon(MakeIcon(images[i], size_));
        ImageList_ReplaceIcon(list_, -1, icon.get());
    }
    UniqueHIcon program(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUORVEL), IMAGE_ICON, size_, size_, LR_DEFAULTCOLOR)));
    ImageList_ReplaceIcon(list_, -1, program.get());
}

ImageSet::~ImageSet() {
    if (list_ != nullptr) ImageList_Destroy(list_);
}

}  // namespace quorvel::win32
