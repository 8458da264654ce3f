// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli plan: the night and the stars' times on cases whose answer is
// known without a program, the dark interval against almanac figures and
// published twilight times, nights without darkness and polar nights, the
// date line, the clocks, the formats against search's, the order, and every
// bad input.
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <fstream>
#include <sstream>

#include "cli_fixture.h"

namespace {

// Minutes since 00:00 of "HH:MM".
int Minutes(const std::string& time) {
    return std::stoi(time.substr(0, 2)) * 60 + std::stoi(time.substr(3, 2));
}

// `b` - `a` in minutes on a 24-hour dial, -720..719.
int MinutesBetween(const std::string& a, const std::string& b) {
    return ((Minutes(b) - Minutes(a)) % 1440 + 1440 + 720) % 1440 - 720;
}

struct PlanRow {
    std::string table;  // the seven columns of the table format, with their separator
    std::string name;
    std::string from, to, best;
    int altitude = 0;
    std::string hours;
};

struct PlanOutput {
    std::string header;  // the "# Night of ..." line
    std::string darkFrom, darkTo;
    std::vector<PlanRow> rows;
};

// The plan format: the night line, the headings, the rows. The table's
// seven columns take 86 characters with their separators.
PlanOutput ParsePlan(const std::string& text) {
    PlanOutput plan;
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.size() < 2) {
        ADD_FAILURE() << "no plan in: " << text;
        return plan;
    }
    plan.header = lines[0];
    const std::size_t dark = plan.header.find("dark from ");
    EXPECT_NE(dark, std::string::npos) << plan.header;
    if (dark != std::string::npos) {
        plan.darkFrom = plan.header.substr(dark + 10, 5);
        plan.darkTo = plan.header.substr(dark + 19, 5);
    }
    EXPECT_EQ(lines[1].substr(86), " From     To   Best  Alt  Hours");
    for (std::size_t i = 2; i < lines.size(); ++i) {
        PlanRow row;
        row.table = lines[i].substr(0, 86);
        row.name = lines[i].substr(13, 11);
        row.name.erase(0, row.name.find_first_not_of(' '));
        std::istringstream rest(lines[i].substr(86));
        rest >> row.from >> row.to >> row.best >> row.altitude >> row.hours;
        EXPECT_FALSE(rest.fail()) << lines[i];
        plan.rows.push_back(row);
    }
    return plan;
}

class PlanTest : public CliTest {
  protected:
    // `velmo-cli plan ARGS` with TZ=`zone` and VELMO_SITE=`site` (unset when
    // empty).
    static CliResult Plan(const std::vector<std::string>& args, const std::string& zone = "UTC",
                          const std::string& site = "") {
        CliRun run;
        run.args = {"plan"};
        run.args.insert(run.args.end(), args.begin(), args.end());
        run.environment = {"TZ=" + zone, site.empty() ? "VELMO_SITE" : "VELMO_SITE=" + site};
        return RunCli(run);
    }

    // A plan that succeeds, parsed.
    static PlanOutput Planned(const std::vector<std::string>& args,
                              const std::string& zone = "UTC") {
        const CliResult result = Plan(args, zone);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        return ParsePlan(result.out);
    }

    // Catalogue lines for stars named `name` at right ascension `ra`
    // ("hhmm") and declination `dec` ("+dd"), all meeting the default
    // criteria.
    std::string Stars(const std::vector<std::vector<std::string>>& stars) const {
        std::vector<std::string> lines;
        for (const auto& star : stars) {
            StarLine line;
            line.name = star[0];
            line.ra = star[1];
            line.dec = star[2];
            lines.push_back(line.Build());
        }
        return WriteLines("stars.txt", lines);
    }
};

const PlanRow* Find(const PlanOutput& plan, const std::string& name) {
    for (const PlanRow& row : plan.rows) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

TEST_F(PlanTest, StarsWhoseAnswerIsKnownWithoutAProgram) {
    // At 52 N, 0 E, RA 5h17m culminates near midnight UTC in mid-December.
    const std::string catalogue = Stars({{"Zenith", "0517", "+52"},   // culminates at 90
                                         {"Polar", "0517", "+85"},    // never below 47
                                         {"Low", "0517", "-09"},      // culminates at 29
                                         {"Never", "0517", "-60"}});  // never rises
    const PlanOutput plan = Planned({"--site", "52,0", "--date", "2026-12-10", catalogue});
    ASSERT_EQ(plan.rows.size(), 2u);
    const PlanRow* zenith = Find(plan, "Zenith");
    ASSERT_NE(zenith, nullptr);
    EXPECT_EQ(zenith->altitude, 90);
    EXPECT_LE(std::abs(MinutesBetween("00:00", zenith->best)), 30) << zenith->best;
    const PlanRow* polar = Find(plan, "Polar");
    ASSERT_NE(polar, nullptr);
    EXPECT_EQ(polar->from, plan.darkFrom);
    EXPECT_EQ(polar->to, plan.darkTo);
    const double length = (MinutesBetween(plan.darkFrom, plan.darkTo) + 1440) % 1440 / 60.0;
    // The shown ends are the first and last whole minutes: up to 2 minutes short.
    EXPECT_NEAR(std::stod(polar->hours), length + 1 / 60.0, 0.05 + 1 / 60.0) << polar->hours;
    EXPECT_EQ(polar->altitude, 57);  // culminating north of the zenith: 90 - (85 - 52)

    // Just below the limit: kept once the limit is lowered under its 29 degrees.
    const PlanOutput lower = Planned({"--site", "52,0", "--date", "2026-12-10", "--min-alt", "28",
                                      "--min-hours", "0", catalogue});
    const PlanRow* low = Find(lower, "Low");
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(low->altitude, 29);
    EXPECT_EQ(Find(lower, "Never"), nullptr);

    const CliResult none =
        Plan({"--site", "52,0", "--date", "2026-12-10", Stars({{"Never", "0517", "-60"}})});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(SplitLines(none.out).size(), 2u) << "the night line and the headings";
}

TEST_F(PlanTest, TheLeastTimeIsHeldToTheMinute) {
    // On the equator a star on the equator stands at or above 30 degrees
    // within 4 sidereal hours of culmination: 8 sidereal hours are 478.69
    // minutes, all inside the night.
    const std::string catalogue = Stars({{"Equator", "0517", "+00"}});
    const std::vector<std::string> base = {"--site", "0,0", "--date", "2026-12-10"};
    auto with = [&](const std::string& hours) {
        std::vector<std::string> args = base;
        args.insert(args.end(), {"--min-hours", hours, catalogue});
        return args;
    };
    const PlanOutput kept = Planned(with("7.9666"));  // 478 minutes
    ASSERT_EQ(kept.rows.size(), 1u);
    EXPECT_EQ(kept.rows[0].altitude, 90);
    EXPECT_EQ(kept.rows[0].hours, "8.0");
    // The first and last whole minutes of 478.69 minutes lie 477 or 478 apart.
    const int shown = MinutesBetween(kept.rows[0].from, kept.rows[0].to);
    EXPECT_TRUE(shown == 477 || shown == 478) << kept.rows[0].from << " " << kept.rows[0].to;
    EXPECT_LE(std::abs(MinutesBetween(kept.rows[0].from, kept.rows[0].best) -
                       MinutesBetween(kept.rows[0].best, kept.rows[0].to)),
              1)
        << "culmination halfway";
    EXPECT_EQ(Plan(with("7.9834")).status, 1);  // 479 minutes

    // A polar night lasts from noon to noon: exactly 24 hours above the limit.
    const PlanOutput polar = Planned({"--site", "89,0", "--date", "2026-12-21", "--min-hours", "24",
                                      Stars({{"Polar", "0517", "+85"}})});
    ASSERT_EQ(polar.rows.size(), 1u);
    EXPECT_EQ(polar.darkFrom, "12:00");
    EXPECT_EQ(polar.darkTo, "12:00");
    EXPECT_EQ(polar.rows[0].from, "12:00");
    EXPECT_EQ(polar.rows[0].to, "12:00");
    EXPECT_EQ(polar.rows[0].hours, "24.0");
}

TEST_F(PlanTest, PositionsArePrecessedAndTheMoonIsLitAsAtEclipses) {
    // Precession carries a star at 0 h northwards by 20 arcseconds a year: a
    // star on the J2000 equator culminates at 90 degrees over the equator in
    // 2000 and at 89.44 in 2100, below a limit of 89.5.
    const std::string catalogue = Stars({{"Equator", "0000", "+00"}});
    for (const auto& [date, status] : {std::pair{"2000-09-22", 0}, std::pair{"2100-09-22", 1}}) {
        EXPECT_EQ(Plan({"--site", "0,0", "--date", date, "--min-alt", "89.5", "--min-hours", "0",
                        catalogue})
                      .status,
                  status)
            << date;
    }
    // The total lunar eclipse of 3 March 2026 (11:33 UTC) came at full Moon,
    // the total solar eclipse of 12 August 2026 (17:46 UTC) at new Moon.
    for (const auto& [date, moon] :
         {std::pair{"2026-03-02", "Moon 100% lit"}, std::pair{"2026-08-12", "Moon 0% lit"}}) {
        const std::string out = Plan({"--site", "0,0", "--date", date, catalogue}).out;
        EXPECT_NE(out.substr(0, out.find('\n')).find(moon), std::string::npos) << out;
    }
}

TEST_F(PlanTest, DarkIntervalMatchesAlmanacFigures) {
    // Not computed with ERFA: the Sun's declination at the equinox (0) and at
    // the December solstice (-23.44, the obliquity), the equation of time
    // as almanacs tabulate it (-7.4 minutes on 20 March, +1.7 on 21 December,
    // to about half a minute), and the Sun's hour angle at -18 degrees from
    // the spherical triangle. Hence a tolerance of 3 minutes.
    const struct {
        const char* site;
        double latitude, longitude;
        const char* date;
        double sunDec, equationOfTime;
    } cases[] = {
        {"0,0", 0, 0, "2026-03-20", 0.0, -7.4},
        {"52.09,5.12", 52.09, 5.12, "2026-12-21", -23.44, 1.7},
    };
    const std::string catalogue = Stars({{"Polar", "0517", "+85"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.site);
        const double rad = M_PI / 180;
        const double cosH =
            (std::sin(-18 * rad) - std::sin(c.latitude * rad) * std::sin(c.sunDec * rad)) /
            (std::cos(c.latitude * rad) * std::cos(c.sunDec * rad));
        const double halfNight = 720 - std::acos(cosH) / rad * 4;  // minutes from midnight
        const double midnight = 24 * 60 - c.longitude * 4 - c.equationOfTime;  // UTC, minutes
        const PlanOutput plan =
            Planned({"--site", c.site, "--date", c.date, "--min-alt", "0", catalogue});
        const double from = std::fmod(midnight - halfNight, 1440),
                     to = std::fmod(midnight + halfNight, 1440);
        EXPECT_NEAR(Minutes(plan.darkFrom), from, 3) << plan.header;
        EXPECT_NEAR(Minutes(plan.darkTo), to, 3) << plan.header;
    }
}

TEST_F(PlanTest, DarkIntervalMatchesPublishedTwilightTimes) {
    // Civil twilight from the U.S. Naval Observatory's "Complete Sun and
    // Moon Data for One Day" (aa.usno.navy.mil/data/), local time: Atlanta
    // (33.8 N, 84.4 W), 6 Sep 2009, EDT, 6:50 a.m. to 8:21 p.m.; Mauna Kea
    // (19 49 N, 155 29 W), 15 Jul 2003, HST, 05:27 to 19:28. The morning ends
    // the night before; the header's whole minutes allow one of rounding.
    const char* cases[][6] = {
        // site, zone, eve before, date, dawn, dusk
        {"33.8,-84.4", "America/New_York", "2009-09-05", "2009-09-06", "06:50", "20:21"},
        {"19.8167,-155.4833", "Pacific/Honolulu", "2003-07-14", "2003-07-15", "05:27", "19:28"}};
    const std::string catalogue = Stars({{"Polar", "0517", "+85"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const auto night = [&](const char* date) {
            return Planned({"--site", c[0], "--date", date, "--twilight", "civil", "--min-alt", "0",
                            catalogue},
                           c[1]);
        };
        const PlanOutput before = night(c[2]), evening = night(c[3]);
        EXPECT_LE(std::abs(MinutesBetween(c[4], before.darkTo)), 1) << before.header;
        EXPECT_LE(std::abs(MinutesBetween(c[5], evening.darkFrom)), 1) << evening.header;
    }
}

TEST_F(PlanTest, NightsWithoutDarknessAndPolarNights) {
    const std::string catalogue = Stars({{"Polar", "0517", "+85"}});
    const std::string out = PathOf("out.txt");
    for (const char* twilight : {"astronomical", "nautical"}) {
        const CliResult result = Plan({"--site", "60,10", "--date", "2026-06-21", "--twilight",
                                       twilight, "-o", out, catalogue});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, std::string("velmo-cli: no ") + twilight +
                                  " darkness at this site on 2026-06-21\n");
        EXPECT_NE(::access(out.c_str(), F_OK), 0) << "nothing to write, no file";
    }
    // The Sun gets to -6.5 degrees: a short civil night around 00:00 local solar time.
    const PlanOutput civil = Planned({"--site", "60,10", "--date", "2026-06-21", "--twilight",
                                      "civil", "--min-alt", "0", catalogue});
    EXPECT_NE(civil.header.find("(civil twilight)"), std::string::npos) << civil.header;
    EXPECT_LT(MinutesBetween(civil.darkFrom, civil.darkTo), 120) << civil.header;
    EXPECT_GT(MinutesBetween(civil.darkFrom, civil.darkTo), 30) << civil.header;

    // Polar night: the Sun climbs to -22 at 89 N, to -11 at 78 N.
    for (const auto& [site, twilight] :
         {std::pair{"89,0", "astronomical"}, std::pair{"78,15", "civil"}}) {
        const PlanOutput polar =
            Planned({"--site", site, "--date", "2026-12-21", "--twilight", twilight, catalogue});
        EXPECT_EQ(polar.darkFrom, "12:00") << polar.header;
        EXPECT_EQ(polar.darkTo, "12:00") << polar.header;
    }
    const CliResult nautical =
        Plan({"--site", "78,15", "--date", "2026-12-21", "--twilight", "nautical", catalogue});
    EXPECT_EQ(nautical.status, 0) << "the Sun rises above -12 near noon: a night, not all of it";
    EXPECT_EQ(ParsePlan(nautical.out).darkFrom == "12:00", false) << nautical.out;
}

TEST_F(PlanTest, DateLineAndClocks) {
    // 179 W lies 2 degrees east of 179 E: the same night comes 8 minutes
    // earlier there, on the previous local date (UTC-12 against UTC+12).
    const std::string catalogue = Stars({{"Zenith", "1800", "+00"}});
    const PlanOutput east =
        Planned({"--site", "0,179", "--date", "2026-06-16", catalogue}, "Etc/GMT-12");
    const PlanOutput west =
        Planned({"--site", "0,-179", "--date", "2026-06-15", catalogue}, "Etc/GMT+12");
    EXPECT_NE(east.header.find("# Night of 2026-06-16 at 0.00 N, 179.00 E: "), std::string::npos)
        << east.header;
    EXPECT_NE(west.header.find("# Night of 2026-06-15 at 0.00 N, 179.00 W: "), std::string::npos)
        << west.header;
    ASSERT_EQ(east.rows.size(), 1u);
    ASSERT_EQ(west.rows.size(), 1u);
    EXPECT_NEAR(MinutesBetween(west.darkFrom, east.darkFrom), 8, 1);
    EXPECT_NEAR(MinutesBetween(west.darkTo, east.darkTo), 8, 1);
    EXPECT_NEAR(MinutesBetween(west.rows[0].best, east.rows[0].best), 8, 1);
    // In UTC, noon falls in the site's night: the stretch dark at noon is
    // the end of the night before, and the night is the next, cut at noon.
    const PlanOutput utc = Planned({"--utc", "--site", "0,179", "--date", "2026-06-16", catalogue});
    EXPECT_NEAR(std::abs(MinutesBetween(utc.darkFrom, east.darkFrom)), 720, 1) << utc.header;
    EXPECT_EQ(utc.darkTo, "12:00") << utc.header;

    // Amsterdam's clock is UTC+1 in winter and UTC+2 in summer: the same
    // night, shifted by whole hours.
    for (const auto& [date, shift] : {std::pair{"2026-12-10", 60}, std::pair{"2026-07-15", 120}}) {
        const std::vector<std::string> args = {"--site",     "52.09,5.12", "--date",         date,
                                               "--twilight", "nautical",   SampleCatalogue()};
        std::vector<std::string> utcArgs = args;
        utcArgs.insert(utcArgs.begin(), "--utc");
        const PlanOutput local = Planned(args, "Europe/Amsterdam");
        const PlanOutput onUtc = Planned(utcArgs, "Europe/Amsterdam");
        SCOPED_TRACE(date);
        EXPECT_EQ(MinutesBetween(onUtc.darkFrom, local.darkFrom), shift);
        EXPECT_EQ(MinutesBetween(onUtc.darkTo, local.darkTo), shift);
        ASSERT_EQ(local.rows.size(), onUtc.rows.size());
        ASSERT_GT(local.rows.size(), 10u);
        for (std::size_t i = 0; i < local.rows.size(); ++i) {
            EXPECT_EQ(local.rows[i].name, onUtc.rows[i].name);
            EXPECT_EQ(MinutesBetween(onUtc.rows[i].from, local.rows[i].from), shift);
            EXPECT_EQ(MinutesBetween(onUtc.rows[i].best, local.rows[i].best), shift);
        }
    }

    // Without --date: today on the chosen clock (UTC+14 is a day ahead of
    // UTC for ten hours of each day).
    auto today = [](long offset) {
        const std::time_t now = std::time(nullptr) + offset;
        std::tm parts{};
        gmtime_r(&now, &parts);
        char text[16];
        std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
        return std::string(text);
    };
    for (const auto& [onUtc, offset] : {std::pair{false, 14 * 3600L}, std::pair{true, 0L}}) {
        const std::string before = today(offset);
        CliRun run;
        run.args = {"plan", "--site", "0,-160", "--min-hours", "0", catalogue};
        if (onUtc) run.args.insert(run.args.begin() + 1, "--utc");
        run.environment = {"TZ=Pacific/Kiritimati", "VELMO_SITE"};
        const std::string header = SplitLines(RunCli(run).out).at(0);
        const std::string after = today(offset);
        EXPECT_TRUE(header.rfind("# Night of " + before, 0) == 0 ||
                    header.rfind("# Night of " + after, 0) == 0)
            << header << " utc " << onUtc;
    }
}

TEST_F(PlanTest, SearchFormatsWriteWhatSearchWritesForTheKeptStars) {
    const std::vector<std::string> criteria = {"--max-mag", "8", "--period-least", "100"};
    const std::vector<std::string> night = {"--site", "52.09,5.12", "--date", "2026-12-10"};
    std::vector<std::string> args = criteria;
    args.insert(args.end(), night.begin(), night.end());
    args.push_back(SampleCatalogue());
    const PlanOutput plan = Planned(args);
    ASSERT_GT(plan.rows.size(), 50u);

    for (const char* format : {"csv", "text", "table"}) {
        SCOPED_TRACE(format);
        std::vector<std::string> search = {"search", "--format", format};
        search.insert(search.end(), criteria.begin(), criteria.end());
        search.push_back(SampleCatalogue());
        const std::vector<std::string> searched = SplitLines(RunCli(search).out);
        std::vector<std::string> planArgs = {"--format", format};
        planArgs.insert(planArgs.end(), args.begin(), args.end());
        const CliResult result = Plan(planArgs);
        EXPECT_EQ(result.status, 0);
        const std::vector<std::string> planned = SplitLines(result.out);
        const std::size_t heading = std::string(format) == "text" ? 0 : 1;
        ASSERT_EQ(planned.size(), plan.rows.size() + heading);
        if (heading == 1) {
            EXPECT_EQ(planned[0], searched[0]);
        }
        // In catalogue order, each line one of search's, for the same star.
        std::size_t at = heading;
        for (std::size_t i = heading; i < planned.size(); ++i) {
            while (at < searched.size() && searched[at] != planned[i]) ++at;
            ASSERT_LT(at, searched.size()) << "not search's, or out of order: " << planned[i];
            EXPECT_NE(planned[i].find(plan.rows[i - heading].name), std::string::npos);
            if (std::string(format) == "table") {
                EXPECT_EQ(planned[i] + std::string(86 - planned[i].size(), ' '),
                          plan.rows[i - heading].table);
            }
        }
    }
    std::vector<std::string> count = {"--count"};
    count.insert(count.end(), args.begin(), args.end());
    EXPECT_EQ(Plan(count).out, std::to_string(plan.rows.size()) + "\n");
    std::vector<std::string> toFile = {"-o", PathOf("plan.txt")};
    toFile.insert(toFile.end(), args.begin(), args.end());
    EXPECT_EQ(Plan(toFile).out, "");
    EXPECT_EQ(ReadFile(PathOf("plan.txt")), Plan(args).out);
}

TEST_F(PlanTest, SortsAndReverses) {
    const std::vector<std::string> night = {
        "--site", "52.09,5.12", "--date", "2026-12-10", "--max-mag", "8", SampleCatalogue()};
    for (const char* key : {"from", "to", "best"}) {
        SCOPED_TRACE(key);
        std::vector<std::string> args = {"--sort", key};
        args.insert(args.end(), night.begin(), night.end());
        const PlanOutput plan = Planned(args);
        ASSERT_GT(plan.rows.size(), 50u);
        int previous = -1;
        for (const PlanRow& row : plan.rows) {
            const std::string& time = key[0] == 'f' ? row.from : key[0] == 't' ? row.to : row.best;
            const int since = (MinutesBetween(plan.darkFrom, time) + 1440) % 1440;
            EXPECT_GE(since, previous) << row.name;
            previous = since;
        }
        args.insert(args.begin(), "--descending");
        PlanOutput reversed = Planned(args);
        std::reverse(reversed.rows.begin(), reversed.rows.end());
        ASSERT_EQ(reversed.rows.size(), plan.rows.size());
        for (std::size_t i = 0; i < plan.rows.size(); ++i) {
            EXPECT_EQ(reversed.rows[i].table, plan.rows[i].table);
        }
    }
    std::vector<std::string> descending = {"--descending"};
    descending.insert(descending.end(), night.begin(), night.end());
    PlanOutput backwards = Planned(descending);
    const PlanOutput forwards = Planned(night);
    std::reverse(backwards.rows.begin(), backwards.rows.end());
    ASSERT_EQ(backwards.rows.size(), forwards.rows.size());
    for (std::size_t i = 0; i < forwards.rows.size(); ++i) {
        EXPECT_EQ(backwards.rows[i].table, forwards.rows[i].table);
    }
}

TEST_F(PlanTest, SiteFromTheEnvironment) {
    const std::vector<std::string> rest = {"--date", "2026-12-10", SampleCatalogue()};
    std::vector<std::string> withSite = {"--site", "52.09,5.12"};
    withSite.insert(withSite.end(), rest.begin(), rest.end());
    const CliResult given = Plan(withSite);
    EXPECT_EQ(given.status, 0);
    const CliResult fromVariable = Plan(rest, "UTC", "52.09,5.12");
    EXPECT_EQ(fromVariable.status, 0);
    EXPECT_EQ(fromVariable.out, given.out);
    const CliResult overridden = Plan(withSite, "UTC", "91,0");  // not read when --site is given
    EXPECT_EQ(overridden.status, 0) << overridden.err;
    EXPECT_EQ(overridden.out, given.out);
}

TEST_F(PlanTest, BadInputIsRefusedWithTheAcceptedForm) {
    const struct {
        std::vector<std::string> args;
        std::string site;  // VELMO_SITE
        std::string message;
    } cases[] = {
        {{"--site", "91,0"}, "", "--site: '91,0' is not LAT,LON in decimal degrees"},
        {{"--site", "52"}, "", "--site: '52' is not LAT,LON"},
        {{"--site", "52,181"}, "", "longitude -180..180"},
        {{"--site", "52,-180.5"}, "", "--site: '52,-180.5'"},
        {{"--site", "52,5,3"}, "", "--site: '52,5,3'"},
        {{"--site", "52, 5"}, "", "--site: '52, 5'"},
        {{"--site", ""}, "", "--site: ''"},
        {{}, "north", "VELMO_SITE: 'north' is not LAT,LON"},
        {{}, "", "plan: no site given: --site LAT,LON or VELMO_SITE"},
        {{"--date", "2026-02-29"}, "0,0", "--date: '2026-02-29' is not a date YYYY-MM-DD"},
        {{"--date", "2026-13-01"}, "0,0", "--date: '2026-13-01'"},
        {{"--date", "2026-1-05"}, "0,0", "--date: '2026-1-05'"},
        {{"--date", "1899-12-31"}, "0,0", "from 1900-01-01 to 2100-12-31"},
        {{"--date", "2101-01-01"}, "0,0", "--date: '2101-01-01'"},
        {{"--date", "tomorrow"}, "0,0", "--date: 'tomorrow'"},
        {{"--twilight", "dark"},
         "0,0",
         "--twilight: 'dark' is not one of astronomical, nautical, civil"},
        {{"--min-alt", "-1"}, "0,0", "--min-alt: '-1' is not a number of degrees from 0 to 90"},
        {{"--min-alt", "90.5"}, "0,0", "--min-alt: '90.5'"},
        {{"--min-hours", "24.01"},
         "0,0",
         "--min-hours: '24.01' is not a number of hours from 0 to 24"},
        {{"--min-hours", "-0.1"}, "0,0", "--min-hours: '-0.1'"},
        {{"--sort", "name"}, "0,0", "--sort: 'name' is not one of catalogue, from, to, best"},
        {{"--format", "xml"}, "0,0", "--format: 'xml' is not one of plan, csv, text, table"},
        {{"--bogus"}, "0,0", "plan: unknown option '--bogus'"},
        {{"--site"}, "0,0", "plan: option '--site' needs a value"},
        {{"--ra-west", "24"}, "0,0", "--ra-west: '24' is not a whole number from 0 to 23"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        if (!(args.size() == 1 && args[0] == "--site")) args.push_back(SampleCatalogue());
        SCOPED_TRACE(c.message);
        const CliResult result = Plan(args, "UTC", c.site);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("velmo-cli: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    const CliResult noCatalogue = Plan({"--site", "0,0"});
    EXPECT_EQ(noCatalogue.status, 2);
    EXPECT_EQ(noCatalogue.err, "velmo-cli: plan: no CATALOGUE file given\n");

    // The edges are taken.
    for (const std::vector<std::string>& edge :
         std::vector<std::vector<std::string>>{{"--site", "-90,-180"},
                                               {"--site", "90,180"},
                                               {"--min-alt", "0", "--min-hours", "0"},
                                               {"--min-alt", "90"},
                                               {"--min-hours", "24"},
                                               {"--date", "1900-01-01"},
                                               {"--date", "2100-12-31"},
                                               {"--date", "2028-02-29"}}) {
        std::vector<std::string> args = edge;
        args.insert(args.end(), {"--count", SampleCatalogue()});
        const CliResult result = Plan(args, "UTC", "40,0");
        EXPECT_TRUE(result.status == 0 || result.status == 1) << edge[0] << " " << edge[1];
        EXPECT_EQ(result.err.find("is not"), std::string::npos) << result.err;
    }
}

TEST_F(PlanTest, HelpAndManPageListThePlanOptions) {
    const CliResult help = Plan({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: velmo-cli plan", 0), 0u);
    std::ifstream page(VELMO_MAN_PAGE);
    std::stringstream roff;
    roff << page.rdbuf();
    std::string manPage = roff.str();
    for (std::size_t at; (at = manPage.find("\\-")) != std::string::npos;) manPage.erase(at, 1);
    for (const char* option : {"--site", "--date", "--twilight", "--min-alt", "--min-hours",
                               "--sort", "--utc", "VELMO_SITE", "(default 30)", "(default 1)"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option << " missing in --help";
        EXPECT_NE(manPage.find(option), std::string::npos) << option << " missing in the man page";
    }
    EXPECT_NE(RunCli({"--help"}).out.find("  plan "), std::string::npos);
}

}  // namespace
