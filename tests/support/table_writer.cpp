// SPDX-License-Identifier: GPL-3.0-or-later
#include "table_writer.h"

#include <fitsio.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace velmo_bench {
namespace {

constexpr std::int32_t kIntNull = std::numeric_limits<std::int32_t>::min();
constexpr std::size_t kFitsChunk = 10000;
constexpr char kBase64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

void PutBigEndian(std::uint64_t value, int bytes, std::string* out) {
    for (int i = bytes - 1; i >= 0; --i)
        out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

const char* VotableType(WrittenColumn::Type type) {
    switch (type) {
        case WrittenColumn::kText:
            return "char";
        case WrittenColumn::kFloat:
            return "float";
        case WrittenColumn::kDouble:
            return "double";
        case WrittenColumn::kInt:
            return "int";
    }
    return "char";
}

}  // namespace

TableWriter::TableWriter(const std::string& path, TableForm form,
                         std::vector<WrittenColumn> columnList)
    : form(form), columns(std::move(columnList)) {
    if (form == TableForm::kFits) {
        int status = 0;
        fitsfile* file = nullptr;
        const std::string name = "!" + path;  // "!" replaces an existing file
        std::vector<std::string> types, forms, units;
        for (const WrittenColumn& c : columns) {
            types.push_back(c.name);
            units.push_back(c.unit);
            switch (c.type) {
                case WrittenColumn::kText:
                    forms.push_back(std::to_string(c.width) + "A");
                    break;
                case WrittenColumn::kFloat:
                    forms.push_back("1E");
                    break;
                case WrittenColumn::kDouble:
                    forms.push_back("1D");
                    break;
                case WrittenColumn::kInt:
                    forms.push_back("1J");
                    break;
            }
        }
        std::vector<char*> typePointers, formPointers, unitPointers;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            typePointers.push_back(types[i].data());
            formPointers.push_back(forms[i].data());
            unitPointers.push_back(units[i].data());
        }
        fits_create_file(&file, name.c_str(), &status);
        fits_create_tbl(file, BINARY_TBL, 0, static_cast<int>(columns.size()), typePointers.data(),
                        formPointers.data(), unitPointers.data(), "STARS", &status);
        for (std::size_t i = 0; i < columns.size() && status == 0; ++i) {
            if (columns[i].type == WrittenColumn::kInt) {
                char key[FLEN_KEYWORD];
                fits_make_keyn("TNULL", static_cast<int>(i) + 1, key, &status);
                long null = kIntNull;
                fits_write_key(file, TLONG, key, &null, "null value", &status);
            }
        }
        fits = file;
        ok = status == 0;
        return;
    }
    out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        ok = false;
        return;
    }
    std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<VOTABLE version=\"1.4\" xmlns=\"http://www.ivoa.net/xml/VOTable/v1.3\">\n"
        "<RESOURCE type=\"results\">\n<TABLE name=\"stars\">\n";
    for (const WrittenColumn& c : columns) {
        head += "<FIELD name=\"" + Escaped(c.name) + "\" datatype=\"" + VotableType(c.type) + "\"";
        if (c.type == WrittenColumn::kText) head += " arraysize=\"*\"";
        if (!c.ucd.empty()) head += " ucd=\"" + Escaped(c.ucd) + "\"";
        if (!c.unit.empty()) head += " unit=\"" + Escaped(c.unit) + "\"";
        if (c.type == WrittenColumn::kInt) {
            head += "><VALUES null=\"" + std::to_string(kIntNull) + "\"/></FIELD>\n";
        } else {
            head += "/>\n";
        }
    }
    head += form == TableForm::kTableData ? "<DATA><TABLEDATA>\n"
            : form == TableForm::kBinary  ? "<DATA><BINARY><STREAM encoding=\"base64\">\n"
                                          : "<DATA><BINARY2><STREAM encoding=\"base64\">\n";
    ok = std::fwrite(head.data(), 1, head.size(), out) == head.size();
}

TableWriter::~TableWriter() {
    if (!finished) Finish();
}

void TableWriter::Base64(const unsigned char* bytes, std::size_t size) {
    pending.append(reinterpret_cast<const char*>(bytes), size);
    std::string text;
    std::size_t i = 0;
    for (; i + 3 <= pending.size(); i += 3) {
        const auto* p = reinterpret_cast<const unsigned char*>(pending.data() + i);
        const std::uint32_t group = (p[0] << 16) | (p[1] << 8) | p[2];
        for (int k = 3; k >= 0; --k) text.push_back(kBase64Digits[(group >> (6 * k)) & 63]);
        if ((lineChars += 4) >= 76) {
            text.push_back('\n');
            lineChars = 0;
        }
    }
    pending.erase(0, i);
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), out) != text.size()) ok = false;
}

void TableWriter::Row(const std::vector<std::string>& cells) {
    if (!ok || cells.size() != columns.size()) {
        ok = false;
        return;
    }
    if (form == TableForm::kFits) {
        chunk.push_back(cells);
        if (chunk.size() >= kFitsChunk) FlushFits();
        return;
    }
    if (form == TableForm::kTableData) {
        row = "<TR>";
        for (const std::string& cell : cells) {
            row += cell.empty() ? "<TD/>" : "<TD>" + Escaped(cell) + "</TD>";
        }
        row += "</TR>\n";
        if (std::fwrite(row.data(), 1, row.size(), out) != row.size()) ok = false;
        return;
    }
    row.clear();
    if (form == TableForm::kBinary2) {
        std::string mask((columns.size() + 7) / 8, '\0');
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (cells[i].empty()) mask[i / 8] = static_cast<char>(mask[i / 8] | (0x80 >> (i % 8)));
        }
        row += mask;
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string& cell = cells[i];
        switch (columns[i].type) {
            case WrittenColumn::kText:
                PutBigEndian(cell.size(), 4, &row);
                row += cell;
                break;
            case WrittenColumn::kFloat: {
                const float value =
                    cell.empty() ? std::nanf("") : std::strtof(cell.c_str(), nullptr);
                std::uint32_t bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                PutBigEndian(bits, 4, &row);
                break;
            }
            case WrittenColumn::kDouble: {
                const double value =
                    cell.empty() ? std::nan("") : std::strtod(cell.c_str(), nullptr);
                std::uint64_t bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                PutBigEndian(bits, 8, &row);
                break;
            }
            case WrittenColumn::kInt: {
                const long long value =
                    cell.empty() ? kIntNull : std::strtoll(cell.c_str(), nullptr, 10);
                PutBigEndian(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)), 4, &row);
                break;
            }
        }
    }
    Base64(reinterpret_cast<const unsigned char*>(row.data()), row.size());
}

void TableWriter::FlushFits() {
    if (chunk.empty() || !ok) return;
    auto* file = static_cast<fitsfile*>(fits);
    int status = 0;
    const long long first = written + 1;
    const long long count = static_cast<long long>(chunk.size());
    for (std::size_t c = 0; c < columns.size() && status == 0; ++c) {
        const int number = static_cast<int>(c) + 1;
        switch (columns[c].type) {
            case WrittenColumn::kText: {
                std::vector<char*> texts;
                for (auto& r : chunk) texts.push_back(r[c].data());
                fits_write_col(file, TSTRING, number, first, 1, count, texts.data(), &status);
                break;
            }
            case WrittenColumn::kFloat: {
                std::vector<float> values;
                for (auto& r : chunk) {
                    values.push_back(r[c].empty() ? std::nanf("")
                                                  : std::strtof(r[c].c_str(), nullptr));
                }
                fits_write_col(file, TFLOAT, number, first, 1, count, values.data(), &status);
                break;
            }
            case WrittenColumn::kDouble: {
                std::vector<double> values;
                for (auto& r : chunk) {
                    values.push_back(r[c].empty() ? std::nan("")
                                                  : std::strtod(r[c].c_str(), nullptr));
                }
                fits_write_col(file, TDOUBLE, number, first, 1, count, values.data(), &status);
                break;
            }
            case WrittenColumn::kInt: {
                std::vector<int> values;
                for (auto& r : chunk) {
                    values.push_back(
                        r[c].empty() ? kIntNull
                                     : static_cast<int>(std::strtol(r[c].c_str(), nullptr, 10)));
                }
                fits_write_col(file, TINT, number, first, 1, count, values.data(), &status);
                break;
            }
        }
    }
    written += count;
    chunk.clear();
    if (status != 0) ok = false;
}

bool TableWriter::Finish() {
    if (finished) return ok;
    finished = true;
    if (form == TableForm::kFits) {
        FlushFits();
        int status = 0;
        if (fits != nullptr) fits_close_file(static_cast<fitsfile*>(fits), &status);
        return ok && status == 0;
    }
    if (out == nullptr) return false;
    if (form != TableForm::kTableData) {
        // The last one or two bytes, padded.
        std::string text;
        if (!pending.empty()) {
            const auto* p = reinterpret_cast<const unsigned char*>(pending.data());
            const std::uint32_t group = (p[0] << 16) | (pending.size() > 1 ? p[1] << 8 : 0);
            text.push_back(kBase64Digits[(group >> 18) & 63]);
            text.push_back(kBase64Digits[(group >> 12) & 63]);
            text.push_back(pending.size() > 1 ? kBase64Digits[(group >> 6) & 63] : '=');
            text.push_back('=');
        }
        text += form == TableForm::kBinary ? "\n</STREAM></BINARY></DATA>\n"
                                           : "\n</STREAM></BINARY2></DATA>\n";
        if (std::fwrite(text.data(), 1, text.size(), out) != text.size()) ok = false;
    } else {
        const char tail[] = "</TABLEDATA></DATA>\n";
        if (std::fwrite(tail, 1, sizeof tail - 1, out) != sizeof tail - 1) ok = false;
    }
    const char end[] = "</TABLE>\n</RESOURCE>\n</VOTABLE>\n";
    if (std::fwrite(end, 1, sizeof end - 1, out) != sizeof end - 1) ok = false;
    if (std::fclose(out) != 0) ok = false;
    out = nullptr;
    return ok;
}

}  // namespace velmo_bench
