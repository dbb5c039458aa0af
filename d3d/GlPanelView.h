#pragma once
// The picture the device presents, painted over the whole view panel. A plain
// raster widget: the device reads its picture back, so no OpenGL is needed
// here and the panel works on every platform Qt paints on.

#include <QImage>
#include <QWidget>

#include <functional>

// A widget's size in device pixels, the unit of the back buffer: on a scaled
// screen the picture then stays sharp.
QSize PixelSize(const QWidget& widget);

class GlPanelView final : public QWidget {
 public:
  // Becomes a child of `panel`, fills it and follows its size; `resized`
  // hears every new size of the panel, in device pixels.
  GlPanelView(QWidget* panel, std::function<void(QSize)> resized);

  // Shows `picture` stretched over the panel from the next paint on.
  void Show(QImage picture);
  // Hands over the picture shown, leaving none, so that the next one can be
  // read back into its memory; Show gives one back before the next paint.
  QImage TakePicture();
  const QImage& Picture() const { return picture_; }

  // The picture last presented on `panel`, pixel for pixel; a null image
  // when no device presents there or nothing has been presented yet.
  static QImage PresentedOn(const QWidget& panel);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<void(QSize)> resized_;
  QImage picture_;
};
