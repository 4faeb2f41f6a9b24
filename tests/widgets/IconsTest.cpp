#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSet>
#include <algorithm>
#include <vector>

#include "widgets/Icons.h"

namespace velmora {
namespace {

std::vector<IconId> AllIcons() {
  std::vector<IconId> ids;
  for (int i = 0; i < kIconCount; ++i) ids.push_back(static_cast<IconId>(i));
  return ids;
}

QImage Argb(const QPixmap& pm) { return pm.toImage().convertToFormat(QImage::Format_ARGB32); }

int OpaqueCount(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    count += static_cast<int>(
        std::count_if(row, row + image.width(), [](QRgb p) { return qAlpha(p) > 0; }));
  }
  return count;
}

bool Uniform(const QImage& image) {
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != first) return false;
    }
  }
  return true;
}

// Device pixels painted (alpha > 0) outside `inside`.
int PaintedOutside(const QImage& image, const QRect& inside) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!inside.contains(x, y) && qAlpha(image.pixel(x, y)) > 0) ++count;
    }
  }
  return count;
}

TEST(IconsTest, EveryIdHasANamedIconThatDrawsSomethingAtSmallAndLargeSizes) {
  QSet<QString> names;
  for (IconId id : AllIcons()) {
    const QString name = IconName(id);
    SCOPED_TRACE(name.toStdString());
    EXPECT_FALSE(name.isEmpty());
    names.insert(name);
    const QIcon icon = VelmoraIcon(id);
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32}) {
      const QImage image = Argb(icon.pixmap(QSize(size, size), 1.0));
      ASSERT_EQ(image.size(), QSize(size, size));
      // More than a speck, and not a filled square either.
      EXPECT_GT(OpaqueCount(image), size * size / 12) << size;
      EXPECT_FALSE(Uniform(image)) << size;
    }
  }
  EXPECT_EQ(names.size(), kIconCount);
  EXPECT_TRUE(VelmoraIcon(IconId::kCount).isNull());
}

TEST(IconsTest, IconsAreDistinctFromEachOther) {
  QSet<QByteArray> seen;
  for (IconId id : AllIcons()) {
    const QImage image = Argb(VelmoraIcon(id).pixmap(QSize(24, 24), 1.0));
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                           static_cast<int>(image.sizeInBytes()));
    EXPECT_FALSE(seen.contains(bytes)) << IconName(id).toStdString() << " repeats another icon";
    seen.insert(bytes);
  }
}

TEST(IconsTest, TwiceTheDevicePixelRatioGivesTwiceThePixels) {
  for (IconId id : {IconId::kNew, IconId::kZoomIn, IconId::kExpandLight}) {
    const QPixmap pm = VelmoraIcon(id).pixmap(QSize(24, 24), 2.0);
    EXPECT_EQ(pm.size(), QSize(48, 48));
    EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), 2.0);
    // Drawn again at the larger size, not an upscaled 24 px picture: the line weight stays 2 px
    // per logical pixel, so the 48 px icon matches the one drawn directly at 48 px.
    EXPECT_EQ(Argb(pm), Argb(VelmoraIcon(id).pixmap(QSize(48, 48), 1.0)));
  }
  const QPixmap app = VelmoraAppIcon().pixmap(QSize(32, 32), 2.0);
  EXPECT_EQ(app.size(), QSize(64, 64));
  EXPECT_GT(OpaqueCount(Argb(app)), 64 * 64 / 4);
}

TEST(IconsTest, DisabledIconsAreGreyAndFainter) {
  for (IconId id : AllIcons()) {
    SCOPED_TRACE(IconName(id).toStdString());
    const QIcon icon = VelmoraIcon(id);
    const QImage normal = Argb(icon.pixmap(QSize(24, 24), 1.0, QIcon::Normal));
    const QImage disabled = Argb(icon.pixmap(QSize(24, 24), 1.0, QIcon::Disabled));
    ASSERT_NE(normal, disabled);
    long normal_alpha = 0, disabled_alpha = 0;
    int coloured = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        const QRgb p = disabled.pixel(x, y);
        normal_alpha += qAlpha(normal.pixel(x, y));
        disabled_alpha += qAlpha(p);
        const int spread =
            std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
        if (qAlpha(p) > 0 && spread > 2) ++coloured;  // premultiplying may round a channel
      }
    }
    EXPECT_EQ(coloured, 0);
    EXPECT_LT(disabled_alpha * 10, normal_alpha * 7);
    EXPECT_GT(disabled_alpha, 0);
  }
}

// Painted through QIcon::paint into a larger transparent picture at an offset: the icon lands in
// its rectangle, in device pixels, and nothing spills around it.
TEST(IconsTest, PaintStaysInsideTheRectangleItIsGiven) {
  constexpr int kMargin = 7;
  for (qreal dpr : {1.0, 2.0}) {
    for (int size : {16, 24, 32}) {
      const int device_margin = static_cast<int>(kMargin * dpr);
      const int device_size = static_cast<int>(size * dpr);
      const QRect box(device_margin, device_margin, device_size, device_size);
      for (IconId id : AllIcons()) {
        SCOPED_TRACE(IconName(id).toStdString() + " " + std::to_string(size) + " @" +
                     std::to_string(dpr));
        QImage canvas(QSize(size + 2 * kMargin, size + 2 * kMargin) * dpr,
                      QImage::Format_ARGB32_Premultiplied);
        canvas.setDevicePixelRatio(dpr);
        canvas.fill(Qt::transparent);
        {
          QPainter painter(&canvas);
          VelmoraIcon(id).paint(&painter, QRect(kMargin, kMargin, size, size));
        }
        const QImage image = canvas.convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(PaintedOutside(image, box), 0);
        EXPECT_EQ(image.copy(box), Argb(VelmoraIcon(id).pixmap(QSize(size, size), dpr)));
      }
    }
  }
}

// The content of every icon keeps to the central 20 x 20 box of its 24 x 24 grid, so icons share
// one optical size and never touch their neighbours on a tool bar.
TEST(IconsTest, ContentKeepsTheGridPadding) {
  for (int device_size : {24, 48, 96}) {
    const int pad = device_size / 12;
    const QRect content(pad, pad, device_size - 2 * pad, device_size - 2 * pad);
    for (IconId id : AllIcons()) {
      SCOPED_TRACE(IconName(id).toStdString() + " " + std::to_string(device_size));
      const QImage image = Argb(VelmoraIcon(id).pixmap(QSize(device_size, device_size), 1.0));
      EXPECT_EQ(PaintedOutside(image, content), 0);
    }
  }
}

// Straight edges sit on the pixel grid: a dashed selection is made of whole pixels only, and the
// cells of the chess board leave no half-covered seams between them.
TEST(IconsTest, StraightEdgesAreCrispAtEverySize) {
  for (int size : {16, 24, 32, 48}) {
    SCOPED_TRACE(size);
    const QImage dashed = Argb(VelmoraIcon(IconId::kSelect).pixmap(QSize(size, size), 1.0));
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const int a = qAlpha(dashed.pixel(x, y));
        ASSERT_TRUE(a == 0 || a == 255) << x << "," << y << " alpha " << a;
      }
    }
    const QImage chess = Argb(VelmoraIcon(IconId::kChess).pixmap(QSize(size, size), 1.0));
    const int from = size / 6, to = size - size / 6;
    for (int y = from; y < to; ++y) {
      for (int x = from; x < to; ++x) {
        ASSERT_EQ(qAlpha(chess.pixel(x, y)), 255) << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace velmora
