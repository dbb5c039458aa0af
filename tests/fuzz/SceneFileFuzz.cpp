// Any bytes as a scene file. Reading never fails other than by naming a line;
// what it reads, written again, reads back to the same settings; and every
// number it takes is written so that it reads back to the same bits. Each
// line is also taken as a command-line setting, which goes the same way.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "app/SceneFile.h"
#include "tests/fuzz/FuzzFailure.h"

namespace {

void CheckNumberRoundTrip(const std::string& value) {
  const auto number = ParseNumberText(value);
  if (!number) return;
  const std::string written = NumberText(*number);
  const auto again = ParseNumberText(written);
  if (!again || std::memcmp(&*again, &*number, 10) != 0)  // the 80 bits that hold the value
    FuzzFailure("'" + value + "' written as '" + written + "' does not read back to the same bits");
}

void CheckRoundTrip(const SceneRead& read) {
  for (const SceneSetting& setting : read.settings) {
    if (!FitsOnOneLine(setting.value)) return;  // such a value cannot be saved, and saving says so
    if (SceneKindOf(setting.name) == SceneKind::Number) CheckNumberRoundTrip(setting.value);
  }
  const SceneRead again = ReadScene(WriteScene(read.settings));
  if (again.error) FuzzFailure("a written scene fails at line " + std::to_string(again.error->lineNumber));
  if (again.settings != read.settings) FuzzFailure("a written scene reads back to other settings");
}

void CheckLinesAsArguments(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (const auto setting = SplitSetting(line)) {
      if (const auto problem = SettingProblem(*setting)) SceneArgumentErrorMessage(line, *problem);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const SceneRead read = ReadScene(text);
  if (read.error) {
    if (read.error->lineNumber == 0 || !read.settings.empty())
      FuzzFailure("a failed read names no line or keeps settings");
    SceneFileErrorMessage("scene.txt", *read.error);
  } else {
    CheckRoundTrip(read);
  }
  CheckLinesAsArguments(text);
  return 0;
}
