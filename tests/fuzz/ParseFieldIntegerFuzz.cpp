// Any bytes as a field's text: the program's integer reader and the
// pattern-based reading in the tests must agree on whether it is a number and
// on its value, and a rejected text must raise the message that names it.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "render/ParseFieldInteger.h"
#include "tests/fuzz/FuzzFailure.h"
#include "tests/render/ParseFieldIntegerOracle.h"

namespace {

std::string Text(std::int32_t value) { return std::to_string(value); }

void CheckThrowingForm(const std::string& text, std::optional<std::int32_t> value) {
  try {
    const std::int32_t thrown = ParseFieldInteger(text);
    if (!value || thrown != *value)
      FuzzFailure("ParseFieldInteger gave " + Text(thrown) + ", the Try form " + Outcome(value, Text));
  } catch (const ConversionError& error) {
    if (value) FuzzFailure("ParseFieldInteger threw, the Try form gave " + Text(*value));
    // what() is a C string: a text with a NUL byte is cut there, message and all.
    const std::string message = "'" + text + "' is not a valid integer value";
    if (std::strcmp(error.what(), message.c_str()) != 0) FuzzFailure(std::string("message: ") + error.what());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> value = TryParseFieldInteger(text);
  const std::optional<std::int32_t> expected = ParseFieldIntegerOracle(text);
  if (value != expected) FuzzFailure("reader " + Outcome(value, Text) + ", pattern " + Outcome(expected, Text));
  CheckThrowingForm(text, value);
  return 0;
}
