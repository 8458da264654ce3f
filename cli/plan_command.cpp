// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan_command.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "night.h"
#include "options.h"
#include "output_target.h"
#include "plan_options.h"
#include "plan_table.h"
#include "plan_usage_text.h"
#include "result_walk.h"
#include "search_command.h"
#include "sky_frame.h"
#include "star_visibility.h"
#include "usage.h"

namespace velmo_cli {
namespace {

struct KeptStar {
    const StarRecord* record;
    StarHours hours;
};

// Writes the kept stars in the chosen form: their number, the plan format,
// or one of search's formats.
class KeptStarWriter {
  public:
    KeptStarWriter(const PlanOptions& chosen, const LocalClock& clock, velmo::BlockWriter& output)
        : options(chosen), out(output), plan(clock), rows(chosen.search.format) {}

    void WriteHeading(const NightSummary& summary) {
        if (options.search.countOnly) return;
        if (options.planFormat) {
            plan.WriteHeader(summary, out);
        } else {
            rows.WriteHeading(out);
        }
    }

    void Write(const KeptStar& star) {
        ++count;
        if (options.search.countOnly) return;
        if (options.planFormat) {
            plan.WriteRow(*star.record, star.hours, out);
        } else {
            rows.WriteRow(*star.record, out);
        }
    }

    // Ends the output: the number, for --count. Returns the number of stars.
    std::size_t Finish() {
        if (options.search.countOnly) {
            const std::string line = std::to_string(count) + "\n";
            out.Append(line.data(), line.size());
        }
        return count;
    }

  private:
    const PlanOptions& options;
    velmo::BlockWriter& out;
    PlanTable plan;
    ResultRows rows;
    std::size_t count = 0;
};

// Stars are judged a block at a time, the block shared among the cores, so
// that a catalogue where most stars match costs little more than its
// search; a block bounds the memory whatever the number of matches.
constexpr std::size_t kBlockStars = std::size_t{1} << 16;
// A block smaller than this is judged on the calling thread alone.
constexpr std::size_t kStarsWorthAThread = 4096;

// Judges every star of `block`: keep[i] is 1 when the night lets one
// observe block[i], whose hours are then filled in. Keep() reads only
// what the night fixed, so the stars can be judged on several threads.
void JudgeBlock(const StarVisibility& visibility, std::vector<KeptStar>& block,
                std::vector<unsigned char>& keep, unsigned workers) {
    keep.assign(block.size(), 0);
    const auto judge = [&visibility, &block, &keep](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            const StarRecord& record = *block[i].record;
            keep[i] =
                visibility.Keep(record.raHours, record.raMinutes, record.decDegrees, block[i].hours)
                    ? 1
                    : 0;
        }
    };
    const std::size_t count = block.size();
    if (workers < 2 || count < kStarsWorthAThread) {
        judge(0, count);
        return;
    }
    const std::size_t share = (count + workers - 1) / workers;
    std::vector<std::thread> threads;
    threads.reserve(workers - 1);
    for (unsigned w = 1; w < workers; ++w) {
        const std::size_t first = std::min(count, w * share);
        const std::size_t last = std::min(count, first + share);
        if (first == last) break;
        try {
            threads.emplace_back(judge, first, last);
        } catch (const std::system_error&) {
            judge(first, last);  // no thread to be had: this one does the share
        }
    }
    judge(0, std::min(count, share));
    for (std::thread& thread : threads) thread.join();
}

// Hands each of the search's matches that the night lets one observe to
// `take`, in the order of the walk over the result list, forwards or
// backwards: the same stars in the same order as one pass would give.
template <typename Take>
void EachKeptStar(StarCatalog& catalog, const StarVisibility& visibility, bool backwards,
                  Take take) {
    const unsigned workers = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<KeptStar> block;
    std::vector<unsigned char> keep;
    block.reserve(kBlockStars);
    const auto flush = [&]() {
        JudgeBlock(visibility, block, keep, workers);
        for (std::size_t i = 0; i < block.size(); ++i) {
            if (keep[i] != 0) take(block[i]);
        }
        block.clear();
    };
    velmo::WalkResults(catalog, backwards, [&](const StarRecord& record) {
        block.push_back(KeptStar{&record, StarHours{}});
        if (block.size() == kBlockStars) flush();
    });
    if (!block.empty()) flush();
}

// The member of StarHours that --sort names.
std::int64_t StarHours::*SortKey(PlanSort sort) {
    switch (sort) {
        case PlanSort::kTo:
            return &StarHours::to;
        case PlanSort::kBest:
            return &StarHours::best;
        case PlanSort::kFrom:
        case PlanSort::kCatalogue:
            break;
    }
    return &StarHours::from;
}

// Writes the kept stars in the chosen order. Catalogue order, either way,
// streams from the result list a block at a time; the other orders gather
// the kept stars first and sort them, ties in catalogue order, reversed for
// --descending.
void WriteKeptStars(StarCatalog& catalog, std::int32_t matches, const StarVisibility& visibility,
                    const PlanOptions& options, KeptStarWriter& writer) {
    const bool descending = options.search.descending;
    if (options.sort == PlanSort::kCatalogue) {
        EachKeptStar(catalog, visibility, descending,
                     [&writer](const KeptStar& star) { writer.Write(star); });
        return;
    }
    std::vector<KeptStar> kept;
    kept.reserve(static_cast<std::size_t>(matches));
    EachKeptStar(catalog, visibility, false,
                 [&kept](const KeptStar& star) { kept.push_back(star); });
    const auto key = SortKey(options.sort);
    std::stable_sort(kept.begin(), kept.end(), [key](const KeptStar& a, const KeptStar& b) {
        return a.hours.*key < b.hours.*key;
    });
    if (descending) std::reverse(kept.begin(), kept.end());
    for (const KeptStar& star : kept) writer.Write(star);
}

}  // namespace

int RunPlanCommand(int argc, char* argv[]) {
    PlanOptions options;
    if (!ParsePlanOptions(argc, argv, options)) {
        return kExitTrouble;
    }
    if (options.search.info != InfoRequest::kNone) {
        return AnswerInfoRequest(options.search.info, kPlanUsage);
    }
    // Opened first, so that an output that is the catalogue itself is
    // refused before anything is read. Nothing is written before the night
    // is known, so a night without darkness leaves the target as it was.
    OutputTarget target;
    if (!target.Open(options.search.output, options.search.catalogue)) {
        return kExitTrouble;
    }
    StarCatalog catalog;
    const std::int32_t matches = SearchCatalogue(catalog, options.search);
    if (matches < 0) {
        return kExitTrouble;
    }

    LocalClock clock(options.utc);
    NightSummary summary;
    summary.date = options.dateGiven ? options.date : clock.Today();
    summary.site = options.site;
    summary.twilight = options.twilight;
    const double noon = static_cast<double>(clock.Noon(summary.date, 0));
    const double nextNoon = static_cast<double>(clock.Noon(summary.date, 1));
    const SkyFrame sky(options.site, (noon + nextNoon) / 2);
    summary.night = FindNight(sky, noon, nextNoon, TwilightAltitude(options.twilight));
    if (!summary.night.dark) {
        PrintError(std::string("no ") + TwilightName(options.twilight) +
                   " darkness at this site on " + DateText(summary.date));
        return kExitNothing;
    }
    summary.moonLit = sky.MoonLitFraction((summary.night.start + summary.night.end) / 2);
    clock.HoldOffset(static_cast<std::int64_t>(std::floor(summary.night.start)) - 60,
                     static_cast<std::int64_t>(std::ceil(summary.night.end)) + 60);

    const StarVisibility visibility(sky, clock, summary.night, options.minAltitude,
                                    options.minHours);
    KeptStarWriter writer(options, clock, target.Writer());
    writer.WriteHeading(summary);
    WriteKeptStars(catalog, matches, visibility, options, writer);
    const std::size_t kept = writer.Finish();
    if (!target.Finish()) {
        return kExitTrouble;
    }
    return kept > 0 ? kExitFound : kExitNothing;
}

}  // namespace velmo_cli
