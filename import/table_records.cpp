// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_records.h"

#include <charconv>
#include <cstring>

#include "decimal_text.h"

namespace velmo::importing {
namespace {

std::string Number(std::size_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

bool HasDigit(const std::vector<std::string_view>& fields) {
    for (const std::string_view field : fields) {
        for (const char c : field) {
            if (IsDigit(c)) return true;
        }
    }
    return false;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void RecordSplitter::Start() {
    text.clear();
    bounds.clear();
    fieldStart = 0;
    inQuote = false;
    blankSoFar = true;
    plain = false;
}

void RecordSplitter::SplitPlain(std::string_view line) {
    plain = true;
    fields.clear();
    for (std::size_t at = 0;;) {
        const std::size_t end = line.find(separator, at);
        fields.push_back(line.substr(at, end - at));
        if (end == std::string_view::npos) break;
        at = end + 1;
    }
    plainSize = line.size() - (fields.size() - 1);  // the separators are no field text
}

void RecordSplitter::Append(const char* from, const char* to) {
    text.append(from, static_cast<std::size_t>(to - from));  // append(from, to) costs far more
}

void RecordSplitter::EndField() {
    bounds.emplace_back(fieldStart, text.size());
    fieldStart = text.size();
    blankSoFar = true;
}

bool RecordSplitter::Add(std::string_view line) {
    if (!inQuote && bounds.empty() && line.find('"') == std::string_view::npos) {
        SplitPlain(line);
        return true;
    }
    const char* p = line.data();
    const char* const stop = p + line.size();
    while (p < stop) {
        if (inQuote) {
            // Up to the lone closing quote; "" stands for one quote.
            const char* quote =
                static_cast<const char*>(std::memchr(p, '"', static_cast<std::size_t>(stop - p)));
            if (quote == nullptr) {
                Append(p, stop);
                p = stop;
                break;
            }
            Append(p, quote);
            if (quote + 1 < stop && quote[1] == '"') {
                text.push_back('"');
                p = quote + 2;
            } else {
                inQuote = false;
                p = quote + 1;
            }
            continue;
        }
        const char* end =
            static_cast<const char*>(std::memchr(p, separator, static_cast<std::size_t>(stop - p)));
        if (end == nullptr) end = stop;
        if (blankSoFar) {
            const char* first = p;
            while (first < end && IsBlank(*first)) ++first;
            if (first < end && *first == '"') {
                text.resize(fieldStart);  // blanks before the opening quote do not count
                inQuote = true;
                blankSoFar = false;
                p = first + 1;
                continue;
            }
            blankSoFar = first == end;
        }
        Append(p, end);  // a quote inside an unquoted field is kept as it is
        p = end;
        if (end < stop) {
            EndField();
            ++p;
        }
    }
    if (inQuote) {
        text.push_back('\n');
        return false;
    }
    EndField();
    return true;
}

const std::vector<std::string_view>& RecordSplitter::Fields() {
    if (plain) {
        return fields;
    }
    fields.clear();
    for (const auto& [begin, end] : bounds) {
        fields.emplace_back(text.data() + begin, end - begin);
    }
    return fields;
}

bool SplitFields(std::string_view record, char separator, std::string* scratch,
                 std::vector<std::string_view>* fields) {
    RecordSplitter splitter(separator);
    splitter.Start();
    fields->clear();
    scratch->clear();
    if (!splitter.Add(record)) {
        return false;
    }
    const std::vector<std::string_view>& parts = splitter.Fields();
    std::size_t size = 0;
    for (const std::string_view part : parts) size += part.size();
    scratch->reserve(size);
    for (const std::string_view part : parts) {
        const std::size_t at = scratch->size();
        scratch->append(part.data(), part.size());
        fields->emplace_back(scratch->data() + at, part.size());
    }
    return true;
}

char DetectSeparator(std::string_view header) {
    std::size_t tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (const char c : header) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted) {
            tabs += c == '\t';
            semicolons += c == ';';
            commas += c == ',';
        }
    }
    if (tabs >= semicolons && tabs >= commas && tabs > 0) return '\t';
    if (semicolons >= commas && semicolons > 0) return ';';
    return ',';
}

TableReader::TableReader(velmo::LineReader* source, const ColumnNames& columnNames)
    : lines(source), names(columnNames) {
    lines->LimitLineLength(kMaxRecordBytes);
}

bool TableReader::NextLine(std::string_view* line) {
    const char* text = nullptr;
    std::size_t length = 0;
    const velmo::LineReader::Status status = lines->Next(text, length);
    if (status != velmo::LineReader::Status::kLine) {
        readFailed = status == velmo::LineReader::Status::kError;
        return false;
    }
    ++lineNumber;
    *line = std::string_view(text, length);
    return true;
}

bool TableReader::NextContentLine(std::string_view* line) {
    while (NextLine(line)) {
        if (lineNumber == 1 && line->substr(0, 3) == kByteOrderMark) {
            line->remove_prefix(3);
        }
        if (!line->empty() && (*line)[0] == '#') {
            continue;
        }
        if (!TrimBlanks(*line).empty() || lines->LineCut()) {
            return true;
        }
    }
    return false;
}

bool TableReader::ReadRecord(std::string_view line, std::string* why) {
    tooLong = false;
    splitter.Start();
    bool complete = splitter.Add(line);
    while (!complete && !lines->LineCut() && splitter.Size() <= kMaxRecordBytes &&
           lineNumber - rowLine + 1 < kMaxRecordLines) {
        if (!NextLine(&line)) {
            if (readFailed) {
                return false;
            }
            *why = "quote not closed before the end of the input";
            return false;
        }
        complete = splitter.Add(line);
    }
    if (complete && !lines->LineCut() && splitter.Size() <= kMaxRecordBytes) {
        return true;
    }
    tooLong = true;
    const std::size_t taken = lineNumber - rowLine + 1;
    if (taken == 1) {
        *why = "line longer than " + Number(kMaxRecordBytes) + " bytes, not read";
    } else {
        *why = "record of " + Number(taken) + " lines runs past " +
               (splitter.Size() > kMaxRecordBytes || lines->LineCut()
                    ? Number(kMaxRecordBytes) + " bytes"
                    : Number(kMaxRecordLines) + " lines") +
               " (a quote not closed?); its lines are not read";
    }
    return false;
}

std::string TableReader::Where() const { return Number(rowLine); }

bool TableReader::ReadHeader(std::string* error) {
    std::string_view line;
    if (!NextContentLine(&line)) {
        *error = "no header row: the input holds no line but blank lines and comments";
        return false;
    }
    const char separator = DetectSeparator(line);
    splitter.SetSeparator(separator);
    map.SetDecimalComma(separator == ';');
    rowLine = lineNumber;
    std::string why;
    if (!ReadRecord(line, &why)) {
        *error = "header row unreadable: " + why;
        return false;
    }
    std::vector<ColumnInfo> columns;
    for (const std::string_view field : splitter.Fields()) {
        const std::string_view name = TrimBlanks(field);
        columns.push_back(ColumnInfo{std::string(name), std::string(), std::string()});
    }
    if (!map.Find(columns, names, error)) {
        return false;
    }
    unitLinesLeft = 2;
    return true;
}

TableReader::Row TableReader::Next(StarTexts* texts, std::string* why) {
    std::string_view line;
    for (;;) {
        if (!NextContentLine(&line)) {
            return Row::kEnd;
        }
        rowLine = lineNumber;
        if (!ReadRecord(line, why)) {
            unitLinesLeft = 0;
            return readFailed ? Row::kEnd : Row::kMalformed;
        }
        const std::vector<std::string_view>& fields = splitter.Fields();
        if (fields.size() != map.Width()) {
            if (unitLinesLeft > 0 && !HasDigit(fields)) {
                --unitLinesLeft;
                continue;  // a units line with its empty last fields left out
            }
            unitLinesLeft = 0;
            *why =
                "row has " + Number(fields.size()) + " fields, the header " + Number(map.Width());
            return Row::kMalformed;
        }
        if (unitLinesLeft > 0) {
            --unitLinesLeft;
            if (map.HoldsNoValue(fields.data())) {
                map.ReadUnits(fields.data());
                continue;  // units or dashes under the header
            }
            unitLinesLeft = 0;
        }
        map.Fill(fields.data(), texts);
        return Row::kStar;
    }
}

}  // namespace velmo::importing
