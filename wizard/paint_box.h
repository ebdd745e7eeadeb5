// A drawing area whose owner paints it: the page picture beside the wizard's
// pages and the speedbar on the Speedbtns page.
#pragma once

#include <QPainter>
#include <QWidget>
#include <functional>

namespace orvalen::wizard {

class PaintBox : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  using PaintHandler = std::function<void(QPainter&)>;

  void SetOnPaint(PaintHandler handler) { onPaint_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!onPaint_) return;
    QPainter painter(this);
    onPaint_(painter);
  }

 private:
  PaintHandler onPaint_;
};

}  // namespace orvalen::wizard

using orvalen::wizard::PaintBox;
