#include "app/MetricFormulas.h"

#include <array>

namespace {

constexpr int kComponents = 4;

using FormulaTable = std::array<std::array<std::string_view, kComponents>, kComponents>;

// The space-time part couples t and x only: y and z keep the flat -1.
constexpr FormulaTable kAlcubierre{{
    {"1-Vs^2*f(rs)^2", "-Vs*f(rs)", "0", "0"},
    {"-Vs*f(rs)", "-1", "0", "0"},
    {"0", "0", "-1", "0"},
    {"0", "0", "0", "-1"},
}};

constexpr FormulaTable kOVRAZES{{
    {"A^2-Vs^2*f(rs)^2", "-B*Vs*f(rs)/A", "0", "0"},
    {"-B*Vs*f(rs)/A", "-B", "0", "0"},
    {"0", "0", "-1", "0"},
    {"0", "0", "0", "-1"},
}};

}  // namespace

std::optional<std::string_view> MetricFormula(WarpMetric metric, int row, int column) {
  if (row < 0 || row >= kComponents || column < 0 || column >= kComponents) return std::nullopt;
  const FormulaTable& table = metric == WarpMetric::Alcubierre ? kAlcubierre : kOVRAZES;
  return table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}
