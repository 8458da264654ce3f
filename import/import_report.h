// SPDX-License-Identifier: GPL-3.0-or-later
// Counts of an import: stars written, skipped by reason, changed by kind;
// and the closing summary line built from them, such as
//   imported 57214 stars; skipped 12 (3 without a position, 4 without a
//   type, 5 with a negative magnitude); 41 names and 230 types cut, 2
//   periods written in thousands of days
#pragma once

#include <cstdint>
#include <string>

#include "star_line.h"

namespace velmo::importing {

class ImportReport {
  public:
    // Counts one star as StarLineBuilder::Build left it.
    void Count(const StarOutcome& outcome);
    // Counts one skipped record (for records that never reach the builder).
    void CountSkip(SkipReason reason);
    // Counts the `lines` input lines of one record past the reader's limits
    // (also counted as a malformed skip), which were not read.
    void CountLostLines(std::int64_t lines);

    std::int64_t Written() const { return written; }
    std::int64_t Skipped() const;
    std::int64_t Skipped(SkipReason reason) const { return skipped[static_cast<int>(reason)]; }
    // Stars with the Change bit `change` (one bit).
    std::int64_t Changed(Change change) const;

    // The summary line, without a line feed. The skip list and the change
    // list appear only when not empty.
    std::string Summary() const;

  private:
    std::int64_t written = 0;
    std::int64_t skipped[static_cast<int>(SkipReason::kCount)] = {};
    std::int64_t changed[kChangeKinds] = {};
    std::int64_t lostLines = 0;
    std::int64_t lostRecords = 0;
};

}  // namespace velmo::importing
