// SPDX-License-Identifier: GPL-3.0-or-later
// What the import fuzzers share: the input written to a private file, and
// every row a reader gives built into a catalogue line that must pass the
// engine's format test. A broken promise aborts, so the fuzzer reports it
// like a crash.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "line_format.h"
#include "row_reader.h"
#include "star_line.h"

namespace import_fuzzing {

inline void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

// Writes `data` to a private file and opens it for reading; the file is
// gone once the descriptor is closed.
inline int OpenInput(const std::uint8_t* data, std::size_t size) {
    std::string path = (std::filesystem::temp_directory_path() / "velmo-fuzz-XXXXXX").string();
    const int fd = mkstemp(path.data());
    Check(fd >= 0, "cannot create a temporary file");
    ::unlink(path.c_str());
    for (std::size_t done = 0; done < size;) {
        const ssize_t written = ::write(fd, data + done, size - done);
        Check(written > 0, "cannot write the temporary file");
        done += static_cast<std::size_t>(written);
    }
    Check(::lseek(fd, 0, SEEK_SET) == 0, "cannot rewind the temporary file");
    return fd;
}

// Reads every row, with and without explanations, and checks each line.
inline void BuildEveryRow(velmo::importing::RowReader* reader) {
    using namespace velmo::importing;
    std::string error;
    if (!reader->ReadHeader(&error)) {
        Check(!error.empty() || reader->ReadFailed(), "a failed header says why");
        return;
    }
    StarLineBuilder quiet(false, false);
    StarLineBuilder verbose(true, true);
    StarTexts texts;
    StarOutcome outcome;
    std::string why;
    char line[kImportLineLength];
    for (;;) {
        const RowReader::Row row = reader->Next(&texts, &why);
        if (row == RowReader::Row::kEnd) break;
        if (row == RowReader::Row::kMalformed) {
            Check(!why.empty(), "a malformed row says why");
            continue;
        }
        for (StarLineBuilder* builder : {&quiet, &verbose}) {
            if (builder->Build(texts, line, &outcome)) {
                Check(line[kImportLineLength - 1] == '\n', "a line ends with a line feed");
                Check(velmo::PassesFormatTest(line, kImportLineLength - 1),
                      "a written line passes the format test");
            } else {
                Check(outcome.skip != SkipReason::kCount, "a skipped star has a reason");
            }
        }
        reader->Where();
    }
}

}  // namespace import_fuzzing
