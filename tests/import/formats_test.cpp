// SPDX-License-Identifier: GPL-3.0-or-later
// VOTables and FITS tables imported by the real program: the same stars in
// every serialisation give the same lines as the text tables; columns by
// UCD, units and nulls; broken and hostile files end with a message and
// status 2; a large VOTable is read in bounded memory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "import_test_support.h"
#include "table_writer.h"

namespace {

using import_test::Fixture;
using import_test::ReadFile;
using import_test::RunImport;
using import_test::SplitLines;
using import_test::TempDir;
using velmo_bench::TableForm;
using velmo_bench::TableWriter;
using velmo_bench::WrittenColumn;

using import_test::kFixtureSummary;

// The columns a catalogue service writes the eleven fixture stars with:
// its names, positions in degrees, flags in columns of their own.
std::vector<WrittenColumn> ServiceColumns() {
    return {
        {"VarName", WrittenColumn::kText, "meta.id;meta.main", "", 16},
        {"RAJ2000", WrittenColumn::kDouble, "pos.eq.ra;meta.main", "deg", 0},
        {"DEJ2000", WrittenColumn::kDouble, "pos.eq.dec;meta.main", "deg", 0},
        {"VarType", WrittenColumn::kText, "meta.code.class", "", 10},
        {"magMax", WrittenColumn::kFloat, "phot.mag;stat.max", "mag", 0},
        {"l_Min1", WrittenColumn::kText, "", "", 1},
        {"Min1", WrittenColumn::kFloat, "phot.mag;stat.min", "mag", 0},
        {"u_Min1", WrittenColumn::kText, "", "", 1},
        {"Period", WrittenColumn::kDouble, "time.period", "d", 0},
        {"u_Period", WrittenColumn::kText, "", "", 1},
    };
}

// The rows of stars.tsv, their in-value flags moved to the flag columns.
std::vector<std::vector<std::string>> ServiceRows() {
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : SplitLines(ReadFile(Fixture("stars.tsv")))) {
        if (line.empty() || line[0] == '#' || line[0] == '\t' || line[0] == '-' ||
            line.rfind("VarName", 0) == 0) {
            continue;
        }
        std::vector<std::string> f;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos;
             start = tab + 1) {
            f.push_back(line.substr(start, tab - start));
        }
        f.push_back(line.substr(start));
        std::string lower, upper, min = f[5], period = f[6], periodFlag;
        if (min[0] == '(') lower = "(", upper = ")", min = min.substr(1, min.size() - 2);
        if (min[0] == '<') lower = "<", min = min.substr(1);
        if (!period.empty() && period.back() == ':') periodFlag = ":", period.pop_back();
        rows.push_back({f[0], f[1], f[2], f[3], f[4], lower, min, upper, period, periodFlag});
    }
    return rows;
}

std::string Write(const TempDir& dir, const std::string& name, TableForm form,
                  const std::vector<WrittenColumn>& columns,
                  const std::vector<std::vector<std::string>>& rows) {
    const std::string path = dir.PathOf(name);
    TableWriter writer(path, form, columns);
    for (const auto& row : rows) writer.Row(row);
    EXPECT_TRUE(writer.Finish()) << name;
    return path;
}

struct Form {
    TableForm form;
    const char* file;
};
const Form kForms[] = {
    {TableForm::kTableData, "stars-tabledata.vot"},
    {TableForm::kBinary, "stars-binary.vot"},
    {TableForm::kBinary2, "stars-binary2.vot"},
    {TableForm::kFits, "stars.fits"},
};

TEST(ImportFormatsTest, TheFixtureStarsInEveryFormatGiveTheTableLines) {
    const std::string expected = ReadFile(Fixture("stars.expected.txt"));
    TempDir dir;
    const auto rows = ServiceRows();
    ASSERT_EQ(rows.size(), 11u);
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.file);
        const std::string path = Write(dir, form.file, form.form, ServiceColumns(), rows);
        auto result = RunImport({path});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.err, kFixtureSummary);
        // Standard input, when it is a file, reads as well.
        result = RunImport({"-"}, ReadFile(path));
        EXPECT_EQ(result.out, expected);
    }
    // A service's own VOTable, with a second table that is not read.
    const auto result = RunImport({Fixture("stars.vot")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err, kFixtureSummary);
}

// A 32-bit 5.805 is 5.8049998: read as the shortest decimal that gives it
// back, it rounds to 5.81 as the text does. Degrees make whole minutes; a
// declination of -0.0 keeps its sign, as "-0.0" written does.
TEST(ImportFormatsTest, BinaryNumbersRoundAsTheirText) {
    TempDir dir;
    const std::vector<std::vector<std::string>> rows = {
        {"X And", "6.0", "-0.5", "M", "5.805", "", "10.125", "", "0.00005", ""},
        {"Y And", "359.99", "90", "M", "0.005", "", "", "", "12345.5", ""},
        {"Z And", "15", "-0.0", "M", "5.8", "", "", "", "", ""},
    };
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.file);
        const auto result = RunImport({Write(dir, form.file, form.form, ServiceColumns(), rows)});
        EXPECT_EQ(result.out,
                  "0024-00   X And       M           5.81  10.13    0.0001Andromeda           \n"
                  "2359+90   Y And       M           0.01          12K0000Andromeda           \n"
                  "0100-00   Z And       M           5.80                 Andromeda           \n");
    }
}

// Fields found by UCD alone (FITS columns by name: FITS has no UCDs); a
// right ascension in hours from its unit; nulls of every kind are "not
// given".
TEST(ImportFormatsTest, UcdsUnitsAndNulls) {
    TempDir dir;
    std::vector<WrittenColumn> columns = {
        {"col1", WrittenColumn::kText, "meta.id;meta.main", "", 16},
        {"col2", WrittenColumn::kDouble, "pos.eq.ra;meta.main", "h", 0},
        {"col3", WrittenColumn::kDouble, "pos.eq.dec;meta.main", "deg", 0},
        {"col4", WrittenColumn::kText, "src.var.type", "", 8},
        {"col5", WrittenColumn::kFloat, "phot.mag;em.opt.V;stat.max", "mag", 0},
        {"col6", WrittenColumn::kInt, "phot.mag;stat.min", "mag", 0},
        {"col7", WrittenColumn::kDouble, "time.period;src.var", "d", 0},
    };
    const std::vector<std::vector<std::string>> rows = {
        {"R And", "0.4", "38.5", "M", "5.8", "15", "409.2"},
        {"S And", "0.5", "41.2", "SN", "", "", ""},
    };
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.file);
        if (form.form == TableForm::kFits) {
            const char* names[] = {"Name", "RA", "Dec", "Type", "max", "min", "Period"};
            for (std::size_t i = 0; i < columns.size(); ++i) columns[i].name = names[i];
        }
        const auto result = RunImport({Write(dir, form.file, form.form, columns, rows)});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out,
                  "0024+38   R And       M           5.80  15.00  409.2000Andromeda           \n"
                  "0030+41   S And       SN                               Andromeda           \n");
    }
    // TABLEDATA: a sexagesimal text position, a VALUES null and NaN.
    const std::string votable =
        dir.Write("text.vot",
                  "<?xml version='1.0'?>\n<VOTABLE version='1.2'><RESOURCE><TABLE>\n"
                  "<FIELD name='Star' datatype='char' arraysize='*'/>\n"
                  "<FIELD name='RA' datatype='char' arraysize='*' unit='\"h:m:s\"'/>\n"
                  "<FIELD name='Dec' datatype='char' arraysize='*' unit='\"d:m:s\"'/>\n"
                  "<FIELD name='Class' datatype='char' arraysize='*'/>\n"
                  "<FIELD name='magMax' datatype='float'/>\n"
                  "<FIELD name='magMin' datatype='int'><VALUES null='-99'/></FIELD>\n"
                  "<DATA><TABLEDATA>\n"
                  "<TR><TD>R And</TD><TD>00:24:01.95</TD><TD>+38:34:37.3</TD><TD>M</TD>"
                  "<TD>NaN</TD><TD>-99</TD></TR>\n"
                  "</TABLEDATA></DATA></TABLE></RESOURCE></VOTABLE>\n");
    const auto result = RunImport({votable});
    EXPECT_EQ(result.out,
              "0024+38   R And       M                                Andromeda           \n");

    // A binary stream's integer null written in hexadecimal, as the field's
    // 32 bits: the null is not given, a 0 is a value.
    for (const TableForm form : {TableForm::kBinary, TableForm::kBinary2}) {
        std::string text = ReadFile(Write(dir, "int.vot", form, columns,
                                          {{"R And", "0.4", "38.5", "M", "5.8", "", ""},
                                           {"S And", "0.5", "41.2", "M", "5.8", "0", ""}}));
        const std::string decimalNull = "null=\"-2147483648\"";
        ASSERT_NE(text.find(decimalNull), std::string::npos);
        text.replace(text.find(decimalNull), decimalNull.size(), "null=\"0x80000000\"");
        const auto hex = RunImport({dir.Write("hex.vot", text)});
        EXPECT_EQ(hex.out,
                  "0024+38   R And       M           5.80                 Andromeda           \n"
                  "0030+41   S And       M           5.80   0.00          Andromeda           \n");
    }
}

// A BINARY stream with integers of every width, UCS-2 text, a fixed char
// array ended by a NUL and a VALUES null on a short; --verbose names rows.
TEST(ImportFormatsTest, BinaryFieldsOfEveryKindAndRowNumbers) {
    TempDir dir;
    const std::string path =
        dir.Write("types.vot",
                  "<?xml version=\"1.0\"?>\n<VOTABLE version=\"1.3\"><RESOURCE><TABLE>\n"
                  "<FIELD name=\"Name\" datatype=\"unicodeChar\" arraysize=\"*\"/>\n"
                  "<FIELD name=\"RAdeg\" datatype=\"short\" unit=\"deg\"/>\n"
                  "<FIELD name=\"DEdeg\" datatype=\"long\" unit=\"deg\"/>\n"
                  "<FIELD name=\"Type\" datatype=\"char\" arraysize=\"2\"/>\n"
                  "<FIELD name=\"max\" datatype=\"unsignedByte\"/>\n"
                  "<FIELD name=\"min\" datatype=\"short\"><VALUES null=\"-1\"/></FIELD>\n"
                  "<FIELD name=\"Period\" datatype=\"int\"/>\n"
                  "<DATA><BINARY><STREAM encoding=\"base64\">\n"
                  // R And, 6, -1, "M\0", 5, null, 409; S Cas, 360, 60, "SR", 200, 12, 0
                  "AAAABQBSACAAQQBuAGQABv//////////TQAF//8AAAGZAAAABQBTACAAQwBhAHMBaAAAAAAAAAA8\n"
                  "U1LIAAwAAAAA\n"
                  "</STREAM></BINARY></DATA></TABLE></RESOURCE></VOTABLE>\n");
    const auto result = RunImport({"--verbose", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "0024-01   R And       M           5.00         409.0000Andromeda           \n");
    EXPECT_EQ(result.err, path +
                              ":row 2: skipped: position '360' '60' cannot be read; maximum 200 "
                              "is 100 or more\n"
                              "imported 1 star; skipped 1 (1 with an unreadable position)\n");
}

// Each broken file ends with a message naming it and status 2, after the
// rows before the fault; none crashes or hangs.
TEST(ImportFormatsTest, BrokenAndHostileFilesEndWithAMessageAndTwo) {
    TempDir dir;
    const auto rows = ServiceRows();
    const std::string tabledata =
        ReadFile(Write(dir, "t.vot", TableForm::kTableData, ServiceColumns(), rows));
    const std::string binary =
        ReadFile(Write(dir, "b.vot", TableForm::kBinary2, ServiceColumns(), rows));
    std::string fits = ReadFile(Write(dir, "f.fits", TableForm::kFits, ServiceColumns(), rows));
    std::string wrongRows = fits;
    const std::size_t naxis2 = wrongRows.find("NAXIS2  =");
    ASSERT_NE(naxis2, std::string::npos);
    wrongRows.replace(naxis2 + 10, 20, std::string(15, ' ') + "90000");

    struct Case {
        const char* name;
        std::string content;
        const char* message;  // part of the message on standard error
    };
    const Case cases[] = {
        {"cut.vot", tabledata.substr(0, tabledata.size() / 2), "line "},
        {"unclosed.vot", tabledata.substr(0, tabledata.find("</TABLEDATA>")), "no element found"},
        {"mismatched.vot", "<?xml version='1.0'?><VOTABLE><RESOURCE><TABLE></RESOURCE>",
         "mismatched tag"},
        {"cut-stream.vot", binary.substr(0, binary.find("</STREAM>") - 30) + "</STREAM>",
         "the base64 stream ends inside row"},
        {"bad-stream.vot",
         binary.substr(0, binary.find("<STREAM encoding=\"base64\">") + 27) + "%%%%",
         "which is not base64"},
        {"not-votable.xml", "<?xml version='1.0'?><html><body/></html>", "not a VOTable"},
        {"no-table.vot", "<?xml version='1.0'?><VOTABLE><RESOURCE/></VOTABLE>",
         "no TABLE in the VOTable"},
        {"huge-cell.vot",
         binary.substr(0, binary.find("<STREAM encoding=\"base64\">") + 27) + "/////////w==",
         "more than a cell may hold"},
        {"junk.vot", "<?xml version='1.0'?>\x01\x02\xff\xfe<VOTABLE>", "not well-formed"},
        {"rows.fits", wrongRows, "cannot be read"},
        {"cut.fits", fits.substr(0, 2880 + 1000), "FITS"},
        {"junk.fits", "SIMPLE  = junk\x01\x02\x03" + std::string(5000, '\xff'),
         "not a readable FITS file"},
        // Rows of no bytes would never end.
        {"empty-rows.vot",
         "<?xml version='1.0'?><VOTABLE><RESOURCE><TABLE>"
         "<FIELD name='Name' datatype='char' arraysize='0'/>"
         "<FIELD name='Coords' datatype='char' arraysize='0'/>"
         "<FIELD name='Type' datatype='char' arraysize='0'/>"
         "<FIELD name='Mag' datatype='char' arraysize='0'/>"
         "<DATA><BINARY><STREAM encoding='base64'>AAAA</STREAM></BINARY></DATA>"
         "</TABLE></RESOURCE></VOTABLE>",
         "hold no bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write(c.name, c.content);
        const auto result = RunImport({path});
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("velmo-cli: " + path + ": "), std::string::npos) << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    // --kind=fits hands the FITS library FITS files only.
    const auto result = RunImport({"--kind=fits", Fixture("stars.csv")});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("not a FITS file"), std::string::npos) << result.err;
    EXPECT_NE(RunImport({"--kind=xml", "-"}).err.find("gcvs, table, votable or fits"),
              std::string::npos);
}

// Through a real pipe (a FIFO) a VOTable streams as a file does; a FITS
// table, which the FITS library must move about in, is refused with a word.
TEST(ImportFormatsTest, AVotableStreamsThroughAPipeAndAFitsTableIsRefused) {
    TempDir dir;
    const std::string expected = ReadFile(Fixture("stars.expected.txt"));
    for (const Form& form : kForms) {
        SCOPED_TRACE(form.file);
        const std::string content =
            ReadFile(Write(dir, form.file, form.form, ServiceColumns(), ServiceRows()));
        const std::string fifo = dir.PathOf("pipe");
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
        const int writer = tktest::StartFunction([&] {
            std::ofstream out(fifo, std::ios::binary);
            out << content;  // fails quietly once the reader has gone
            return 0;
        });
        ASSERT_GE(writer, 0);
        const auto result = RunImport({fifo});
        tktest::WaitForChild(writer);
        ::unlink(fifo.c_str());
        if (form.form == TableForm::kFits) {
            EXPECT_EQ(result.status, 2);
            EXPECT_EQ(result.err, "velmo-cli: " + fifo +
                                      ": a FITS table is read from a file, not from a pipe or "
                                      "device\n");
        } else {
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(result.out, expected);
        }
    }
}

// Rows stream through: ten times the rows take no more memory, and the
// rows handed out while the parse waits are all whole (TABLEDATA gives what
// BINARY2 gives). A child starts with the memory of its parent counted as
// its own, so the inputs are written by a child of their own, which keeps
// this process small.
TEST(ImportFormatsTest, ALargeVotableIsReadInBoundedMemory) {
    TempDir dir;
    const int counts[] = {20000, 200000};
    tktest::ChildRun writing;
    writing.timeoutSeconds = 240;
    const tktest::ChildResult writer = tktest::RunFunction(
        [&] {
            bool ok = true;
            for (const int count : counts) {
                for (const TableForm form : {TableForm::kBinary2, TableForm::kTableData}) {
                    const char* suffix = form == TableForm::kBinary2 ? ".vot" : "-text.vot";
                    TableWriter table(dir.PathOf("many" + std::to_string(count) + suffix), form,
                                      ServiceColumns());
                    for (int i = 0; i < count; ++i) {
                        table.Row({"V" + std::to_string(i) + " And", std::to_string(i % 360),
                                   "38.5", "M", "5.8", "", "15.2", "", "409.2", ""});
                    }
                    ok = table.Finish() && ok;
                }
            }
            return ok ? 0 : 1;
        },
        writing);
    ASSERT_EQ(writer.status, 0) << writer.err;
    // Under AddressSanitizer freed memory is held back for a while, which
    // would look like growth.
    const char* asan = std::getenv("ASAN_OPTIONS");
    const std::string environment =
        std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") + ":quarantine_size_mb=0";
    std::vector<long> peaks;
    for (const int count : counts) {
        const std::string path = dir.PathOf("many" + std::to_string(count) + ".vot");
        const auto result = RunImport({path, "-o", dir.PathOf("out.txt")}, "", {environment});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "imported " + std::to_string(count) + " stars\n");
        peaks.push_back(result.peakKib);
    }
    EXPECT_LT(peaks[1], peaks[0] + 8 * 1024) << peaks[0] << " KiB, then " << peaks[1] << " KiB";
    const std::string binary = ReadFile(dir.PathOf("out.txt"));
    const auto text = RunImport({dir.PathOf("many200000-text.vot")}, "", {environment});
    EXPECT_EQ(text.err, "imported 200000 stars\n");
    EXPECT_TRUE(text.out == binary) << "TABLEDATA and BINARY2 give different lines";
}

}  // namespace
