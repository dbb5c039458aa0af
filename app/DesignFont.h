#pragma once

#include <QFont>

// The font the window is laid out for: DejaVu Sans Condensed, 11 pixels high,
// carried inside the program so that every caption fits whatever fonts the
// machine has.
QFont DesignFont();
