// Image lists and bitmaps: pictures held as resource images (encoded or raw pixels).
#pragma once

#include <memory>
#include <vector>

#include "Resources.h"

// The object an HIMAGELIST points to.
class ImageList {
 public:
  ImageList(int cx, int cy, UINT flags) : m_cx(cx), m_cy(cy), m_flags(flags) {}
  int Add(std::shared_ptr<const ImageResource> image) {
    m_images.push_back(std::move(image));
    return static_cast<int>(m_images.size()) - 1;
  }
  int Count() const { return static_cast<int>(m_images.size()); }
  bool GetImageSize(int* cx, int* cy) const {
    if (cx) *cx = m_cx;
    if (cy) *cy = m_cy;
    return true;
  }
  const ImageResource* Image(int index) const {
    return index >= 0 && index < Count() ? m_images[static_cast<size_t>(index)].get() : nullptr;
  }
  int Width() const { return m_cx; }
  int Height() const { return m_cy; }
  UINT Flags() const { return m_flags; }

 private:
  int m_cx;
  int m_cy;
  UINT m_flags;
  std::vector<std::shared_ptr<const ImageResource>> m_images;
};

class CBitmap {
 public:
  // Loads bitmap resource id; false when the program has no such picture.
  BOOL LoadBitmap(UINT id);
  // Loads a bitmap resource with its black pixels mapped to the colour (the arrow images).
  BOOL CreateMappedBitmap(UINT id, COLORREF from, COLORREF to);
  void DeleteObject() { m_image.reset(); }
  bool IsNull() const { return !m_image; }
  const std::shared_ptr<const ImageResource>& Image() const { return m_image; }
  int Width() const { return m_image ? m_image->width : 0; }
  int Height() const { return m_image ? m_image->height : 0; }

 private:
  std::shared_ptr<const ImageResource> m_image;
};

class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;
  ~CImageList() { DeleteImageList(); }

  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  BOOL DeleteImageList();
  // Adds an icon resource; returns its index or -1.
  int AddIcon(UINT iconId);
  // Adds a bitmap whose pixels of the mask colour become transparent.
  int AddMasked(const CBitmap& bitmap, COLORREF mask);
  int GetImageCount() const { return m_hImageList ? m_hImageList->Count() : 0; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }

  HIMAGELIST m_hImageList = nullptr;
};
