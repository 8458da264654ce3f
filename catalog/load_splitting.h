// SPDX-License-Identifier: GPL-3.0-or-later
// How Load splits a catalogue file between threads. By default a file of
// 4 MiB or more is split into one piece per core; smaller files are read in
// one piece, where starting threads would cost more than it saves.
#pragma once

#include <cstdint>

namespace velmo {

// Sets the number of pieces (0: one per core) and the smallest file size
// that is split. For tests and the fuzzer, which split small files to
// exercise the joining of pieces; results never depend on the setting.
void SetLoadSplitting(unsigned pieces, std::uint64_t fromBytes);

// Back to the default: one piece per core, from 4 MiB.
void ResetLoadSplitting();

}  // namespace velmo
