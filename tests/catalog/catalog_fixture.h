// SPDX-License-Identifier: GPL-3.0-or-later
// Shared helpers of the engine tests: a fresh catalogue and a private
// temporary directory per test, and builders of fixed-column lines.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "star_catalog.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_files.h"

using tktest::ReadFile;

// The fields of one catalogue line, as text in their columns. Build() lays
// them out at their positions (0-74); every field is cut or blank-padded to
// its width. The defaults give the worked example line.
struct StarLine {
    std::string ra = "0024";                          // positions 0-3, hhmm
    std::string dec = "+38";                          // positions 4-6, sign and degrees
    std::string name = "R AND";                       // positions 10-20
    std::string type = "M";                           // positions 22-29
    std::string maxMag = " 5.80";                     // positions 33-37
    std::string minMag = "15.20";                     // positions 40-44
    std::string period = " 409.3300";                 // positions 46-54
    std::string description = "EXAMPLE DESCRIPTION";  // positions 55-74

    std::string Build() const;
};

// The worked example line, 75 characters.
std::string WorkedLine();

// `line` with the bytes from `pos` replaced by `text` (extended with blanks
// when `pos` is beyond its end).
std::string WithColumn(std::string line, std::size_t pos, const std::string& text);

// A seeded random catalogue line: any hour 0-23 and minute, both
// hemispheres, magnitudes and period present, absent or partial, "K"
// periods, and sometimes no trailing blanks.
std::string RandomStarLine(std::uint32_t& state);

// One decoded record, copied out of the catalogue for comparisons.
struct RecordCopy {
    std::int32_t seq;
    std::string line;
    std::int16_t raHours, raMinutes, decDegrees;
    std::string name, type, range, description;
    double maxMagnitude, minMagnitude, period;
    bool operator==(const RecordCopy& other) const;
};
std::vector<RecordCopy> CopyRecords(const StarCatalog& catalog);
// The seq numbers of the result list, head to tail.
std::vector<std::int32_t> ResultSeqs(const StarCatalog& catalog);
void PrintTo(const RecordCopy& record, std::ostream* os);

class CatalogTest : public ::testing::Test {
  protected:
    // Lets every user reach the temporary directory (it is private at first),
    // for tests that run part of their work as another user.
    void OpenDirToEveryone() const;
    // Path of `name` inside the test's temporary directory.
    std::string PathOf(const std::string& name) const;
    // Writes `contents` to `name` in the temporary directory; returns its path.
    std::string WriteFile(const std::string& name, const std::string& contents) const;

    // Writes `contents` as a catalogue file and loads it; returns Load's result.
    std::int32_t LoadText(const std::string& contents);
    // Loads `lines`, each ended by a line feed.
    std::int32_t LoadLines(const std::vector<std::string>& lines);

    // Forward (MoveFirst ... MoveNext) or backward walk, as the window does
    // it; returns the seq of each record read.
    std::vector<std::int32_t> Walk(bool forward);
    // Checks that the eight criteria hold their values after construction.
    void ExpectInitialCriteria() const;

    StarCatalog catalog;
    tktest::TempFolder tempFolder{"velmo-test"};
    const std::string dir = tempFolder.Path();
};
