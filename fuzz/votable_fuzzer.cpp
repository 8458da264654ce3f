// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as a VOTable for the import, its start
// handed over as already read (as the import does after looking at it) and
// the rest read from the file. Every row is decoded and its line built.
#include <unistd.h>

#include <algorithm>
#include <string_view>

#include "import_fuzzing.h"
#include "votable_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte says how much of the input counts as already read.
    const std::size_t head = size > 0 ? data[0] % 64 : 0;
    const std::size_t rest = size > 0 ? 1 : 0;
    const std::size_t taken = std::min(head, size - rest);
    const int fd = import_fuzzing::OpenInput(data + rest + taken, size - rest - taken);
    {
        velmo::importing::VotableReader reader(
            fd, std::string_view(reinterpret_cast<const char*>(data + rest), taken),
            velmo::importing::ColumnNames{});
        import_fuzzing::BuildEveryRow(&reader);
    }
    ::close(fd);
    return 0;
}
