// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog_fixture.h"

#include <cstdio>

#include "line_layout.h"

namespace {

namespace layout = velmo::line_layout;

// Writes `text` into `field`, cut or blank-padded to its width.
void Put(std::string& line, layout::Field field, const std::string& text) {
    std::string value = text.substr(0, field.width);
    value.resize(field.width, ' ');
    line.replace(field.first, field.width, value);
}

std::uint32_t Next(std::uint32_t& state) {  // xorshift32: same sequence everywhere
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

int Below(std::uint32_t& state, int n) {
    return static_cast<int>(Next(state) % static_cast<unsigned>(n));
}

std::string TwoDigits(int value) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string Magnitude(std::uint32_t& state) {  // " 5.80" or "12.34"
    char text[32];
    std::snprintf(text, sizeof text, "%2d.%02d", 1 + Below(state, 17), Below(state, 100));
    return text;
}

}  // namespace

std::string StarLine::Build() const {
    std::string line(layout::kLineWidth, ' ');
    Put(line, layout::kRa, ra);
    Put(line, layout::kDeclination, dec);
    Put(line, layout::kName, name);
    Put(line, layout::kType, type);
    Put(line, layout::kMaxMagnitude, maxMag);
    Put(line, layout::kMinMagnitude, minMag);
    Put(line, layout::kPeriod, period);
    Put(line, layout::kDescription, description);
    return line;
}

std::string WorkedLine() { return StarLine{}.Build(); }

std::string WithColumn(std::string line, std::size_t pos, const std::string& text) {
    if (line.size() < pos + text.size()) {
        line.resize(pos + text.size(), ' ');
    }
    line.replace(pos, text.size(), text);
    return line;
}

std::string RandomStarLine(std::uint32_t& state) {
    static const char* const kTypes[] = {"M", "SRB", "EA/SD", "RRAB", "DCEP", "LB", "SR:"};
    static const char* const kPlaces[] = {"Andromeda", "Cygnus", "Carina", "Scorpius",
                                          "Ursa Major"};
    StarLine star;
    star.ra = TwoDigits(Below(state, 24)) + TwoDigits(Below(state, 60));
    star.dec = std::string(Below(state, 2) ? "+" : "-") + TwoDigits(Below(state, 90));
    star.name = std::string("V") + std::to_string(Below(state, 9999)) + " Cyg";
    star.type = kTypes[Below(state, 7)];
    const int shape = Below(state, 10);  // 0: nothing given, 1: partial, else complete
    star.maxMag = shape == 0 ? "" : Magnitude(state);
    star.minMag = shape <= 1 ? "" : Magnitude(state);
    if (shape >= 2) {
        char text[32];
        if (Below(state, 8) == 0) {
            std::snprintf(text, sizeof text, "%4dK%d", 1 + Below(state, 99), Below(state, 10));
        } else {
            std::snprintf(text, sizeof text, "%4d.%04d", Below(state, 1200), Below(state, 10000));
        }
        star.period = text;
    } else {
        star.period = "";
    }
    star.description = kPlaces[Below(state, 5)];
    std::string line = star.Build();
    if (Below(state, 4) == 0) {
        line.erase(line.find_last_not_of(' ') + 1);  // no trailing blanks
    }
    return line;
}

bool RecordCopy::operator==(const RecordCopy& o) const {
    return seq == o.seq && line == o.line && raHours == o.raHours && raMinutes == o.raMinutes &&
           decDegrees == o.decDegrees && name == o.name && type == o.type && range == o.range &&
           description == o.description && maxMagnitude == o.maxMagnitude &&
           minMagnitude == o.minMagnitude && period == o.period;
}

void PrintTo(const RecordCopy& r, std::ostream* os) {
    *os << "#" << r.seq << " [" << r.line << "]";
}

std::vector<RecordCopy> CopyRecords(const StarCatalog& catalog) {
    std::vector<RecordCopy> records;
    for (const StarRecord* r = catalog.FirstRecord(); r != nullptr; r = r->next) {
        records.push_back({r->seq, std::string(r->line, static_cast<std::size_t>(r->lineLength)),
                           r->raHours, r->raMinutes, r->decDegrees, r->name, r->type, r->range,
                           r->description, r->maxMagnitude, r->minMagnitude, r->period});
    }
    return records;
}

std::vector<std::int32_t> ResultSeqs(const StarCatalog& catalog) {
    std::vector<std::int32_t> seqs;
    for (const ResultNode* n = catalog.ResultHead(); n != nullptr; n = n->next) {
        seqs.push_back(n->record->seq);
    }
    return seqs;
}

void CatalogTest::OpenDirToEveryone() const { tempFolder.OpenToEveryone(); }

std::string CatalogTest::PathOf(const std::string& name) const { return dir + "/" + name; }

std::string CatalogTest::WriteFile(const std::string& name, const std::string& contents) const {
    const std::string path = PathOf(name);
    EXPECT_TRUE(tktest::WriteFile(path, contents)) << path;
    return path;
}

std::int32_t CatalogTest::LoadText(const std::string& contents) {
    return catalog.Load(WriteFile("catalog.txt", contents).c_str());
}

std::int32_t CatalogTest::LoadLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return LoadText(text);
}

std::vector<std::int32_t> CatalogTest::Walk(bool forward) {
    std::vector<std::int32_t> seqs;
    std::size_t limit = 10;
    for (const StarRecord* r = catalog.FirstRecord(); r != nullptr; r = r->next) {
        ++limit;
    }
    if (forward) {
        catalog.MoveFirst();
    } else {
        catalog.MoveLast();
    }
    while (!(forward ? catalog.IsAtLast() : catalog.IsAtFirst())) {
        if (seqs.size() > limit) {
            ADD_FAILURE() << "the walk does not end";
            break;
        }
        seqs.push_back(catalog.Cursor()->record->seq);
        if (forward) {
            catalog.MoveNext();
        } else {
            catalog.MovePrev();
        }
    }
    return seqs;
}

void CatalogTest::ExpectInitialCriteria() const {
    EXPECT_EQ(catalog.GetRaWest(), 0);
    EXPECT_EQ(catalog.GetRaEast(), 23);
    EXPECT_EQ(catalog.GetDecSouth(), -90);
    EXPECT_EQ(catalog.GetDecNorth(), 90);
    EXPECT_EQ(catalog.GetPeriodLeast(), 0.0);
    EXPECT_EQ(catalog.GetPeriodMost(), 10000.0);
    EXPECT_EQ(catalog.GetMinMagLimit(), 6.0f);
    EXPECT_EQ(catalog.GetMaxMagLimit(), 7.0f);
}
