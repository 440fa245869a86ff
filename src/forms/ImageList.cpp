#include "forms/ImageList.h"

#include "forms/Errors.h"

namespace vd::forms {

ImageList::ImageList(Component* owner, int width, int height)
    : Component(owner), width_(width), height_(height),
      handle_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 2, 2)) {
  if (!handle_)
    throw Error("Cannot create an image list");
}

ImageList::~ImageList() { ImageList_Destroy(handle_); }

int ImageList::Count() const { return ImageList_GetImageCount(handle_); }

int ImageList::AddIcon(HICON icon) {
  const int index = icon ? ImageList_AddIcon(handle_, icon) : -1;
  if (index < 0)
    throw Error("Cannot add the icon to the image list");
  return index;
}

void ImageList::Clear() { ImageList_RemoveAll(handle_); }

HICON ImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count())
    return nullptr;
  return ImageList_GetIcon(handle_, index, ILD_NORMAL);
}

} // namespace vd::forms
