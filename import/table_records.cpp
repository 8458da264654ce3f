#include "table_records.h"

#include <charconv>

#include "decimal_text.h"
#include "shown_text.h"

namespace velmo::importing {
namespace {

// The header names looked for, most wanted first.
constexpr const char* kNameHeaders[] = {"Name", "GCVS", "VarName", "Designation",
                                        "Star", "ID",   nullptr};
constexpr const char* kRaHeaders[] = {"RAJ2000", "_RAJ2000", "RA_ICRS", "RAdeg", "RA", nullptr};
constexpr const char* kDecHeaders[] = {"DEJ2000", "_DEJ2000", "DE_ICRS", "DEdeg",
                                       "Dec",     "DE",       nullptr};
constexpr const char* kPositionHeaders[] = {"Coords", "Coords(J2000)", "Position", nullptr};
constexpr const char* kTypeHeaders[] = {"Type", "VarType", "VarClass", "Class", nullptr};
constexpr const char* kMaxHeaders[] = {"max", "magMax", "MaxMag", nullptr};
constexpr const char* kMinHeaders[] = {"min", "Min1", "magMin", "MinMag", nullptr};
constexpr const char* kRangeHeaders[] = {"Mag", "Range", "Magnitude", nullptr};
constexpr const char* kPeriodHeaders[] = {"Period", "Per", "P", nullptr};
constexpr const char* kDescriptionHeaders[] = {"Description", "Desc", "Constellation", "Const",
                                               nullptr};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string ListOf(const char* const* names) {
    std::string text;
    for (const char* const* name = names; *name != nullptr; ++name) {
        text += (name == names ? "" : ", ");
        text += *name;
    }
    return text;
}

bool HasDigit(std::string_view text) {
    for (const char c : text) {
        if (IsDigit(c)) {
            return true;
        }
    }
    return false;
}

std::string Number(std::size_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool SplitFields(std::string_view record, char separator, std::string* scratch,
                 std::vector<std::string_view>* fields) {
    fields->clear();
    scratch->clear();
    // Unquoting never lengthens a field, so no append below moves the text
    // that `fields` points into.
    scratch->reserve(record.size());
    const char* base = scratch->data();
    std::size_t pos = 0;
    for (;;) {
        const std::size_t fieldStart = scratch->size();
        std::size_t at = pos;
        while (at < record.size() && IsBlank(record[at]) && record[at] != separator) {
            ++at;
        }
        if (at < record.size() && record[at] == '"') {
            // Quoted: up to the lone closing quote; "" stands for one quote.
            ++at;
            for (;;) {
                if (at >= record.size()) {
                    return false;  // the record goes on on the next line
                }
                if (record[at] == '"') {
                    if (at + 1 < record.size() && record[at + 1] == '"') {
                        scratch->push_back('"');
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                scratch->push_back(record[at++]);
            }
            // Anything between the closing quote and the separator is kept.
            while (at < record.size() && record[at] != separator) {
                scratch->push_back(record[at++]);
            }
        } else {
            at = pos;
            const std::size_t stop = record.find(separator, at);
            const std::size_t end = stop == std::string_view::npos ? record.size() : stop;
            scratch->append(record.data() + at, end - at);
            at = end;
        }
        fields->emplace_back(base + fieldStart, scratch->size() - fieldStart);
        if (at >= record.size()) {
            return true;
        }
        pos = at + 1;  // past the separator
    }
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

TableReader::TableReader(velmo::LineReader* lines, const ColumnNames& names)
    : lines(lines), names(names) {
    lines->LimitLineLength(kMaxLine);
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

bool TableReader::SplitRecord(std::string_view line, std::string* why) {
    if (lines->LineCut()) {
        *why = "line longer than " + Number(kMaxLine) + " bytes";
        return false;
    }
    if (SplitFields(line, separator, &scratch, &fields)) {
        return true;
    }
    pending.assign(line.data(), line.size());
    std::string_view more;
    while (NextLine(&more)) {
        pending += '\n';
        pending.append(more.data(), more.size());
        if (lines->LineCut() || pending.size() > kMaxLine) {
            *why = "quoted field longer than " + Number(kMaxLine) + " bytes";
            return false;
        }
        if (SplitFields(pending, separator, &scratch, &fields)) {
            return true;
        }
    }
    *why = "quote not closed before the end of the input";
    return false;
}

int TableReader::Find(const std::string& override, const char* const* candidates,
                      std::string* missing, bool required) {
    if (!override.empty()) {
        for (std::size_t i = 0; i < headers.size(); ++i) {
            if (EqualFolded(headers[i], override)) {
                return static_cast<int>(i);
            }
        }
        badOverride += (badOverride.empty() ? "" : ", ") + ShownText(override);
        return -1;
    }
    for (const char* const* name = candidates; *name != nullptr; ++name) {
        for (std::size_t i = 0; i < headers.size(); ++i) {
            if (EqualFolded(headers[i], *name)) {
                return static_cast<int>(i);
            }
        }
    }
    if (required && missing != nullptr) {
        *missing += (missing->empty() ? "" : "; ") + ListOf(candidates);
    }
    return -1;
}

bool TableReader::ReadHeader(std::string* error) {
    std::string_view line;
    if (!NextContentLine(&line)) {
        *error = "no header row: the input holds no line but blank lines and comments";
        return false;
    }
    separator = DetectSeparator(line);
    std::string why;
    if (!SplitRecord(line, &why)) {
        *error = "header row unreadable: " + why;
        return false;
    }
    headers.clear();
    for (const std::string_view field : fields) {
        const std::string_view name = TrimBlanks(field);
        headers.emplace_back(name.data(), name.size());
    }
    headerFields = headers.size();

    std::string missing;
    nameColumn = Find(names.name, kNameHeaders, &missing, true);

    // Position: two columns, or one holding both.
    if (!names.position.empty()) {
        positionColumn = Find(names.position, kPositionHeaders, nullptr, true);
    } else {
        raColumn = Find(names.ra, kRaHeaders, nullptr, false);
        decColumn = Find(names.dec, kDecHeaders, nullptr, false);
        if ((raColumn < 0 || decColumn < 0) && names.ra.empty() && names.dec.empty()) {
            positionColumn = Find("", kPositionHeaders, nullptr, false);
        }
        if (positionColumn < 0 && (raColumn < 0 || decColumn < 0)) {
            if (raColumn < 0) missing += (missing.empty() ? "" : "; ") + ListOf(kRaHeaders);
            if (decColumn < 0) missing += (missing.empty() ? "" : "; ") + ListOf(kDecHeaders);
            if (names.ra.empty() && names.dec.empty()) {
                missing += " (or one of " + ListOf(kPositionHeaders) + ")";
            }
        }
    }
    typeColumn = Find(names.type, kTypeHeaders, &missing, true);

    // Magnitudes: maximum and minimum columns, or one range column.
    if (!names.range.empty()) {
        rangeColumn = Find(names.range, kRangeHeaders, nullptr, true);
    } else {
        maxColumn = Find(names.max, kMaxHeaders, nullptr, false);
        if (maxColumn < 0 && names.max.empty()) {
            rangeColumn = Find("", kRangeHeaders, nullptr, false);
        }
        if (maxColumn < 0 && rangeColumn < 0 && names.max.empty()) {
            missing += (missing.empty() ? "" : "; ") + ListOf(kMaxHeaders) + " (or one of " +
                       ListOf(kRangeHeaders) + ")";
        }
        if (maxColumn >= 0 || !names.max.empty()) {
            minColumn = Find(names.min, kMinHeaders, nullptr, false);
        }
    }
    periodColumn = Find(names.period, kPeriodHeaders, nullptr, false);
    descriptionColumn = Find(names.description, kDescriptionHeaders, nullptr, false);

    if (!badOverride.empty() || !missing.empty()) {
        std::string seen;
        for (const std::string& header : headers) {
            seen += (seen.empty() ? "" : ", ") + ShownText(header);
        }
        error->clear();
        if (!badOverride.empty()) {
            *error = "no column named " + badOverride;
        }
        if (!missing.empty()) {
            *error += (error->empty() ? "" : "; ") + ("no column for: " + missing);
        }
        *error += "; headers seen: " + seen;
        return false;
    }
    if (maxColumn >= 0 && minColumn < 0) {
        notes.push_back("no minimum column (" + ListOf(kMinHeaders) + "): minima are left blank");
    }
    if (periodColumn < 0) {
        notes.push_back("no period column (" + ListOf(kPeriodHeaders) +
                        "): periods are left blank");
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
        if (!SplitRecord(line, why)) {
            unitLinesLeft = 0;
            return Row::kMalformed;
        }
        if (unitLinesLeft > 0) {
            --unitLinesLeft;
            if (!HasDigit(line)) {
                continue;  // units or dashes under the header
            }
            unitLinesLeft = 0;
        }
        if (fields.size() != headerFields) {
            *why =
                "row has " + Number(fields.size()) + " fields, the header " + Number(headerFields);
            return Row::kMalformed;
        }
        break;
    }
    *texts = StarTexts{};
    texts->name = fields[static_cast<std::size_t>(nameColumn)];
    if (positionColumn >= 0) {
        texts->position = fields[static_cast<std::size_t>(positionColumn)];
        texts->combinedPosition = true;
    } else {
        texts->ra = fields[static_cast<std::size_t>(raColumn)];
        texts->dec = fields[static_cast<std::size_t>(decColumn)];
    }
    texts->type = fields[static_cast<std::size_t>(typeColumn)];
    if (rangeColumn >= 0) {
        texts->range = fields[static_cast<std::size_t>(rangeColumn)];
        texts->rangeColumn = true;
    } else {
        texts->max = fields[static_cast<std::size_t>(maxColumn)];
        if (minColumn >= 0) texts->min = fields[static_cast<std::size_t>(minColumn)];
    }
    if (periodColumn >= 0) texts->period = fields[static_cast<std::size_t>(periodColumn)];
    if (descriptionColumn >= 0) {
        texts->description = fields[static_cast<std::size_t>(descriptionColumn)];
    }
    return Row::kStar;
}

}  // namespace velmo::importing
