// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_map.h"

#include "decimal_text.h"
#include "shown_text.h"

namespace velmo::importing {
namespace {

// The column names looked for, most wanted first.
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

// The UCD a column must carry to be taken for a part when no name matches:
// all of its ";"-separated words, in any order. The type is found apart.
constexpr const char* kUcdRoles[] = {
    "meta.id;meta.main",     // name
    "pos.eq.ra;meta.main",   // right ascension
    "pos.eq.dec;meta.main",  // declination
    nullptr,                 // position in one
    nullptr,                 // type: see IsTypeUcd
    "phot.mag;stat.max",     // maximum
    "phot.mag;stat.min",     // minimum
    nullptr,                 // range
    "time.period",           // period
    nullptr,                 // description
};

constexpr const char* kFlagPrefixes[] = {"l_", "u_", "f_", "n_", "e_"};

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

// True when the ";"-separated list `ucd` holds the word `word`.
bool HasUcdWord(std::string_view ucd, std::string_view word) {
    while (!ucd.empty()) {
        const std::size_t stop = ucd.find(';');
        if (EqualFolded(TrimBlanks(ucd.substr(0, stop)), word)) {
            return true;
        }
        if (stop == std::string_view::npos) {
            break;
        }
        ucd.remove_prefix(stop + 1);
    }
    return false;
}

bool HasUcdWords(std::string_view ucd, std::string_view words) {
    while (!words.empty()) {
        const std::size_t stop = words.find(';');
        if (!HasUcdWord(ucd, words.substr(0, stop))) {
            return false;
        }
        if (stop == std::string_view::npos) {
            break;
        }
        words.remove_prefix(stop + 1);
    }
    return true;
}

// A class or variability-type column: "meta.code.class" or a "src.var"
// word, but not a period or magnitude of a variable.
bool IsTypeUcd(std::string_view ucd) {
    if (HasUcdWord(ucd, "time.period") || HasUcdWord(ucd, "phot.mag")) {
        return false;
    }
    if (HasUcdWord(ucd, "meta.code.class")) {
        return true;
    }
    while (!ucd.empty()) {
        const std::size_t stop = ucd.find(';');
        const std::string_view word = TrimBlanks(ucd.substr(0, stop));
        if (word.size() >= 7 && EqualFolded(word.substr(0, 7), "src.var") &&
            (word.size() == 7 || word[7] == '.')) {
            return true;
        }
        if (stop == std::string_view::npos) {
            break;
        }
        ucd.remove_prefix(stop + 1);
    }
    return false;
}

}  // namespace

bool UnitIsHours(std::string_view unit) {
    unit = TrimBlanks(unit);
    return EqualFolded(unit, "h") || EqualFolded(unit, "hour") || EqualFolded(unit, "hours");
}

bool UnitIsDegrees(std::string_view unit) {
    unit = TrimBlanks(unit);
    return EqualFolded(unit, "deg") || EqualFolded(unit, "degree") || EqualFolded(unit, "degrees");
}

void JoinFlags(std::string_view value, std::string_view flags, std::string* out) {
    out->clear();
    value = TrimBlanks(value);
    if (value.empty()) {
        return;
    }
    const auto has = [](std::string_view text, char c) {
        return text.find(c) != std::string_view::npos;
    };
    const bool open = has(flags, '(') && value.front() != '(';
    // A bracket opened here or in the value is closed when the value does not.
    const bool close = (open || (value.front() == '(' && has(flags, ')'))) && !has(value, ')');
    const bool colon = has(flags, ':') && !has(value, ':');
    char limit = 0;
    if (value.front() != '<' && value.front() != '>' && value.front() != '(') {
        limit = has(flags, '<') ? '<' : has(flags, '>') ? '>' : 0;
    }
    if (open) out->push_back('(');
    if (limit != 0) out->push_back(limit);
    out->append(value.data(), value.size());
    if (colon) out->push_back(':');
    if (close) out->push_back(')');
}

int ColumnMap::Pick(Role role, const std::string& override, const char* const* candidates) {
    const std::vector<ColumnInfo>& all = *columns;
    int found = -1;
    if (!override.empty()) {
        for (std::size_t i = 0; i < all.size() && found < 0; ++i) {
            if (EqualFolded(all[i].name, override)) found = static_cast<int>(i);
        }
        if (found < 0) {
            badOverride += (badOverride.empty() ? "" : ", ") + ShownText(override);
        }
    } else {
        for (const char* const* name = candidates; *name != nullptr && found < 0; ++name) {
            for (std::size_t i = 0; i < all.size() && found < 0; ++i) {
                if (EqualFolded(all[i].name, *name)) found = static_cast<int>(i);
            }
        }
        for (std::size_t i = 0; i < all.size() && found < 0; ++i) {
            const std::string& ucd = all[i].ucd;
            if (used[i] || ucd.empty()) continue;
            if (role == kType ? IsTypeUcd(ucd)
                              : kUcdRoles[role] != nullptr && HasUcdWords(ucd, kUcdRoles[role])) {
                found = static_cast<int>(i);
            }
        }
    }
    if (found >= 0) {
        used[static_cast<std::size_t>(found)] = true;
    }
    column[role] = found;
    return found;
}

void ColumnMap::FindFlags(Role role) {
    flags[role].clear();
    const int value = column[role];
    if (value < 0) {
        return;
    }
    const std::vector<ColumnInfo>& all = *columns;
    const std::string& name = all[static_cast<std::size_t>(value)].name;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string& other = all[i].name;
        if (other.size() != name.size() + 2 || used[i]) continue;
        for (const char* prefix : kFlagPrefixes) {
            if (EqualFolded(std::string_view(other).substr(0, 2), prefix) &&
                EqualFolded(std::string_view(other).substr(2), name)) {
                flags[role].push_back(static_cast<int>(i));
                break;
            }
        }
    }
    const std::size_t next = static_cast<std::size_t>(value) + 1;
    if (next < all.size() && !used[next] && (all[next].name.empty() || all[next].name == ")")) {
        flags[role].push_back(static_cast<int>(next));
    }
}

bool ColumnMap::Find(const std::vector<ColumnInfo>& all, const ColumnNames& names,
                     std::string* error) {
    columns = &all;
    used.assign(all.size(), false);
    badOverride.clear();
    notes.clear();
    width = all.size();
    for (int& c : column) c = -1;

    // In this order: a column taken by one role is not offered by its UCD
    // to the next.
    std::string missing;
    FindRequired(kName, names.name, kNameHeaders, &missing);
    FindPosition(names, &missing);
    FindRequired(kType, names.type, kTypeHeaders, &missing);
    FindMagnitudes(names, &missing);
    Pick(kPeriod, names.period, kPeriodHeaders);
    Pick(kDescription, names.description, kDescriptionHeaders);
    for (const Role role : {kMax, kMin, kRange, kPeriod}) {
        FindFlags(role);
    }
    MarkUsedColumns();
    columns = nullptr;

    if (!badOverride.empty() || !missing.empty()) {
        *error = NotFoundText(all, missing);
        return false;
    }
    NoteMissingOptionalColumns();
    return true;
}

void ColumnMap::Need(std::string* missing, const std::string& what) {
    *missing += (missing->empty() ? "" : "; ") + what;
}

void ColumnMap::FindRequired(Role role, const std::string& override, const char* const* candidates,
                             std::string* missing) {
    if (Pick(role, override, candidates) < 0 && override.empty()) {
        Need(missing, ListOf(candidates));
    }
}

void ColumnMap::FindPosition(const ColumnNames& names, std::string* missing) {
    // Two columns, or one holding both.
    if (!names.position.empty()) {
        Pick(kPosition, names.position, kPositionHeaders);
        return;
    }
    const int ra = Pick(kRa, names.ra, kRaHeaders);
    const int dec = Pick(kDec, names.dec, kDecHeaders);
    int position = -1;
    if ((ra < 0 || dec < 0) && names.ra.empty() && names.dec.empty()) {
        position = Pick(kPosition, "", kPositionHeaders);
    }
    if (position < 0 && (ra < 0 || dec < 0)) {
        if (ra < 0) Need(missing, ListOf(kRaHeaders));
        if (dec < 0) Need(missing, ListOf(kDecHeaders));
        if (names.ra.empty() && names.dec.empty()) {
            *missing += " (or one of " + ListOf(kPositionHeaders) + ")";
        }
    }
    if (position >= 0) {
        column[kRa] = column[kDec] = -1;
    }
}

void ColumnMap::FindMagnitudes(const ColumnNames& names, std::string* missing) {
    // Maximum and minimum columns, or one range column.
    if (!names.range.empty()) {
        Pick(kRange, names.range, kRangeHeaders);
        return;
    }
    const int max = Pick(kMax, names.max, kMaxHeaders);
    if (max < 0 && names.max.empty()) {
        if (Pick(kRange, "", kRangeHeaders) < 0) {
            Need(missing, ListOf(kMaxHeaders) + " (or one of " + ListOf(kRangeHeaders) + ")");
        }
    }
    if (max >= 0 || !names.max.empty()) {
        Pick(kMin, names.min, kMinHeaders);
    }
}

void ColumnMap::MarkUsedColumns() {
    const std::vector<ColumnInfo>& all = *columns;
    usedColumns.assign(all.size(), false);
    for (int role = 0; role < kRoles; ++role) {
        if (column[role] >= 0) usedColumns[static_cast<std::size_t>(column[role])] = true;
        for (const int flag : flags[role]) usedColumns[static_cast<std::size_t>(flag)] = true;
    }
    const int raAt = column[kRa] >= 0 ? column[kRa] : column[kPosition];
    raHours = raAt >= 0 && UnitIsHours(all[static_cast<std::size_t>(raAt)].unit);
}

std::string ColumnMap::NotFoundText(const std::vector<ColumnInfo>& all,
                                    const std::string& missing) const {
    std::string seen;
    for (const ColumnInfo& info : all) {
        seen += (seen.empty() ? "" : ", ") + ShownText(info.name);
    }
    std::string text;
    if (!badOverride.empty()) {
        text = "no column named " + badOverride;
    }
    if (!missing.empty()) {
        text += (text.empty() ? "" : "; ") + ("no column for: " + missing);
    }
    text += "; headers seen: " + seen;
    return text;
}

void ColumnMap::NoteMissingOptionalColumns() {
    if (column[kMax] >= 0 && column[kMin] < 0) {
        notes.push_back("no minimum column (" + ListOf(kMinHeaders) + "): minima are left blank");
    }
    if (column[kPeriod] < 0) {
        notes.push_back("no period column (" + ListOf(kPeriodHeaders) +
                        "): periods are left blank");
    }
}

bool ColumnMap::HoldsNoValue(const std::string_view* fields) const {
    for (const int c : column) {
        if (c >= 0 && HasDigit(fields[c])) {
            return false;
        }
    }
    // A designation without digits ("R And") is a star's; under the name a
    // units line has nothing, a dashes line dashes.
    for (const char c : TrimBlanks(fields[column[kName]])) {
        if (c != '-' && c != '=') {
            return false;
        }
    }
    return true;
}

void ColumnMap::ReadUnits(const std::string_view* fields) {
    const int raAt = column[kRa] >= 0 ? column[kRa] : column[kPosition];
    if (raAt < 0) {
        return;
    }
    if (UnitIsHours(fields[raAt])) {
        raHours = true;
    } else if (UnitIsDegrees(fields[raAt])) {
        raHours = false;
    }
}

std::string_view ColumnMap::Value(Role role, const std::string_view* fields) {
    const int c = column[role];
    if (c < 0) {
        return std::string_view();
    }
    const std::string_view field = fields[c];
    const bool numeric = role != kName && role != kType && role != kDescription;
    const bool comma = decimalComma && numeric && field.find(',') != std::string_view::npos;
    if (flags[role].empty() && !comma) {
        return field;
    }
    std::string& out = joined[role];
    if (flags[role].empty()) {
        out.assign(field.data(), field.size());
    } else {
        flagText.clear();
        for (const int flag : flags[role]) {
            flagText.append(fields[flag].data(), fields[flag].size());
        }
        JoinFlags(field, flagText, &out);
    }
    if (comma) {
        for (char& character : out) {
            if (character == ',') character = '.';
        }
    }
    return out;
}

void ColumnMap::Fill(const std::string_view* fields, StarTexts* texts) {
    *texts = StarTexts{};
    texts->name = Value(kName, fields);
    if (column[kPosition] >= 0) {
        texts->position = Value(kPosition, fields);
        texts->combinedPosition = true;
    } else {
        texts->ra = Value(kRa, fields);
        texts->dec = Value(kDec, fields);
    }
    texts->raHours = raHours;
    texts->type = Value(kType, fields);
    if (column[kRange] >= 0) {
        texts->range = Value(kRange, fields);
        texts->rangeColumn = true;
    } else {
        texts->max = Value(kMax, fields);
        texts->min = Value(kMin, fields);
    }
    texts->period = Value(kPeriod, fields);
    texts->description = Value(kDescription, fields);
}

}  // namespace velmo::importing
