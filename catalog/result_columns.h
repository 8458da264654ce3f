// SPDX-License-Identifier: GPL-3.0-or-later
// The seven columns of a result row, in the order the window's list and
// velmo-cli's table show them: heading, alignment and widths. The row texts
// themselves come from ResultRowFormatter (row_text.h) and the record.
#pragma once

#include <cstddef>
#include <iterator>

#include "line_layout.h"

namespace velmo {

struct ResultColumn {
    const char* heading;
    bool rightAligned;
    // Characters the table pads a cell to: the widest row text ("HH:MM",
    // "%10.4f", a stored field's width), or the heading where that is wider.
    std::size_t tableWidth;
    // The window's column width in pixels at the template font's metrics
    // (an average character 6 pixels wide), scaled to the font in use.
    int listPixels;
};

inline constexpr ResultColumn kResultColumns[] = {
    {"R.A.", true, 5, 40},
    {"Dec.", true, 4, 35},
    {"Name", true, line_layout::kName.width, 75},
    {"Type", false, line_layout::kType.width, 70},
    {"Magnitude", false, line_layout::kRange.width, 95},
    {"Period", true, 10, 75},
    {"Description", false, line_layout::kDescription.width, 120},
};
inline constexpr std::size_t kResultColumnCount = std::size(kResultColumns);

}  // namespace velmo
