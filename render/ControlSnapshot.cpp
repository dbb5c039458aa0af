#include "render/ControlSnapshot.h"

namespace {

struct SliderDesign {
  const char* name;
  int position;
};

struct FieldDesign {
  const char* name;
  const char* text;
};

constexpr std::array<SliderDesign, kFrameSliderCount> kSliders{{
    {"ScrollBar1", 120},
    {"ScrollBar2", 240},
    {"ScrollBar3", 36},
}};

// In the order of FrameField.
constexpr std::array<FieldDesign, kFrameFieldCount> kFields{{
    {"XCamera", "0"},       {"YCamera", "0"},      {"ZCamera", "0"},
    {"XPhoton", "0"},       {"YPhoton", "0"},      {"ZPhoton", "0"},
    {"AlphaPhoton", "30"},  {"BetaPhoton", "0"},
    {"RangeXMinus", "-150"}, {"RangeXPlus", "150"}, {"RangeYMinus", "-150"}, {"RangeYPlus", "150"},
    {"XStep", "100"},       {"YStep", "100"},
}};

std::size_t Index(FrameSlider slider) { return static_cast<std::size_t>(slider); }
std::size_t Index(FrameField field) { return static_cast<std::size_t>(field); }

}  // namespace

const char* ControlName(FrameSlider slider) { return kSliders[Index(slider)].name; }
const char* ControlName(FrameField field) { return kFields[Index(field)].name; }
int DefaultPosition(FrameSlider slider) { return kSliders[Index(slider)].position; }
const char* DefaultText(FrameField field) { return kFields[Index(field)].text; }

std::optional<FrameSlider> FindSlider(std::string_view name) {
  for (std::size_t i = 0; i < kSliders.size(); ++i)
    if (name == kSliders[i].name) return static_cast<FrameSlider>(i);
  return std::nullopt;
}

std::optional<FrameField> FindField(std::string_view name) {
  for (std::size_t i = 0; i < kFields.size(); ++i)
    if (name == kFields[i].name) return static_cast<FrameField>(i);
  return std::nullopt;
}

ControlSnapshot::ControlSnapshot() {
  for (std::size_t i = 0; i < kSliders.size(); ++i) positions_[i] = kSliders[i].position;
  for (std::size_t i = 0; i < kFields.size(); ++i) texts_[i] = kFields[i].text;
}

int ControlSnapshot::SliderPosition(FrameSlider slider) const { return positions_[Index(slider)]; }
std::string ControlSnapshot::FieldText(FrameField field) const { return texts_[Index(field)]; }
void ControlSnapshot::SetSlider(FrameSlider slider, int position) { positions_[Index(slider)] = position; }
void ControlSnapshot::SetField(FrameField field, std::string text) { texts_[Index(field)] = std::move(text); }
