#pragma once
// The main window: the option pages on a 185-pixel panel at the left, the
// black view panel filling the rest, and the clock that draws a frame on
// every tick. Its controls carry their design names as object names, and it
// is what the frame and the device setup read the controls and the view
// panel through.

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "anim/RepeatedErrorFilter.h"
#include "app/FieldRules.h"
#include "app/SceneFile.h"
#include "d3d/DeviceSetup.h"
#include "render/FloatingPoint.h"
#include "render/FrameWindow.h"

class FieldEditing;
class HelpWindow;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QImage;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QTabWidget;
class QTimer;

class TForm1 final : public QWidget, public FrameWindow, public DevicePanel {
  Q_OBJECT

 public:
  // Sets Form1, builds every control and Timer1, then runs FormCreate.
  // Timer1 ticks while the window can be seen: it pauses while the window
  // is hidden, minimised or not exposed, and with it the bubble.
  explicit TForm1(QWidget* parent = nullptr);
  // Hides the window and runs FormDestroy while every control still exists.
  ~TForm1() override;

  int SliderPosition(FrameSlider slider) const override;
  std::string FieldText(FrameField field) const override;
  int PanelWidth() const override;
  int PanelHeight() const override;
  std::string DecimalSeparator() const override;
  void SetFrameRateCaption(const std::string& caption) override;

  HWND NativeWindow() override;
  UINT Width() const override;
  UINT Height() const override;

  // The picture the device last presented on the view, pixel for pixel; a
  // null image before the first.
  QImage PresentedPicture() const;
  // A scene file, or NAME=VALUE settings as the command line gives them,
  // applied through the controls; anything wrong is shown and changes nothing.
  void OpenSceneFile(const QString& path);
  void ApplySettings(const QStringList& arguments);

  void FormCreate();
  // Opens the help window, or brings it to the front; changes nothing else.
  void Button2Click();
  void FormDestroy();
  void Timer1Timer();
  void Button1Click();
  void TimeIntervalValueChange();
  // Home on the view, or its context menu: the bubble back at x = 0.
  void BubbleToStart();
  // The view's context menu and the window's shortcuts.
  void SavePictureTriggered();
  void CopyPictureTriggered();
  void OpenSceneTriggered();
  void SaveSceneTriggered();
  // Enter pressed in the field or the field left: a text that is not a number is reported now.
  void TimeIntervalValueExit();

  // The view sliders and their fields follow each other; none of these shows a message.
  void ScrollBar1Change();
  void ScrollBar2Change();
  void ScrollBar3Change();
  void VerticalAngleValueChange();
  void HorizontalAngleValueChange();
  void ZoomValueChange();
  // A range field or a beam angle that fails its rule gets its default text back at once.
  void RangeXMinusChange();
  void RangeXPlusChange();
  void RangeYMinusChange();
  void RangeYPlusChange();
  void AlphaPhotonChange();
  void BetaPhotonChange();
  // A cell of Metric is being selected: gij shows its formula for the checked metric.
  // Column first, as the grid's cells are addressed; every cell may be selected.
  void MetricSelectCell(int column, int row);

  QFrame* Panel1;
  QPushButton* Button2;
  QTabWidget* OptionsPages;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  QWidget* TabSheet3;
  QWidget* TabSheet4;
  QWidget* TabSheet5;
  QWidget* TabSheet6;
  QWidget* PanelViewPort;
  QTimer* Timer1;
  QAction* SavePictureAction;
  QAction* CopyPictureAction;
  QAction* OpenSceneAction;
  QAction* SaveSceneAction;

  QScrollBar* ScrollBar1;
  QScrollBar* ScrollBar2;
  QScrollBar* ScrollBar3;
  QLineEdit* VerticalAngleValue;
  QLineEdit* HorizontalAngleValue;
  QLineEdit* ZoomValue;
  QLineEdit* XCamera;
  QLineEdit* YCamera;
  QLineEdit* ZCamera;
  QLabel* VerticalAngle;
  QLabel* HorizontalAngle;
  QLabel* Zoom;
  QLabel* CameraLabel;
  QLabel* XCam;
  QLabel* YCam;
  QLabel* ZCam;

  QLineEdit* RangeXMinus;
  QLineEdit* RangeXPlus;
  QLineEdit* RangeYMinus;
  QLineEdit* RangeYPlus;
  QLineEdit* XStep;
  QLineEdit* YStep;
  QLabel* XRange;
  QLabel* YRange;
  QLabel* XStepLabel;
  QLabel* YStepLabel;

  QTableWidget* Metric;
  QLineEdit* gij;
  QGroupBox* MetricChoose;
  QRadioButton* AlcubierreMetric;
  QRadioButton* OVRAZESMetric;
  QLabel* MetricLabel;

  QLineEdit* XPhoton;
  QLineEdit* YPhoton;
  QLineEdit* ZPhoton;
  QLineEdit* AlphaPhoton;
  QLineEdit* BetaPhoton;
  QLabel* LaserBeamLabel;
  QLabel* XLaserLabel;
  QLabel* YLaserLabel;
  QLabel* ZLaserLabel;
  QLabel* AlphaAngleLabel;
  QLabel* BetaAngleLabel;

  QPushButton* Button1;
  QLineEdit* TimeIntervalValue;
  QGroupBox* Frame;
  QRadioButton* ShipFrame;
  QRadioButton* RemoteFrame;
  QLabel* Label8;
  QLabel* TimeIntervalLabel;

  QLineEdit* VsValue;
  QLineEdit* RhoValue;
  QLineEdit* WarpRadiusValue;
  QLineEdit* DuvizavireValue;
  QLineEdit* Shield1Radius;
  QLineEdit* Shield2Radius;
  QLineEdit* Shield3Radius;
  QLineEdit* R2Value;
  QLabel* SpeedLabel;
  QLabel* RhoLabel;
  QLabel* WarpRadiusLabel;
  QLabel* NLabel;
  QLabel* Shield1RadiusLabel;
  QLabel* Shield2RadiusLabel;
  QLabel* Shield3RadiusLabel;
  QLabel* R2Label;

 protected:
  // A scene file dropped on the window is opened.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildWindow();
  void BuildViewPage();
  void BuildGraphControlsPage();
  void BuildMetricPage();
  void BuildLaserBeamPage();
  void BuildAnimationPage();
  void BuildMetricValuesPage();
  void BuildViewActions();
  void PlaceOnScreen();
  QAction* AddViewAction(const char* caption, const char* keys, void (TForm1::*handler)());
  void ApplyScene(const std::vector<SceneSetting>& settings);
  void BuildTimer();
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool CanBeSeen() const;
  void TickWhileSeen();
  void ConnectHandlers();
  void WriteMetricLabels();
  void WatchFields();
  bool DrawFrame();
  void ReportFieldError(QLineEdit& field, const std::string& message);
  void TellBeamCut(std::int64_t leftOut);
  std::optional<Extended> CheckedTimeInterval();
  void FollowField(QLineEdit& field, QScrollBar& slider, FrameSlider design);
  void KeepField(QLineEdit& field, FrameField design, IntegerRange range);
  QLineEdit* Field(FrameField field) const;

  RepeatedErrorFilter tickErrors_;
  bool beamCutTold_ = false;  // frames leave part of the beam out, and the user has been told
  FieldEditing* fieldEditing_ = nullptr;  // what the user is typing, and the marks of failed fields
  HelpWindow* help_ = nullptr;            // made when first asked for
  std::string caption_ = "FPS";   // Label8's text as the frame last wrote it
};

// The one main window, set before its controls are built.
extern TForm1* Form1;
