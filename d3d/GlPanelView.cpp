#include "d3d/GlPanelView.h"

#include <QEvent>
#include <QPainter>

#include <utility>

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

bool GlPanelView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent() && event->type() == QEvent::Resize) {
    const QSize size = parentWidget()->size();
    setGeometry(QRect(QPoint(0, 0), size));
    resized_(size);
  }
  return QWidget::eventFilter(watched, event);
}

void GlPanelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull()) painter.fillRect(rect(), Qt::black);
  else if (picture_.size() == size()) painter.drawImage(QPoint(0, 0), picture_);
  else painter.drawImage(rect(), picture_);
}
