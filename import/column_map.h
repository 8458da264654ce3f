// SPDX-License-Identifier: GPL-3.0-or-later
// Which column of an imported table holds each part of a star, found once
// from the column names (and, where the format gives them, the columns'
// UCDs and units), and the texts of one star taken from one row.
//
// Columns are found by name, case not counting: for each part the first
// name of its list (the k...Headers lists in the .cpp) that a column has,
// unless the command line names the column itself; where no name matches,
// by UCD (kUcdRoles in the .cpp). A magnitude or period column may have flag
// columns: a column named like it with the prefix "l_", "u_", "f_", "n_" or
// "e_", and an unnamed or ")" column right after it. Their "(", ")", "<",
// ">" and ":" count as if written in the value itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "star_line.h"

namespace velmo::importing {

// Columns named on the command line (--name-column ...); empty: found by
// the usual names.
struct ColumnNames {
    std::string name, ra, dec, position, type, max, min, range, period, description;
};

// One column as the input describes it.
struct ColumnInfo {
    std::string name;  // trimmed
    std::string ucd;   // the column's UCD; empty when none
    std::string unit;  // empty when none
};

// True when `unit` says a plain decimal right ascension is in hours: "h",
// "hour", "hours", case not counting.
bool UnitIsHours(std::string_view unit);
// True for "deg", "degree", "degrees".
bool UnitIsDegrees(std::string_view unit);

// `value` with the flags `flags` (the texts of its flag columns run
// together) put where a value written with them has them: "(" and ")"
// around it, "<" or ">" before it, ":" after it, each only when the value
// lacks it. Other text in `flags` is ignored. An empty value stays empty.
void JoinFlags(std::string_view value, std::string_view flags, std::string* out);

class ColumnMap {
  public:
    // Finds the columns among `columns`. False when a needed column is
    // missing or a name of `names` names no column; *error then says which,
    // and which columns were seen. Needed: name, position, type, and a
    // maximum or a range.
    bool Find(const std::vector<ColumnInfo>& columns, const ColumnNames& names, std::string* error);

    // One line per optional column not found, for standard error.
    const std::vector<std::string>& Notes() const { return notes; }

    // Number of columns a row must have.
    std::size_t Width() const { return width; }
    // True when the column `index` is read: a value or a flag column.
    bool Uses(std::size_t index) const { return index < usedColumns.size() && usedColumns[index]; }

    // True when no field of the columns found holds a digit and the name
    // field is empty or dashes: a units or dashes line under the header.
    // `fields` has Width() entries.
    bool HoldsNoValue(const std::string_view* fields) const;
    // Takes the right ascension's unit from such a line.
    void ReadUnits(const std::string_view* fields);

    // In ";"-separated tables, a "," in a number is its decimal point.
    void SetDecimalComma(bool on) { decimalComma = on; }

    // The texts of one star from one row of Width() fields. They point into
    // `fields` or into this map, valid until the next call.
    void Fill(const std::string_view* fields, StarTexts* texts);

  private:
    enum Role {
        kName,
        kRa,
        kDec,
        kPosition,
        kType,
        kMax,
        kMin,
        kRange,
        kPeriod,
        kDescription,
        kRoles
    };
    // The column for `role`: the one named `override`, else the first of
    // `candidates` found, else one by UCD; -1 when none.
    int Pick(Role role, const std::string& override, const char* const* candidates);
    void FindFlags(Role role);
    // Find's steps. Each role that cannot be found adds what it looked for
    // to `missing` ("; " between them).
    static void Need(std::string* missing, const std::string& what);
    void FindRequired(Role role, const std::string& override, const char* const* candidates,
                      std::string* missing);
    void FindPosition(const ColumnNames& names, std::string* missing);
    void FindMagnitudes(const ColumnNames& names, std::string* missing);
    // usedColumns and raHours from the roles found.
    void MarkUsedColumns();
    // The message for columns named but absent and roles not found.
    std::string NotFoundText(const std::vector<ColumnInfo>& all, const std::string& missing) const;
    // The notes for a minimum or a period column not found.
    void NoteMissingOptionalColumns();
    std::string_view Value(Role role, const std::string_view* fields);

    const std::vector<ColumnInfo>* columns = nullptr;  // during Find only
    std::vector<bool> used;                            // during Find only
    std::vector<bool> usedColumns;                     // after Find
    std::string badOverride;
    std::vector<std::string> notes;
    std::size_t width = 0;
    int column[kRoles] = {};
    std::vector<int> flags[kRoles];
    std::string joined[kRoles];
    std::string flagText;
    bool decimalComma = false;
    bool raHours = false;
};

}  // namespace velmo::importing
