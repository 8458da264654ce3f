// SPDX-License-Identifier: GPL-3.0-or-later
#include "fits_reader.h"

#include <fitsio.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>

#include "binary_text.h"
#include "decimal_text.h"
#include "shown_text.h"

namespace velmo::importing {
namespace {

// Rows read at a time at most, and the bytes a chunk of the columns read
// may take.
constexpr long kChunkRows = 10000;
constexpr long long kChunkBytes = 8ll << 20;
// The most one cell of a row may take.
constexpr long long kMaxCellBytes = 1ll << 20;

// CFITSIO's words for `status`, its message stack then cleared.
std::string FitsError(int status) {
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    fits_clear_errmsg();
    return std::string(text) + " (CFITSIO status " +
           NumberText(static_cast<std::uint64_t>(status)) + ")";
}

}  // namespace

struct FitsReader::State {
    std::string path;
    ColumnNames names;
    ColumnMap map;
    fitsfile* file = nullptr;
    std::string fault;

    struct Column {
        enum Read { kSkip, kString, kInteger, kFloat, kDouble } read = kSkip;
        long long repeat = 1;    // elements a row
        long long width = 0;     // characters of a string
        std::vector<char> text;  // a chunk of strings, width + 1 bytes each
        std::vector<char*> strings;
        std::vector<long long> integers;
        std::vector<float> floats;
        std::vector<double> doubles;
        std::vector<char> nulls;
        // Stored as floating point: NaN is the null, and the FITS library's
        // null check, which would also turn -0.0 and the smallest values
        // into +0, is left out.
        bool storedFloating = false;
    };
    std::vector<Column> columns;
    long long rows = 0;
    long long next = 0;        // row to hand out next, from 0
    long long chunkFirst = 0;  // first row of the chunk read
    long long chunkRows = 0;   // rows in it
    long long chunkLimit = 1;  // rows a chunk may have
    long long where = 0;

    std::string cells;
    std::vector<std::pair<std::size_t, std::size_t>> bounds;
    std::vector<std::string_view> view;

    bool Open(std::string* error);
    bool ReadChunk(long long first);
    void Cell(const Column& column, long long row);
};

bool FitsReader::State::Open(std::string* error) {
    int status = 0;
    // A disk file, never CFITSIO's extended file names ("x.fits[1]", "-").
    if (fits_open_diskfile(&file, path.c_str(), READONLY, &status) != 0) {
        file = nullptr;
        *error = "not a readable FITS file: " + FitsError(status);
        return false;
    }
    int hdus = 0;
    if (fits_get_num_hdus(file, &hdus, &status) != 0) {
        *error = "not a readable FITS file: " + FitsError(status);
        return false;
    }
    bool found = false;
    for (int hdu = 2; hdu <= hdus && !found; ++hdu) {
        int type = 0;
        if (fits_movabs_hdu(file, hdu, &type, &status) != 0) {
            *error = "FITS extension " + NumberText(static_cast<std::uint64_t>(hdu - 1)) +
                     " unreadable: " + FitsError(status);
            return false;
        }
        found = type == BINARY_TBL;
    }
    if (!found) {
        *error = "no binary table in the FITS file";
        return false;
    }
    int count = 0;
    if (fits_get_num_rowsll(file, &rows, &status) != 0 ||
        fits_get_num_cols(file, &count, &status) != 0) {
        *error = "FITS table unreadable: " + FitsError(status);
        return false;
    }
    std::vector<ColumnInfo> infos(static_cast<std::size_t>(count));
    columns.assign(static_cast<std::size_t>(count), Column{});
    for (int i = 0; i < count; ++i) {
        ColumnInfo& info = infos[static_cast<std::size_t>(i)];
        Column& column = columns[static_cast<std::size_t>(i)];
        for (const bool unit : {false, true}) {
            char key[FLEN_KEYWORD];
            char value[FLEN_VALUE] = {};
            fits_make_keyn(unit ? "TUNIT" : "TTYPE", i + 1, key, &status);
            if (fits_read_key(file, TSTRING, key, value, nullptr, &status) == KEY_NO_EXIST) {
                status = 0;
                fits_clear_errmsg();
            }
            (unit ? info.unit : info.name) = std::string(TrimBlanks(value));
        }
        // The type as scaled (what is read) and the type as stored.
        int typecode = 0, storedCode = 0;
        long repeat = 0, width = 0, storedRepeat = 0, storedWidth = 0;
        if (fits_get_eqcoltype(file, i + 1, &typecode, &repeat, &width, &status) != 0 ||
            fits_get_coltype(file, i + 1, &storedCode, &storedRepeat, &storedWidth, &status) != 0) {
            *error = "FITS column " + NumberText(static_cast<std::uint64_t>(i + 1)) +
                     " unreadable: " + FitsError(status);
            return false;
        }
        column.storedFloating = storedCode == TFLOAT || storedCode == TDOUBLE;
        column.repeat = std::max(1L, repeat);
        column.width = width;
        switch (typecode) {
            case TSTRING:
                column.read = Column::kString;
                column.repeat = 1;
                break;
            case TBYTE:
            case TSBYTE:
            case TSHORT:
            case TUSHORT:
            case TINT:
            case TUINT:
            case TLONG:
            case TLONGLONG:
                column.read = Column::kInteger;
                break;
            case TFLOAT:
                column.read = Column::kFloat;
                break;
            case TULONG:
            case TULONGLONG:
            case TDOUBLE:
                column.read = Column::kDouble;
                break;
            default:
                column.read = Column::kSkip;  // logical, bit, complex, variable-length
                break;
        }
        if (repeat == 0) column.read = Column::kSkip;
    }
    if (!map.Find(infos, names, error)) {
        return false;
    }
    long long rowBytes = 1;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& column = columns[i];
        if (!map.Uses(i) || column.read == Column::kSkip) continue;
        const long long bytes =
            column.read == Column::kString ? column.width + 1 : column.repeat * 9;
        if (bytes > kMaxCellBytes) {
            *error = "FITS column " + ShownText(infos[i].name) + " holds " +
                     NumberText(static_cast<std::uint64_t>(bytes)) +
                     " bytes a row, more than a cell may hold";
            return false;
        }
        rowBytes += bytes;
    }
    chunkLimit = std::max<long long>(1, std::min<long long>(kChunkRows, kChunkBytes / rowBytes));
    return true;
}

bool FitsReader::State::ReadChunk(long long first) {
    const long long count = std::min(chunkLimit, rows - first);
    int status = 0;
    for (std::size_t i = 0; i < columns.size() && status == 0; ++i) {
        Column& column = columns[i];
        if (!map.Uses(i) || column.read == Column::kSkip) continue;
        const int number = static_cast<int>(i) + 1;
        int anyNull = 0;
        const long long elements = count * column.repeat;
        if (column.read == Column::kString) {
            const std::size_t stride = static_cast<std::size_t>(column.width) + 1;
            column.text.assign(static_cast<std::size_t>(count) * stride, '\0');
            column.strings.resize(static_cast<std::size_t>(count));
            for (long long r = 0; r < count; ++r) {
                column.strings[static_cast<std::size_t>(r)] =
                    column.text.data() + static_cast<std::size_t>(r) * stride;
            }
            char empty[] = "";
            fits_read_col_str(file, number, first + 1, 1, count, empty, column.strings.data(),
                              &anyNull, &status);
            continue;
        }
        column.nulls.assign(static_cast<std::size_t>(elements), 0);
        if (column.storedFloating && column.read == Column::kFloat) {
            column.floats.resize(static_cast<std::size_t>(elements));
            fits_read_col(file, TFLOAT, number, first + 1, 1, elements, nullptr,
                          column.floats.data(), &anyNull, &status);
        } else if (column.storedFloating && column.read == Column::kDouble) {
            column.doubles.resize(static_cast<std::size_t>(elements));
            fits_read_col(file, TDOUBLE, number, first + 1, 1, elements, nullptr,
                          column.doubles.data(), &anyNull, &status);
        } else if (column.read == Column::kInteger) {
            column.integers.resize(static_cast<std::size_t>(elements));
            fits_read_colnull(file, TLONGLONG, number, first + 1, 1, elements,
                              column.integers.data(), column.nulls.data(), &anyNull, &status);
        } else if (column.read == Column::kFloat) {
            column.floats.resize(static_cast<std::size_t>(elements));
            fits_read_colnull(file, TFLOAT, number, first + 1, 1, elements, column.floats.data(),
                              column.nulls.data(), &anyNull, &status);
        } else {
            column.doubles.resize(static_cast<std::size_t>(elements));
            fits_read_colnull(file, TDOUBLE, number, first + 1, 1, elements, column.doubles.data(),
                              column.nulls.data(), &anyNull, &status);
        }
    }
    if (status != 0) {
        fault = "rows " + NumberText(static_cast<std::uint64_t>(first + 1)) + " to " +
                NumberText(static_cast<std::uint64_t>(first + count)) +
                " cannot be read: " + FitsError(status);
        return false;
    }
    chunkFirst = first;
    chunkRows = count;
    return true;
}

void FitsReader::State::Cell(const Column& column, long long row) {
    const std::size_t at = cells.size();
    if (column.read == Column::kString) {
        const std::string_view text = TrimBlanks(column.strings[static_cast<std::size_t>(row)]);
        cells.append(text.data(), text.size());
    } else {
        for (long long e = row * column.repeat; e < (row + 1) * column.repeat; ++e) {
            const std::size_t index = static_cast<std::size_t>(e);
            if (column.nulls[index] != 0) continue;
            const std::size_t before = cells.size();
            if (before > at) cells.push_back(' ');
            if (column.read == Column::kInteger) {
                AppendInteger(column.integers[index], &cells);
            } else if (column.read == Column::kFloat) {
                AppendFloat(column.floats[index], &cells);
            } else {
                AppendDouble(column.doubles[index], &cells);
            }
            if (cells.size() == before + (before > at ? 1 : 0)) cells.resize(before);  // NaN
        }
    }
    bounds.emplace_back(at, cells.size());
}

FitsReader::FitsReader(const std::string& path, const ColumnNames& names)
    : state(std::make_unique<State>()) {
    state->path = path;
    state->names = names;
}

FitsReader::~FitsReader() {
    if (state->file != nullptr) {
        int status = 0;
        fits_close_file(state->file, &status);
    }
}

bool FitsReader::ReadHeader(std::string* error) { return state->Open(error); }

const std::vector<std::string>& FitsReader::Notes() const { return state->map.Notes(); }

RowReader::Row FitsReader::Next(StarTexts* texts, std::string* /*why*/) {
    State& s = *state;
    if (s.next >= s.rows || !s.fault.empty()) {
        return Row::kEnd;
    }
    if (s.next >= s.chunkFirst + s.chunkRows && !s.ReadChunk(s.next)) {
        return Row::kEnd;
    }
    const long long row = s.next - s.chunkFirst;
    s.where = ++s.next;
    s.cells.clear();
    s.bounds.clear();
    for (std::size_t i = 0; i < s.columns.size(); ++i) {
        const State::Column& column = s.columns[i];
        if (!s.map.Uses(i) || column.read == State::Column::kSkip) {
            s.bounds.emplace_back(s.cells.size(), s.cells.size());
        } else {
            s.Cell(column, row);
        }
    }
    s.view.resize(s.columns.size());
    for (std::size_t i = 0; i < s.columns.size(); ++i) {
        s.view[i] = std::string_view(s.cells.data() + s.bounds[i].first,
                                     s.bounds[i].second - s.bounds[i].first);
    }
    s.map.Fill(s.view.data(), texts);
    return Row::kStar;
}

std::string FitsReader::Where() const {
    return "row " + NumberText(static_cast<std::uint64_t>(state->where));
}

std::string FitsReader::Fault() const { return state->fault; }

}  // namespace velmo::importing
