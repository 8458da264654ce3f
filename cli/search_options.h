// SPDX-License-Identifier: GPL-3.0-or-later
// The options of the search command: the window's eight criteria with its
// initial values and its boxes' ranges (criteria.h), the mode, the output
// format and the output file.
#pragma once

#include <getopt.h>

#include <cstdint>
#include <functional>

#include "criteria.h"
#include "usage.h"

namespace velmo_cli {

enum class OutputFormat { kCsv, kText, kTable };

struct SearchOptions {
    velmo::Criteria criteria;  // the window's initial values unless given
    bool unspecified = false;  // stars listed without magnitudes and period
    OutputFormat format = OutputFormat::kCsv;
    bool descending = false;       // last match first
    bool countOnly = false;        // only the number of matches
    const char* output = nullptr;  // -o FILE; null for standard output
    const char* catalogue = nullptr;
    InfoRequest info = InfoRequest::kNone;  // --help or --version: print that, nothing else
};

// What a command that builds on search (plan) adds to its options: long
// options of its own, with ids from kFirstMoreOption up, each handed to
// `read` (which prints its own message and returns false to refuse), and a
// --format name of its own beside csv, text and table.
constexpr int kFirstMoreOption = 512;
struct MoreOptions {
    const char* command = "search";  // the command's name, for messages
    const option* table = nullptr;   // ends with an entry of null name; or null
    std::function<bool(int id, const char* value)> read;
    const char* format = nullptr;  // e.g. "plan"; null for none
    bool formatChosen = false;     // set when the last --format named `format`
};

// Reads the options and the catalogue path from `argv` (argv[0] is the
// command's name), with the options of `more` beside search's when given.
// True when they are complete and valid; otherwise prints one message naming
// the option (and the allowed range) and returns false.
bool ParseSearchOptions(int argc, char* argv[], SearchOptions& options,
                        MoreOptions* more = nullptr);

}  // namespace velmo_cli
