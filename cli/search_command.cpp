// SPDX-License-Identifier: GPL-3.0-or-later
#include "search_command.h"

#include <cstring>
#include <string>

#include "criteria.h"
#include "input_file.h"
#include "line_ends.h"
#include "options.h"
#include "output_target.h"
#include "result_walk.h"
#include "result_writer.h"
#include "search_options.h"
#include "search_usage_text.h"
#include "star_catalog.h"
#include "usage.h"

namespace velmo_cli {
namespace {

// Writes the result list in the chosen format and order, walking it with the
// cursor as the window does.
void WriteResults(StarCatalog& catalog, const SearchOptions& options, velmo::BlockWriter& out) {
    ResultRows rows(options.format);
    rows.WriteHeading(out);
    velmo::WalkResults(catalog, options.descending,
                       [&](const StarRecord& record) { rows.WriteRow(record, out); });
}

}  // namespace

void ResultRows::WriteHeading(velmo::BlockWriter& out) {
    if (format == OutputFormat::kCsv) {
        velmo::WriteCsvHeader(out);
    } else if (format == OutputFormat::kTable) {
        table.WriteHeader(out);
    }
}

void ResultRows::WriteRow(const StarRecord& record, velmo::BlockWriter& out) {
    switch (format) {
        case OutputFormat::kCsv:
            velmo::WriteCsvRow(out, record);
            break;
        case OutputFormat::kText:
            velmo::WriteTextRow(out, record);
            break;
        case OutputFormat::kTable:
            table.WriteRow(record, out);
            break;
    }
}

std::int32_t SearchCatalogue(StarCatalog& catalog, const SearchOptions& options) {
    // The engine loads regular files only: standard input is read through
    // a private copy.
    const bool fromStdin = IsStandardInput(options.catalogue);
    SpooledInput spooled;
    if (fromStdin && !spooled.Spool()) {
        return -1;
    }
    const char* load = fromStdin ? spooled.Path() : options.catalogue;
    const char* path = fromStdin ? kStandardInputLabel : options.catalogue;
    const std::string problem = InputProblem(load);
    const std::int32_t loaded = catalog.Load(load);
    if (loaded < 0) {
        PrintError(std::string(path) + ": " + (problem.empty() ? "cannot be read" : problem));
        return -1;
    }
    if (EndsLinesWithCarriageReturnsOnly(load)) {
        // The engine reads such a file as one line; say why so few stars.
        PrintError(std::string(path) + ": " + kCarriageReturnsOnly);
    }
    if (loaded == 0) {
        PrintError(std::string(path) + ": no star line in it (velmo-cli check lists its lines)");
        return -1;
    }
    if (!velmo::SetCriteria(catalog, options.criteria, !options.unspecified)) {
        PrintError(std::string(path) + ": the catalogue refused the criteria");
        return -1;
    }
    const std::int32_t matches = catalog.Search(!options.unspecified);
    if (matches < 0) {
        PrintError(std::string(path) + ": the search failed");
    }
    return matches;
}

int RunSearchCommand(int argc, char* argv[]) {
    SearchOptions options;
    if (!ParseSearchOptions(argc, argv, options)) {
        return kExitTrouble;
    }
    if (options.info != InfoRequest::kNone) {
        return AnswerInfoRequest(options.info, kSearchUsage);
    }

    // Opened first, so that an output that is the catalogue itself is
    // refused before anything is read.
    OutputTarget target;
    if (!target.Open(options.output, options.catalogue)) {
        return kExitTrouble;
    }
    StarCatalog catalog;
    const std::int32_t matches = SearchCatalogue(catalog, options);
    if (matches < 0) {
        return kExitTrouble;
    }

    if (options.countOnly) {
        const std::string line = std::to_string(matches) + "\n";
        target.Writer().Append(line.data(), line.size());
    } else {
        WriteResults(catalog, options, target.Writer());
    }
    if (!target.Finish()) {
        return kExitTrouble;
    }
    return matches > 0 ? kExitFound : kExitNothing;
}

}  // namespace velmo_cli
