#include "wizard/speedbar_area.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QEvent>
#include <QScrollBar>

#include "platform/qt/focus_frame.h"
#include "wizard/core/speedbar_wording.h"
#include "wizard/speedbar_accessible.h"

namespace orvalen::wizard {

namespace {
SpeedbarArea::Reporter reporter = nullptr;
}  // namespace

void SpeedbarArea::ReportTo(Reporter to) {
  reporter = to;
}

void SpeedbarArea::Report(QAccessibleEvent& event) {
  if (reporter)
    reporter(&event);
  else
    QAccessible::updateAccessibility(&event);
}

SpeedbarArea::SpeedbarArea(QWidget* parent) : PaintBox(parent) {
  InstallSpeedbarAccessibility();
}

void SpeedbarArea::Attach(const SpeedbarList* list, QWidget* focusHolder) {
  list_ = list;
  if (focusHolder_) focusHolder_->removeEventFilter(this);
  focusHolder_ = focusHolder;
  if (focusHolder_) focusHolder_->installEventFilter(this);
  // Scrolling moves the area's pixels, the focus frame's sides with them.
  if (auto* box = qobject_cast<QAbstractScrollArea*>(focusHolder))
    connect(box->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
      if (KeyboardHere()) update();
    });
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
    Report(reorder);
    emit EntriesChanged();
  }
  const QString insertion = QString::fromStdString(InsertionPointText(*list_));
  if (insertion != reportedInsertion_) {
    reportedInsertion_ = insertion;
    QAccessibleValueChangeEvent value(this, insertion);
    Report(value);
    // The insertion point is the area's description too: on AT-SPI a value
    // change reaches only objects with a numeric value.
    QAccessibleEvent description(this, QAccessible::DescriptionChanged);
    Report(description);
  }
}

// The owner's picture first; with the keyboard here, a focus frame around
// the part of the bar the scroll box shows, between the frame's top edge and
// the pointer, clear of both. The off-screen speedbar the owner composes
// stays as it is.
void SpeedbarArea::paintEvent(QPaintEvent* event) {
  PaintBox::paintEvent(event);
  if (!KeyboardHere()) return;
  const QRect shown = visibleRegion().boundingRect();
  QPainter painter(this);
  platform::DrawFocusFrame(painter, QRect(shown.left() + 2, 2, shown.width() - 4, kPointerTop - 3),
                           palette().color(QPalette::WindowText));
}

bool SpeedbarArea::eventFilter(QObject* watched, QEvent* event) {
  if (watched == focusHolder_ &&
      (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    update();
    // The scroll box has the keyboard on the area's behalf: the area is what
    // a screen reader should present.
    if (event->type() == QEvent::FocusIn) {
      QAccessibleEvent focus(this, QAccessible::Focus);
      Report(focus);
    }
  }
  return PaintBox::eventFilter(watched, event);
}

}  // namespace orvalen::wizard
