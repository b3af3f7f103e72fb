#pragma once
// The program's image list at one DPI: the list's state icons and the menu items' images.

#include <windows.h>

#include <commctrl.h>

#include "win32/shared/handles.h"

namespace quorvel::win32 {

class ImageSet {
  public:
    ImageSet(HINSTANCE instance, UINT dpi);
    ~ImageSet();
    ImageSet(const ImageSet&) = delete;
    ImageSet& operator=(const ImageSet&) = delete;

    // Images in list order; index i of the list holds image i + 1.
    HIMAGELIST List() const { return list_; }
    int Size() const { return size_; }

  private:
    int size_ = 16;
    HIMAGELIST list_ = nullptr;
};

}  // namespace quorvel::win32
