#pragma once
// How an error that leaves an event handler reaches the user: a modal box
// with the application title, the error icon and one OK button, after which
// the program goes on. No exception ever crosses Qt's event loop.

#include <QString>

#include <exception>
#include <functional>
#include <string>

inline constexpr char kApplicationTitle[] = "Tessaran";

// The box's text: the message, with a full stop appended when its last
// character's code is above that of the full stop (46).
QString ErrorBoxText(const QString& message);

// Shows the box's text; the program's replaces nothing and runs a modal box.
using ErrorBox = std::function<void(const QString& text)>;

// Tests install a box that records instead of waiting for a click; an empty
// function brings the modal box back.
void SetErrorBox(ErrorBox box);

// True while a box is showing. Ticks draw nothing meanwhile, and further
// errors are dropped rather than stacking a second box on the first.
bool ErrorBoxOpen();

// Shows the message unless a box is already open. Never throws.
void ShowError(const std::string& message) noexcept;

// Runs one handler's body; whatever it throws is shown and the rest of the body is skipped.
template <class Body>
void RunHandler(Body&& body) noexcept {
  try {
    body();
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError("Unexpected error");
  }
}
