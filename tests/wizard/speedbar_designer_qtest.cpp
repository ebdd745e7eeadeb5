// The speedbar designer read pixel by pixel from its off-screen speedbar, and
// pressed with the mouse where the slots begin and end.
#include <gtest/gtest.h>

#include <QTest>

#include "tests/wizard/wizard_support.h"
#include "wizard/app_expert_controls.h"

namespace orvalen::wizard {
namespace {

constexpr int kNew = 11100, kOpen = 11101, kSave = 11102, kCut = 11108, kSpace = -1;

struct Designer {
  testing::WizardWorld world;
  std::unique_ptr<TAppExpert> form = std::make_unique<TAppExpert>(nullptr, world.Services());
  Ui::TAppExpert& ui = form->Controls();
  SystemColours colours;
  QColor background;

  Designer() {
    form->show();
    for (QCheckBox* box : {ui.cbFileMenu, ui.cbEditMenu}) QTest::mouseClick(box, Qt::LeftButton);
    while (ui.PageControl->currentIndex() != kSpeedbtns)
      QTest::mouseClick(ui.NextButton, Qt::LeftButton);
    // As the 32-bit buffer holds them.
    auto stored = [](const QColor& c) { return QColor(c.rgb()); };
    colours = SystemColours::From(ui.Speedbar->palette());
    for (QColor* c :
         {&colours.windowFrame, &colours.btnFace, &colours.btnShadow, &colours.btnHighlight})
      *c = stored(*c);
    background = stored(ui.Speedbar->palette().color(QPalette::Window));
  }
  void Compose(const std::vector<int>& entries, int insertIndex) {
    SpeedbarList& list = form->SpeedItems();
    list.SetInsertIndex(list.SpeedbarCount());
    while (list.SpeedbarCount() > 0) list.SetInsertIndex(0), list.Remove();
    for (int id : entries) id == kSpace ? list.Space() : list.Insert(id);
    list.SetInsertIndex(insertIndex);
  }
  const QImage& Paint() {
    ui.Speedbar->grab();  // paints the area, which composes the buffer
    return form->SpeedBuffer();
  }
  void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(ui.Speedbar, button, {}, QPoint(x, y));
  }
};

// Every pixel of the pointer's 10 x 5 box at (left, 31): black on the
// triangle (two pixels at the tip, widening by one a side per row), the
// area's colour elsewhere.
void ExpectPointerAt(const QImage& image, int left, const QColor& background) {
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 10; ++col) {
      const bool black = col >= 4 - row && col <= 5 + row;
      EXPECT_EQ(image.pixelColor(left + col, 31 + row), black ? QColor(Qt::black) : background)
          << "pointer at " << left << ", pixel " << col << "," << row;
    }
}

TEST(SpeedbarDesigner, AnEmptyBarIsItsFrameAloneWithNoPointer) {
  Designer d;
  const QImage& image = d.Paint();
  ASSERT_EQ(image.size(), QSize(800, 38));
  EXPECT_EQ(image.pixelColor(0, 0), d.colours.btnShadow);
  EXPECT_EQ(image.pixelColor(0, 37), d.colours.btnShadow);
  EXPECT_EQ(image.pixelColor(798, 0), d.colours.btnShadow);
  EXPECT_EQ(image.pixelColor(799, 0), d.colours.btnHighlight);
  EXPECT_EQ(image.pixelColor(799, 37), d.colours.btnHighlight);
  EXPECT_EQ(image.pixelColor(1, 1), d.colours.windowFrame);
  EXPECT_EQ(image.pixelColor(798, 36), d.colours.windowFrame);
  EXPECT_EQ(image.pixelColor(2, 2), d.background);
  for (int x = 2; x < 798; ++x)
    for (int y = 30; y < 36; ++y) ASSERT_EQ(image.pixelColor(x, y), d.background) << x << "," << y;
}

TEST(SpeedbarDesigner, ButtonsSpacersAndThePointerFallOnTheirSlots) {
  Designer d;
  d.Compose({kNew, kSpace, kOpen}, 0);
  const QImage& image = d.Paint();
  // The first button: outline, bevel and the glyph's transparent corner in the face colour.
  EXPECT_EQ(image.pixelColor(10, 4), d.colours.windowFrame);
  EXPECT_EQ(image.pixelColor(33, 27), d.colours.windowFrame);
  EXPECT_EQ(image.pixelColor(11, 5), d.colours.btnHighlight);
  EXPECT_EQ(image.pixelColor(32, 26), d.colours.btnShadow);
  EXPECT_EQ(image.pixelColor(12, 23), d.colours.btnFace);
  // The space: a 3 x 22 bar two pixels into its six.
  for (int x = 33; x <= 38; ++x)
    for (int y = 5; y <= 26; ++y)
      EXPECT_EQ(image.pixelColor(x, y) == d.colours.btnShadow, x >= 35 && x <= 37) << x << "," << y;
  EXPECT_EQ(image.pixelColor(39, 4), d.colours.windowFrame);
  ExpectPointerAt(image, 5, d.background);

  d.form->SpeedItems().SetInsertIndex(2);
  ExpectPointerAt(d.Paint(), 34, d.background);
  d.form->SpeedItems().SetInsertIndex(3);
  ExpectPointerAt(d.Paint(), 57, d.background);

  // Pressing where the slots meet: the shared column belongs to the left one.
  const std::vector<std::pair<QPoint, int>> presses = {{{33, 10}, 0}, {{35, 10}, 1},  {{56, 10}, 2},
                                                       {{56, 30}, 3}, {{100, 10}, 3}, {{20, 4}, 3},
                                                       {{20, 5}, 0}};
  for (const auto& [point, index] : presses) {
    d.Press(point.x(), point.y());
    EXPECT_EQ(d.form->InsertIndex(), index) << point.x() << "," << point.y();
  }
}

TEST(SpeedbarDesigner, ARightPressRemovesAtTheOldIndexBeforeMoving) {
  Designer d;
  d.Compose({kNew, kOpen, kSave, kCut}, 1);
  d.Press(d.form->SlotRect(3).left + 5, 10, Qt::RightButton);
  EXPECT_EQ(d.form->SpeedItems().Entries(), std::vector<int>({kNew, kSave, kCut}));
  EXPECT_EQ(d.form->InsertIndex(), 3);  // Cut moved left: the point is now behind the end
  d.form->SpeedItems().SetInsertIndex(0);
  d.Press(d.form->SlotRect(1).left + 5, 10, Qt::RightButton);  // on Save; New goes first
  EXPECT_EQ(d.form->SpeedItems().Entries(), std::vector<int>({kSave, kCut}));
  EXPECT_EQ(d.form->InsertIndex(), 1);  // the point now lies on Cut
}

TEST(SpeedbarDesigner, TheThirtyThirdButtonIsTheLastDrawnButAllReachTheSettings) {
  Designer d;
  d.Compose(std::vector<int>(35, kSave), 0);
  const QImage& image = d.Paint();
  const int last = 10 + 23 * 32;
  EXPECT_EQ(image.pixelColor(last, 4), d.colours.windowFrame);
  EXPECT_EQ(image.pixelColor(last + 23 + 5, 10), d.background);
  EXPECT_EQ(d.form->Settings().SpeedbarCount(), 35);
}

TEST(SpeedbarDesigner, CommandRowsShowTheButtonThenTheCaption) {
  Designer d;
  d.ui.MenuList->setCurrentRow(1);  // Edit
  ASSERT_EQ(d.ui.MenuItemList->count(), 4);
  EXPECT_EQ(d.ui.MenuItemList->visualItemRect(d.ui.MenuItemList->item(1)).height(), 26);
  QImage rows = d.ui.MenuItemList->viewport()->grab().toImage();
  EXPECT_EQ(rows.pixelColor(2, 1), d.colours.windowFrame);  // the button's corner
  EXPECT_EQ(rows.pixelColor(4, 21), d.colours.btnFace);     // Undo's transparent corner
  const QColor base = d.ui.MenuItemList->palette().color(QPalette::Base);
  for (int x = 27; x < 30; ++x)
    for (int y = 0; y < 26; ++y) EXPECT_EQ(rows.pixelColor(x, y), base) << x << "," << y;
}

TEST(SpeedbarDesigner, AHolderWithoutItsBitmapDrawsAPlainFace) {
  Designer d;
  TButtonImage missing;
  missing.SetNumGlyphs(2);
  missing.SetBitmapId(1);
  EXPECT_TRUE(missing.Bitmap().isNull());
  QImage image(24, 24, QImage::Format_RGB32);
  image.fill(Qt::red);
  QPainter painter(&image);
  painter.setPen(Qt::green);
  DrawButtonGlyph(missing, painter, 0, 0, d.colours);
  EXPECT_EQ(painter.pen().color(), QColor(Qt::green));  // restored
  painter.end();
  for (int x = 2; x < 22; ++x)
    for (int y = 2; y < 22; ++y) ASSERT_EQ(image.pixelColor(x, y), d.colours.btnFace);
}

}  // namespace
}  // namespace orvalen::wizard
