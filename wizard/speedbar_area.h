// The speedbar's drawing area on the Speedbtns page. Its owner paints it; the
// area itself shows when its scroll box has the keyboard, and tells assistive
// technology about the entries and the insertion point (speedbar_accessible.h).
#pragma once

#include <QPointer>
#include <QString>
#include <vector>

#include "wizard/core/speedbar_list.h"
#include "wizard/paint_box.h"

class QAccessibleEvent;

namespace orvalen::wizard {

// The first row of the pointer under the insertion point.
inline constexpr int kPointerTop = kSlotTop + ButtonHeight + 2;

class SpeedbarArea : public PaintBox {
  Q_OBJECT
 public:
  explicit SpeedbarArea(QWidget* parent = nullptr);

  // The list the area shows, and the widget that takes the keyboard for it
  // (the scroll box around it: the area itself never has the focus).
  void Attach(const SpeedbarList* list, QWidget* focusHolder);
  const SpeedbarList* List() const { return list_; }
  bool KeyboardHere() const;

  // Repaints, and reports to assistive technology what changed in the list
  // or its insertion point since the last call.
  void Changed();

  // Where every area's reports go: QAccessible::updateAccessibility, which
  // passes them on only while a screen reader listens. The tests, offscreen
  // where nothing listens, record them here instead; null restores Qt's.
  using Reporter = void (*)(QAccessibleEvent* event);
  static void ReportTo(Reporter reporter);

 signals:
  // The list's entries differ from those of the last Changed().
  void EntriesChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void Report(QAccessibleEvent& event);

  const SpeedbarList* list_ = nullptr;
  QPointer<QWidget> focusHolder_;
  std::vector<int> reportedEntries_;
  QString reportedInsertion_;
};

}  // namespace orvalen::wizard

using orvalen::wizard::SpeedbarArea;
