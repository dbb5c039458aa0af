#pragma once
// A scene file: the window's settings as UTF-8 text, one NAME=VALUE per line.
// The value is everything after the first "=" up to the end of the line (a
// trailing carriage return is dropped), so it may hold "=", "#", commas and
// blanks; empty and blank lines and lines starting with "#" are skipped.
//
// Only text in and text out: no widgets, no files. The window reads and
// applies the settings through its own controls.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "render/FloatingPoint.h"

enum class SceneKind {
  Text,    // an edit field: any UTF-8 text on one line
  Slider,  // a scroll bar: a whole number, as a field reads one
  Choice,  // a radio button: 1 chosen, 0 not
  Number,  // BubblePosition or TimeStep: an extended float (NumberText)
};

struct SceneName {
  std::string_view name;  // the control's design name, or BubblePosition or TimeStep
  SceneKind kind;
};

// Every name a scene holds, in the order a scene is written: each view slider
// before its field, so that the field's own text, put back last, stays as
// it was; the bubble's position and step after every field.
std::span<const SceneName> SceneNames();
std::optional<SceneKind> SceneKindOf(std::string_view name);

struct SceneSetting {
  std::string name;
  std::string value;
  bool operator==(const SceneSetting&) const = default;
};

// Why the setting cannot be applied (an unknown name, a value its kind does
// not take), or nothing.
std::optional<std::string> SettingProblem(const SceneSetting& setting);

// NAME=VALUE split at its first "=", or nothing without one.
std::optional<SceneSetting> SplitSetting(std::string_view text);

struct SceneLineError {
  std::size_t lineNumber;  // from 1
  std::string line;        // as it stands in the file, without its line end
  std::string problem;
};

// The settings of a whole file in order, or the first line that is not a
// setting that can be applied (and then no settings).
struct SceneRead {
  std::vector<SceneSetting> settings;
  std::optional<SceneLineError> error;
};
SceneRead ReadScene(std::string_view text);

// False for a text a line cannot carry: one with a line break in it.
bool FitsOnOneLine(std::string_view value);

// A heading comment, then one line per setting. Every value must fit on one line.
std::string WriteScene(const std::vector<SceneSetting>& settings);

// Hexadecimal floating point ("0x8p-2", "-0x0p+0"), "inf", "-inf", "nan" or
// "-nan": read back by ParseNumberText to the same bits, in any locale.
std::string NumberText(Extended value);
// Also takes decimal ("2.5", "1e3"), "infinity" and nan(...) forms; the whole text must be the number.
std::optional<Extended> ParseNumberText(std::string_view text);

// The messages shown for a file line or a command-line setting that cannot be applied.
std::string SceneFileErrorMessage(std::string_view fileName, const SceneLineError& error);
std::string SceneArgumentErrorMessage(std::string_view argument, std::string_view problem);
