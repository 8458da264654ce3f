// SPDX-License-Identifier: GPL-3.0-or-later
#include "votable_reader.h"

#include <expat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "binary_text.h"
#include "decimal_text.h"
#include "shown_text.h"

namespace velmo::importing {
namespace {

// Bytes handed to Expat at a time.
constexpr int kBlockBytes = 256 << 10;
// Rows decoded ahead of the reader; the parse waits beyond that.
constexpr std::size_t kQueueRows = 1024;
// Longest cell text kept (TABLEDATA) and longest binary cell.
constexpr std::size_t kMaxCellBytes = std::size_t{64} << 10;
constexpr std::uint64_t kMaxBinaryCellBytes = std::uint64_t{1} << 20;

// An element's name without a namespace prefix ("vot:TABLE" is TABLE).
std::string_view LocalName(const XML_Char* name) {
    std::string_view text(name);
    const std::size_t colon = text.rfind(':');
    return colon == std::string_view::npos ? text : text.substr(colon + 1);
}

const char* Attribute(const XML_Char** attributes, std::string_view wanted) {
    for (int i = 0; attributes[i] != nullptr; i += 2) {
        if (LocalName(attributes[i]) == wanted) {
            return attributes[i + 1];
        }
    }
    return nullptr;
}

bool EqualFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    }
    return true;
}

enum class Type {
    kChar,
    kUnicode,
    kBoolean,
    kBit,
    kUnsignedByte,
    kShort,
    kInt,
    kLong,
    kFloat,
    kDouble,
    kFloatComplex,
    kDoubleComplex,
    kUnknown
};

struct TypeName {
    const char* name;
    Type type;
    std::uint64_t bytes;  // of one element; 0 for bits
};
constexpr TypeName kTypes[] = {
    {"char", Type::kChar, 1},
    {"unicodeChar", Type::kUnicode, 2},
    {"boolean", Type::kBoolean, 1},
    {"bit", Type::kBit, 0},
    {"unsignedByte", Type::kUnsignedByte, 1},
    {"short", Type::kShort, 2},
    {"int", Type::kInt, 4},
    {"long", Type::kLong, 8},
    {"float", Type::kFloat, 4},
    {"double", Type::kDouble, 8},
    {"floatComplex", Type::kFloatComplex, 8},
    {"doubleComplex", Type::kDoubleComplex, 16},
};

struct Field {
    ColumnInfo info;
    Type type = Type::kChar;  // a FIELD without datatype is text
    std::uint64_t elementBytes = 1;
    bool variable = false;    // arraysize with "*": a 32-bit count comes first
    std::uint64_t count = 1;  // elements of a fixed arraysize
    bool numeric = false;
    bool hasNull = false;
    std::string nullText;         // VALUES null as written
    bool hasIntegerNull = false;  // nullText is a whole integer,
    std::int64_t nullValue = 0;   // this one, for an integer field
};

// Reads `bytes` (at most 8) big-endian bytes.
std::uint64_t BigEndian(const unsigned char* p, std::uint64_t bytes) {
    std::uint64_t value = 0;
    for (std::uint64_t i = 0; i < bytes; ++i) value = (value << 8) | p[i];
    return value;
}

// The value of one integer element of `field` from its raw bytes: an
// unsignedByte as it is, the others sign-extended from their width.
std::int64_t IntegerOf(const Field& field, std::uint64_t raw) {
    if (field.type == Type::kUnsignedByte || field.elementBytes == 0 || field.elementBytes >= 8) {
        return static_cast<std::int64_t>(raw);
    }
    const unsigned shift = static_cast<unsigned>(64 - 8 * field.elementBytes);
    return static_cast<std::int64_t>(raw << shift) >> shift;
}

// The VALUES null of an integer field as the field's values read: decimal,
// or hexadecimal ("0x80000000") as the field's bytes. False when the text
// is no whole integer.
bool ReadIntegerNull(const Field& field, std::int64_t* value) {
    std::string_view text = field.nullText;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] | 0x20) == 'x';
    if (!hex) {
        const auto result = std::from_chars(text.data(), text.data() + text.size(), *value);
        return result.ec == std::errc() && result.ptr == text.data() + text.size();
    }
    text.remove_prefix(2);
    std::uint64_t raw = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), raw, 16);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
    *value = IntegerOf(field, raw);
    return true;
}

// Appends the UTF-8 form of one UCS-2 code unit.
void AppendUtf8(unsigned code, std::string* out) {
    if (code < 0x80) {
        out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (code >> 6)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xE0 | (code >> 12)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// What each byte is in a base64 stream: its value 0-63, a blank, the pad
// "=", or none of these.
constexpr unsigned char kBase64Blank = 64, kBase64Pad = 65, kBase64None = 255;
struct Base64Table {
    unsigned char value[256];
    constexpr Base64Table() : value() {
        for (int c = 0; c < 256; ++c) value[c] = kBase64None;
        for (int c = 0; c < 26; ++c) {
            value['A' + c] = static_cast<unsigned char>(c);
            value['a' + c] = static_cast<unsigned char>(26 + c);
        }
        for (int c = 0; c < 10; ++c) value['0' + c] = static_cast<unsigned char>(52 + c);
        value[static_cast<unsigned char>('+')] = 62;
        value[static_cast<unsigned char>('/')] = 63;
        for (const char c : {' ', '\n', '\r', '\t'})
            value[static_cast<unsigned char>(c)] = kBase64Blank;
        value[static_cast<unsigned char>('=')] = kBase64Pad;
    }
    unsigned char operator[](unsigned char c) const { return value[c]; }
};
constexpr Base64Table kBase64Values;

}  // namespace

struct VotableReader::State {
    XML_Parser parser = nullptr;
    int fd = -1;
    std::string head;
    bool headFed = false;
    bool suspended = false;
    bool finalFed = false;  // Expat has been handed the end of the input
    bool finished = false;  // Expat has seen the last of the input
    bool readFailed = false;
    int readError = 0;
    std::string fault;

    ColumnNames names;
    ColumnMap map;
    std::vector<Field> fields;
    bool headerDone = false;

    int depth = 0;
    int tableDepth = -1;  // depth of the first TABLE, -1 before it
    bool tableDone = false;
    bool sawRoot = false;
    enum class Data { kNone, kTableData, kBinary, kBinary2 } data = Data::kNone;
    bool inField = false;
    bool inRow = false;
    bool inCell = false;
    bool inStream = false;

    // Rows decoded and not yet handed out: the cells of row r are
    // cellBounds[r * width .. r * width + width) in `cells`.
    std::string cells;
    std::vector<std::pair<std::size_t, std::size_t>> cellBounds;
    struct QueuedRow {
        std::uint64_t where;
        std::string why;  // empty for a star
    };
    std::vector<QueuedRow> rows;
    std::size_t next = 0;  // first row not handed out
    std::vector<std::string_view> view;
    std::uint64_t where = 0;

    // TABLEDATA row in progress, kept apart from the queue: Expat may go on
    // for a few callbacks after it was asked to wait, and the queue may be
    // emptied meanwhile.
    std::size_t cellCount = 0;
    std::size_t cellStart = 0;  // where the cell in progress starts in rowText
    std::string rowText;
    std::vector<std::pair<std::size_t, std::size_t>> rowBounds;
    std::string rowWhy;
    std::uint64_t rowLine = 0;

    // Binary stream in progress.
    std::uint32_t bits = 0;
    int bitCount = 0;
    bool padded = false;
    std::string binary;
    std::size_t binaryAt = 0;
    std::uint64_t binaryRows = 0;
    std::size_t wanted = 0;  // bytes after binaryAt the next row needs at least
    std::vector<std::pair<std::size_t, std::uint64_t>> spans;  // offset, elements per field

    // Ends the parse for a fault; the first fault is the one told.
    void Stop(const std::string& why) {
        if (fault.empty()) fault = why;
        XML_StopParser(parser, XML_FALSE);  // fails only when already stopping
    }
    void WaitIfFull() {
        XML_ParsingStatus status;
        XML_GetParsingStatus(parser, &status);
        if (rows.size() - next >= kQueueRows && status.parsing == XML_PARSING) {
            XML_StopParser(parser, XML_TRUE);
        }
    }
    void HeaderDone() {
        if (headerDone) return;
        headerDone = true;
        XML_ParsingStatus status;
        XML_GetParsingStatus(parser, &status);
        if (status.parsing == XML_PARSING) {
            XML_StopParser(parser, XML_TRUE);  // the columns are found before any row
        }
    }

    void StartField(const XML_Char** attributes);
    void StartStream(const XML_Char** attributes);
    void StartCell() {
        inCell = true;
        cellStart = rowText.size();
    }
    void EndCell();
    void EndRow();
    void Base64(const char* text, int length);
    bool DecodeBinaryRow();
    // The next row needs `end` bytes of `binary`: false until they are there.
    bool Wait(std::size_t end) {
        wanted = end - binaryAt;
        return false;
    }
    void BinaryCell(const Field& field, const unsigned char* p, std::uint64_t elements);
    bool Pump();
};

void VotableReader::State::StartField(const XML_Char** attributes) {
    Field field;
    const char* name = Attribute(attributes, "name");
    if (name == nullptr) name = Attribute(attributes, "ID");
    field.info.name = std::string(TrimBlanks(name != nullptr ? name : ""));
    if (const char* ucd = Attribute(attributes, "ucd")) field.info.ucd = ucd;
    if (const char* unit = Attribute(attributes, "unit")) field.info.unit = unit;
    if (const char* datatype = Attribute(attributes, "datatype")) {
        field.type = Type::kUnknown;
        for (const TypeName& type : kTypes) {
            if (std::strcmp(type.name, datatype) == 0) {
                field.type = type.type;
                field.elementBytes = type.bytes;
            }
        }
        if (field.type == Type::kUnknown) {
            Stop("FIELD " + ShownText(field.info.name) + " has the unknown datatype " +
                 ShownText(datatype));
            return;
        }
    }
    field.numeric =
        field.type != Type::kChar && field.type != Type::kUnicode && field.type != Type::kBoolean;
    if (const char* arraysize = Attribute(attributes, "arraysize")) {
        // "8", "8*", "*", "3x2", "3x*": the product of the fixed sizes; a
        // "*" makes the array variable, its length written in the stream.
        std::string_view text = TrimBlanks(arraysize);
        std::uint64_t product = 1;
        while (!text.empty()) {
            const std::size_t cross = text.find('x');
            std::string_view part = text.substr(0, cross);
            if (!part.empty() && part.back() == '*') {
                field.variable = true;
                part.remove_suffix(1);
            }
            if (!part.empty()) {
                std::uint64_t size = 0;
                const auto result = std::from_chars(part.data(), part.data() + part.size(), size);
                if (result.ec != std::errc() || result.ptr != part.data() + part.size() ||
                    size > kMaxBinaryCellBytes) {
                    Stop("FIELD " + ShownText(field.info.name) + " has the arraysize " +
                         ShownText(arraysize) + ", which cannot be read");
                    return;
                }
                product *= size;
                if (product > kMaxBinaryCellBytes) {
                    Stop("FIELD " + ShownText(field.info.name) + " has an arraysize past " +
                         NumberText(kMaxBinaryCellBytes));
                    return;
                }
            }
            if (cross == std::string_view::npos) break;
            text.remove_prefix(cross + 1);
        }
        field.count = product;
    }
    fields.push_back(std::move(field));
    inField = true;
}

void VotableReader::State::StartStream(const XML_Char** attributes) {
    if (Attribute(attributes, "href") != nullptr) {
        Stop("the rows are in a separate file (STREAM href), which is not read");
        return;
    }
    const char* encoding = Attribute(attributes, "encoding");
    if (encoding == nullptr || !EqualFolded(encoding, "base64")) {
        Stop("STREAM encoding " + ShownText(encoding != nullptr ? encoding : "(none)") +
             " is not read; base64 is");
        return;
    }
    for (const Field& field : fields) {
        if (field.type == Type::kUnknown) return;
    }
    inStream = true;
    bits = 0;
    bitCount = 0;
    padded = false;
    spans.resize(fields.size());
}

void VotableReader::State::EndCell() {
    inCell = false;
    const std::size_t column = cellCount++;
    if (column >= fields.size()) {
        return;  // counted; EndRow reports it
    }
    const Field& field = fields[column];
    // The cell's text went to the end of rowText as it came.
    const std::string_view text = TrimBlanks(std::string_view(rowText).substr(cellStart));
    if (!map.Uses(column) || (field.hasNull && text == field.nullText) ||
        (field.numeric && EqualFolded(text, "nan"))) {
        rowText.resize(cellStart);
        rowBounds.emplace_back(cellStart, cellStart);
        return;
    }
    const std::size_t begin = static_cast<std::size_t>(text.data() - rowText.data());
    rowBounds.emplace_back(begin, begin + text.size());
}

void VotableReader::State::EndRow() {
    inRow = false;
    const std::size_t width = fields.size();
    std::string why = rowWhy;
    if (why.empty() && cellCount != width) {
        why = "row has " + NumberText(cellCount) + " cells, the table " + NumberText(width) +
              " FIELDs";
    }
    // Keep exactly `width` cells per row, whatever the row held.
    const std::size_t base = cells.size();
    cells += rowText;
    for (std::size_t i = 0; i < width; ++i) {
        cellBounds.push_back(i < rowBounds.size() ? std::make_pair(base + rowBounds[i].first,
                                                                   base + rowBounds[i].second)
                                                  : std::make_pair(cells.size(), cells.size()));
    }
    rows.push_back(QueuedRow{rowLine, std::move(why)});
    WaitIfFull();
}

void VotableReader::State::BinaryCell(const Field& field, const unsigned char* p,
                                      std::uint64_t elements) {
    const std::size_t at = cells.size();
    switch (field.type) {
        case Type::kChar: {
            const char* text = reinterpret_cast<const char*>(p);
            const std::size_t length = static_cast<std::size_t>(elements);
            const void* nul = std::memchr(text, '\0', length);
            const std::string_view value = TrimBlanks(std::string_view(
                text, nul != nullptr
                          ? static_cast<std::size_t>(static_cast<const char*>(nul) - text)
                          : length));
            if (!(field.hasNull && value == field.nullText)) cells.append(value);
            break;
        }
        case Type::kUnicode:
            for (std::uint64_t i = 0; i < elements; ++i) {
                const unsigned code = static_cast<unsigned>(BigEndian(p + 2 * i, 2));
                if (code == 0) break;
                AppendUtf8(code, &cells);
            }
            break;
        case Type::kBoolean:
            if (elements > 0) cells.push_back(static_cast<char>(p[0]));
            break;
        case Type::kUnsignedByte:
        case Type::kShort:
        case Type::kInt:
        case Type::kLong:
            for (std::uint64_t i = 0; i < elements; ++i) {
                const std::uint64_t raw = BigEndian(p + i * field.elementBytes, field.elementBytes);
                const std::int64_t value = IntegerOf(field, raw);
                if (field.hasIntegerNull && value == field.nullValue) continue;
                if (cells.size() > at) cells.push_back(' ');
                AppendInteger(value, &cells);
            }
            break;
        case Type::kFloat:
        case Type::kDouble:
            for (std::uint64_t i = 0; i < elements; ++i) {
                const std::uint64_t raw = BigEndian(p + i * field.elementBytes, field.elementBytes);
                const std::size_t before = cells.size();
                if (before > at) cells.push_back(' ');
                if (field.type == Type::kFloat) {
                    const std::uint32_t word = static_cast<std::uint32_t>(raw);
                    float value = 0;
                    std::memcpy(&value, &word, sizeof value);
                    AppendFloat(value, &cells);
                } else {
                    double value = 0;
                    std::memcpy(&value, &raw, sizeof value);
                    AppendDouble(value, &cells);
                }
                if (cells.size() == before + (before > at ? 1 : 0)) cells.resize(before);  // NaN
            }
            break;
        default:
            break;  // bits and complex numbers are no part of a star
    }
    cellBounds.emplace_back(at, cells.size());
}

bool VotableReader::State::DecodeBinaryRow() {
    const std::size_t width = fields.size();
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(binary.data());
    const std::size_t size = binary.size();
    std::size_t at = binaryAt;
    const std::size_t maskAt = at;
    if (data == Data::kBinary2) {
        at += (width + 7) / 8;
        if (at > size) return Wait(at);
    }
    for (std::size_t i = 0; i < width; ++i) {
        const Field& field = fields[i];
        std::uint64_t elements = field.count;
        if (field.variable) {
            if (size - at < 4) return Wait(at + 4);
            elements = BigEndian(bytes + at, 4);
            at += 4;
        }
        const std::uint64_t length =
            field.type == Type::kBit ? (elements + 7) / 8 : elements * field.elementBytes;
        if (elements > kMaxBinaryCellBytes || length > kMaxBinaryCellBytes) {
            Stop("row " + NumberText(binaryRows + 1) + ": FIELD " + ShownText(field.info.name) +
                 " claims " + NumberText(elements) + " elements, more than a cell may hold");
            return false;
        }
        if (size - at < length) return Wait(at + static_cast<std::size_t>(length));
        spans[i] = {at, elements};
        at += static_cast<std::size_t>(length);
    }
    if (at == binaryAt) {
        // Rows of no bytes would never end the stream.
        Stop("the FIELDs of the binary stream hold no bytes");
        return false;
    }
    ++binaryRows;
    for (std::size_t i = 0; i < width; ++i) {
        const bool null =
            data == Data::kBinary2 && (bytes[maskAt + i / 8] & (0x80u >> (i % 8))) != 0;
        if (null || !map.Uses(i)) {
            cellBounds.emplace_back(cells.size(), cells.size());
        } else {
            BinaryCell(fields[i], bytes + spans[i].first, spans[i].second);
        }
    }
    rows.push_back(QueuedRow{binaryRows, std::string()});
    binaryAt = at;
    wanted = 0;
    return true;
}

void VotableReader::State::Base64(const char* text, int length) {
    // Every group of four characters gives three bytes; blanks and line
    // feeds between them do not count.
    const std::size_t held = binary.size();
    binary.resize(held + static_cast<std::size_t>(length) / 4 * 3 + 3);
    char* out = binary.data() + held;
    const auto* in = reinterpret_cast<const unsigned char*>(text);
    for (int i = 0; i < length; ++i) {
        // Whole groups of four, the common case, three bytes at a time.
        while (bitCount == 0 && !padded && i + 4 <= length) {
            const unsigned a = kBase64Values[in[i]], b = kBase64Values[in[i + 1]];
            const unsigned c = kBase64Values[in[i + 2]], d = kBase64Values[in[i + 3]];
            if ((a | b | c | d) >= 64) break;
            const unsigned group = (a << 18) | (b << 12) | (c << 6) | d;
            out[0] = static_cast<char>(group >> 16);
            out[1] = static_cast<char>((group >> 8) & 0xFF);
            out[2] = static_cast<char>(group & 0xFF);
            out += 3;
            i += 4;
        }
        if (i >= length) break;
        const unsigned char c = in[i];
        const unsigned char value = kBase64Values[c];
        if (value < 64 && !padded) {
            bits = (bits << 6) | value;
            bitCount += 6;
            if (bitCount >= 8) {
                bitCount -= 8;
                *out++ = static_cast<char>((bits >> bitCount) & 0xFF);
                bits &= (1u << bitCount) - 1;
            }
        } else if (value == kBase64Blank) {
        } else if (value == kBase64Pad) {
            padded = true;
        } else {
            binary.resize(static_cast<std::size_t>(out - binary.data()));
            Stop("the base64 stream holds " + ShownText(std::string(1, static_cast<char>(c))) +
                 ", which is not base64");
            return;
        }
    }
    binary.resize(static_cast<std::size_t>(out - binary.data()));
    while (fault.empty() && binary.size() - binaryAt >= wanted && DecodeBinaryRow()) {
    }
    if (binaryAt > (std::size_t{64} << 10)) {
        binary.erase(0, binaryAt);
        binaryAt = 0;
    }
    WaitIfFull();
}

namespace {

VotableReader::State* StateOf(void* data) { return static_cast<VotableReader::State*>(data); }

}  // namespace

// Expat's callbacks.
extern "C" {

static void VelmoVotableStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    VotableReader::State& s = *StateOf(data);
    ++s.depth;
    if (s.inRow && name[0] == 'T' && name[1] == 'D' && name[2] == '\0') {
        s.StartCell();  // most elements of a table
        return;
    }
    const std::string_view local = LocalName(name);
    if (!s.sawRoot) {
        s.sawRoot = true;
        if (local != "VOTABLE") {
            s.Stop("not a VOTable: the document is a " + ShownText(std::string(local)));
        }
        return;
    }
    if (s.tableDone) return;
    if (s.tableDepth < 0) {
        if (local == "TABLE") s.tableDepth = s.depth;
        return;
    }
    if (local == "FIELD" && s.depth == s.tableDepth + 1 && !s.headerDone) {
        s.StartField(attributes);
    } else if (local == "VALUES" && s.inField) {
        if (const char* null = Attribute(attributes, "null")) {
            Field& field = s.fields.back();
            field.hasNull = true;
            field.nullText = std::string(TrimBlanks(null));
            field.hasIntegerNull = ReadIntegerNull(field, &field.nullValue);
        }
    } else if (local == "DATA" && s.depth == s.tableDepth + 1) {
        s.HeaderDone();
    } else if (!s.headerDone) {
        return;  // rows count only inside DATA, after the FIELDs
    } else if (local == "TABLEDATA") {
        s.data = VotableReader::State::Data::kTableData;
    } else if (local == "BINARY" || local == "BINARY2") {
        s.data = local == "BINARY" ? VotableReader::State::Data::kBinary
                                   : VotableReader::State::Data::kBinary2;
    } else if (local == "FITS") {
        s.Stop("the rows are in a FITS stream inside the VOTable, which is not read");
    } else if (local == "STREAM" && s.data != VotableReader::State::Data::kTableData &&
               s.data != VotableReader::State::Data::kNone) {
        s.StartStream(attributes);
    } else if (local == "TR" && s.data == VotableReader::State::Data::kTableData) {
        s.inRow = true;
        s.cellCount = 0;
        s.rowText.clear();
        s.rowBounds.clear();
        s.rowWhy.clear();
        s.rowLine = XML_GetCurrentLineNumber(s.parser);
    } else if (local == "TD" && s.inRow) {
        s.StartCell();
    }
}

static void VelmoVotableEnd(void* data, const XML_Char* name) {
    VotableReader::State& s = *StateOf(data);
    const int depth = s.depth--;
    if (s.inCell) {
        s.EndCell();  // no element may stand inside a TD
        return;
    }
    const std::string_view local = LocalName(name);
    if (s.tableDone || s.tableDepth < 0) return;
    if (local == "FIELD") {
        s.inField = false;
    } else if (local == "TR" && s.inRow) {
        s.EndRow();
    } else if (local == "STREAM" && s.inStream) {
        s.inStream = false;
        if (s.bitCount >= 8 || s.binaryAt != s.binary.size()) {
            s.Stop("the base64 stream ends inside row " + NumberText(s.binaryRows + 1));
        }
    } else if (local == "TABLE" && depth == s.tableDepth) {
        // The rest of the document is not looked at: the parse ends here,
        // with the rows queued still to be handed out.
        s.tableDone = true;
        s.headerDone = true;
        XML_ParsingStatus status;
        XML_GetParsingStatus(s.parser, &status);
        if (status.parsing == XML_PARSING) XML_StopParser(s.parser, XML_FALSE);
    }
}

static void VelmoVotableText(void* data, const XML_Char* text, int length) {
    VotableReader::State& s = *StateOf(data);
    if (s.inCell) {
        if (!s.map.Uses(s.cellCount)) {
            return;  // a column no part of a star comes from
        }
        if (s.rowText.size() - s.cellStart + static_cast<std::size_t>(length) > kMaxCellBytes) {
            if (s.rowWhy.empty()) {
                s.rowWhy = "a cell longer than " + NumberText(kMaxCellBytes) + " bytes";
            }
            return;
        }
        s.rowText.append(text, static_cast<std::size_t>(length));
    } else if (s.inStream) {
        s.Base64(text, length);
    }
}

}  // extern "C"

bool VotableReader::State::Pump() {
    if (finished) {
        return false;
    }
    XML_Status status;
    bool last = false;
    if (suspended) {
        suspended = false;
        status = XML_ResumeParser(parser);
        last = finalFed;  // the parse waited in the last of the input
    } else {
        void* buffer = XML_GetBuffer(parser, kBlockBytes);
        if (buffer == nullptr) {
            fault = "out of memory";
            finished = true;
            return false;
        }
        int length = 0;
        if (!headFed) {
            headFed = true;
            // The head may be longer than one block: hand it out in blocks.
            length = static_cast<int>(std::min<std::size_t>(head.size(), kBlockBytes));
            std::memcpy(buffer, head.data(), static_cast<std::size_t>(length));
            head.erase(0, static_cast<std::size_t>(length));
            headFed = head.empty();
        } else {
            ssize_t got = 0;
            do {
                got = ::read(fd, buffer, kBlockBytes);
            } while (got < 0 && errno == EINTR);
            if (got < 0) {
                readFailed = true;
                readError = errno;
                finished = true;
                return false;
            }
            length = static_cast<int>(got);
            last = got == 0;
        }
        finalFed = last;
        status = XML_ParseBuffer(parser, length, last ? XML_TRUE : XML_FALSE);
    }
    if (status == XML_STATUS_SUSPENDED) {
        suspended = true;
        return true;
    }
    if (status == XML_STATUS_ERROR) {
        finished = true;
        if (XML_GetErrorCode(parser) == XML_ERROR_ABORTED && (tableDone || !fault.empty())) {
            return true;
        }
        if (fault.empty()) {
            fault = "line " + NumberText(XML_GetCurrentLineNumber(parser)) + ": " +
                    XML_ErrorString(XML_GetErrorCode(parser));
        }
        return true;
    }
    if (last) {
        finished = true;
        if (!tableDone && fault.empty()) {
            fault =
                tableDepth < 0 ? "no TABLE in the VOTable" : "the document ends inside its TABLE";
        }
    }
    return true;
}

VotableReader::VotableReader(int fd, std::string_view head, const ColumnNames& names)
    : state(std::make_unique<State>()) {
    State& s = *state;
    s.fd = fd;
    s.head.assign(head.data(), head.size());
    s.headFed = s.head.empty();
    s.names = names;
    s.parser = XML_ParserCreate(nullptr);
    if (s.parser == nullptr) {
        throw std::bad_alloc();
    }
    XML_SetUserData(s.parser, &s);
    XML_SetElementHandler(s.parser, VelmoVotableStart, VelmoVotableEnd);
    XML_SetCharacterDataHandler(s.parser, VelmoVotableText);
}

VotableReader::~VotableReader() {
    if (state->parser != nullptr) XML_ParserFree(state->parser);
}

bool VotableReader::ReadHeader(std::string* error) {
    State& s = *state;
    while (!s.headerDone && s.Pump()) {
    }
    if (!s.headerDone) {
        if (!s.readFailed) {
            *error = s.fault.empty() ? "no TABLE in the VOTable" : s.fault;
        }
        return false;
    }
    std::vector<ColumnInfo> columns;
    for (const Field& field : s.fields) columns.push_back(field.info);
    return s.map.Find(columns, s.names, error);
}

const std::vector<std::string>& VotableReader::Notes() const { return state->map.Notes(); }

RowReader::Row VotableReader::Next(StarTexts* texts, std::string* why) {
    State& s = *state;
    const std::size_t width = s.fields.size();
    while (s.next >= s.rows.size()) {
        s.rows.clear();
        s.cellBounds.clear();
        s.cells.clear();
        s.next = 0;
        if (!s.Pump() && s.rows.empty()) {
            return Row::kEnd;
        }
        if (s.finished && s.rows.empty()) {
            return Row::kEnd;
        }
    }
    const State::QueuedRow& row = s.rows[s.next];
    s.where = row.where;
    const std::size_t first = s.next * width;
    ++s.next;
    if (!row.why.empty()) {
        *why = row.why;
        return Row::kMalformed;
    }
    s.view.resize(width);
    for (std::size_t i = 0; i < width; ++i) {
        const auto& [begin, end] = s.cellBounds[first + i];
        s.view[i] = std::string_view(s.cells.data() + begin, end - begin);
    }
    s.map.Fill(s.view.data(), texts);
    return Row::kStar;
}

std::string VotableReader::Where() const {
    return state->data == State::Data::kTableData ? NumberText(state->where)
                                                  : "row " + NumberText(state->where);
}

bool VotableReader::ReadFailed() const { return state->readFailed; }
int VotableReader::ReadError() const { return state->readError; }
std::string VotableReader::Fault() const { return state->fault; }

}  // namespace velmo::importing
