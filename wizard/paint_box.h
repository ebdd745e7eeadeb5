// A drawing area whose owner paints it: the page picture beside the wizard's
// pages and the speedbar on the Speedbtns page.
#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <functional>

namespace orvalen::wizard {

class PaintBox : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  using PaintHandler = std::function<void(QPainter&)>;

  using MouseHandler = std::function<void(QMouseEvent&)>;

  void SetOnPaint(PaintHandler handler) { onPaint_ = std::move(handler); }
  // Every press, of any button; a double click arrives as a second press.
  void SetOnMouseDown(MouseHandler handler) { onMouseDown_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!onPaint_) return;
    QPainter painter(this);
    onPaint_(painter);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (onMouseDown_) onMouseDown_(*event);
  }

 private:
  PaintHandler onPaint_;
  MouseHandler onMouseDown_;
};

}  // namespace orvalen::wizard

using orvalen::wizard::PaintBox;
