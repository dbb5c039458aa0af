#include "app/TForm1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <string>

#include "FormFixture.h"
#include "anim/AnimationClock.h"
#include "d3d/DeviceSetup.h"
#include "d3d/Direct3DLoader.h"
#include "render/ControlSnapshot.h"

namespace {

struct ControlRow {
  const char* name;
  const char* kind;
  const char* parent;
  QRect place;  // a label's width and height are 0 here: labels size themselves to their text
  const char* content;
};

// Every component below the window except the six pages and the timer, which have tests of their own.
const ControlRow kControls[] = {
    {"Panel1", "QFrame", "Form1", {0, 0, 185, 453}, ""},
    {"Button2", "QPushButton", "Panel1", {8, 424, 171, 25}, "Help!"},
    {"OptionsPages", "QTabWidget", "Panel1", {0, 0, 185, 417}, ""},
    {"PanelViewPort", "QWidget", "Form1", {185, 0, 503, 453}, "PanelViewPort"},
    {"ScrollBar1", "QScrollBar", "TabSheet1", {0, 24, 121, 16}, ""},
    {"ScrollBar2", "QScrollBar", "TabSheet1", {0, 64, 121, 16}, ""},
    {"ScrollBar3", "QScrollBar", "TabSheet1", {0, 104, 121, 16}, ""},
    {"VerticalAngleValue", "QLineEdit", "TabSheet1", {128, 24, 41, 21}, "120"},
    {"HorizontalAngleValue", "QLineEdit", "TabSheet1", {128, 64, 41, 21}, "240"},
    {"ZoomValue", "QLineEdit", "TabSheet1", {128, 104, 41, 21}, "36"},
    {"XCamera", "QLineEdit", "TabSheet1", {40, 168, 121, 21}, "0"},
    {"YCamera", "QLineEdit", "TabSheet1", {40, 192, 121, 21}, "0"},
    {"ZCamera", "QLineEdit", "TabSheet1", {40, 216, 121, 21}, "0"},
    {"VerticalAngle", "QLabel", "TabSheet1", {0, 8, 0, 0}, "Vertical Angle"},
    {"HorizontalAngle", "QLabel", "TabSheet1", {0, 48, 0, 0}, "Horizontal Angle"},
    {"Zoom", "QLabel", "TabSheet1", {0, 88, 0, 0}, "Zoom"},
    {"CameraLabel", "QLabel", "TabSheet1", {8, 152, 0, 0}, "Camera Placement"},
    {"XCam", "QLabel", "TabSheet1", {16, 168, 0, 0}, "X:"},
    {"YCam", "QLabel", "TabSheet1", {16, 192, 0, 0}, "Y:"},
    {"ZCam", "QLabel", "TabSheet1", {16, 216, 0, 0}, "Z:"},
    {"RangeXMinus", "QLineEdit", "TabSheet2", {0, 24, 85, 21}, "-150"},
    {"RangeXPlus", "QLineEdit", "TabSheet2", {88, 24, 85, 21}, "150"},
    {"RangeYMinus", "QLineEdit", "TabSheet2", {0, 64, 85, 21}, "-150"},
    {"RangeYPlus", "QLineEdit", "TabSheet2", {88, 64, 85, 21}, "150"},
    {"XStep", "QLineEdit", "TabSheet2", {0, 104, 85, 21}, "100"},
    {"YStep", "QLineEdit", "TabSheet2", {88, 104, 85, 21}, "100"},
    {"XRange", "QLabel", "TabSheet2", {8, 8, 0, 0}, "X Range"},
    {"YRange", "QLabel", "TabSheet2", {8, 48, 0, 0}, "Y Range"},
    {"XStepLabel", "QLabel", "TabSheet2", {8, 88, 0, 0}, "X Step"},
    {"YStepLabel", "QLabel", "TabSheet2", {96, 88, 0, 0}, "Y Step"},
    {"Metric", "QTableWidget", "TabSheet3", {9, 17, 128, 108}, ""},
    {"gij", "QLineEdit", "TabSheet3", {9, 128, 128, 21}, "1-Vs^2*f(rs)^2"},
    {"MetricChoose", "QGroupBox", "TabSheet3", {8, 160, 153, 217}, "Choose Warp Metric"},
    {"AlcubierreMetric", "QRadioButton", "TabSheet3", {24, 184, 129, 17}, "Alcubierre NT Metric"},
    {"OVRAZESMetric", "QRadioButton", "TabSheet3", {24, 208, 113, 17}, "OVRA ZE-S Metric"},
    {"MetricLabel", "QLabel", "TabSheet3", {8, 0, 0, 0}, "Metric:"},
    {"XPhoton", "QLineEdit", "TabSheet4", {8, 32, 49, 21}, "0"},
    {"YPhoton", "QLineEdit", "TabSheet4", {64, 32, 49, 21}, "0"},
    {"ZPhoton", "QLineEdit", "TabSheet4", {120, 32, 57, 21}, "0"},
    {"AlphaPhoton", "QLineEdit", "TabSheet4", {8, 72, 81, 21}, "30"},
    {"BetaPhoton", "QLineEdit", "TabSheet4", {96, 72, 81, 21}, "0"},
    {"LaserBeamLabel", "QLabel", "TabSheet4", {8, 0, 0, 0}, "Laser Beam Starting Point"},
    {"XLaserLabel", "QLabel", "TabSheet4", {16, 16, 0, 0}, "X:"},
    {"YLaserLabel", "QLabel", "TabSheet4", {72, 16, 0, 0}, "Y:"},
    {"ZLaserLabel", "QLabel", "TabSheet4", {128, 16, 0, 0}, "Z:"},
    {"AlphaAngleLabel", "QLabel", "TabSheet4", {8, 56, 0, 0}, "Alpha Angle"},
    {"BetaAngleLabel", "QLabel", "TabSheet4", {96, 56, 0, 0}, "Beta Angle"},
    {"Button1", "QPushButton", "TabSheet5", {8, 8, 129, 25}, "Draw Graph"},
    {"TimeIntervalValue", "QLineEdit", "TabSheet5", {8, 88, 65, 21}, "2"},
    {"Frame", "QGroupBox", "TabSheet5", {8, 120, 161, 65}, "Frame"},
    {"ShipFrame", "QRadioButton", "TabSheet5", {24, 136, 113, 17}, "Ship Frame"},
    {"RemoteFrame", "QRadioButton", "TabSheet5", {24, 160, 113, 17}, "Remote Frame"},
    {"Label8", "QLabel", "TabSheet5", {144, 40, 0, 0}, "FPS"},
    {"TimeIntervalLabel", "QLabel", "TabSheet5", {8, 72, 0, 0}, "Time Interval"},
    {"VsValue", "QLineEdit", "TabSheet6", {8, 16, 113, 21}, "1"},
    {"RhoValue", "QLineEdit", "TabSheet6", {8, 56, 113, 21}, "0.1"},
    {"WarpRadiusValue", "QLineEdit", "TabSheet6", {8, 96, 113, 21}, "50"},
    {"DuvizavireValue", "QLineEdit", "TabSheet6", {8, 136, 113, 21}, "-5"},
    {"Shield1Radius", "QLineEdit", "TabSheet6", {8, 176, 113, 21}, "40"},
    {"Shield2Radius", "QLineEdit", "TabSheet6", {8, 216, 113, 21}, "30"},
    {"Shield3Radius", "QLineEdit", "TabSheet6", {8, 256, 113, 21}, "20"},
    {"R2Value", "QLineEdit", "TabSheet6", {8, 296, 113, 21}, "102"},
    {"SpeedLabel", "QLabel", "TabSheet6", {8, 0, 0, 0}, "Warp Bubble Speed Vs"},
    {"RhoLabel", "QLabel", "TabSheet6", {8, 40, 0, 0}, "Rho Value"},
    {"WarpRadiusLabel", "QLabel", "TabSheet6", {8, 80, 0, 0}, "Warp Bubble Radius"},
    {"NLabel", "QLabel", "TabSheet6", {8, 120, 0, 0}, "Duvizavire Parameter"},
    {"Shield1RadiusLabel", "QLabel", "TabSheet6", {8, 160, 0, 0}, "Shield 1 Radius"},
    {"Shield2RadiusLabel", "QLabel", "TabSheet6", {8, 200, 0, 0}, "Shield 2 Radius"},
    {"Shield3RadiusLabel", "QLabel", "TabSheet6", {8, 240, 0, 0}, "Shield 3 Radius"},
    {"R2Label", "QLabel", "TabSheet6", {8, 280, 0, 0}, "2*(R+1) Parameter"},
};

QString Content(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(widget)) return group->title();
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
  return widget->accessibleName();
}

using FormTest = FormFixture;

TEST_F(FormTest, EveryControlHasItsDesignNameKindPlaceAndContent) {
  CreateForm();
  form->show();
  form->layout()->activate();
  EXPECT_EQ(std::size(kControls) + 6 + 1, 77u);  // with the six pages and the timer
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    const auto* widget = form->findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), row.kind);
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(row.parent));
    if (row.place.width() == 0) {
      EXPECT_EQ(widget->pos(), row.place.topLeft());
      EXPECT_GE(widget->width(), widget->sizeHint().width());
    } else if (qobject_cast<const QRadioButton*>(widget) != nullptr) {  // widened where its caption needs it
      const QSize size(std::max(row.place.width(), widget->sizeHint().width()), row.place.height());
      EXPECT_EQ(widget->geometry(), QRect(row.place.topLeft(), size));
    } else {
      EXPECT_EQ(widget->geometry(), row.place);
    }
    EXPECT_EQ(Content(widget), QString::fromLatin1(row.content));
  }
}

TEST_F(FormTest, WindowSlidersGridAndChoicesStartAtTheirDesignSettings) {
  CreateForm();
  EXPECT_EQ(form->windowTitle(), "Tessaran");
  EXPECT_EQ(form->objectName(), "Form1");
  // At (200, 184) where the screen has room for the 696 × 480 window there, else moved just enough.
  const QRect available = form->screen()->availableGeometry();
  EXPECT_EQ(form->pos(), QPoint(std::min(200, available.right() + 1 - 696), std::min(184, available.bottom() + 1 - 480)));
  EXPECT_EQ(form->size(), QSize(688, 453));
  EXPECT_EQ(QFontInfo(form->font()).pixelSize(), 11);
  EXPECT_EQ(form->PanelViewPort->palette().color(QPalette::Window), Qt::black);

  struct SliderRow {
    QScrollBar* bar;
    int minimum, maximum, position;
  };
  for (const SliderRow& s : {SliderRow{form->ScrollBar1, -180, 180, 120}, SliderRow{form->ScrollBar2, 0, 360, 240},
                             SliderRow{form->ScrollBar3, 1, 100, 36}}) {
    SCOPED_TRACE(s.bar->objectName().toStdString());
    EXPECT_EQ(s.bar->orientation(), Qt::Horizontal);
    EXPECT_EQ(s.bar->minimum(), s.minimum);
    EXPECT_EQ(s.bar->maximum(), s.maximum);
    EXPECT_EQ(s.bar->value(), s.position);
    EXPECT_EQ(s.bar->singleStep(), 1);
    EXPECT_EQ(s.bar->pageStep(), 1);
  }

  EXPECT_EQ(form->Metric->rowCount(), 4);
  EXPECT_EQ(form->Metric->columnCount(), 4);
  EXPECT_FALSE(form->Metric->horizontalHeader()->isVisible() || form->Metric->verticalHeader()->isVisible());
  EXPECT_EQ(form->Metric->columnWidth(3), 30);
  EXPECT_EQ(form->Metric->rowHeight(3), 25);
  EXPECT_EQ(form->Metric->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(form->Metric->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_TRUE(form->gij->isReadOnly());
  EXPECT_TRUE(form->AlcubierreMetric->isChecked());
  EXPECT_FALSE(form->OVRAZESMetric->isChecked());
  EXPECT_FALSE(form->ShipFrame->isChecked());
  EXPECT_FALSE(form->RemoteFrame->isChecked());

  // The radio buttons of one page exclude each other.
  form->OVRAZESMetric->click();
  EXPECT_FALSE(form->AlcubierreMetric->isChecked());
  form->ShipFrame->click();
  form->RemoteFrame->click();
  EXPECT_FALSE(form->ShipFrame->isChecked());
  EXPECT_TRUE(form->OVRAZESMetric->isChecked());
}

TEST_F(FormTest, SixPagesInOrderWithAnimationShown) {
  CreateForm();
  const char* captions[] = {"View", "Graph Controls", "Metric ", "Laser Beam", "Animation", "Metric Values"};
  ASSERT_EQ(form->OptionsPages->count(), 6);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(form->OptionsPages->tabText(i), QString::fromLatin1(captions[i]));
    EXPECT_EQ(form->OptionsPages->widget(i)->objectName(), QStringLiteral("TabSheet%1").arg(i + 1));
  }
  EXPECT_EQ(form->OptionsPages->currentWidget(), form->TabSheet5);
}

TEST_F(FormTest, KeyboardFocusFollowsTheDesignOrder) {
  CreateForm();
  const QStringList expected = {
      "Button2",     "OptionsPages", "ScrollBar1",        "ScrollBar2",       "ScrollBar3",    "VerticalAngleValue",
      "HorizontalAngleValue", "ZoomValue", "XCamera",     "YCamera",          "ZCamera",       "RangeXMinus",
      "RangeXPlus",  "RangeYMinus",  "RangeYPlus",        "XStep",            "YStep",         "Metric",
      "gij",         "AlcubierreMetric", "OVRAZESMetric", "XPhoton",          "YPhoton",       "ZPhoton",
      "AlphaPhoton", "BetaPhoton",   "Button1",           "TimeIntervalValue", "ShipFrame",    "RemoteFrame",
      "VsValue",     "RhoValue",     "WarpRadiusValue",   "DuvizavireValue",  "Shield1Radius", "Shield2Radius",
      "Shield3Radius", "R2Value",    "PanelViewPort"};
  QStringList chain;
  QWidget* widget = form.get();
  do {
    widget = widget->nextInFocusChain();
    const bool tabBarPart = qobject_cast<const QTabBar*>(widget->parentWidget()) != nullptr;  // its scroll arrows
    const bool designed = !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_") && !tabBarPart;
    if (designed && (widget->focusPolicy() & Qt::TabFocus)) chain << widget->objectName();
  } while (widget != form.get());
  EXPECT_EQ(chain, expected);
}

TEST_F(FormTest, ResizingKeepsTheLeftPanelAndGivesTheRestToTheView) {
  CreateForm();
  form->show();
  form->resize(1000, 700);
  form->layout()->activate();
  EXPECT_EQ(form->Panel1->geometry(), QRect(0, 0, 185, 700));
  EXPECT_EQ(form->PanelViewPort->geometry(), QRect(185, 0, 815, 700));
  EXPECT_EQ(form->PanelWidth(), 815);
  EXPECT_EQ(form->PanelHeight(), 700);
}

TEST_F(FormTest, EditFieldsTakeTextOfAnyLength) {
  CreateForm();
  const QString longText(100000, QLatin1Char('7'));
  form->XStep->setText(longText);
  EXPECT_EQ(form->XStep->text(), longText);
  EXPECT_EQ(form->FieldText(FrameField::XStep).size(), 100000u);
}

TEST_F(FormTest, TheFrameReadsTheControlsItNames) {
  CreateForm();
  form->ScrollBar3->setValue(99);
  form->RangeYPlus->setText(QStringLiteral("77"));
  EXPECT_EQ(form->SliderPosition(FrameSlider::ScrollBar3), 99);
  EXPECT_EQ(form->FieldText(FrameField::RangeYPlus), "77");
  for (int i = 0; i < kFrameFieldCount; ++i) {
    const auto field = static_cast<FrameField>(i);
    const auto* edit = form->findChild<QLineEdit*>(QString::fromLatin1(ControlName(field)));
    ASSERT_NE(edit, nullptr) << ControlName(field);
    EXPECT_EQ(form->FieldText(field), edit->text().toStdString()) << ControlName(field);
  }
  form->XPhoton->setText(QString::fromUtf8("\xC3\xBC" "1"));  // a field's text reaches the frame as UTF-8
  EXPECT_EQ(form->FieldText(FrameField::XPhoton), "\xC3\xBC" "1");
  form->SetFrameRateCaption("1.2E3 FPS");
  EXPECT_EQ(form->Label8->text(), "1.2E3 FPS");
  EXPECT_GE(form->Label8->width(), form->Label8->sizeHint().width());
}

// The window's look follows its font; these check the rules rather than pixel
// places, and run again at QT_SCALE_FACTOR=2.
using CaptionTest = FormFixture;

// A reading stands at its place when it fits there; a wider one moves left
// just far enough to end at its page's right edge.
TEST_F(CaptionTest, FrameRateReadingStaysWholeOnItsPage) {
  CreateForm();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  const int pageWidth = form->TabSheet5->width();
  for (const char* reading : {"25 FPS", "1.1E2 FPS", "2.7E3 FPS", "INF FPS", "-1.1E-12 FPS", "FPS"}) {
    SCOPED_TRACE(reading);
    form->SetFrameRateCaption(reading);
    const QRect place = form->Label8->geometry();
    EXPECT_EQ(form->Label8->text(), reading);
    EXPECT_GE(place.width(), form->Label8->sizeHint().width());
    EXPECT_EQ(place.y(), 40);
    EXPECT_EQ(place.x(), std::min(144, pageWidth - place.width()));
    EXPECT_LE(place.right(), pageWidth - 1);
  }
}

// The room a button's style gives its caption.
QRect CaptionRoom(const QAbstractButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const bool radio = qobject_cast<const QRadioButton*>(&button) != nullptr;
  return button.style()->subElementRect(radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents,
                                        &option, &button);
}

// Every label, button, radio button and group caption on every page is whole
// and inside its parent.
TEST_F(CaptionTest, EveryCaptionIsWholeAndInsideItsParent) {
  CreateForm();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  int checked = 0;
  for (QWidget* widget : form->findChildren<QWidget*>()) {
    const auto* label = qobject_cast<QLabel*>(widget);
    const auto* button = qobject_cast<QAbstractButton*>(widget);
    const auto* group = qobject_cast<QGroupBox*>(widget);
    const bool designed = !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_") &&
                          qobject_cast<QTabBar*>(widget->parentWidget()) == nullptr;
    if (!designed || !(label || button || group)) continue;
    SCOPED_TRACE(widget->objectName().toStdString());
    ++checked;
    EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
        << "at " << widget->x() << "," << widget->y() << " size " << widget->width() << "x" << widget->height();
    const QFontMetrics metrics = widget->fontMetrics();
    if (label) {
      EXPECT_GE(label->width(), label->sizeHint().width());
    }
    if (button) {
      EXPECT_GE(CaptionRoom(*button).width(), metrics.horizontalAdvance(button->text()));
    }
    if (group) {
      EXPECT_LE(metrics.horizontalAdvance(group->title()) + 12, group->width());
    }
  }
  EXPECT_GE(checked, 30);  // the loop did find the captions
}

// Whichever page is shown, every tab the bar shows is whole, clear of the
// arrows beside it, and the current page's tab is among them.
TEST_F(CaptionTest, TabsShownAreWholeWhicheverPageIsCurrent) {
  CreateForm();
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  QTabBar* bar = form->OptionsPages->tabBar();
  const QWidget* arrows = form->OptionsPages->cornerWidget(Qt::TopRightCorner);
  ASSERT_NE(arrows, nullptr);
  for (int current : {4, 0, 5, 3, 1, 2, 5, 0}) {
    form->OptionsPages->setCurrentIndex(current);
    QApplication::processEvents();
    EXPECT_LT(bar->geometry().right(), arrows->geometry().left());
    int shown = 0;
    for (int tab = 0; tab < bar->count(); ++tab) {
      if (!bar->isTabVisible(tab)) continue;
      ++shown;
      const QRect rect = bar->tabRect(tab);
      SCOPED_TRACE(testing::Message() << "page " << current << ", tab " << tab << " at " << rect.left() << ".."
                                      << rect.right() << " of " << bar->width());
      EXPECT_TRUE(rect.left() >= 0 && rect.right() < bar->width());
      EXPECT_GE(rect.width(), bar->fontMetrics().horizontalAdvance(bar->tabText(tab)));
    }
    EXPECT_TRUE(bar->isTabVisible(current));
    EXPECT_GE(shown, 1);
  }
}

// Form1 is set, the grid labelled and the step set before the device setup starts.
TEST_F(FormTest, CreationLabelsTheGridSetsTheStepThenSetsUpTheDevice) {
  bool checkedAtSetup = false;
  SetDirect3DCreateFunction([&](UINT) -> IDirect3D8* {
    EXPECT_NE(Form1, nullptr);
    EXPECT_EQ(Form1->Metric->item(3, 1)->text(), "g31");
    EXPECT_EQ(TimeStep, 2);
    checkedAtSetup = true;
    return new RecordingDirect3D8(log, true);
  });
  CreateForm();
  EXPECT_TRUE(checkedAtSetup);
  EXPECT_EQ(Form1, form.get());
  ASSERT_EQ(log->size(), 3u);
  EXPECT_EQ((*log)[0].op, DeviceOp::GetAdapterDisplayMode);
  EXPECT_EQ((*log)[1].op, DeviceOp::CreateDevice);
  EXPECT_EQ((*log)[1].presentation.hDeviceWindow, static_cast<void*>(form->PanelViewPort));
  EXPECT_EQ((*log)[1].presentation.BackBufferWidth, 503u);  // the panel's size at setup, before the window shows
  EXPECT_EQ((*log)[1].presentation.BackBufferHeight, 453u);
  EXPECT_EQ((*log)[2].op, DeviceOp::SetViewport);
  EXPECT_EQ((*log)[2].viewport.Width, 503u);
  EXPECT_EQ((*log)[2].viewport.Height, 453u);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(form->Label8->text(), "FPS");
}

struct SetupFailure {
  const char* name;
  bool noDirect3D;
  HRESULT createDeviceResult, viewportResult;
  const char* shown;
  bool deviceHeld;
};

class FormSetupFailureTest : public FormFixture, public ::testing::WithParamInterface<SetupFailure> {};

// The error is shown once, the window is still built, and what was made before the failing step stays held.
TEST_P(FormSetupFailureTest, IsShownAndStartUpGoesOn) {
  const SetupFailure& failure = GetParam();
  noDirect3D = failure.noDirect3D;
  createDeviceResult = failure.createDeviceResult;
  viewportResult = failure.viewportResult;
  CreateForm();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], QString::fromLatin1(failure.shown));
  EXPECT_EQ(form->Metric->item(0, 0)->text(), "g00");
  EXPECT_EQ(form->Metric->item(2, 3)->text(), "g23");
  EXPECT_EQ(TimeStep, 2);
  EXPECT_EQ(Direct3D != nullptr, !failure.noDirect3D);
  EXPECT_EQ(Device != nullptr, failure.deviceHeld);

  // Without a device the ticks draw nothing and stay silent; with one they draw.
  const std::size_t before = log->size();
  for (int tick = 0; tick < 3; ++tick) form->Timer1Timer();
  EXPECT_EQ(Count(DeviceOp::Present), failure.deviceHeld ? 3 : 0);
  if (!failure.deviceHeld) {
    EXPECT_EQ(log->size(), before);
  }
  EXPECT_EQ(errors.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FormSetupFailureTest,
    ::testing::Values(
        SetupFailure{"NoDirect3D", true, D3D_OK, D3D_OK, "Direct3DCreate - DirectX8 required.", false},
        SetupFailure{"CreateDeviceInvalidCall", false, D3DERR_INVALIDCALL, D3D_OK,
                     "Cannot create D3D device:The method call is invalid. For example, a method's parameter may have "
                     "an invalid value.",
                     false},
        SetupFailure{"CreateDeviceUnknown", false, ResultCode(0x12345678u), D3D_OK,
                     "Cannot create D3D device:Unrecognized Error.", false},
        SetupFailure{"SetViewport", false, D3D_OK, D3DERR_INVALIDCALL,
                     "SetViewPort failed:The method call is invalid. For example, a method's parameter may have an "
                     "invalid value.",
                     true}),
    [](const ::testing::TestParamInfo<SetupFailure>& param) { return std::string(param.param.name); });

TEST_F(FormTest, DestroyingTheWindowReleasesTheDeviceThenTheObject) {
  CreateForm();
  form.reset();
  EXPECT_EQ(Form1, nullptr);
  EXPECT_EQ(Device, nullptr);
  EXPECT_EQ(Direct3D, nullptr);
  ASSERT_GE(log->size(), 2u);
  EXPECT_EQ((*log)[log->size() - 2].op, DeviceOp::ReleaseDevice);
  EXPECT_EQ(log->back().op, DeviceOp::ReleaseDirect3D);
  const std::size_t released = log->size();
  ReleaseDevice();  // once more at program end: nothing left
  EXPECT_EQ(log->size(), released);
}

// Help!, the Frame choices and the Metric Values fields reach nothing: the next frame is the same.
TEST_F(FormTest, InertControlsChangeNothing) {
  CreateForm();
  form->Timer1Timer();
  const DeviceLog before(log->begin() + 3, log->end());
  log->resize(3);
  form->Button2->click();
  form->ShipFrame->click();
  form->OVRAZESMetric->click();
  for (QLineEdit* edit : {form->VsValue, form->RhoValue, form->WarpRadiusValue, form->DuvizavireValue,
                          form->Shield1Radius, form->Shield2Radius, form->Shield3Radius, form->R2Value})
    edit->setText(QStringLiteral("no number"));
  form->Timer1Timer();
  const DeviceLog after(log->begin() + 3, log->end());
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) EXPECT_EQ(FormatDeviceCall(after[i]), FormatDeviceCall(before[i]));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(form->gij->text(), "1-Vs^2*f(rs)^2");
  EXPECT_EQ(TimeStep, 2);
  EXPECT_EQ(BubblePosition, 0);
}

// Built but not yet shown, the window has nothing to draw into that anyone
// could see; from its first show on the timer draws.
TEST_F(FormTest, TheTimerDrawsFramesOnItsOwnOnceShown) {
  CreateForm();
  EXPECT_FALSE(form->Timer1->isActive());
  EXPECT_EQ(form->Timer1->objectName(), "Timer1");
  EXPECT_EQ(form->Timer1->parent(), form.get());
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_TRUE(form->Timer1->isActive());
  EXPECT_TRUE(TimerDraws(3));
  EXPECT_NE(form->Label8->text(), "FPS");
}

}  // namespace
