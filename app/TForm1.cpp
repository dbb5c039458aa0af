#include "app/TForm1.h"

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "anim/AnimationClock.h"
#include "anim/ParseFieldFloat.h"
#include "app/CurrentCellPressFilter.h"
#include "app/DesignFont.h"
#include "app/ErrorDisplay.h"
#include "app/FieldEditing.h"
#include "app/FieldRules.h"
#include "app/FileDialogs.h"
#include "app/HelpWindow.h"
#include "app/MetricFormulas.h"
#include "app/PageControl.h"
#include "app/SafeFile.h"
#include "app/ViewNavigation.h"
#include "app/WindowPlacement.h"
#include "app/WindowScene.h"
#include "d3d/GlPanelView.h"
#include "render/ControlSnapshot.h"
#include "render/FieldError.h"
#include "render/ParseFieldInteger.h"
#include "render/RenderFrame.h"

TForm1* Form1 = nullptr;

namespace {

constexpr int kPanel1Width = 185;
constexpr int kDesignClientHeight = 453;
constexpr int kMinimumViewWidth = 160;
constexpr int kAnimationPage = 4;
constexpr int kMetricCells = 4;
constexpr int kLabel8Left = 144, kLabel8Top = 40;

SteadyFrameClock frameClock;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QAction* MakeSeparator(QObject* parent) {
  auto* separator = new QAction(parent);
  separator->setSeparator(true);
  return separator;
}

// Frames read every field on every tick. Field texts are short and plain
// ASCII as a rule, and then convert without touching the heap (a short
// std::string holds its characters itself).
std::string Utf8(const QString& text) {
  std::string result;
  result.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) {
    if (c.unicode() >= 0x80) return text.toStdString();
    result.push_back(static_cast<char>(c.unicode()));
  }
  return result;
}

// The text a validated field falls back to is the one it starts with.
QString DefaultFieldText(FrameField field) { return Text(DefaultText(field)); }
QString DefaultFieldText(FrameSlider slider) { return QString::number(DefaultPosition(slider)); }

constexpr IntegerRange kAnyInteger{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
constexpr IntegerRange kBeamAngle{-180, 180};

// The whole text is replaced; its start is shown, as at start-up.
void ShowFormula(QLineEdit* display, std::optional<std::string_view> formula) {
  if (!formula) return;
  display->setText(QString::fromUtf8(formula->data(), static_cast<qsizetype>(formula->size())));
  display->setCursorPosition(0);
}

// About one tick per screen refresh: the bubble's speed on the screen is the
// step times the tick rate, so the rate must not depend on the graphics card.
int RefreshInterval(const QScreen* screen) {
  const qreal rate = screen != nullptr ? screen->refreshRate() : 0;
  if (!(rate >= 1)) return 17;  // 60 Hz
  return std::clamp(static_cast<int>(std::lround(1000 / rate)), 1, 1000);
}

template <class Control>
Control* Place(Control* control, const char* name, QRect place) {
  control->setObjectName(Text(name));
  control->setGeometry(place);
  return control;
}

QLabel* MakeLabel(QWidget* page, const char* name, int left, int top, const char* caption) {
  auto* label = new QLabel(Text(caption), page);
  label->setObjectName(Text(name));
  label->move(left, top);
  label->adjustSize();  // labels size themselves to their text
  return label;
}

QLineEdit* MakeEdit(QWidget* page, const char* name, QRect place, const QString& text) {
  auto* edit = Place(new QLineEdit(text, page), name, place);
  edit->setMaxLength(std::numeric_limits<int>::max());  // any length, not Qt's default 32,767
  edit->setCursorPosition(0);
  return edit;
}

QLineEdit* MakeEdit(QWidget* page, const char* name, QRect place, const char* text) {
  return MakeEdit(page, name, place, Text(text));
}

QLineEdit* MakeEdit(QWidget* page, FrameField field, QRect place) {
  return MakeEdit(page, ControlName(field), place, DefaultFieldText(field));
}

QScrollBar* MakeScrollBar(QWidget* page, FrameSlider slider, QRect place, int minimum, int maximum) {
  auto* bar = Place(new QScrollBar(Qt::Horizontal, page), ControlName(slider), place);
  bar->setRange(minimum, maximum);
  bar->setSingleStep(1);
  bar->setPageStep(1);
  bar->setValue(DefaultPosition(slider));
  bar->setFocusPolicy(Qt::StrongFocus);  // a tab stop like every other input
  // Qt's scroll bars invert their keys for the sake of vertical ones, which
  // would make the right arrow key lower a horizontal bar's position.
  bar->setInvertedControls(false);
  return bar;
}

QPushButton* MakeButton(QWidget* parent, const char* name, QRect place, const char* caption) {
  return Place(new QPushButton(Text(caption), parent), name, place);
}

// The caption sits on the top line of the frame, so that the radio buttons
// placed 16 pixels below the group's top fall inside it.
QGroupBox* MakeGroup(QWidget* page, const char* name, QRect place, const char* caption) {
  auto* group = Place(new QGroupBox(Text(caption), page), name, place);
  group->setStyleSheet(Text("QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
                            "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"));
  return group;
}

// Radio buttons with the same page as parent exclude each other; the group
// boxes only frame them and hold no items.
// A radio button keeps its designed place and is widened only where its
// caption would otherwise be cut.
QRadioButton* MakeRadio(QWidget* page, const char* name, QRect place, const char* caption, bool checked) {
  auto* radio = Place(new QRadioButton(Text(caption), page), name, place);
  radio->resize(std::max(place.width(), radio->sizeHint().width()), place.height());
  radio->setChecked(checked);
  return radio;
}

QWidget* MakePage(QTabWidget* pages, const char* name, const char* caption) {
  auto* page = new QWidget;
  page->setObjectName(Text(name));
  pages->addTab(page, Text(caption));
  return page;
}

// A 4 × 4 grid of 30 × 25 cells with lines and nothing else: no headers, no
// scroll bars, no editing, one cell selected at a time. Cell (0, 0) is current
// from the start, so that the first focus selects nothing.
QTableWidget* MakeMetricGrid(QWidget* page) {
  auto* grid = Place(new QTableWidget(kMetricCells, kMetricCells, page), "Metric", QRect(9, 17, 128, 108));
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setMinimumSectionSize(1);
  grid->verticalHeader()->setMinimumSectionSize(1);
  grid->horizontalHeader()->setDefaultSectionSize(30);
  grid->verticalHeader()->setDefaultSectionSize(25);
  grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid->setTabKeyNavigation(false);  // Tab leaves the grid like any other control
  grid->setShowGrid(true);
  // Never mirrored, whatever the direction of the page or the application:
  // column 0 stays at the left, and the labels, which hold no right-to-left
  // characters, look and align as they would left to right.
  grid->setLayoutDirection(Qt::LeftToRight);
  grid->setCurrentCell(0, 0);
  grid->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QPalette palette = grid->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window).darker(107));  // a scroll bar's track
  grid->setPalette(palette);
  return grid;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
  Form1 = this;
  BuildWindow();
  BuildTimer();
  ConnectHandlers();
  RunHandler([this] { FormCreate(); });
}

TForm1::~TForm1() {
  hide();
  RunHandler([this] { FormDestroy(); });
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildWindow() {
  setObjectName(Text("Form1"));
  setWindowTitle(Text(kApplicationTitle));
  setFont(DesignFont());
  // The whole control panel always shows, Help! included; the view gives way, down to a usable size.
  setMinimumSize(kPanel1Width + kMinimumViewWidth, kDesignClientHeight);
  PlaceOnScreen();

  Panel1 = new QFrame(this);
  Panel1->setObjectName(Text("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setFixedWidth(kPanel1Width);
  Button2 = MakeButton(Panel1, "Button2", QRect(8, 424, 171, 25), "Help!");  // first in the focus order
  OptionsPages = Place(new PageControl(Panel1), "OptionsPages", QRect(0, 0, 185, 417));
  TabSheet1 = MakePage(OptionsPages, "TabSheet1", "View");
  TabSheet2 = MakePage(OptionsPages, "TabSheet2", "Graph Controls");
  TabSheet3 = MakePage(OptionsPages, "TabSheet3", "Metric ");
  TabSheet4 = MakePage(OptionsPages, "TabSheet4", "Laser Beam");
  TabSheet5 = MakePage(OptionsPages, "TabSheet5", "Animation");
  TabSheet6 = MakePage(OptionsPages, "TabSheet6", "Metric Values");
  BuildViewPage();
  BuildGraphControlsPage();
  BuildMetricPage();
  BuildLaserBeamPage();
  BuildAnimationPage();
  BuildMetricValuesPage();
  OptionsPages->setCurrentIndex(kAnimationPage);

  // A plain black widget: the rendering device attaches its own presentation to it.
  PanelViewPort = new QWidget(this);
  PanelViewPort->setObjectName(Text("PanelViewPort"));
  PanelViewPort->setAccessibleName(Text("PanelViewPort"));
  PanelViewPort->setAutoFillBackground(true);
  QPalette black = PanelViewPort->palette();
  black.setColor(QPalette::Window, Qt::black);
  PanelViewPort->setPalette(black);

  BuildViewActions();

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(PanelViewPort, 1);
  layout->activate();  // the device is set up before the window is shown: the panel needs its size now
}

// Designed at (200, 184), 696 × 480 with its frame: a client area of 688 × 453.
void TForm1::PlaceOnScreen() {
  const QRect available = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
  const WindowPlacement placement =
      PlaceWindow(available, QPoint(200, 184), QSize(688, kDesignClientHeight), QSize(8, 27), minimumSize());
  move(placement.position);
  resize(placement.client);
}

// The view takes the focus when clicked or tabbed to, after every control of
// the panel; its context menu lists what it does, with the keys that do it.
// The mouse and keys turn, tilt and zoom it through the view sliders.
void TForm1::BuildViewActions() {
  PanelViewPort->setFocusPolicy(Qt::StrongFocus);
  new ViewNavigation(PanelViewPort, ScrollBar1, ScrollBar2, ScrollBar3);
  PanelViewPort->setContextMenuPolicy(Qt::ActionsContextMenu);
  QAction* bubbleToStart = AddViewAction("Bubble to Start", "Home", &TForm1::BubbleToStart);
  bubbleToStart->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  PanelViewPort->addAction(MakeSeparator(PanelViewPort));
  SavePictureAction = AddViewAction("Save Picture\u2026", "Ctrl+S", &TForm1::SavePictureTriggered);
  CopyPictureAction = AddViewAction("Copy Picture", "Ctrl+Shift+C", &TForm1::CopyPictureTriggered);
  PanelViewPort->addAction(MakeSeparator(PanelViewPort));
  OpenSceneAction = AddViewAction("Open Scene\u2026", "Ctrl+O", &TForm1::OpenSceneTriggered);
  SaveSceneAction = AddViewAction("Save Scene\u2026", "Ctrl+Shift+S", &TForm1::SaveSceneTriggered);
  setAcceptDrops(true);
}

// Anywhere in the window unless said otherwise.
QAction* TForm1::AddViewAction(const char* caption, const char* keys, void (TForm1::*handler)()) {
  auto* action = new QAction(Text(caption), PanelViewPort);
  action->setShortcut(QKeySequence(Text(keys)));
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, handler);
  PanelViewPort->addAction(action);
  return action;
}

// Only the bubble moves: the animation runs or stands as it did.
void TForm1::BubbleToStart() { BubblePosition = 0; }

QImage TForm1::PresentedPicture() const { return GlPanelView::PresentedOn(*PanelViewPort); }

namespace {

QImage PictureToKeep(const QImage& picture) {
  if (picture.isNull()) throw std::runtime_error("There is no picture yet: none has been drawn");
  return picture;
}

// One local file, or an empty text for anything else.
QString DroppedFile(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
}

}  // namespace

// The picture is the one shown when asked, whatever is drawn while the dialog is open.
void TForm1::SavePictureTriggered() {
  RunHandler([this] {
    const QImage picture = PictureToKeep(PresentedPicture());
    const QString path = ChooseFile(this, FileDialog::SavePicture);
    if (!path.isEmpty()) SavePngSafely(path, picture);
  });
}

void TForm1::CopyPictureTriggered() {
  RunHandler([this] { QGuiApplication::clipboard()->setImage(PictureToKeep(PresentedPicture())); });
}

void TForm1::OpenSceneTriggered() {
  RunHandler([this] {
    const QString path = ChooseFile(this, FileDialog::OpenScene);
    if (!path.isEmpty()) OpenSceneFile(path);
  });
}

// The scene is the window as it stands when asked.
void TForm1::SaveSceneTriggered() {
  RunHandler([this] {
    const std::vector<SceneSetting> scene = ReadWindowScene(*this);
    const QString path = ChooseFile(this, FileDialog::SaveScene);
    if (!path.isEmpty()) SaveSceneFile(path, scene);
  });
}

void TForm1::OpenSceneFile(const QString& path) {
  RunHandler([&] { ApplyScene(LoadSceneFile(path)); });
}

void TForm1::ApplySettings(const QStringList& arguments) {
  RunHandler([&] { ApplyScene(SettingsFromArguments(arguments)); });
}

// A time interval that does not convert is reported as when the user leaves
// the field; the file's step, applied last, stands.
void TForm1::ApplyScene(const std::vector<SceneSetting>& settings) {
  ApplyWindowScene(*this, settings);
  const auto setsInterval = [](const SceneSetting& setting) { return setting.name == "TimeIntervalValue"; };
  if (std::any_of(settings.begin(), settings.end(), setsInterval)) CheckedTimeInterval();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

// Opened once the drop is over: an error box must not hold up the drag.
void TForm1::dropEvent(QDropEvent* event) {
  const QString path = DroppedFile(*event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  QTimer::singleShot(0, this, [this, path] { OpenSceneFile(path); });
}

void TForm1::BuildViewPage() {
  QWidget* page = TabSheet1;
  ScrollBar1 = MakeScrollBar(page, FrameSlider::ScrollBar1, QRect(0, 24, 121, 16), -180, 180);
  ScrollBar2 = MakeScrollBar(page, FrameSlider::ScrollBar2, QRect(0, 64, 121, 16), 0, 360);
  ScrollBar3 = MakeScrollBar(page, FrameSlider::ScrollBar3, QRect(0, 104, 121, 16), 1, 100);
  VerticalAngleValue =
      MakeEdit(page, "VerticalAngleValue", QRect(128, 24, 41, 21), DefaultFieldText(FrameSlider::ScrollBar1));
  HorizontalAngleValue =
      MakeEdit(page, "HorizontalAngleValue", QRect(128, 64, 41, 21), DefaultFieldText(FrameSlider::ScrollBar2));
  ZoomValue = MakeEdit(page, "ZoomValue", QRect(128, 104, 41, 21), DefaultFieldText(FrameSlider::ScrollBar3));
  XCamera = MakeEdit(page, FrameField::XCamera, QRect(40, 168, 121, 21));
  YCamera = MakeEdit(page, FrameField::YCamera, QRect(40, 192, 121, 21));
  ZCamera = MakeEdit(page, FrameField::ZCamera, QRect(40, 216, 121, 21));
  VerticalAngle = MakeLabel(page, "VerticalAngle", 0, 8, "Vertical Angle");
  HorizontalAngle = MakeLabel(page, "HorizontalAngle", 0, 48, "Horizontal Angle");
  Zoom = MakeLabel(page, "Zoom", 0, 88, "Zoom");
  CameraLabel = MakeLabel(page, "CameraLabel", 8, 152, "Camera Placement");
  XCam = MakeLabel(page, "XCam", 16, 168, "X:");
  YCam = MakeLabel(page, "YCam", 16, 192, "Y:");
  ZCam = MakeLabel(page, "ZCam", 16, 216, "Z:");
}

void TForm1::BuildGraphControlsPage() {
  QWidget* page = TabSheet2;
  RangeXMinus = MakeEdit(page, FrameField::RangeXMinus, QRect(0, 24, 85, 21));
  RangeXPlus = MakeEdit(page, FrameField::RangeXPlus, QRect(88, 24, 85, 21));
  RangeYMinus = MakeEdit(page, FrameField::RangeYMinus, QRect(0, 64, 85, 21));
  RangeYPlus = MakeEdit(page, FrameField::RangeYPlus, QRect(88, 64, 85, 21));
  XStep = MakeEdit(page, FrameField::XStep, QRect(0, 104, 85, 21));
  YStep = MakeEdit(page, FrameField::YStep, QRect(88, 104, 85, 21));
  XRange = MakeLabel(page, "XRange", 8, 8, "X Range");
  YRange = MakeLabel(page, "YRange", 8, 48, "Y Range");
  XStepLabel = MakeLabel(page, "XStepLabel", 8, 88, "X Step");
  YStepLabel = MakeLabel(page, "YStepLabel", 96, 88, "Y Step");
}

void TForm1::BuildMetricPage() {
  QWidget* page = TabSheet3;
  Metric = MakeMetricGrid(page);
  gij = MakeEdit(page, "gij", QRect(9, 128, 128, 21), "1-Vs^2*f(rs)^2");
  gij->setReadOnly(true);
  MetricChoose = MakeGroup(page, "MetricChoose", QRect(8, 160, 153, 217), "Choose Warp Metric");
  AlcubierreMetric = MakeRadio(page, "AlcubierreMetric", QRect(24, 184, 129, 17), "Alcubierre NT Metric", true);
  OVRAZESMetric = MakeRadio(page, "OVRAZESMetric", QRect(24, 208, 113, 17), "OVRA ZE-S Metric", false);
  MetricLabel = MakeLabel(page, "MetricLabel", 8, 0, "Metric:");
}

void TForm1::BuildLaserBeamPage() {
  QWidget* page = TabSheet4;
  XPhoton = MakeEdit(page, FrameField::XPhoton, QRect(8, 32, 49, 21));
  YPhoton = MakeEdit(page, FrameField::YPhoton, QRect(64, 32, 49, 21));
  ZPhoton = MakeEdit(page, FrameField::ZPhoton, QRect(120, 32, 57, 21));
  AlphaPhoton = MakeEdit(page, FrameField::AlphaPhoton, QRect(8, 72, 81, 21));
  BetaPhoton = MakeEdit(page, FrameField::BetaPhoton, QRect(96, 72, 81, 21));
  LaserBeamLabel = MakeLabel(page, "LaserBeamLabel", 8, 0, "Laser Beam Starting Point");
  XLaserLabel = MakeLabel(page, "XLaserLabel", 16, 16, "X:");
  YLaserLabel = MakeLabel(page, "YLaserLabel", 72, 16, "Y:");
  ZLaserLabel = MakeLabel(page, "ZLaserLabel", 128, 16, "Z:");
  AlphaAngleLabel = MakeLabel(page, "AlphaAngleLabel", 8, 56, "Alpha Angle");
  BetaAngleLabel = MakeLabel(page, "BetaAngleLabel", 96, 56, "Beta Angle");
}

void TForm1::BuildAnimationPage() {
  QWidget* page = TabSheet5;
  Button1 = MakeButton(page, "Button1", QRect(8, 8, 129, 25), kDrawGraphCaption.data());
  TimeIntervalValue = MakeEdit(page, "TimeIntervalValue", QRect(8, 88, 65, 21), "2");
  Frame = MakeGroup(page, "Frame", QRect(8, 120, 161, 65), "Frame");
  ShipFrame = MakeRadio(page, "ShipFrame", QRect(24, 136, 113, 17), "Ship Frame", false);
  RemoteFrame = MakeRadio(page, "RemoteFrame", QRect(24, 160, 113, 17), "Remote Frame", false);
  Label8 = MakeLabel(page, "Label8", kLabel8Left, kLabel8Top, "FPS");
  TimeIntervalLabel = MakeLabel(page, "TimeIntervalLabel", 8, 72, "Time Interval");
}

void TForm1::BuildMetricValuesPage() {
  QWidget* page = TabSheet6;
  VsValue = MakeEdit(page, "VsValue", QRect(8, 16, 113, 21), "1");
  RhoValue = MakeEdit(page, "RhoValue", QRect(8, 56, 113, 21), "0.1");
  WarpRadiusValue = MakeEdit(page, "WarpRadiusValue", QRect(8, 96, 113, 21), "50");
  DuvizavireValue = MakeEdit(page, "DuvizavireValue", QRect(8, 136, 113, 21), "-5");
  Shield1Radius = MakeEdit(page, "Shield1Radius", QRect(8, 176, 113, 21), "40");
  Shield2Radius = MakeEdit(page, "Shield2Radius", QRect(8, 216, 113, 21), "30");
  Shield3Radius = MakeEdit(page, "Shield3Radius", QRect(8, 256, 113, 21), "20");
  R2Value = MakeEdit(page, "R2Value", QRect(8, 296, 113, 21), "102");
  SpeedLabel = MakeLabel(page, "SpeedLabel", 8, 0, "Warp Bubble Speed Vs");
  RhoLabel = MakeLabel(page, "RhoLabel", 8, 40, "Rho Value");
  WarpRadiusLabel = MakeLabel(page, "WarpRadiusLabel", 8, 80, "Warp Bubble Radius");
  NLabel = MakeLabel(page, "NLabel", 8, 120, "Duvizavire Parameter");
  Shield1RadiusLabel = MakeLabel(page, "Shield1RadiusLabel", 8, 160, "Shield 1 Radius");
  Shield2RadiusLabel = MakeLabel(page, "Shield2RadiusLabel", 8, 200, "Shield 2 Radius");
  Shield3RadiusLabel = MakeLabel(page, "Shield3RadiusLabel", 8, 240, "Shield 3 Radius");
  R2Label = MakeLabel(page, "R2Label", 8, 280, "2*(R+1) Parameter");
}

// Runs from the event loop on this thread, so a tick never interrupts a frame.
// It starts once the window is shown and exposed.
void TForm1::BuildTimer() {
  Timer1 = new QTimer(this);
  Timer1->setObjectName(Text("Timer1"));
  Timer1->setTimerType(Qt::PreciseTimer);
  Timer1->setInterval(RefreshInterval(screen()));
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
  installEventFilter(this);
  TickWhileSeen();
}

// A frame nobody can see costs most of a core and moves the bubble out of
// sight, so ticks pause as an animation in a hidden browser tab does. The
// widget reports showing, hiding and minimising; only its native window
// reports being unmapped or covered, and it exists from the first show on.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Show:
      if (QWindow* window = windowHandle()) window->installEventFilter(this);
      TickWhileSeen();
      break;
    case QEvent::Hide:
    case QEvent::WindowStateChange:
    case QEvent::Expose:
      TickWhileSeen();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool TForm1::CanBeSeen() const {
  const QWindow* window = windowHandle();
  return isVisible() && !isMinimized() && window != nullptr && window->isExposed();
}

// Expose comes again with every resize and uncovering; restarting a running
// timer there would put its next tick off.
void TForm1::TickWhileSeen() {
  if (!CanBeSeen()) Timer1->stop();
  else if (!Timer1->isActive()) Timer1->start();
}

// Connected after the controls hold their design values, so building fires no handler.
void TForm1::ConnectHandlers() {
  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(TimeIntervalValue, &QLineEdit::textChanged, this, &TForm1::TimeIntervalValueChange);

  // textChanged reports every change of the text, the program's own included;
  // valueChanged reports a slider's move after clamping and only when it moved.
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm1::ScrollBar1Change);
  connect(ScrollBar2, &QScrollBar::valueChanged, this, &TForm1::ScrollBar2Change);
  connect(ScrollBar3, &QScrollBar::valueChanged, this, &TForm1::ScrollBar3Change);
  connect(VerticalAngleValue, &QLineEdit::textChanged, this, &TForm1::VerticalAngleValueChange);
  connect(HorizontalAngleValue, &QLineEdit::textChanged, this, &TForm1::HorizontalAngleValueChange);
  connect(ZoomValue, &QLineEdit::textChanged, this, &TForm1::ZoomValueChange);
  connect(RangeXMinus, &QLineEdit::textChanged, this, &TForm1::RangeXMinusChange);
  connect(RangeXPlus, &QLineEdit::textChanged, this, &TForm1::RangeXPlusChange);
  connect(RangeYMinus, &QLineEdit::textChanged, this, &TForm1::RangeYMinusChange);
  connect(RangeYPlus, &QLineEdit::textChanged, this, &TForm1::RangeYPlusChange);
  connect(AlphaPhoton, &QLineEdit::textChanged, this, &TForm1::AlphaPhotonChange);
  connect(BetaPhoton, &QLineEdit::textChanged, this, &TForm1::BetaPhotonChange);

  // A new current cell by click, drag or key, and a press on the current one.
  const auto selectCell = [this](int row, int column) { MetricSelectCell(column, row); };
  connect(Metric, &QTableWidget::currentCellChanged, this, selectCell);
  connect(new CurrentCellPressFilter(Metric), &CurrentCellPressFilter::currentCellPressed, this, selectCell);
  WatchFields();
}

// Every field a frame or a rule reads, with what committing it does.
void TForm1::WatchFields() {
  fieldEditing_ = new FieldEditing(this);
  const auto integer = [](const QString& text) { return TryParseFieldInteger(text.toStdString()).has_value(); };
  const auto watch = [&](QLineEdit* field, void (TForm1::*rule)()) {
    fieldEditing_->Watch(field, [this, rule] { (this->*rule)(); }, integer);
  };
  watch(VerticalAngleValue, &TForm1::VerticalAngleValueChange);
  watch(HorizontalAngleValue, &TForm1::HorizontalAngleValueChange);
  watch(ZoomValue, &TForm1::ZoomValueChange);
  watch(RangeXMinus, &TForm1::RangeXMinusChange);
  watch(RangeXPlus, &TForm1::RangeXPlusChange);
  watch(RangeYMinus, &TForm1::RangeYMinusChange);
  watch(RangeYPlus, &TForm1::RangeYPlusChange);
  watch(AlphaPhoton, &TForm1::AlphaPhotonChange);
  watch(BetaPhoton, &TForm1::BetaPhotonChange);
  // A field without a rule that is committed while its text fails gets the
  // frame's box again at the next tick, even if it has been shown before.
  for (const FrameField frameField : {FrameField::XCamera, FrameField::YCamera, FrameField::ZCamera,
                                      FrameField::XPhoton, FrameField::YPhoton, FrameField::ZPhoton,
                                      FrameField::XStep, FrameField::YStep}) {
    QLineEdit* field = Field(frameField);
    fieldEditing_->Watch(
        field, [this, field] { if (!TryParseFieldInteger(field->text().toStdString())) tickErrors_.Succeeded(); },
        integer);
  }
  fieldEditing_->Watch(TimeIntervalValue, [this] { TimeIntervalValueExit(); }, [this](const QString& text) {
    return TryParseFieldFloat(text.toStdString(), DecimalSeparator()).has_value();
  });
  for (QLineEdit* field : {VsValue, RhoValue, WarpRadiusValue, DuvizavireValue, Shield1Radius, Shield2Radius,
                           Shield3Radius, R2Value})
    fieldEditing_->WatchPlain(field);
}

void TForm1::FormCreate() {
  WriteMetricLabels();
  TimeStep = kDefaultTimeStep;
  SetupDevice(*this);
}

void TForm1::FormDestroy() { ReleaseDevice(); }

void TForm1::Button2Click() {
  RunHandler([this] {
    if (help_ == nullptr) help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
  });
}

// Row by row, "g" then the row's digit and the column's.
void TForm1::WriteMetricLabels() {
  for (int row = 0; row < kMetricCells; ++row) {
    for (int column = 0; column < kMetricCells; ++column)
      Metric->setItem(row, column, new QTableWidgetItem(QStringLiteral("g%1%2").arg(row).arg(column)));
  }
}

void TForm1::Timer1Timer() {
  // Nothing is drawn behind an open error box, nor through a device that setup never made.
  if (ErrorBoxOpen() || Device == nullptr) return;
  RunHandler([this] {
    if (!DrawFrame()) return;
    Label8->raise();
    AdvanceBubble(Button1->text().toStdString());
  });
}

// A failed frame leaves the bubble where it is. Its error is shown once and
// again only after a frame has succeeded or the message has changed; a field
// the user is still typing into fails silently until they commit it.
bool TForm1::DrawFrame() {
  FrameReport report;
  try {
    report = RenderFrame(*Device, DisplayMode, BubblePosition, *this, frameClock);
  } catch (const FieldError& error) {
    QLineEdit* field = Field(error.Field());
    if (fieldEditing_->BeingTyped(*field)) return false;
    fieldEditing_->Mark(*field);
    if (tickErrors_.ShouldShow(error.what())) ReportFieldError(*field, error.what());
    return false;
  } catch (const std::exception& error) {
    if (tickErrors_.ShouldShow(error.what())) throw;
    return false;
  }
  tickErrors_.Succeeded();
  TellBeamCut(report.beamSegmentsLeftOut);
  return true;
}

// A beam drawn in part is said once, and again only after a frame has drawn
// it whole; the frame itself is complete, so the animation goes on.
void TForm1::TellBeamCut(std::int64_t leftOut) {
  const bool told = std::exchange(beamCutTold_, leftOut > 0);
  if (leftOut > 0 && !told) ShowError(BeamCutMessage(leftOut));
}

// The box names the text; once it is closed, the field it came from is shown
// with its text selected, so that typing replaces it.
void TForm1::ReportFieldError(QLineEdit& field, const std::string& message) {
  if (ErrorBoxOpen()) return;
  fieldEditing_->Mark(field);
  ShowError(message);
  for (int page = 0; page < OptionsPages->count(); ++page)
    if (OptionsPages->widget(page)->isAncestorOf(&field)) OptionsPages->setCurrentIndex(page);
  field.setFocus(Qt::OtherFocusReason);
  field.selectAll();
}

void TForm1::Button1Click() {
  RunHandler([this] {
    const std::string caption = Button1->text().toStdString();
    const std::string_view toggled = ToggledCaption(caption);
    Button1->setText(QString::fromUtf8(toggled.data(), static_cast<qsizetype>(toggled.size())));
  });
}

// Follows the field keystroke by keystroke; an unfinished text such as "-"
// leaves the step as it was and is reported only when the user is done.
void TForm1::TimeIntervalValueChange() {
  RunHandler([this] {
    const std::optional<Extended> step = TryParseFieldFloat(TimeIntervalValue->text().toStdString(), DecimalSeparator());
    if (step) TimeStep = *step;
  });
}

void TForm1::TimeIntervalValueExit() {
  if (const std::optional<Extended> step = CheckedTimeInterval()) TimeStep = *step;
}

// The step the time interval's text gives; a text that does not convert is
// reported, leading back to the field, and gives nothing.
std::optional<Extended> TForm1::CheckedTimeInterval() {
  try {
    return ParseFieldFloat(TimeIntervalValue->text().toStdString(), DecimalSeparator());
  } catch (const std::exception& error) {
    ReportFieldError(*TimeIntervalValue, error.what());
    return std::nullopt;
  }
}

void TForm1::ScrollBar1Change() { SliderWritesField(*ScrollBar1, *VerticalAngleValue); }
void TForm1::ScrollBar2Change() { SliderWritesField(*ScrollBar2, *HorizontalAngleValue); }
void TForm1::ScrollBar3Change() { SliderWritesField(*ScrollBar3, *ZoomValue); }

void TForm1::VerticalAngleValueChange() { FollowField(*VerticalAngleValue, *ScrollBar1, FrameSlider::ScrollBar1); }
void TForm1::HorizontalAngleValueChange() { FollowField(*HorizontalAngleValue, *ScrollBar2, FrameSlider::ScrollBar2); }
void TForm1::ZoomValueChange() { FollowField(*ZoomValue, *ScrollBar3, FrameSlider::ScrollBar3); }

// The frame converts the text again, so nothing but the check is done here;
// one end of a range is never compared with the other.
void TForm1::RangeXMinusChange() { KeepField(*RangeXMinus, FrameField::RangeXMinus, kAnyInteger); }
void TForm1::RangeXPlusChange() { KeepField(*RangeXPlus, FrameField::RangeXPlus, kAnyInteger); }
void TForm1::RangeYMinusChange() { KeepField(*RangeYMinus, FrameField::RangeYMinus, kAnyInteger); }
void TForm1::RangeYPlusChange() { KeepField(*RangeYPlus, FrameField::RangeYPlus, kAnyInteger); }
void TForm1::AlphaPhotonChange() { KeepField(*AlphaPhoton, FrameField::AlphaPhoton, kBeamAngle); }
void TForm1::BetaPhotonChange() { KeepField(*BetaPhoton, FrameField::BetaPhoton, kBeamAngle); }

// A validated field's rule waits while the user's own edit has left a text
// that is on its way to a number; it runs on the text as it stands when they commit.
void TForm1::FollowField(QLineEdit& field, QScrollBar& slider, FrameSlider design) {
  if (fieldEditing_->WaitsForMore(field)) return;
  FieldMovesSlider(field, slider, DefaultFieldText(design));
}

void TForm1::KeepField(QLineEdit& field, FrameField design, IntegerRange range) {
  if (fieldEditing_->WaitsForMore(field)) return;
  KeepFieldWithin(field, DefaultFieldText(design), range);
}

// Two separate tests, the first metric's and then the second's: switching the
// radio buttons alone leaves gij as it is until the next selection.
void TForm1::MetricSelectCell(int column, int row) {
  RunHandler([&] {
    if (AlcubierreMetric->isChecked()) ShowFormula(gij, MetricFormula(WarpMetric::Alcubierre, row, column));
    if (OVRAZESMetric->isChecked()) ShowFormula(gij, MetricFormula(WarpMetric::OVRAZES, row, column));
  });
}

int TForm1::SliderPosition(FrameSlider slider) const {
  switch (slider) {
    case FrameSlider::ScrollBar1: return ScrollBar1->value();
    case FrameSlider::ScrollBar2: return ScrollBar2->value();
    case FrameSlider::ScrollBar3: return ScrollBar3->value();
  }
  return DefaultPosition(slider);
}

QLineEdit* TForm1::Field(FrameField field) const {
  switch (field) {
    case FrameField::XCamera: return XCamera;
    case FrameField::YCamera: return YCamera;
    case FrameField::ZCamera: return ZCamera;
    case FrameField::XPhoton: return XPhoton;
    case FrameField::YPhoton: return YPhoton;
    case FrameField::ZPhoton: return ZPhoton;
    case FrameField::AlphaPhoton: return AlphaPhoton;
    case FrameField::BetaPhoton: return BetaPhoton;
    case FrameField::RangeXMinus: return RangeXMinus;
    case FrameField::RangeXPlus: return RangeXPlus;
    case FrameField::RangeYMinus: return RangeYMinus;
    case FrameField::RangeYPlus: return RangeYPlus;
    case FrameField::XStep: return XStep;
    case FrameField::YStep: return YStep;
  }
  return XStep;
}

std::string TForm1::FieldText(FrameField field) const { return Utf8(Field(field)->text()); }

// In device pixels: the picture stays sharp on a scaled screen.
int TForm1::PanelWidth() const {
  return static_cast<int>(std::lround(PanelViewPort->width() * PanelViewPort->devicePixelRatioF()));
}

int TForm1::PanelHeight() const {
  return static_cast<int>(std::lround(PanelViewPort->height() * PanelViewPort->devicePixelRatioF()));
}

std::string TForm1::DecimalSeparator() const { return QLocale().decimalPoint().toStdString(); }

// A reading wider than the room right of its place ("1.1E2 FPS") moves left
// just enough to stay whole on its page instead of being cut off.
void TForm1::SetFrameRateCaption(const std::string& caption) {
  if (caption == caption_) return;  // most frames repeat the reading
  caption_ = caption;
  Label8->setText(QString::fromStdString(caption));
  Label8->adjustSize();
  const int room = Label8->parentWidget()->width() - Label8->width();
  Label8->move(room > 0 ? std::min(kLabel8Left, room) : kLabel8Left, kLabel8Top);
}

HWND TForm1::NativeWindow() { return reinterpret_cast<HWND>(static_cast<QWidget*>(PanelViewPort)); }

UINT TForm1::Width() const { return static_cast<UINT>(PanelWidth()); }

UINT TForm1::Height() const { return static_cast<UINT>(PanelHeight()); }
