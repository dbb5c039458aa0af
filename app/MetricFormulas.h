#pragma once
// The components g_ij of the two warp metrics as the texts the metric page
// shows. Vs, f(rs), A and B are symbols: nothing is substituted into them.

#include <optional>
#include <string_view>

enum class WarpMetric { Alcubierre, OVRAZES };

// The formula of the component in the given row and column of the 4 × 4
// tensor; nothing for a cell outside it.
std::optional<std::string_view> MetricFormula(WarpMetric metric, int row, int column);
