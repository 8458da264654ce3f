// SPDX-License-Identifier: GPL-3.0-or-later
// A file split into pieces and decoded by several threads gives exactly the
// records, seq numbers and result list of one pass, whatever falls on a
// piece boundary; and a search over the packed copy of the compared fields
// picks exactly the records that the record predicates accept.
#include <string>
#include <vector>

#include "catalog_fixture.h"
#include "line_layout.h"
#include "load_splitting.h"

namespace {

class ParallelLoadTest : public CatalogTest {
  protected:
    void TearDown() override {
        velmo::ResetLoadSplitting();
        CatalogTest::TearDown();
    }

    // Loads `text` in one pass and split into 2, 3, 5 and 16 pieces (small
    // files included), and checks every split load against the one pass.
    void ExpectSameInEveryPieceCount(const std::string& text) {
        const std::string path = WriteFile("catalog.txt", text);
        velmo::SetLoadSplitting(1, 0);
        const std::int32_t count = catalog.Load(path.c_str());
        const std::vector<RecordCopy> expected = CopyRecords(catalog);
        ASSERT_EQ(static_cast<std::int32_t>(expected.size()), count > 0 ? count : 0);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(expected[i].seq, static_cast<std::int32_t>(i + 1));
        }
        for (const unsigned pieces : {2u, 3u, 5u, 16u}) {
            velmo::SetLoadSplitting(pieces, 0);
            ASSERT_EQ(catalog.Load(path.c_str()), count) << pieces << " pieces";
            ASSERT_EQ(CopyRecords(catalog), expected) << pieces << " pieces";
            // The result list of the load: every record, positions 1 ... n.
            const std::vector<std::int32_t> seqs = ResultSeqs(catalog);
            ASSERT_EQ(seqs.size(), expected.size());
            std::int32_t position = 0;
            for (const ResultNode* n = catalog.ResultHead(); n != nullptr; n = n->next) {
                ASSERT_EQ(n->position, ++position);
                ASSERT_EQ(n->record->seq, position);
            }
            ASSERT_EQ(Walk(false).size(), expected.size());
        }
    }
};

TEST_F(ParallelLoadTest, RandomCataloguesLoadTheSameInAnyNumberOfPieces) {
    std::uint32_t state = 777;
    for (int file = 0; file < 12; ++file) {
        std::string text;
        const int lines = 1 + static_cast<int>(state % 400);
        for (int i = 0; i < lines; ++i) {
            std::string line = RandomStarLine(state);
            switch (state % 11) {
                case 0:
                    line = "# a title, not a star";
                    break;
                case 1:
                    line += std::string(state % 300, 'x');  // longer than a slot holds
                    break;
                case 2:
                    line.clear();
                    break;
                case 3:
                    line.resize(22);  // one character short of valid
                    break;
                default:
                    break;
            }
            text += line + (file % 3 == 1 ? "\r\n" : "\n");
        }
        if (file % 4 == 3) {
            text.pop_back();  // the last line without its line feed
        }
        SCOPED_TRACE("file " + std::to_string(file));
        ExpectSameInEveryPieceCount(text);
    }
}

TEST_F(ParallelLoadTest, EdgeCasesAtPieceBoundariesLoadTheSame) {
    const std::string star = WorkedLine();
    const std::string longStar =
        WithColumn(star, velmo::line_layout::kLineWidth, std::string(20000, 'L'));
    const std::vector<std::string> files = {
        "",
        "\n\n\n\n\n\n",
        star,                                         // one line, no line feed
        star + "\n",                                  // one line
        longStar + "\n" + star + "\n" + star + "\n",  // a long line covering every share
        star + "\n" + longStar,                       // a long last line without line feed
        star + "\r\n" + star + "\r\n" + star + "\r\n" + star + "\r",  // CR-LF, stray last CR
        std::string(5000, '\n') + star + "\n",
        star + "\n" + std::string(100, '\r') + "\n" + star + "\n",
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        ExpectSameInEveryPieceCount(files[i]);
    }
    // Every possible boundary position inside a short CR-LF catalogue.
    std::string crlf;
    for (int i = 0; i < 7; ++i) {
        crlf += WithColumn(star, 0, std::to_string(10 + i)) + "\r\n";
    }
    for (unsigned pieces = 2; pieces <= 40; ++pieces) {
        velmo::SetLoadSplitting(pieces, 0);
        const std::string path = WriteFile("crlf.txt", crlf);
        ASSERT_EQ(catalog.Load(path.c_str()), 7);
        std::int32_t seq = 0;
        for (const StarRecord* r = catalog.FirstRecord(); r != nullptr; r = r->next) {
            ASSERT_EQ(r->seq, ++seq);
            ASSERT_EQ(r->raHours, 10 + seq - 1) << pieces << " pieces";
            ASSERT_EQ(std::string(r->line), WithColumn(star, 0, std::to_string(10 + seq - 1)));
        }
    }
}

TEST_F(ParallelLoadTest, SearchPicksExactlyTheRecordsThePredicatesAccept) {
    std::uint32_t state = 4242;
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += RandomStarLine(state) + "\n";
    }
    velmo::SetLoadSplitting(3, 0);
    ASSERT_EQ(LoadText(text), 3000);
    const std::vector<RecordCopy> records = CopyRecords(catalog);
    std::size_t matches = 0;
    for (int round = 0; round < 200; ++round) {
        // Limits drawn from the records' own values too, to hit every bound.
        const RecordCopy& sample = records[state % records.size()];
        catalog.SetRaWest(static_cast<std::int16_t>(state % 24));
        state = state * 1103515245u + 12345u;
        catalog.SetRaEast(static_cast<std::int16_t>(state % 24));
        catalog.SetDecSouth(-90);
        catalog.SetDecNorth(static_cast<std::int16_t>(static_cast<int>(state % 181) - 90));
        catalog.SetDecSouth(static_cast<std::int16_t>(sample.decDegrees - 20));
        catalog.SetMinMagLimit(round % 2 ? sample.minMagnitude : (state % 1500) / 100.0);
        catalog.SetMaxMagLimit(round % 3 ? sample.maxMagnitude : (state % 1700) / 100.0);
        catalog.SetPeriodLeast(0.0);
        catalog.SetPeriodMost(round % 5 ? sample.period + 50.0 : 1e9);
        catalog.SetPeriodLeast(round % 4 ? sample.period : 0.0);
        const bool specific = round % 7 != 0;
        std::vector<std::int32_t> expected;
        for (const StarRecord* r = catalog.FirstRecord(); r != nullptr; r = r->next) {
            if (specific ? catalog.MatchesSpecific(*r) : catalog.MatchesUnspecified(*r)) {
                expected.push_back(r->seq);
            }
        }
        const std::int32_t found = catalog.Search(specific);
        ASSERT_EQ(found, static_cast<std::int32_t>(expected.size())) << "round " << round;
        ASSERT_EQ(ResultSeqs(catalog), expected) << "round " << round;
        matches += expected.size();
        state = state * 1103515245u + 12345u;
    }
    EXPECT_GT(matches, 2000u) << "the criteria hardly ever matched";
}

}  // namespace
