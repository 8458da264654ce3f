// SPDX-License-Identifier: GPL-3.0-or-later
// BusyCursor: shows the busy (wait) cursor over the whole program for as long
// as it lives, for work that keeps the window from answering (loading,
// searching, listing, saving). Nests: the cursor comes back when the last one
// ends.
#pragma once

class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
