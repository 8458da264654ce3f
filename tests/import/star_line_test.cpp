// SPDX-License-Identifier: GPL-3.0-or-later
// Laying out imported stars as catalogue lines, and reading those lines
// back with the engine's own loader.
#include "star_line.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "import_report.h"
#include "import_test_support.h"
#include "star_catalog.h"

namespace velmo::importing {
namespace {

// R And as a table row gives it; tests change one field at a time.
StarTexts RAnd() {
    StarTexts texts;
    texts.name = "R  And";
    texts.ra = "00 24 01.95";
    texts.dec = "+38 34 37.3";
    texts.type = "M";
    texts.max = "5.8";
    texts.min = "15.2";
    texts.period = "409.2";
    return texts;
}

struct Built {
    bool written;
    std::string line;  // without the line feed
    StarOutcome outcome;
};

Built BuildLine(const StarTexts& texts, bool raHours = false) {
    StarLineBuilder builder(raHours, true);
    char line[kImportLineLength];
    Built built;
    built.written = builder.Build(texts, line, &built.outcome);
    if (built.written) {
        EXPECT_EQ(line[kImportLineLength - 1], '\n');
        built.line.assign(line, kImportLineLength - 1);
    }
    return built;
}

TEST(StarLineTest, LaysOutEveryColumn) {
    EXPECT_EQ(BuildLine(RAnd()).line,
              "0024+38   R And       M           5.80  15.20  409.2000Andromeda           ");
    StarTexts texts = RAnd();
    texts.name = "  alf   Vir ";
    texts.ra = "13 25 11.58";
    texts.dec = "-11 09 40.8";
    texts.type = "ELL+BCEP";
    texts.max = "0.95";
    texts.min = "(0.10)";
    texts.period = "4.014604";
    texts.description = "Spica, a close pair";
    const Built built = BuildLine(texts);
    EXPECT_EQ(built.line,
              "1325-11   alf Vir     ELL+BCEP    0.95   1.05    4.0146Spica, a close pair ");
    EXPECT_EQ(built.outcome.changes, 0u);
    EXPECT_EQ(built.outcome.why, "");
    // Line breaks and tabs inside quoted fields must not break the line.
    texts = RAnd();
    texts.name = "omi\r\nCet";
    texts.type = "M\t";
    texts.description = "Mira,\nthe wonderful";
    EXPECT_EQ(BuildLine(texts).line,
              "0024+38   omi Cet     M           5.80  15.20  409.2000Mira, the wonderful ");
}

TEST(StarLineTest, RoundsHalfUpOnTheWrittenDigits) {
    struct Case {
        const char* max;
        const char* period;
        const char* columns;  // positions 32-54
    };
    const Case cases[] = {
        {"5.125", "0.56686776", "  5.13  15.20    0.5669"},
        {"9.995", "0.00005", " 10.00  15.20    0.0001"},
        {"0", "9999.99994", "  0.00  15.20 9999.9999"},
        {"12.344", "29000", " 12.34  15.20   29K0000"},
        {"0.004", "1234567.8", "  0.00  15.20 1235K0000"},
        {"99.994", "9999499.99", " 99.99  15.20 9999K0000"},
    };
    for (const Case& c : cases) {
        StarTexts texts = RAnd();
        texts.max = c.max;
        texts.period = c.period;
        const Built built = BuildLine(texts);
        ASSERT_TRUE(built.written) << c.max;
        EXPECT_EQ(built.line.substr(32, 23), c.columns) << c.max << " " << c.period;
    }
}

TEST(StarLineTest, LongPeriodsGoToWholeThousandsOrAreLeftBlank) {
    struct Case {
        const char* period;
        const char* columns;  // positions 46-54
        unsigned changes;
    };
    const Case cases[] = {
        {"29000", "  29K0000", 0},
        {"29400.5", "  29K0000", kPeriodThousands},
        {"9999.99995", "  10K0000", kPeriodThousands},
        {"10500", "  11K0000", kPeriodThousands},
        {"9999500", "         ", kPeriodNotHeld},
        {"123456789", "         ", kPeriodNotHeld},
        {"0.00004", "         ", kPeriodNotHeld},
        {"(29000)", "         ", 0},
        {"<2", "         ", 0},
        {"-5", "         ", 0},
        {"about 3", "         ", kPeriodUnreadable},
    };
    for (const Case& c : cases) {
        StarTexts texts = RAnd();
        texts.period = c.period;
        const Built built = BuildLine(texts);
        ASSERT_TRUE(built.written) << c.period;
        EXPECT_EQ(built.line.substr(46, 9), c.columns) << c.period;
        EXPECT_EQ(built.outcome.changes, c.changes) << c.period;
    }
}

TEST(StarLineTest, EachSkipReasonIsToldApart) {
    struct Case {
        void (*change)(StarTexts*);
        SkipReason reason;
        const char* why;
    };
    const Case cases[] = {
        {[](StarTexts* t) { t->ra = " "; }, SkipReason::kNoPosition, "skipped: no position"},
        {[](StarTexts* t) { t->dec = "+95 00 00"; }, SkipReason::kBadPosition,
         "skipped: position '00 24 01.95' '+95 00 00' cannot be read"},
        {[](StarTexts* t) { t->name = "  "; }, SkipReason::kNoName, "skipped: no name"},
        {[](StarTexts* t) { t->name = "\xce\xb1 Vir"; }, SkipReason::kBadName,
         "skipped: name '\xce\xb1 Vir' does not start with printable ASCII"},
        {[](StarTexts* t) { t->type = ""; }, SkipReason::kNoType, "skipped: no type"},
        {[](StarTexts* t) { t->type = "\x01"; }, SkipReason::kNoType, "skipped: no type"},
        {[](StarTexts* t) { t->type = "\xe2\x80\x94"; }, SkipReason::kBadType,
         "skipped: type '\xe2\x80\x94' does not start with printable ASCII"},
        {[](StarTexts* t) { t->max = "-0.8"; }, SkipReason::kNegativeMagnitude,
         "skipped: maximum -0.8 is negative"},
        {[](StarTexts* t) { t->min = "-1"; }, SkipReason::kNegativeMagnitude,
         "skipped: minimum -1 is negative"},
        {[](StarTexts* t) { t->max = "-0.5", t->min = "(0.25)"; }, SkipReason::kNegativeMagnitude,
         "skipped: maximum -0.5 is negative"},
        {[](StarTexts* t) { t->min = "100.0"; }, SkipReason::kHugeMagnitude,
         "skipped: minimum 100 is 100 or more"},
        {[](StarTexts* t) { t->max = "99.995"; }, SkipReason::kHugeMagnitude,
         "skipped: maximum 99.995 is 100 or more"},
        {[](StarTexts* t) { t->min = "(95)"; }, SkipReason::kHugeMagnitude,
         "skipped: minimum 100.8 is 100 or more"},
    };
    for (const Case& c : cases) {
        StarTexts texts = RAnd();
        c.change(&texts);
        const Built built = BuildLine(texts);
        EXPECT_FALSE(built.written) << c.why;
        EXPECT_EQ(built.outcome.skip, c.reason) << c.why;
        EXPECT_EQ(built.outcome.why, c.why);
    }
}

TEST(StarLineTest, EachChangeIsToldApart) {
    struct Case {
        void (*change)(StarTexts*);
        unsigned changes;
        const char* columns;  // the whole line
        const char* why;
    };
    const Case cases[] = {
        {[](StarTexts* t) { t->name = "V1500   Cygni X"; }, kNameCut,
         "0024+38   V1500 Cygni M           5.80  15.20  409.2000                    ",
         "name 'V1500 Cygni X' cut to 'V1500 Cygni'"},
        {[](StarTexts* t) { t->type = "EA/DM+BCEP"; }, kTypeCut,
         "0024+38   R And       EA/DM+BC    5.80  15.20  409.2000Andromeda           ",
         "type 'EA/DM+BCEP' cut to 'EA/DM+BC'"},
        {[](StarTexts* t) { t->description = "Mira variable in Andromeda"; }, kDescriptionCut,
         "0024+38   R And       M           5.80  15.20  409.2000Mira variable in And",
         "description 'Mira variable in Andromeda' cut to 'Mira variable in And'"},
        {[](StarTexts* t) { t->max = "bright"; }, kMagnitudeUnreadable,
         "0024+38   R And       M                 15.20  409.2000Andromeda           ",
         "maximum 'bright' cannot be read, left blank"},
        {[](StarTexts* t) {
             t->max = "";
             t->min = "(9.4)";
         },
         kAmplitudeAlone,
         "0024+38   R And       M                        409.2000Andromeda           ",
         "minimum given as amplitude 9.4 without a maximum, left blank"},
        {[](StarTexts* t) { t->period = "409 days"; }, kPeriodUnreadable,
         "0024+38   R And       M           5.80  15.20          Andromeda           ",
         "period '409 days' cannot be read, left blank"},
        {[](StarTexts* t) {
             t->period = "29400.5";
             t->type = "SR+ELL+E";
         },
         kPeriodThousands,
         "0024+38   R And       SR+ELL+E    5.80  15.20   29K0000Andromeda           ",
         "period 29400.5 rounded to 29000 days"},
    };
    for (const Case& c : cases) {
        StarTexts texts = RAnd();
        c.change(&texts);
        const Built built = BuildLine(texts);
        ASSERT_TRUE(built.written) << c.why;
        EXPECT_EQ(built.outcome.changes, c.changes) << c.why;
        EXPECT_EQ(built.line, c.columns);
        EXPECT_EQ(built.outcome.why, c.why);
    }
}

TEST(StarLineTest, DescriptionFallsBackOnTheConstellationOfTheName) {
    struct Case {
        const char* name;
        const char* description;
        const char* shown;
    };
    const Case cases[] = {
        {"R And", "", "Andromeda"},
        {"V0370 And", "", "Andromeda"},
        {"Y CVn", "", "Canes Venatici"},
        {"alf Boo", "", "Bootes"},
        {"R AND", "", "Andromeda"},
        {"mu. Cep", "", "Cepheus"},
        {"R CrA", "", "Corona Australis"},
        {"NSV 1234", "", ""},
        {"CE CasA", "", "Cassiopeia"},  // a component letter after the abbreviation
        {"EQ PegB", "", "Pegasus"},
        {"X Casa", "", ""},              // a component letter is a capital
        {"And", "", ""},                 // one word alone is no designation
        {"R And", "Cas", "Cassiopeia"},  // an abbreviation in the description spelled out
        {"R And", "in  M31", "in M31"},
    };
    for (const Case& c : cases) {
        StarTexts texts = RAnd();
        texts.name = c.name;
        texts.description = c.description;
        const Built built = BuildLine(texts);
        ASSERT_TRUE(built.written);
        std::string shown = c.shown;
        shown.resize(20, ' ');
        EXPECT_EQ(built.line.substr(55), shown) << c.name;
    }
}

// With --verbose every reason is told; the count goes to the first. Values
// too large to keep are shown as written.
TEST(StarLineTest, EveryReasonOfOneSkipIsToldAndTheFirstCounted) {
    StarTexts texts = RAnd();
    texts.ra = "";
    texts.type = "";
    texts.max = "12345678901234567890123";
    Built built = BuildLine(texts);
    EXPECT_EQ(built.outcome.skip, SkipReason::kNoPosition);
    EXPECT_EQ(built.outcome.why,
              "skipped: no position; no type; maximum '12345678901234567890123' is 100 or more");
    ImportReport report;
    report.Count(built.outcome);
    EXPECT_EQ(report.Summary(), "imported 0 stars; skipped 1 (1 without a position)");

    texts = RAnd();
    texts.period = "123456789012345678.5";
    built = BuildLine(texts);
    EXPECT_TRUE(built.written);
    EXPECT_EQ(built.outcome.why, "period '123456789012345678.5' too long, left blank");
}

TEST(ImportReportTest, SummaryNamesEveryCountThatIsNotZero) {
    ImportReport report;
    EXPECT_EQ(report.Summary(), "imported 0 stars");
    StarOutcome written;
    written.written = true;
    report.Count(written);
    EXPECT_EQ(report.Summary(), "imported 1 star");
    for (int i = 0; i < 3; ++i) report.CountSkip(SkipReason::kNoPosition);
    for (int i = 0; i < 4; ++i) report.CountSkip(SkipReason::kNoType);
    report.CountSkip(SkipReason::kNegativeMagnitude);
    written.changes = kNameCut | kTypeCut;
    report.Count(written);
    written.changes = kTypeCut | kPeriodThousands;
    report.Count(written);
    written.changes = kPeriodThousands;
    report.Count(written);
    EXPECT_EQ(report.Written(), 4);
    EXPECT_EQ(report.Skipped(), 8);
    EXPECT_EQ(
        report.Summary(),
        "imported 4 stars; skipped 8 (3 without a position, 4 without a type, 1 with a "
        "negative magnitude); 1 name and 2 types cut, 2 periods written in thousands of days");
    report.CountSkip(SkipReason::kMalformed);
    report.CountLostLines(1000);
    EXPECT_EQ(report.Summary(),
              "imported 4 stars; skipped 9 (3 without a position, 4 without a type, 1 with a "
              "negative magnitude, 1 malformed); 1000 lines in 1 overlong record not read; 1 name "
              "and 2 types cut, 2 periods written in thousands of days");
}

// A seeded generator of stars in every accepted spelling, with the values
// their line must load back to, worked out here in integers.
class RandomStar {
  public:
    explicit RandomStar(std::uint32_t seed) : state(seed) {}

    std::uint32_t Next(std::uint32_t below) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % below;
    }

    // Fills the texts (kept in `storage`) and the intended values.
    void Make() {
        intended = Intended{};
        storage.clear();
        // Right ascension: sexagesimal with centiseconds, compact, or decimal degrees.
        const int form = static_cast<int>(Next(3));
        if (form < 2) {
            const std::uint32_t centis = Next(8640000);
            const unsigned h = centis / 360000, m = centis / 6000 % 60, s = centis % 6000;
            ra = Format(form == 0 ? "%02u %02u %02u.%02u" : "%02u%02u%02u.%02u", h, m, s / 100,
                        s % 100);
            intended.raHours = static_cast<int>(h);
            intended.raMinutes = static_cast<int>(m);
        } else {
            const std::uint32_t micro = Next(360000000);
            ra = Format("%u.%06u", micro / 1000000, micro % 1000000);
            intended.raHours = static_cast<int>(micro / 15000000);
            intended.raMinutes = static_cast<int>(micro * 4ull / 1000000 % 60);
        }
        // Declination: either hemisphere, near the equator often.
        const bool south = Next(2) == 1;
        const std::uint32_t tenths = Next(4) == 0 ? Next(36000) : Next(3240000);
        if (Next(2) == 0) {
            dec = Format("%c%02u:%02u:%02u.%u", south ? '-' : '+', tenths / 36000,
                         tenths / 600 % 60, tenths / 10 % 60, tenths % 10);
        } else {
            // The same angle in decimal degrees, to millionths (truncated).
            const std::uint64_t micro = tenths * 1000000ull / 36000;
            dec = Format("%c%u.%06u", south ? '-' : '+', static_cast<unsigned>(micro / 1000000),
                         static_cast<unsigned>(micro % 1000000));
        }
        intended.south = south;
        intended.decDegrees = static_cast<int>(tenths / 36000);
        // Magnitudes in thousandths, rounded half up to hundredths.
        const std::uint32_t maxMil = Next(30000);
        max = Format(Next(2) ? "%u.%03u" : "<%u.%03u:", maxMil / 1000, maxMil % 1000);
        intended.maxHundredths = static_cast<int>((maxMil + 5) / 10);
        const std::uint32_t amplitude = Next(9000);
        if (Next(2)) {
            min = Format("(%u.%03u)", amplitude / 1000, amplitude % 1000);
        } else {
            min = Format("%u.%03u V", (maxMil + amplitude) / 1000, (maxMil + amplitude) % 1000);
        }
        intended.minHundredths = static_cast<int>((maxMil + amplitude + 5) / 10);
        // Period in hundred-thousandths of a day, now and then from 10000 days up.
        const std::uint64_t p5 =
            Next(5) == 0 ? 1000000000ull + Next(2000000000) : 5ull + Next(1000000000);
        period = Format("%llu.%05llu", static_cast<unsigned long long>(p5 / 100000),
                        static_cast<unsigned long long>(p5 % 100000));
        const std::uint64_t t4 = (p5 + 5) / 10;
        intended.period = t4 < 100000000ull
                              ? static_cast<double>(t4) / 10000.0
                              : static_cast<double>((p5 + 50000000) / 100000000) * 1000;
        // Designation with runs of blanks, sometimes too long.
        static const char* const kStars[] = {"R", "V0370", "alf", "RR", "NSV 12345  X"};
        static const char* const kConstellations[] = {"And", "CVn", "Boo", "Sgr", "TrA"};
        name =
            std::string(kStars[Next(5)]) + std::string(1 + Next(4), ' ') + kConstellations[Next(5)];
        type = Next(2) ? "M" : "EA/DM+BCEP";
    }

    StarTexts Texts() const {
        StarTexts texts;
        texts.name = name;
        texts.ra = ra;
        texts.dec = dec;
        texts.type = type;
        texts.max = max;
        texts.min = min;
        texts.period = period;
        return texts;
    }

    struct Intended {
        int raHours, raMinutes, decDegrees;
        bool south;
        int maxHundredths, minHundredths;
        double period;
    };
    Intended intended{};

  private:
    template <typename... Args>
    static std::string Format(const char* format, Args... args) {
        char text[64];
        std::snprintf(text, sizeof text, format, args...);
        return text;
    }

    std::uint32_t state;
    std::string ra, dec, name, type, max, min, period, storage;
};

TEST(StarLineTest, EveryWrittenLineLoadsBackToTheIntendedValues) {
    import_test::TempDir dir;
    const std::string path = dir.PathOf("round-trip.txt");
    std::ofstream out(path, std::ios::binary);
    RandomStar star(20261209);
    std::vector<RandomStar::Intended> intended;
    StarLineBuilder builder(false, false);
    StarOutcome outcome;
    char line[kImportLineLength];
    constexpr int kStars = 20000;
    for (int i = 0; i < kStars; ++i) {
        star.Make();
        ASSERT_TRUE(builder.Build(star.Texts(), line, &outcome)) << i;
        out.write(line, kImportLineLength);
        intended.push_back(star.intended);
    }
    out.close();

    StarCatalog catalog;
    ASSERT_EQ(catalog.Load(path.c_str()), kStars);
    int index = 0;
    for (const StarRecord* record = catalog.FirstRecord(); record != nullptr;
         record = record->next, ++index) {
        const RandomStar::Intended& want = intended[static_cast<std::size_t>(index)];
        SCOPED_TRACE(record->line);
        EXPECT_EQ(record->lineLength, 75);
        EXPECT_EQ(record->raHours, want.raHours);
        EXPECT_EQ(record->raMinutes, want.raMinutes);
        EXPECT_EQ(record->decDegrees, want.south ? -want.decDegrees : want.decDegrees);
        EXPECT_EQ(record->line[4], want.south ? '-' : '+');
        EXPECT_NEAR(record->maxMagnitude, want.maxHundredths / 100.0, 1e-6);
        EXPECT_NEAR(record->minMagnitude, want.minHundredths / 100.0, 1e-6);
        EXPECT_NEAR(record->period, want.period, 1e-9);
        if (HasFailure()) break;
    }
    EXPECT_EQ(index, kStars);
}

}  // namespace
}  // namespace velmo::importing
