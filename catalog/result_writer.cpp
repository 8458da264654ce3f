// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV and text rows of the exports.
#include "result_writer.h"

#include <cstring>

#include "number_format.h"

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

void WriteCsvHeader(BlockWriter& out) { out.Append(kCsvHeader, sizeof kCsvHeader - 1); }

void WriteCsvRow(BlockWriter& out, const StarRecord& record) {
    char* line = out.Reserve(kCsvLineMax);
    out.Commit(AppendCsvLine(line, record));
}

void WriteTextRow(BlockWriter& out, const StarRecord& record) {
    const auto length = static_cast<std::size_t>(record.lineLength);
    if (length < BlockWriter::kBlockSize) {
        char* line = out.Reserve(length + 1);
        std::memcpy(line, record.line, length);
        line[length] = '\n';
        out.Commit(line + length + 1);
    } else {
        out.Append(record.line, length);  // longer than a block: written whole
        out.Append("\n", 1);
    }
}

}  // namespace velmo
