// SPDX-License-Identifier: GPL-3.0-or-later
// StarCatalog: the catalogue engine. Loads a fixed-column catalogue of
// variable stars, searches it by sky area, magnitude and period, walks the
// matches with a cursor and writes them out as CSV or as catalogue lines.
//
// No user-interface dependency; no exceptions are thrown across this
// interface except std::bad_alloc when memory runs out. Outcomes are return
// codes: a count (0 or more) or -1.
//
// Units: right ascension in whole hours and minutes, declination in whole
// degrees (negative south), magnitudes in mag, periods in days.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "arena.h"
#include "atomic_file.h"

namespace velmo {
struct MatchCriteria;
struct Piece;
struct RecordChunk;
}  // namespace velmo

// One valid catalogue line and its decoded fields. Created by Load, owned by
// the StarCatalog that loaded it, never changed afterwards. The text fields
// are zero-terminated and always hold their full width, blanks included.
struct StarRecord {
    std::int32_t seq;         // 1 for the first valid line of the file, then 2, 3, ...
    char* line;               // the stored line: the line as read, filled with blanks to
                              // at least 75 characters, zero-terminated; lives in the
                              // same allocation as the record
    std::int32_t lineLength;  // characters in `line`, terminator not counted
    std::int16_t raHours;     // right ascension, hours (not range-checked)
    std::int16_t raMinutes;   // right ascension, minutes (not range-checked)
    std::int16_t decDegrees;  // declination, whole degrees, negative for south
    char name[12];            // positions 10-20, right-justified
    char type[9];             // positions 22-29
    char range[15];           // positions 32-45
    char description[21];     // positions 55-74
    double maxMagnitude;      // 0 when its digits are absent
    double minMagnitude;      // 0 when its digits are absent
    double period;            // days; 0 when its digits are absent
    StarRecord* next;         // next record in file order, null at the last
};

// One entry of the result list. Owned by the StarCatalog; `record` is borrowed.
struct ResultNode {
    std::int32_t position;  // 1 for the first node, then 2, 3, ...
    ResultNode* prev;       // null at the first node
    StarRecord* record;     // not owned
    ResultNode* next;       // null at the last node
};

// The catalogue.
//
// Ownership and invariants:
//  - owns every StarRecord (singly linked from firstRecord, file order, seq 1..n)
//    and every ResultNode (doubly linked from resultHead to resultTail,
//    catalogue order, position 1..n); each is a distinct object, but they
//    live in large blocks (arenas) that are released whole: records with
//    their stored lines in recordArena, in chunks of consecutive records
//    (from firstChunk, file order) that also keep the packed copy of the
//    searched fields; nodes in nodeArena;
//  - the memory of a released result list is handed out again by the next
//    ListAll or Search; Load unmaps it and builds the list of all records
//    in new blocks, the destructor unmaps all. So the nodes held never
//    outnumber the records;
//  - loaded     == (firstRecord != nullptr);
//  - hasResults == (resultHead != nullptr); then cursor is a node of the list,
//    otherwise resultHead, cursor and resultTail are null;
//  - atFirst / atLast are end-of-walk markers, see MoveFirst ... MovePrev;
//  - the catalogue file is open only during Load; the output file is
//    closed between operations.
//
// Not copyable: it owns raw nodes.
class StarCatalog {
  public:
    StarCatalog();
    ~StarCatalog();
    StarCatalog(const StarCatalog&) = delete;
    StarCatalog& operator=(const StarCatalog&) = delete;

    // ---- Loading --------------------------------------------------------
    // Discards the earlier catalogue and its result list (even when this load
    // fails), then reads `path`, keeping every line that passes the format
    // test. Returns the number of records loaded (>= 1; the result list then
    // holds every record with the cursor on the first), 0 when the file holds
    // no valid line, or -1 when it cannot be opened or read (a read error, a
    // path that is not a regular file: a directory, FIFO, device or socket,
    // also behind a symbolic link, is refused before it is opened, so a load
    // never blocks) or `path` is null; after 0 or -1 nothing is loaded.
    //
    // Lines end at a line feed; one carriage return before it is dropped.
    // Lines of any length are read and stored whole; `path` may be of any
    // length and is kept whole in InputPath(). The criteria are not touched.
    //
    // A large file is split at line boundaries into one piece per core,
    // decoded by as many threads at once and joined in file order; the
    // records, their seq and the result list are exactly those of one pass.
    // Load returns only when every thread has ended. When memory runs out
    // it throws std::bad_alloc, leaving nothing loaded and no memory held.
    std::int32_t Load(const char* path);

    // Rebuilds the result list from every record, in file order; cursor on
    // the first node, atFirst true, atLast false. Does nothing when nothing
    // is loaded. When memory runs out it throws std::bad_alloc, leaving the
    // records loaded and no result list (hasResults false).
    void ListAll();

    // Release the result list (hasResults becomes false) / the record list
    // (loaded becomes false; the result list goes first, since its nodes
    // point at the records). ClearResults takes constant time: the nodes'
    // memory is kept for the next ListAll or Search to build from.
    // ClearRecords unmaps the blocks of the records, a few calls however
    // many records there were. The criteria and paths are not touched.
    void ClearResults();
    void ClearRecords();

    // ---- Criteria -------------------------------------------------------
    // Each setter stores its value or, when the rule fails, silently keeps
    // the previous one:
    //   SetRaWest, SetRaEast      0 <= x <= 23
    //   SetDecSouth               -90 <= x <= 90 and x <= decNorth
    //   SetDecNorth               -90 <= x <= 90 and x >= decSouth
    //   SetPeriodLeast            x >= 0 and x <= periodMost
    //   SetPeriodMost             x > 0 and x >= periodLeast
    //   SetMinMagLimit, SetMaxMagLimit   x >= 0, stored as the nearest float
    void SetRaWest(std::int16_t hours);
    void SetRaEast(std::int16_t hours);
    void SetDecSouth(std::int16_t degrees);
    void SetDecNorth(std::int16_t degrees);
    void SetPeriodLeast(double days);
    void SetPeriodMost(double days);
    void SetMinMagLimit(double magnitude);
    void SetMaxMagLimit(double magnitude);

    std::int16_t GetRaWest() const;
    std::int16_t GetRaEast() const;
    std::int16_t GetDecSouth() const;
    std::int16_t GetDecNorth() const;
    double GetPeriodLeast() const;
    double GetPeriodMost() const;
    float GetMinMagLimit() const;
    float GetMaxMagLimit() const;

    // ---- Matching and search --------------------------------------------
    // Specific mode: inside the RA window and the declination band, with
    // minMagnitude >= minMagLimit, maxMagnitude <= maxMagLimit, periodLeast
    // <= period <= periodMost, and all three values non-zero.
    bool MatchesSpecific(const StarRecord& record) const;
    // Unspecified mode: inside the RA window and the declination band, with
    // maxMagnitude, minMagnitude and period all exactly 0.
    bool MatchesUnspecified(const StarRecord& record) const;

    // Replaces the result list with the matching records in catalogue order.
    // Returns the number of matches (cursor on the first, atFirst true,
    // atLast false; with 0 matches both flags are true), or -1 when nothing
    // is loaded (then nothing changes). When memory runs out it throws
    // std::bad_alloc, leaving the records loaded and no result list
    // (hasResults false).
    std::int32_t Search(bool specific);

    // ---- Cursor ---------------------------------------------------------
    // With a result list:
    //   MoveFirst: cursor on the first node; atFirst true, atLast false.
    //   MoveLast:  cursor on the last node;  atFirst false, atLast true.
    //   MoveNext:  atLast becomes true if and only if the cursor's node has no
    //              next (the cursor then stays); otherwise the cursor moves on.
    //              atFirst becomes false.
    //   MovePrev:  the mirror image of MoveNext.
    // Without a result list every move sets both atFirst and atLast to true,
    // so that any walk ends at once. A new catalogue reports both false.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrev();
    bool IsAtFirst() const;
    bool IsAtLast() const;

    // ---- Record under the cursor ----------------------------------------
    // Without a cursor: 0, 0.0 or "" (one constant empty string). The text
    // is the record's own stored field, valid until the next Load or the
    // destruction of the catalogue.
    std::int16_t CurrentRaHours() const;
    std::int16_t CurrentRaMinutes() const;
    std::int16_t CurrentDec() const;
    const char* CurrentName() const;         // 11 characters
    const char* CurrentType() const;         // 8 characters
    const char* CurrentRange() const;        // 14 characters
    double CurrentPeriod() const;            // days, 0 when not given
    const char* CurrentDescription() const;  // 20 characters

    // ---- Export ---------------------------------------------------------
    // Write the current result list, in catalogue order, to `path`. Return
    // the number of result lines written (the CSV header is not counted);
    // 0 when nothing is loaded or the last search matched nothing (then no
    // file is touched and OutputPath() is unchanged); -1 when `path` is null,
    // the file cannot be written or any write fails. Neither moves the cursor
    // nor changes the flags.
    //
    // An existing file is replaced only by a complete new one: the output
    // goes to a temporary file beside it, which is synced and then renamed
    // over it (see AtomicFile, which also says how links and devices are
    // treated). After -1 the file holds exactly what it held before. When
    // memory runs out they throw std::bad_alloc, with the temporary file
    // removed and the target as it was; the catalogue does not change.
    //
    // Every line ends with a single line feed. SaveCsv writes the header
    // "Hr,Min,Deg,Name,Type,Range,Desc,Max,Min,Period", then per result:
    // Hr,Min,Deg as decimal integers; Name, Type, Range and Desc as their
    // full stored width inside double quotes, a double quote inside doubled;
    // Max, Min, Period as printf("%g") gives them in the C locale, whatever
    // the process locale is. SaveText writes each result's stored `line`
    // byte for byte.
    std::int32_t SaveCsv(const char* path);
    std::int32_t SaveText(const char* path);

    // ---- State, for callers and tests -----------------------------------
    bool IsLoaded() const { return loaded; }
    bool HasResults() const { return hasResults; }
    const StarRecord* FirstRecord() const { return firstRecord; }
    const ResultNode* ResultHead() const { return resultHead; }
    const ResultNode* ResultTail() const { return resultTail; }
    const ResultNode* Cursor() const { return cursor; }
    const char* InputPath() const { return inputPath.c_str(); }
    const char* OutputPath() const { return outputPath.c_str(); }

  private:
    // Releases the result list and the records, and unmaps every block of
    // both arenas (ClearResults keeps the nodes' blocks for reuse): the
    // catalogue as it was new, but for the criteria and paths.
    void Discard();
    // Links the pieces' records and nodes in file order and takes over
    // their arenas; returns the number of records.
    std::int64_t JoinPieces(velmo::Piece* pieces, std::size_t count);

    // The criteria as the matching rules take them.
    velmo::MatchCriteria Criteria() const;
    // The body of SaveCsv (csv true) and SaveText (csv false).
    std::int32_t WriteResults(const char* path, bool csv);

    std::string inputPath;         // path last given to Load, held whole
    std::string outputPath;        // path last given to a save while loaded, held whole
    velmo::AtomicFile outputFile;  // open only during SaveCsv / SaveText, written in large blocks
    StarRecord* firstRecord = nullptr;
    ResultNode* resultHead = nullptr;
    ResultNode* cursor = nullptr;
    ResultNode* resultTail = nullptr;
    velmo::RecordChunk* firstChunk = nullptr;  // the chunks of the records, file order
    velmo::Arena recordArena;                  // records, stored lines, packed copy
    velmo::Arena nodeArena;                    // result nodes
    std::int16_t raWest = 0;
    std::int16_t raEast = 23;
    std::int16_t decSouth = -90;
    std::int16_t decNorth = 90;
    double periodLeast = 0.0;
    double periodMost = 10000.0;
    float minMagLimit = 6.0f;
    float maxMagLimit = 7.0f;
    bool loaded = false;
    bool hasResults = false;
    bool atFirst = false;
    bool atLast = false;

    static constexpr char kNoText[1] = "";  // the one empty text of the accessors
};

// ---- Cursor and accessors, inline: a walk calls them for every row and
// ---- field, and a call each would cost a third of the walk.

// Without a result list every move marks both ends, so that a walk in either
// direction stops at once, even before anything was loaded.
inline void StarCatalog::MoveFirst() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    cursor = resultHead;
    atFirst = true;
    atLast = false;
}

inline void StarCatalog::MoveLast() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    cursor = resultTail;
    atFirst = false;
    atLast = true;
}

inline void StarCatalog::MoveNext() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    atLast = cursor->next == nullptr;
    if (!atLast) {
        cursor = cursor->next;
    }
    atFirst = false;
}

inline void StarCatalog::MovePrev() {
    if (!hasResults) {
        atFirst = atLast = true;
        return;
    }
    atFirst = cursor->prev == nullptr;
    if (!atFirst) {
        cursor = cursor->prev;
    }
    atLast = false;
}

inline bool StarCatalog::IsAtFirst() const { return atFirst; }
inline bool StarCatalog::IsAtLast() const { return atLast; }

inline std::int16_t StarCatalog::CurrentRaHours() const {
    return cursor != nullptr ? cursor->record->raHours : std::int16_t{0};
}
inline std::int16_t StarCatalog::CurrentRaMinutes() const {
    return cursor != nullptr ? cursor->record->raMinutes : std::int16_t{0};
}
inline std::int16_t StarCatalog::CurrentDec() const {
    return cursor != nullptr ? cursor->record->decDegrees : std::int16_t{0};
}
inline const char* StarCatalog::CurrentName() const {
    return cursor != nullptr ? cursor->record->name : kNoText;
}
inline const char* StarCatalog::CurrentType() const {
    return cursor != nullptr ? cursor->record->type : kNoText;
}
inline const char* StarCatalog::CurrentRange() const {
    return cursor != nullptr ? cursor->record->range : kNoText;
}
inline double StarCatalog::CurrentPeriod() const {
    return cursor != nullptr ? cursor->record->period : 0.0;
}
inline const char* StarCatalog::CurrentDescription() const {
    return cursor != nullptr ? cursor->record->description : kNoText;
}
