// SPDX-License-Identifier: GPL-3.0-or-later
// Loading lifecycle: a new catalogue, replacing, failing loads, the result
// list that a load builds, and large files read in blocks.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "catalog_fixture.h"

namespace {

class LoadTest : public CatalogTest {
  protected:
    void ExpectEmpty() {
        EXPECT_FALSE(catalog.IsLoaded());
        EXPECT_FALSE(catalog.HasResults());
        EXPECT_EQ(catalog.FirstRecord(), nullptr);
        EXPECT_EQ(catalog.ResultHead(), nullptr);
        EXPECT_EQ(catalog.ResultTail(), nullptr);
        EXPECT_EQ(catalog.Cursor(), nullptr);
    }
    // Checks that the result list holds every record in file order, with
    // consistent links and positions 1 ... n, cursor on the first.
    void ExpectListOfAll(std::int32_t count) {
        ASSERT_TRUE(catalog.HasResults());
        const ResultNode* prev = nullptr;
        const StarRecord* record = catalog.FirstRecord();
        std::int32_t position = 0;
        for (const ResultNode* n = catalog.ResultHead(); n != nullptr; n = n->next) {
            ++position;
            ASSERT_EQ(n->position, position);
            ASSERT_EQ(n->prev, prev);
            ASSERT_EQ(n->record, record);
            ASSERT_EQ(record->seq, position);
            prev = n;
            record = record->next;
        }
        EXPECT_EQ(record, nullptr);
        EXPECT_EQ(position, count);
        EXPECT_EQ(catalog.ResultTail(), prev);
        EXPECT_EQ(catalog.Cursor(), catalog.ResultHead());
        EXPECT_TRUE(catalog.IsAtFirst());
        EXPECT_FALSE(catalog.IsAtLast());
    }
};

TEST_F(LoadTest, NewCatalogueIsEmptyWithInitialCriteria) {
    ExpectEmpty();
    EXPECT_FALSE(catalog.IsAtFirst());
    EXPECT_FALSE(catalog.IsAtLast());
    ExpectInitialCriteria();
    EXPECT_STREQ(catalog.InputPath(), "");
}

TEST_F(LoadTest, SuccessfulLoadListsEveryRecord) {
    ASSERT_EQ(LoadLines({WorkedLine(), "not a star", WorkedLine(), WorkedLine()}), 3);
    EXPECT_TRUE(catalog.IsLoaded());
    ExpectListOfAll(3);
    EXPECT_EQ(catalog.InputPath(), PathOf("catalog.txt"));
}

TEST_F(LoadTest, SingleRecordStillStartsWithAtLastFalse) {
    ASSERT_EQ(LoadLines({WorkedLine()}), 1);
    ExpectListOfAll(1);
}

TEST_F(LoadTest, SecondLoadReplacesTheFirst) {
    ASSERT_EQ(LoadLines({WorkedLine(), WorkedLine(), WorkedLine()}), 3);
    catalog.MoveLast();
    ASSERT_EQ(LoadLines({WithColumn(WorkedLine(), 0, "1200"), WithColumn(WorkedLine(), 0, "1300")}),
              2);
    ExpectListOfAll(2);
    EXPECT_EQ(catalog.FirstRecord()->raHours, 12);
    EXPECT_EQ(catalog.ResultTail()->record->raHours, 13);
}

TEST_F(LoadTest, FailedLoadsLeaveNothingLoaded) {
    const std::string missing = PathOf("missing.txt");
    const std::string empty = WriteFile("empty.txt", "");
    const std::string noStars = WriteFile("nostars.txt", "title\n\n   \n");
    const struct {
        const char* path;
        std::int32_t expected;
    } cases[] = {
        {missing.c_str(), -1}, {dir.c_str(), -1},    {nullptr, -1},
        {empty.c_str(), 0},    {noStars.c_str(), 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(LoadLines({WorkedLine()}), 1);
        EXPECT_EQ(catalog.Load(c.path), c.expected) << (c.path ? c.path : "null");
        ExpectEmpty();
        EXPECT_STREQ(catalog.InputPath(), c.path ? c.path : "");
        // A failed load leaves no error state behind for the next one.
        EXPECT_EQ(LoadLines({WorkedLine(), WorkedLine()}), 2);
    }
}

TEST_F(LoadTest, UnreadableFileIsAnError) {
    OpenDirToEveryone();
    const std::string path = WriteFile("locked.txt", WorkedLine() + "\n");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    const int status = tktest::RunFunction(
                           [&] {
                               StarCatalog other;
                               return other.Load(path.c_str()) == -1 && !other.IsLoaded() ? 0 : 1;
                           },
                           tktest::AsNobody())
                           .status;
    EXPECT_EQ(status, 0);
    // The same file readable loads: it is the permission that stopped it.
    ASSERT_EQ(chmod(path.c_str(), 0644), 0);
    const auto load = [&] { return StarCatalog().Load(path.c_str()); };
    EXPECT_EQ(tktest::RunFunction(load, tktest::AsNobody()).status, 1);
}

TEST_F(LoadTest, LoadingKeepsTheCriteria) {
    catalog.SetRaWest(5);
    catalog.SetDecNorth(10);
    catalog.SetMaxMagLimit(3.5);
    ASSERT_EQ(LoadLines({WorkedLine()}), 1);
    EXPECT_EQ(catalog.GetRaWest(), 5);
    EXPECT_EQ(catalog.GetDecNorth(), 10);
    EXPECT_EQ(catalog.GetMaxMagLimit(), 3.5f);
}

TEST_F(LoadTest, PathsLongerThan255CharactersAreHeldWhole) {
    std::string path = dir;
    for (int i = 0; i < 4; ++i) {
        path += "/" + std::string(100, static_cast<char>('a' + i));
        ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    }
    path += "/catalogue.txt";
    ASSERT_GT(path.size(), 400u);
    { std::ofstream(path, std::ios::binary) << WorkedLine() << "\n"; }
    EXPECT_EQ(catalog.Load(path.c_str()), 1);
    EXPECT_EQ(catalog.InputPath(), path);
}

TEST_F(LoadTest, LinesAcrossReadBlocksComeBackByteForByte) {
    // About 3 MB: several read blocks, with lines cut at every block edge.
    std::uint32_t state = 12345;
    std::string text;
    std::int32_t valid = 0;
    while (text.size() < (3u << 20)) {
        const std::string line = RandomStarLine(state);
        text += line + "\n";
        ++valid;
        if (state % 7 == 0) {
            text += "# not a star\n";
        }
    }
    ASSERT_EQ(LoadText(text), valid);
    ExpectListOfAll(valid);
    // Every valid line is stored as read, only blank-padded to 75.
    std::size_t start = 0;
    const StarRecord* r = catalog.FirstRecord();
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line[0] == '#') {
            continue;
        }
        ASSERT_NE(r, nullptr);
        line.resize(std::max<std::size_t>(line.size(), 75), ' ');
        ASSERT_EQ(std::string(r->line), line);
        r = r->next;
    }
}

TEST_F(LoadTest, ClearingResultsKeepsTheRecords) {
    ASSERT_EQ(LoadLines({WorkedLine(), WorkedLine()}), 2);
    const StarRecord* first = catalog.FirstRecord();
    catalog.ClearResults();
    EXPECT_EQ(catalog.ResultHead(), nullptr);
    EXPECT_EQ(catalog.Cursor(), nullptr);
    EXPECT_EQ(catalog.ResultTail(), nullptr);
    EXPECT_EQ(catalog.FirstRecord(), first);
    EXPECT_EQ(first->next->seq, 2);
    catalog.ClearRecords();
    EXPECT_EQ(catalog.FirstRecord(), nullptr);
}

TEST_F(LoadTest, BundledStarListLoadsWhole) {
    ASSERT_EQ(catalog.Load(VELMO_DATA_DIR "/bright-variable-stars.txt"), 4464);
    const StarRecord* r = catalog.FirstRecord();
    while (r != nullptr && std::string(r->name) != "      R And") {
        r = r->next;
    }
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->raHours, 0);
    EXPECT_EQ(r->raMinutes, 24);
    EXPECT_EQ(r->decDegrees, 38);
    EXPECT_STREQ(r->type, "M       ");
    EXPECT_EQ(r->maxMagnitude, 5.800000011920929);
    EXPECT_EQ(r->minMagnitude, 15.200000002980232);
    EXPECT_EQ(r->period, 409.2);
}

}  // namespace
