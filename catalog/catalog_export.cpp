// Writing the result list: StarCatalog::SaveCsv and StarCatalog::SaveText.
#include <cstring>

#include "block_writer.h"
#include "number_format.h"
#include "star_catalog.h"

namespace velmo {
namespace {

constexpr char kCsvHeader[] = "Hr,Min,Deg,Name,Type,Range,Desc,Max,Min,Period\n";

// Longest CSV line: three integers, four text fields (11 + 8 + 14 + 20
// characters) with every character a doubled quote, three numbers, and the
// commas, quotes and line feed around them.
constexpr std::size_t kCsvLineMax =
    3 * kInt16TextMax + 2 * (11 + 8 + 14 + 20) + 3 * kGeneral6TextMax + 9 + 8 + 1;

// Appends a text field of `width` stored bytes inside double quotes, each
// double quote in it doubled.
inline char* AppendQuoted(char* out, const char* field, std::size_t width) {
    *out++ = '"';
    if (std::memchr(field, '"', width) == nullptr) {
        std::memcpy(out, field, width);
        out += width;
    } else {
        for (std::size_t i = 0; i < width; ++i) {
            if (field[i] == '"') {
                *out++ = '"';
            }
            *out++ = field[i];
        }
    }
    *out++ = '"';
    return out;
}

char* AppendCsvLine(char* out, const StarRecord& record) {
    out = FormatInt16(out, record.raHours);
    *out++ = ',';
    out = FormatInt16(out, record.raMinutes);
    *out++ = ',';
    out = FormatInt16(out, record.decDegrees);
    *out++ = ',';
    out = AppendQuoted(out, record.name, 11);
    *out++ = ',';
    out = AppendQuoted(out, record.type, 8);
    *out++ = ',';
    out = AppendQuoted(out, record.range, 14);
    *out++ = ',';
    out = AppendQuoted(out, record.description, 20);
    *out++ = ',';
    out = FormatGeneral6(out, record.maxMagnitude);
    *out++ = ',';
    out = FormatGeneral6(out, record.minMagnitude);
    *out++ = ',';
    out = FormatGeneral6(out, record.period);
    *out++ = '\n';
    return out;
}

}  // namespace
}  // namespace velmo

bool StarCatalog::OpenOutput(const char* path) {
    outputPath = path;
    if (outputStream.is_open()) {  // left open only by an allocation failure
        outputStream.close();
    }
    outputStream.clear();
    outputStream.open(outputPath, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!outputStream.is_open()) {
        outputStream.clear();
        return false;
    }
    return true;
}

bool StarCatalog::CloseOutput() {
    bool ok = outputStream.good();
    outputStream.close();  // sets failbit when the last flush or the close fails
    ok = ok && !outputStream.fail();
    outputStream.clear();
    return ok;
}

std::int32_t StarCatalog::SaveCsv(const char* path) { return WriteResults(path, true); }

std::int32_t StarCatalog::SaveText(const char* path) { return WriteResults(path, false); }

std::int32_t StarCatalog::WriteResults(const char* path, bool csv) {
    if (!loaded) {
        return 0;
    }
    if (path == nullptr || !OpenOutput(path)) {
        return -1;
    }
    std::int32_t count = 0;
    bool ok = false;
    {
        velmo::BlockWriter writer(outputStream);
        if (csv) {
            writer.Append(velmo::kCsvHeader, sizeof velmo::kCsvHeader - 1);
        }
        for (const ResultNode* node = resultHead; node != nullptr; node = node->next) {
            const StarRecord& record = *node->record;
            if (csv) {
                char* line = writer.Reserve(velmo::kCsvLineMax);
                writer.Commit(velmo::AppendCsvLine(line, record));
            } else {
                const auto length = static_cast<std::size_t>(record.lineLength);
                if (length < velmo::BlockWriter::kBlockSize) {
                    char* line = writer.Reserve(length + 1);
                    std::memcpy(line, record.line, length);
                    line[length] = '\n';
                    writer.Commit(line + length + 1);
                } else {
                    writer.Append(record.line, length);
                    writer.Append("\n", 1);
                }
            }
            ++count;
        }
        ok = writer.Finish();
    }
    ok = CloseOutput() && ok;
    return ok ? count : -1;
}
