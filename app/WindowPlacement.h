#pragma once
// Where the main window goes on a screen: its designed place and size where
// they fit the screen's available area; otherwise moved, then made smaller,
// until it fits, the view panel giving way and never the control panel.

#include <QPoint>
#include <QRect>
#include <QSize>

struct WindowPlacement {
  QPoint position;  // of the frame's top left corner
  QSize client;     // the area inside the frame
};

// `frame` is what the window's frame adds to its client area.
WindowPlacement PlaceWindow(const QRect& available, QPoint designPosition, QSize designClient, QSize frame,
                            QSize minimumClient);
