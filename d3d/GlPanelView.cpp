#include "d3d/GlPanelView.h"

#include <QEvent>
#include <QPainter>

#include <utility>

QSize PixelSize(const QWidget& widget) { return (QSizeF(widget.size()) * widget.devicePixelRatioF()).toSize(); }

GlPanelView::GlPanelView(QWidget* panel, std::function<void(QSize)> resized)
    : QWidget(panel), resized_(std::move(resized)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(panel->rect());
  panel->installEventFilter(this);
  lower();
  show();
}

void GlPanelView::Show(QImage picture) {
  picture_ = std::move(picture);
  update();
}

QImage GlPanelView::TakePicture() { return std::exchange(picture_, QImage()); }

QImage GlPanelView::PresentedOn(const QWidget& panel) {
  for (QObject* child : panel.children())
    if (const auto* view = dynamic_cast<const GlPanelView*>(child)) return view->Picture();
  return {};
}

bool GlPanelView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent() && event->type() == QEvent::Resize) {
    setGeometry(QRect(QPoint(0, 0), parentWidget()->size()));
    resized_(PixelSize(*parentWidget()));
  }
  return QWidget::eventFilter(watched, event);
}

void GlPanelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Stretched over the panel; one pixel for one device pixel when the back
  // buffer has the panel's size, on any screen scale.
  if (picture_.isNull()) painter.fillRect(rect(), Qt::black);
  else painter.drawImage(rect(), picture_);
}
