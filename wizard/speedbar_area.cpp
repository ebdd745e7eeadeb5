#include "wizard/speedbar_area.h"

#include <QAccessible>
#include <QEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "wizard/core/speedbar_wording.h"
#include "wizard/speedbar_accessible.h"

namespace orvalen::wizard {

SpeedbarArea::SpeedbarArea(QWidget* parent) : PaintBox(parent) {
  InstallSpeedbarAccessibility();
}

void SpeedbarArea::Attach(const SpeedbarList* list, QWidget* focusHolder) {
  list_ = list;
  if (focusHolder_) focusHolder_->removeEventFilter(this);
  focusHolder_ = focusHolder;
  if (focusHolder_) focusHolder_->installEventFilter(this);
  reportedEntries_ = list_ ? list_->Entries() : std::vector<int>{};
  reportedInsertion_ = list_ ? QString::fromStdString(InsertionPointText(*list_)) : QString();
}

bool SpeedbarArea::KeyboardHere() const {
  return focusHolder_ && focusHolder_->hasFocus();
}

void SpeedbarArea::Changed() {
  update();
  if (!list_) return;
  if (list_->Entries() != reportedEntries_) {
    reportedEntries_ = list_->Entries();
    QAccessibleEvent reorder(this, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reorder);
  }
  const QString insertion = QString::fromStdString(InsertionPointText(*list_));
  if (insertion != reportedInsertion_) {
    reportedInsertion_ = insertion;
    QAccessibleValueChangeEvent value(this, insertion);
    QAccessible::updateAccessibility(&value);
    // The insertion point is the area's description too: on AT-SPI a value
    // change reaches only objects with a numeric value.
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
  }
}

// The owner's picture first; with the keyboard here, the style's focus frame
// around the part of the area the scroll box shows. The off-screen speedbar
// the owner composes stays as it is.
void SpeedbarArea::paintEvent(QPaintEvent* event) {
  PaintBox::paintEvent(event);
  if (!KeyboardHere()) return;
  QPainter painter(this);
  QStyleOptionFocusRect focus;
  focus.initFrom(this);
  // Nothing else here shows the keyboard (no caret, no current row), so the
  // frame is drawn whether the focus came by key or by mouse.
  focus.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
  focus.rect = visibleRegion().boundingRect().adjusted(2, 2, -2, -1);
  focus.backgroundColor = palette().color(QPalette::Window);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

bool SpeedbarArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == focusHolder_ &&
      (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    update();
    // The scroll box has the keyboard on the area's behalf: the area is what
    // a screen reader should present.
    if (event->type() == QEvent::FocusIn) {
      QAccessibleEvent focus(this, QAccessible::Focus);
      QAccessible::updateAccessibility(&focus);
    }
  }
  return PaintBox::eventFilter(watched, event);
}

}  // namespace orvalen::wizard
