#include "app/SceneFile.h"

#include <charconv>
#include <cctype>
#include <cmath>
#include <system_error>

#include "render/ParseFieldInteger.h"

namespace {

constexpr SceneName kSceneNames[] = {
    {"ScrollBar1", SceneKind::Slider},       {"VerticalAngleValue", SceneKind::Text},
    {"ScrollBar2", SceneKind::Slider},       {"HorizontalAngleValue", SceneKind::Text},
    {"ScrollBar3", SceneKind::Slider},       {"ZoomValue", SceneKind::Text},
    {"XCamera", SceneKind::Text},            {"YCamera", SceneKind::Text},
    {"ZCamera", SceneKind::Text},            {"RangeXMinus", SceneKind::Text},
    {"RangeXPlus", SceneKind::Text},         {"RangeYMinus", SceneKind::Text},
    {"RangeYPlus", SceneKind::Text},         {"XStep", SceneKind::Text},
    {"YStep", SceneKind::Text},              {"AlcubierreMetric", SceneKind::Choice},
    {"OVRAZESMetric", SceneKind::Choice},    {"XPhoton", SceneKind::Text},
    {"YPhoton", SceneKind::Text},            {"ZPhoton", SceneKind::Text},
    {"AlphaPhoton", SceneKind::Text},        {"BetaPhoton", SceneKind::Text},
    {"TimeIntervalValue", SceneKind::Text},  {"ShipFrame", SceneKind::Choice},
    {"RemoteFrame", SceneKind::Choice},      {"VsValue", SceneKind::Text},
    {"RhoValue", SceneKind::Text},           {"WarpRadiusValue", SceneKind::Text},
    {"DuvizavireValue", SceneKind::Text},    {"Shield1Radius", SceneKind::Text},
    {"Shield2Radius", SceneKind::Text},      {"Shield3Radius", SceneKind::Text},
    {"R2Value", SceneKind::Text},            {"BubblePosition", SceneKind::Number},
    {"TimeStep", SceneKind::Number},
};

constexpr std::string_view kHeading = "# Tessaran scene: one NAME=VALUE per line, the value up to the line's end\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kShownLineLength = 80;  // code points of a line quoted in a message

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates
// or code points above U+10FFFF.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    const auto second = static_cast<unsigned char>(length > 1 ? text[i + 1] : 0);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
      return false;
    i += length;
  }
  return true;
}

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// At most kShownLineLength code points, cut between two of them.
std::string Shortened(std::string_view line) {
  std::size_t points = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;
    if (points++ == kShownLineLength) return std::string(line.substr(0, i)) + "\xE2\x80\xA6";  // …
  }
  return std::string(line);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::optional<std::string> ValueProblem(SceneKind kind, const SceneSetting& setting) {
  const std::string& value = setting.value;
  switch (kind) {
    case SceneKind::Text:
      if (!IsUtf8(value)) return setting.name + " takes UTF-8 text";
      return std::nullopt;
    case SceneKind::Slider:
      if (!TryParseFieldInteger(value)) return setting.name + " takes a whole number";
      return std::nullopt;
    case SceneKind::Choice:
      if (value != "0" && value != "1") return setting.name + " takes 1 (chosen) or 0 (not chosen)";
      return std::nullopt;
    case SceneKind::Number:
      if (!ParseNumberText(value)) return setting.name + " takes a number such as 0x8p-2, 2.5 or inf";
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::span<const SceneName> SceneNames() { return kSceneNames; }

std::optional<SceneKind> SceneKindOf(std::string_view name) {
  for (const SceneName& known : kSceneNames)
    if (known.name == name) return known.kind;
  return std::nullopt;
}

std::optional<std::string> SettingProblem(const SceneSetting& setting) {
  const std::optional<SceneKind> kind = SceneKindOf(setting.name);
  if (!kind) return "no control or value is named " + Quoted(Shortened(setting.name));
  return ValueProblem(*kind, setting);
}

std::optional<SceneSetting> SplitSetting(std::string_view text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return SceneSetting{std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
}

SceneRead ReadScene(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  SceneRead read;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (IsBlank(line) || line.starts_with('#')) continue;
    std::optional<SceneSetting> setting = SplitSetting(line);
    std::optional<std::string> problem = setting ? SettingProblem(*setting) : "it is not NAME=VALUE";
    if (problem) return {{}, SceneLineError{lineNumber, std::string(line), std::move(*problem)}};
    read.settings.push_back(std::move(*setting));
  }
  return read;
}

bool FitsOnOneLine(std::string_view value) { return value.find_first_of("\r\n") == std::string_view::npos; }

std::string WriteScene(const std::vector<SceneSetting>& settings) {
  std::string text(kHeading);
  for (const SceneSetting& setting : settings) text += setting.name + '=' + setting.value + '\n';
  return text;
}

std::string NumberText(Extended value) {
  const std::string sign = std::signbit(value) ? "-" : "";
  if (std::isnan(value)) return sign + "nan";
  if (std::isinf(value)) return sign + "inf";
  char digits[64];
  const std::to_chars_result written =
      std::to_chars(std::begin(digits), std::end(digits), std::fabs(value), std::chars_format::hex);
  return sign + "0x" + std::string(digits, written.ptr);
}

// from_chars reads no "0x" and no "+", and would take a second sign after ours.
std::optional<Extended> ParseNumberText(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  std::chars_format format = std::chars_format::general;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    format = std::chars_format::hex;
  }
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  if (format == std::chars_format::hex && !std::isxdigit(static_cast<unsigned char>(text.front())) &&
      text.front() != '.')
    return std::nullopt;  // not "0xinf"
  Extended value = 0;
  const std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), value, format);
  if (read.ec != std::errc() || read.ptr != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

std::string SceneFileErrorMessage(std::string_view fileName, const SceneLineError& error) {
  return "Cannot open the scene " + Quoted(fileName) + ": line " + std::to_string(error.lineNumber) + ", " +
         Quoted(Shortened(error.line)) + ": " + error.problem;
}

std::string SceneArgumentErrorMessage(std::string_view argument, std::string_view problem) {
  return "Cannot apply " + Quoted(Shortened(argument)) + ": " + std::string(problem);
}
