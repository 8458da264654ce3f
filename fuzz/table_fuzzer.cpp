// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as a table (CSV, TSV, ";") for the
// import. Every row is split, its columns found and its line built.
#include <unistd.h>

#include "import_fuzzing.h"
#include "line_reader.h"
#include "table_records.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int fd = import_fuzzing::OpenInput(data, size);
    {
        velmo::LineReader lines(fd);
        velmo::importing::TableReader reader(&lines, velmo::importing::ColumnNames{});
        import_fuzzing::BuildEveryRow(&reader);
    }
    ::close(fd);
    return 0;
}
