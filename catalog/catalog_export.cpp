// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the result list: StarCatalog::SaveCsv and StarCatalog::SaveText.
#include "atomic_file.h"
#include "block_writer.h"
#include "result_writer.h"
#include "star_catalog.h"

std::int32_t StarCatalog::SaveCsv(const char* path) { return WriteResults(path, true); }

std::int32_t StarCatalog::SaveText(const char* path) { return WriteResults(path, false); }

std::int32_t StarCatalog::WriteResults(const char* path, bool csv) {
    // Nothing loaded, or nothing found: there is nothing to save, and an
    // existing file is worth more than an empty one.
    if (!loaded || !hasResults) {
        return 0;
    }
    if (path == nullptr) {
        return -1;
    }
    outputPath = path;
    std::int32_t count = 0;
    try {
        if (!outputFile.Open(outputPath)) {
            return -1;
        }
        velmo::BlockWriter writer(outputFile.Descriptor());
        if (csv) {
            velmo::WriteCsvHeader(writer);
        }
        for (const ResultNode* node = resultHead; node != nullptr; node = node->next) {
            if (csv) {
                velmo::WriteCsvRow(writer, *node->record);
            } else {
                velmo::WriteTextRow(writer, *node->record);
            }
            ++count;
        }
        if (!writer.Finish()) {
            outputFile.Abort();
            return -1;
        }
    } catch (...) {
        outputFile.Abort();  // out of memory: the target stays as it was
        throw;
    }
    return outputFile.Commit() ? count : -1;
}
