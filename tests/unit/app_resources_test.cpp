#include <gtest/gtest.h>

#include "platform/afx/CImageList.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CToolBar.h"
#include "platform/afx/Resources.h"
#include "res/ProgramResources.h"

namespace {

struct Entry {
  const char* text;  // nullptr for a separator
  UINT id;
};

void ExpectItems(CMenu& menu, const std::vector<Entry>& expected, const char* which) {
  ASSERT_EQ(menu.GetMenuItemCount(), expected.size()) << which;
  for (size_t i = 0; i < expected.size(); ++i) {
    int pos = static_cast<int>(i);
    if (expected[i].text == nullptr) {
      EXPECT_TRUE(menu.GetMenuState(static_cast<UINT>(pos), MF_BYPOSITION) & MF_SEPARATOR)
          << which << " " << i;
      continue;
    }
    EXPECT_EQ(menu.GetMenuString(pos), expected[i].text) << which << " " << i;
    EXPECT_EQ(menu.GetMenuItemID(pos), expected[i].id) << which << " " << i;
  }
}

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterProgramResources(); }
};

TEST_F(ResourcesTest, MainMenuHasFileViewAndHelp) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(128));
  ASSERT_EQ(menu.GetMenuItemCount(), 3u);
  EXPECT_EQ(menu.GetMenuString(0), "&File");
  EXPECT_EQ(menu.GetMenuString(1), "&View");
  EXPECT_EQ(menu.GetMenuString(2), "&Help");
  ExpectItems(*menu.GetSubMenu(0), {{"E&xit", 57665}}, "File");
  ExpectItems(*menu.GetSubMenu(1),
              {{"&Tool Bar", 59392},
               {"&Status Bar", 59393},
               {nullptr, 0},
               {"&Auto Arrange", 59397},
               {nullptr, 0},
               {"&Refresh", 32772}},
              "View");
  ExpectItems(*menu.GetSubMenu(2), {{"&About Lanorix...", 57664}}, "Help");
}

TEST_F(ResourcesTest, ContextMenuListsTheDeviceCommandsFirst) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(142));
  ASSERT_NE(menu.GetSubMenu(0), nullptr);
  ExpectItems(*menu.GetSubMenu(0),
              {{"Modify IP", 32780},
               {"Modify MAC", 32781},
               {"Web Browser", 32782},
               {"Soft Reset", 32783},
               {"Update Firmware ", 32814},
               {nullptr, 0},
               {"&Auto Arrange", 59397},
               {nullptr, 0},
               {"&Refresh", 32772}},
              "context");
}

TEST_F(ResourcesTest, MenuItemStateChangesReportThePreviousState) {
  CMenu menu;
  ASSERT_TRUE(menu.LoadMenu(128));
  EXPECT_EQ(menu.CheckMenuItem(59397, MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(menu.CheckMenuItem(59397, MF_UNCHECKED), MF_CHECKED);
  EXPECT_EQ(menu.EnableMenuItem(32772, MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(menu.EnableMenuItem(32772, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(menu.CheckMenuItem(12345, MF_CHECKED), static_cast<UINT>(-1));
  EXPECT_FALSE(CMenu().LoadMenu(999));
}

TEST_F(ResourcesTest, ToolbarHasNineEntriesWithImagesInButtonOrder) {
  CToolBar bar;
  ASSERT_TRUE(bar.CreateEx(nullptr, TBSTYLE_FLAT, WS_CHILD, RECT{}, AFX_IDW_TOOLBAR));
  ASSERT_TRUE(bar.LoadToolBar(128));
  const UINT ids[] = {32772, ID_SEPARATOR, 32780, 32781, 32782, 32783, 32814, ID_SEPARATOR, 57664};
  const int images[] = {0, -1, 1, 2, 3, 4, 5, -1, 6};
  ASSERT_EQ(bar.GetCount(), 9);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(bar.GetItemID(i), ids[i]) << i;
    EXPECT_EQ(bar.GetButton(i).image, images[i]) << i;
  }
  ASSERT_NE(bar.GetImageStrip(), nullptr);
  EXPECT_EQ(bar.GetImageStrip()->width, 224);
  EXPECT_EQ(bar.GetImageStrip()->height, 32);
  EXPECT_EQ(bar.GetButtonSize().cx, 32);
}

TEST_F(ResourcesTest, AcceleratorTableMatchesTheKeys) {
  const auto& keys = ResourceTable::Get().accelerators.at(128);
  const struct {
    UINT key;
    bool ctrl, shift, alt;
    UINT id;
  } expected[] = {
      {'N', true, false, false, ID_FILE_NEW},     {'O', true, false, false, ID_FILE_OPEN},
      {'S', true, false, false, ID_FILE_SAVE},    {'P', true, false, false, ID_FILE_PRINT},
      {'Z', true, false, false, ID_EDIT_UNDO},    {VK_BACK, false, false, true, ID_EDIT_UNDO},
      {'X', true, false, false, ID_EDIT_CUT},     {VK_DELETE, false, true, false, ID_EDIT_CUT},
      {'C', true, false, false, ID_EDIT_COPY},    {VK_INSERT, true, false, false, ID_EDIT_COPY},
      {'V', true, false, false, ID_EDIT_PASTE},   {VK_INSERT, false, true, false, ID_EDIT_PASTE},
      {VK_F6, false, false, false, ID_NEXT_PANE}, {VK_F6, false, true, false, ID_PREV_PANE},
  };
  ASSERT_EQ(keys.size(), std::size(expected));
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].key, expected[i].key) << i;
    EXPECT_EQ(keys[i].ctrl, expected[i].ctrl) << i;
    EXPECT_EQ(keys[i].shift, expected[i].shift) << i;
    EXPECT_EQ(keys[i].alt, expected[i].alt) << i;
    EXPECT_EQ(keys[i].id, expected[i].id) << i;
  }
}

// Width and height from a PNG's header chunk.
SIZE PngSize(const std::vector<std::uint8_t>& png) {
  static const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  if (png.size() < 24 || !std::equal(std::begin(signature), std::end(signature), png.begin()))
    return SIZE{};
  auto be32 = [&](size_t at) {
    return static_cast<LONG>((png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) |
                             png[at + 3]);
  };
  return SIZE{be32(16), be32(20)};
}

void ExpectPicture(const ImageResource& image, int width, int height, const std::string& what) {
  EXPECT_EQ(image.width, width) << what;
  EXPECT_EQ(image.height, height) << what;
  SIZE one = PngSize(image.png);
  SIZE two = PngSize(image.png2x);
  EXPECT_EQ(one.cx, width) << what;
  EXPECT_EQ(one.cy, height) << what;
  EXPECT_EQ(two.cx, 2 * width) << what << " @2x";
  EXPECT_EQ(two.cy, 2 * height) << what << " @2x";
}

TEST_F(ResourcesTest, PicturesComeAtTheirSizesInOneAndTwoTimesScale) {
  const auto& images = ResourceTable::Get().images;
  for (UINT id : {128u, 158u, 151u, 147u, 153u, 155u, 157u}) {
    const ImageResource& icon = images.at(id);
    ExpectPicture(icon, 32, 32, "icon " + std::to_string(id));
    ASSERT_EQ(icon.otherSizes.size(), 1u) << id;
    ExpectPicture(icon.otherSizes[0], 16, 16, "small icon " + std::to_string(id));
  }
  ExpectPicture(images.at(165), 138, 32, "logo");
  ExpectPicture(*ResourceTable::Get().toolbars.at(128).strip, 224, 32, "toolbar strip");
}

TEST_F(ResourcesTest, ImageListsTakeTheIconOfTheirOwnSize) {
  CImageList small;
  CImageList large;
  small.Create(16, 16, ILC_MASK, 0, 1);
  large.Create(32, 32, ILC_MASK, 0, 1);
  for (UINT id : {158u, 158u, 151u, 147u, 153u, 155u, 157u}) {
    small.AddIcon(id);
    large.AddIcon(id);
  }
  ASSERT_EQ(small.GetImageCount(), 7);
  ASSERT_EQ(large.GetImageCount(), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(small.m_hImageList->Image(i)->width, 16) << i;
    EXPECT_EQ(large.m_hImageList->Image(i)->width, 32) << i;
  }
}

TEST_F(ResourcesTest, AboutBoxTemplate) {
  const DialogTemplate& about = ResourceTable::Get().dialogs.at(100);
  EXPECT_EQ(about.title, "About Lanorix");
  EXPECT_EQ(about.fontName, "MS Shell Dlg");
  EXPECT_EQ(about.fontPoints, 9);
  EXPECT_EQ(about.width, 235);
  EXPECT_EQ(about.height, 55);
  ASSERT_EQ(about.items.size(), 3u);
  EXPECT_EQ(about.items[0].rect, (RECT{11, 17, 31, 37}));
  EXPECT_EQ(about.items[1].text, "Lanorix v1.20");
  EXPECT_EQ(about.items[1].rect, (RECT{40, 10, 159, 18}));
  EXPECT_TRUE(about.items[1].style & SS_NOPREFIX);
  EXPECT_EQ(about.items[2].text, "確定");
  EXPECT_EQ(about.items[2].id, IDOK);
  EXPECT_EQ(about.items[2].rect, (RECT{178, 7, 228, 23}));
}

}  // namespace
