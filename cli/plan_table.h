// SPDX-License-Identifier: GPL-3.0-or-later
// The plan format: a line that names the night and the site, the headings,
// then per star the table's seven columns followed by From, To, Best
// ("HH:MM"), Alt (whole degrees) and Hours (one decimal), separated by two
// blanks at least and with nothing after Hours.
#pragma once

#include <string>

#include "block_writer.h"
#include "local_clock.h"
#include "night.h"
#include "result_table.h"
#include "sky_frame.h"
#include "star_visibility.h"

namespace velmo_cli {

// What the first line says.
struct NightSummary {
    CalendarDate date;
    Site site;
    Night night;
    Twilight twilight = Twilight::kAstronomical;
    double moonLit = 0;  // illuminated fraction at the middle of the night, 0..1
};

class PlanTable {
  public:
    explicit PlanTable(const LocalClock& localClock) : clock(localClock) {}

    // "# Night of 2026-12-10 at 52.09 N, 5.12 E: dark from 18:33 to 06:31
    // (astronomical twilight), Moon 3% lit" (one line), then the headings.
    void WriteHeader(const NightSummary& summary, velmo::BlockWriter& out);
    void WriteRow(const StarRecord& record, const StarHours& hours, velmo::BlockWriter& out);

  private:
    const LocalClock& clock;
    ResultTable table;
    std::string line;  // the row being written
};

}  // namespace velmo_cli
