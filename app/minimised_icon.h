// SPDX-License-Identifier: GPL-3.0-or-later
// Where a minimised window draws its icon: centred in the client area.
#pragma once

// Offset, in pixels, of an icon `iconExtent` wide (or high) centred in a
// client area `clientExtent` wide (or high): (client - icon + 1) / 2 with
// division truncated toward zero, so it is negative when the area is smaller
// than the icon (20 and 32 give -5).
constexpr int CentredIconOffset(int clientExtent, int iconExtent) {
    return (clientExtent - iconExtent + 1) / 2;
}
