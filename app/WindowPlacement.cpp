#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

// The window's start along one axis: its designed start where the window fits
// there, else as far towards it as fits, else at the area's start.
int Place(int designed, int length, int areaStart, int areaLength) {
  return std::max(areaStart, std::min(designed, areaStart + areaLength - length));
}

// A client length that fits the area with its frame, but never below the minimum.
int Fit(int designed, int frame, int areaLength, int minimum) {
  return std::max(minimum, std::min(designed, areaLength - frame));
}

}  // namespace

WindowPlacement PlaceWindow(const QRect& available, QPoint designPosition, QSize designClient, QSize frame,
                            QSize minimumClient) {
  const QSize client(Fit(designClient.width(), frame.width(), available.width(), minimumClient.width()),
                     Fit(designClient.height(), frame.height(), available.height(), minimumClient.height()));
  const QSize outer = client + frame;
  return {QPoint(Place(designPosition.x(), outer.width(), available.left(), available.width()),
                 Place(designPosition.y(), outer.height(), available.top(), available.height())),
          client};
}
