// The speedbar pointer as Qt's own BMP reader sees it: a second decoder
// besides the tests' strict reader, so that a header both could misread the
// same way still shows.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "platform/resources.h"

namespace orvalen {
namespace {

TEST(SpeedPointer, QtReadsABlackAndWhiteTrianglePointingUp) {
  auto bytes = platform::FindResource("SPEEDPOINTER", platform::ResourceType::Bitmap);
  ASSERT_TRUE(bytes.has_value());
  QImage image;
  ASSERT_TRUE(image.loadFromData(bytes->data(), static_cast<int>(bytes->size()), "BMP"));
  EXPECT_EQ(image.size(), QSize(10, 5));
  EXPECT_EQ(image.depth(), 1);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(image.pixelColor(x, y),
                (x >= 4 - y && x <= 5 + y) ? QColor(Qt::black) : QColor(Qt::white))
          << x << "," << y;
}

}  // namespace
}  // namespace orvalen
