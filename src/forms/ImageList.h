#pragma once
#include "forms/Component.h"
#include "forms/Win.h"

namespace vd::forms {

// A list of same-sized images over a common-controls image list. Holders that keep a pointer to
// one ask for its destruction notice (FreeNotification).
class ImageList : public Component {
public:
  explicit ImageList(Component* owner = nullptr, int width = 32, int height = 32);
  ~ImageList() override;

  HIMAGELIST Handle() const { return handle_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;

  // Adds a copy of the icon; returns its index. Throws forms::Error when the list refuses it.
  int AddIcon(HICON icon);
  void Clear();
  // A new icon made from image `index`, which the caller destroys; nullptr for an index out of
  // range.
  HICON GetIcon(int index) const;

private:
  int width_;
  int height_;
  HIMAGELIST handle_;
};

} // namespace vd::forms
