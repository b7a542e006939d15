// The four pictures: strip sizes and layout, transparency, and content.
#include <gtest/gtest.h>

#include "resources/pictures.h"

namespace tgc::pictures {
namespace {

TEST(Pictures, StripsHaveTheirSizesAtEveryRatio) {
  EXPECT_EQ(strip(Picture::DeskPattern, 1).size(), QSize(9, 9));
  EXPECT_EQ(strip(Picture::ButtonStrip, 1).size(), QSize(372, 117));
  EXPECT_EQ(strip(Picture::Idea, 1).size(), QSize(96, 116));
  EXPECT_EQ(strip(Picture::Memo, 1).size(), QSize(59, 68));
  const QImage idea2 = strip(Picture::Idea, 2);
  EXPECT_EQ(idea2.size(), QSize(192, 232));
  EXPECT_EQ(idea2.deviceIndependentSize().toSize(), QSize(96, 116));
  const QPixmap& button = image(Picture::ButtonStrip, 5, kHighlightRow, 2);
  EXPECT_EQ(button.size(), QSize(110, 78));
  EXPECT_EQ(button.deviceIndependentSize().toSize(), QSize(55, 39));
}

TEST(Pictures, ButtonStripLaysSixRoundedTilesSideBySide) {
  const int widths[] = {73, 73, 73, 49, 49, 55};
  const QImage s = strip(Picture::ButtonStrip, 1);
  int left = 0;
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(imageLeft(Picture::ButtonStrip, i), left);
    EXPECT_EQ(imageWidth(Picture::ButtonStrip, i), widths[i]);
    // Mask: the tile's middle is covered, its rounded corners are not.
    EXPECT_EQ(s.pixelColor(left + widths[i] / 2, 19), QColor(Qt::black)) << i;
    EXPECT_EQ(s.pixelColor(left, 0), QColor(Qt::white)) << i;
    EXPECT_EQ(s.pixelColor(left + widths[i] - 1, 38), QColor(Qt::white)) << i;
    left += widths[i];
  }
  // The highlighted tile is lighter than the normal one at the same place.
  const QColor normal = s.pixelColor(10, 39 + 30), light = s.pixelColor(10, 78 + 30);
  EXPECT_GT(light.lightness(), normal.lightness());
  EXPECT_GT(normal.blue(), normal.red());  // blue tiles
}

TEST(Pictures, StampsAreRedInkWithTransparentSurroundings) {
  for (Picture p : {Picture::Idea, Picture::Memo}) {
    const QImage img = image(p, 0, 1, 1).toImage();
    int opaque = 0, transparent = 0;
    long red = 0, green = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QColor c = img.pixelColor(x, y);
        if (c.alpha() == 255) {
          ++opaque;
          red += c.red();
          green += c.green();
        } else if (c.alpha() == 0) {
          ++transparent;
        }
      }
    ASSERT_GT(opaque, 100);
    EXPECT_GT(transparent, img.width() * img.height() / 3);
    EXPECT_GT(red / opaque, 150);
    EXPECT_LT(green / opaque, 80);
    // The corners stay clear: the stamp is tilted inside its picture.
    EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(img.pixelColor(img.width() - 1, img.height() - 1).alpha(), 0);
  }
}

TEST(Pictures, DeskTileStaysHardEdgedAtDoubleRatio) {
  const QImage tile = deskTile(2).toImage();
  ASSERT_EQ(tile.size(), QSize(18, 18));
  EXPECT_EQ(tile.pixelColor(5, 0), QColor(232, 186, 140));
  EXPECT_EQ(tile.pixelColor(5, 1), QColor(232, 186, 140));
  EXPECT_EQ(tile.pixelColor(5, 2), QColor(235, 203, 148));
  EXPECT_EQ(tile.pixelColor(5, 5), QColor(238, 206, 164));
  EXPECT_EQ(tile.pixelColor(5, 6), QColor(232, 186, 140));
}

}  // namespace
}  // namespace tgc::pictures

namespace tgc::pictures {
namespace {

TEST(Pictures, DeskTileCoversWholeDevicePixelsAtFractionalRatios) {
  const QImage tile = deskTile(1.5).toImage();
  EXPECT_EQ(tile.size(), QSize(27, 27));  // two patterns of 9 logical pixels
  // Device row y lies in logical row floor(y / 1.5); stripes repeat every 3.
  const QColor stripes[3] = {QColor(232, 186, 140), QColor(235, 203, 148), QColor(238, 206, 164)};
  for (int y = 0; y < tile.height(); ++y)
    EXPECT_EQ(tile.pixelColor(3, y), stripes[static_cast<int>(y / 1.5) % 3]) << y;
}

}  // namespace
}  // namespace tgc::pictures
