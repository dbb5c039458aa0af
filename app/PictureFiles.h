#pragma once
// tessaran --picture: the window's state set up as the command line asks,
// without showing the window, then drawn through the OpenGL device into PNG
// files.

struct ProgramOptions;

// The window is built hidden, takes the scene file and the settings, and one
// picture is drawn (or `frames` pictures, the bubble moving by the time step
// after each, as the ticks of a running animation move it). 0 when every
// picture is written; otherwise the message the window would show goes to
// standard error, no partial file is left, and the result is 1.
int WritePictures(const ProgramOptions& options);
