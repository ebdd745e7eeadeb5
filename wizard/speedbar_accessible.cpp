#include "wizard/speedbar_accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "wizard/core/speedbar_wording.h"
#include "wizard/speedbar_area.h"

namespace orvalen::wizard {

namespace {

QRect SlotOnScreen(const SpeedbarArea& area, int index) {
  const Slot slot = area.List()->SlotRect(index);
  return {area.mapToGlobal(QPoint(slot.left, slot.top)),
          QSize(slot.right - slot.left, slot.bottom - slot.top)};
}

// One entry, read from the list by its position whenever asked: an entry
// interface stays valid while the list is at least that long.
class SpeedbarEntryAccessible : public QAccessibleInterface {
 public:
  SpeedbarEntryAccessible(SpeedbarArea* area, int index) : area_(area), index_(index) {}

  bool isValid() const override {
    return area_ && area_->List() && index_ < area_->List()->SpeedbarCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return area_ ? area_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return area_ ? QAccessible::queryAccessibleInterface(area_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return QString::fromStdString(EntryName(Id()));
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override { return isValid() ? SlotOnScreen(*area_, index_) : QRect(); }
  QAccessible::Role role() const override {
    return isValid() && area_->List()->IsSpace(index_) ? QAccessible::Separator
                                                       : QAccessible::Button;
  }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    // Scrolled out of the box, or beyond the last button there is room to draw.
    const Slot slot = area_->List()->SlotRect(index_);
    const QRect local(slot.left, slot.top, slot.right - slot.left, slot.bottom - slot.top);
    state.offscreen = !area_->visibleRegion().intersects(local);
    return state;
  }

 private:
  int Id() const { return area_->List()->SpeedbarItemId(index_); }

  QPointer<SpeedbarArea> area_;
  int index_;
};

class SpeedbarAccessible : public QAccessibleWidget {
 public:
  explicit SpeedbarAccessible(SpeedbarArea* area) : QAccessibleWidget(area, QAccessible::ToolBar) {}
  ~SpeedbarAccessible() override {
    for (QAccessible::Id id : entries_) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return Area().List() ? Area().List()->SpeedbarCount() : 0; }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    // Made when first asked for and kept, one per position, until the area goes.
    while (static_cast<int>(entries_.size()) <= index)
      entries_.push_back(QAccessible::registerAccessibleInterface(
          new SpeedbarEntryAccessible(&Area(), static_cast<int>(entries_.size()))));
    return QAccessible::accessibleInterface(entries_[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* entry) const override {
    for (int i = 0; i < childCount() && i < static_cast<int>(entries_.size()); ++i)
      if (QAccessible::accessibleInterface(entries_[static_cast<std::size_t>(i)]) == entry)
        return i;
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    if (!Area().List()) return nullptr;
    const QPoint at = Area().mapFromGlobal(QPoint(x, y));
    const int slot = Area().List()->SlotAtPoint(at.x(), at.y());
    return slot >= 0 && slot < childCount() ? child(slot) : nullptr;
  }

  QString text(QAccessible::Text t) const override {
    if ((t == QAccessible::Value || t == QAccessible::Description) && Area().List())
      return QString::fromStdString(InsertionPointText(*Area().List()));
    QString text = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && text.isEmpty()) text = QStringLiteral("Speedbar");
    return text;
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.focusable = true;
    state.focused = Area().KeyboardHere();
    return state;
  }

 private:
  SpeedbarArea& Area() const { return *static_cast<SpeedbarArea*>(widget()); }

  mutable std::vector<QAccessible::Id> entries_;
};

QAccessibleInterface* SpeedbarFactory(const QString& key, QObject* object) {
  if (key != QLatin1String(SpeedbarArea::staticMetaObject.className())) return nullptr;
  auto* area = qobject_cast<SpeedbarArea*>(object);
  return area ? new SpeedbarAccessible(area) : nullptr;
}

}  // namespace

// Installed once, and removed again when this code goes: inside the expert
// module, Qt outlives an unloaded module and must not call into it.
void InstallSpeedbarAccessibility() {
  struct Installed {
    Installed() { QAccessible::installFactory(SpeedbarFactory); }
    ~Installed() { QAccessible::removeFactory(SpeedbarFactory); }
  };
  static const Installed installed;
}

}  // namespace orvalen::wizard
