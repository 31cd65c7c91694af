#include "CImageList.h"

BOOL CBitmap::LoadBitmap(UINT id) {
  auto& images = ResourceTable::Get().images;
  auto it = images.find(id);
  if (it == images.end()) return FALSE;
  m_image = std::make_shared<ImageResource>(it->second);
  return TRUE;
}

BOOL CBitmap::CreateMappedBitmap(UINT id, COLORREF from, COLORREF to) {
  auto& images = ResourceTable::Get().images;
  auto it = images.find(id);
  if (it == images.end() || it->second.argb.empty()) return FALSE;
  auto image = std::make_shared<ImageResource>(it->second);
  const std::uint32_t fromArgb =
      0xFF000000u | (GetRValue(from) << 16) | (GetGValue(from) << 8) | GetBValue(from);
  const std::uint32_t toArgb =
      0xFF000000u | (GetRValue(to) << 16) | (GetGValue(to) << 8) | GetBValue(to);
  for (auto& px : image->argb)
    if (px == fromArgb) px = toArgb;
  m_image = std::move(image);
  return TRUE;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int, int) {
  DeleteImageList();
  m_hImageList = new ImageList(cx, cy, flags);
  return TRUE;
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == nullptr) return FALSE;
  delete m_hImageList;
  m_hImageList = nullptr;
  return TRUE;
}

int CImageList::AddIcon(UINT iconId) {
  if (m_hImageList == nullptr) return -1;
  auto& images = ResourceTable::Get().images;
  auto it = images.find(iconId);
  if (it == images.end()) return -1;
  const ImageResource* picture = &it->second;
  for (const ImageResource& other : it->second.otherSizes)
    if (other.width == m_hImageList->Width() && other.height == m_hImageList->Height())
      picture = &other;
  auto image = std::make_shared<ImageResource>(*picture);
  image->otherSizes.clear();
  return m_hImageList->Add(std::move(image));
}

int CImageList::AddMasked(const CBitmap& bitmap, COLORREF mask) {
  if (m_hImageList == nullptr || bitmap.IsNull()) return -1;
  auto image = std::make_shared<ImageResource>(*bitmap.Image());
  const std::uint32_t maskArgb =
      0xFF000000u | (GetRValue(mask) << 16) | (GetGValue(mask) << 8) | GetBValue(mask);
  for (auto& px : image->argb)
    if (px == maskArgb) px = 0;  // transparent
  return m_hImageList->Add(std::move(image));
}
