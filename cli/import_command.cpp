// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_command.h"

#include <fcntl.h>
#include <getopt.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "block_writer.h"
#include "fits_reader.h"
#include "gcvs_records.h"
#include "import_report.h"
#include "import_usage_text.h"
#include "input_kind.h"
#include "line_reader.h"
#include "options.h"
#include "output_file.h"
#include "shown_text.h"
#include "star_line.h"
#include "table_records.h"
#include "usage.h"
#include "votable_reader.h"

namespace velmo::importing {
namespace {

// Bytes of the input looked at to tell GCVS records from a table.
constexpr std::size_t kDetectBytes = std::size_t{64} << 10;
// Verbose text is handed to standard error in blocks of about this size.
constexpr std::size_t kVerboseBlock = std::size_t{64} << 10;

struct ImportOptions {
    enum Kind { kDetect, kGcvs, kTable, kVotable, kFits };
    std::string input;
    std::string output;  // empty: standard output
    Kind kind = kDetect;
    bool raHours = false;
    bool verbose = false;
    ColumnNames columns;
};

using velmo_cli::kExitFound;
using velmo_cli::kExitNothing;
using velmo_cli::kExitTrouble;
using velmo_cli::WriteAll;

void Error(const std::string& message) { velmo_cli::PrintError(message); }

std::string Quote(const std::string& text) { return ShownText(text); }

std::string Number(std::size_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

// Values getopt_long returns for the long options without a letter.
constexpr int kKindOption = 1000;
constexpr int kRaHoursOption = 1001;
constexpr int kVersionOption = 1002;
constexpr int kFirstColumnOption = 1100;

// The --*-column options and the header each one names.
struct ColumnOption {
    const char* name;
    std::string ColumnNames::*header;
};
constexpr ColumnOption kColumnOptions[] = {
    {"name-column", &ColumnNames::name},     {"ra-column", &ColumnNames::ra},
    {"dec-column", &ColumnNames::dec},       {"position-column", &ColumnNames::position},
    {"type-column", &ColumnNames::type},     {"max-column", &ColumnNames::max},
    {"min-column", &ColumnNames::min},       {"range-column", &ColumnNames::range},
    {"period-column", &ColumnNames::period}, {"description-column", &ColumnNames::description},
};
constexpr int kColumnOptionCount = static_cast<int>(std::size(kColumnOptions));

// Reads the options. Returns -1 to go on, or the exit status to end with.
int ParseOptions(int argc, char* argv[], ImportOptions* options) {
    std::vector<struct option> longOptions = {
        {"output", required_argument, nullptr, 'o'},
        {"kind", required_argument, nullptr, kKindOption},
        {"ra-hours", no_argument, nullptr, kRaHoursOption},
        {"verbose", no_argument, nullptr, 'v'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, kVersionOption},
    };
    for (int i = 0; i < kColumnOptionCount; ++i) {
        longOptions.push_back(
            {kColumnOptions[i].name, required_argument, nullptr, kFirstColumnOption + i});
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});
    const std::string tryHelp = "; see 'velmo-cli import --help'";
    optind = 0;  // start afresh even when the caller parsed options before
    opterr = 0;  // the messages below instead of getopt's own
    for (;;) {
        const int previous = optind;
        const int option = getopt_long(argc, argv, ":o:vh", longOptions.data(), nullptr);
        if (option == -1) {
            break;
        }
        switch (option) {
            case 'o':
                options->output = optarg;
                break;
            case 'v':
                options->verbose = true;
                break;
            case 'h': {
                const int failed = WriteAll(STDOUT_FILENO, kImportUsage);
                if (failed != 0 && failed != EPIPE) {
                    Error(std::string("standard output: ") + std::strerror(failed));
                }
                return failed == 0 ? kExitFound : kExitTrouble;
            }
            case kVersionOption:
                return velmo_cli::AnswerInfoRequest(velmo_cli::InfoRequest::kVersion, nullptr);
            case kKindOption:
                if (std::strcmp(optarg, "gcvs") == 0) {
                    options->kind = ImportOptions::kGcvs;
                } else if (std::strcmp(optarg, "table") == 0) {
                    options->kind = ImportOptions::kTable;
                } else if (std::strcmp(optarg, "votable") == 0) {
                    options->kind = ImportOptions::kVotable;
                } else if (std::strcmp(optarg, "fits") == 0) {
                    options->kind = ImportOptions::kFits;
                } else {
                    Error("import: --kind must be gcvs, table, votable or fits, not " +
                          Quote(optarg) + tryHelp);
                    return kExitTrouble;
                }
                break;
            case kRaHoursOption:
                options->raHours = true;
                break;
            case ':':
                Error("import: option " + Quote(argv[optind - 1]) + " needs a value" + tryHelp);
                return kExitTrouble;
            default: {
                if (option >= kFirstColumnOption &&
                    option < kFirstColumnOption + kColumnOptionCount) {
                    options->columns.*kColumnOptions[option - kFirstColumnOption].header = optarg;
                    break;
                }
                const int at = optind > previous ? optind - 1 : previous;
                Error("import: " +
                      velmo_cli::RefusedOptionText(at < argc ? argv[at] : "?", longOptions.data()) +
                      tryHelp);
                return kExitTrouble;
            }
        }
    }
    if (optind >= argc) {
        Error("import: no INPUT given" + tryHelp);
        return kExitTrouble;
    }
    if (argc - optind > 1) {
        Error("import: one INPUT only, got " + Quote(argv[optind]) + " and " +
              Quote(argv[optind + 1]) + tryHelp);
        return kExitTrouble;
    }
    options->input = argv[optind];
    return -1;
}

// One import from an open input to an open output.
class Importer {
  public:
    Importer(const ImportOptions& chosen, int outputFd)
        : options(chosen),
          label(chosen.input == "-" ? "(standard input)" : chosen.input),
          writer(outputFd),
          builder(chosen.raHours, chosen.verbose) {}

    // Reads everything. Returns -1 when it went through (stars may or may
    // not have been written), or the exit status 2 after an error was
    // reported (or quietly on a closed pipe).
    int Run(velmo::LineReader* source, int inputFd, const std::string& outputLabel);

    const ImportReport& Report() const { return report; }

  private:
    // False on a read error.
    bool RunGcvs(velmo::LineReader* source);
    // Reads the rows of a table in any format: -1 when it went through or
    // ended on a read error (readFailed), else the exit status after an
    // error was reported.
    int RunRows(RowReader* reader);
    // Where a star stands, for explanations: the reader's Where(), or the
    // line number when there is no reader. Worked out only when needed.
    struct Place {
        const RowReader* reader;
        std::size_t line;
    };
    // Builds and writes one star, counts it, explains it when verbose.
    void Put(const StarTexts& texts, Place place);
    void Skip(SkipReason reason, Place place, const std::string& why);
    void Explain(Place place, const std::string& why);
    void FlushVerbose();

    const ImportOptions& options;
    std::string label;
    BlockWriter writer;
    StarLineBuilder builder;
    StarOutcome outcome;
    ImportReport report;
    std::string verboseText;
    bool readFailed = false;
    int readError = 0;
};

void Importer::Explain(Place place, const std::string& why) {
    verboseText += label;
    verboseText += ':';
    verboseText += place.reader != nullptr ? place.reader->Where() : Number(place.line);
    verboseText += ": ";
    verboseText += why;
    verboseText += '\n';
    if (verboseText.size() >= kVerboseBlock) {
        FlushVerbose();
    }
}

void Importer::FlushVerbose() {
    WriteAll(STDERR_FILENO, verboseText);
    verboseText.clear();
}

void Importer::Put(const StarTexts& texts, Place place) {
    char* out = writer.Reserve(kImportLineLength);
    if (builder.Build(texts, out, &outcome)) {
        writer.Commit(out + kImportLineLength);
    }
    report.Count(outcome);
    if (options.verbose && !outcome.why.empty()) {
        Explain(place, outcome.why);
    }
}

void Importer::Skip(SkipReason reason, Place place, const std::string& why) {
    report.CountSkip(reason);
    if (options.verbose) {
        Explain(place, "skipped: " + why);
    }
}

bool Importer::RunGcvs(velmo::LineReader* source) {
    source->LimitLineLength(kMaxRecordBytes);
    StarTexts texts;
    std::size_t lineNumber = 0;
    const char* text = nullptr;
    std::size_t length = 0;
    velmo::LineReader::Status status = velmo::LineReader::Status::kLine;
    while (writer.Error() == 0 &&
           (status = source->Next(text, length)) == velmo::LineReader::Status::kLine) {
        ++lineNumber;
        const std::string_view line(text, length);
        if (!IsGcvsStarLine(line)) {
            continue;  // a header, a comment or a blank line
        }
        std::size_t fields = 0;
        if (source->LineCut()) {
            Skip(SkipReason::kMalformed, Place{nullptr, lineNumber},
                 "line longer than " + Number(kMaxRecordBytes) + " bytes");
        } else if (!SplitGcvsLine(line, &texts, &fields)) {
            Skip(SkipReason::kMalformed, Place{nullptr, lineNumber},
                 Number(fields) + " fields, a GCVS record has " + Number(kGcvsFields) +
                     " up to the period");
        } else {
            Put(texts, Place{nullptr, lineNumber});
        }
    }
    return status != velmo::LineReader::Status::kError;
}

int Importer::RunRows(RowReader* reader) {
    std::string error;
    if (!reader->ReadHeader(&error)) {
        if (reader->ReadFailed()) {
            readFailed = true;
            readError = reader->ReadError();
            return -1;  // reported by Run
        }
        Error(label + ": " + error);
        return kExitTrouble;
    }
    for (const std::string& note : reader->Notes()) {
        WriteAll(STDERR_FILENO, "velmo-cli: note: " + label + ": " + note + "\n");
    }
    StarTexts texts;
    std::string why;
    while (writer.Error() == 0) {
        const RowReader::Row row = reader->Next(&texts, &why);
        if (row == RowReader::Row::kEnd) {
            break;
        }
        if (row == RowReader::Row::kMalformed) {
            if (const std::size_t lost = reader->LostLines()) {
                // Lines are lost here: said even without --verbose.
                report.CountLostLines(static_cast<std::int64_t>(lost));
                FlushVerbose();
                WriteAll(STDERR_FILENO,
                         "velmo-cli: note: " + label + ":" + reader->Where() + ": " + why + "\n");
                report.CountSkip(SkipReason::kMalformed);
                continue;
            }
            Skip(SkipReason::kMalformed, Place{reader, 0}, why);
        } else {
            Put(texts, Place{reader, 0});
        }
    }
    if (reader->ReadFailed()) {
        readFailed = true;
        readError = reader->ReadError();
        return -1;
    }
    const std::string fault = reader->Fault();
    if (!fault.empty()) {
        // What was read before the fault goes out; the status tells.
        FlushVerbose();
        writer.Finish();
        Error(label + ": " + fault);
        return kExitTrouble;
    }
    return -1;
}

int Importer::Run(velmo::LineReader* source, int inputFd, const std::string& outputLabel) {
    ImportOptions::Kind kind = options.kind;
    int status = -1;
    const char* text = nullptr;
    std::size_t length = 0;
    if (source->Peek(kDetectBytes, text, length)) {
        if (kind == ImportOptions::kDetect) {
            switch (DetectKind(std::string_view(text, length), length < kDetectBytes)) {
                case InputKind::kGcvs:
                    kind = ImportOptions::kGcvs;
                    break;
                case InputKind::kTable:
                    kind = ImportOptions::kTable;
                    break;
                case InputKind::kVotable:
                    kind = ImportOptions::kVotable;
                    break;
                case InputKind::kFits:
                    kind = ImportOptions::kFits;
                    break;
            }
        }
    } else {
        readFailed = true;
        readError = source->ReadError();
    }
    if (!readFailed) {
        if (kind == ImportOptions::kGcvs) {
            readFailed = !RunGcvs(source);
            readError = source->ReadError();
        } else if (kind == ImportOptions::kFits) {
            // CFITSIO moves about in the file: only a regular file will do.
            // It opens the very file given, through its descriptor.
            struct stat info {};
            if (::fstat(inputFd, &info) != 0 || !S_ISREG(info.st_mode)) {
                Error(label + ": a FITS table is read from a file, not from a pipe or device");
                return kExitTrouble;
            }
            // Only a FITS file goes to the FITS library (which would also
            // unpack compressed files into memory).
            if (DetectKind(std::string_view(text, length), true) != InputKind::kFits) {
                Error(label + ": not a FITS file (it does not start with \"SIMPLE  =\")");
                return kExitTrouble;
            }
            FitsReader reader("/dev/fd/" + Number(static_cast<std::size_t>(inputFd)),
                              options.columns);
            status = RunRows(&reader);
        } else if (kind == ImportOptions::kVotable) {
            // The line reader has read only the start, all of which Peek shows.
            VotableReader reader(inputFd, std::string_view(text, length), options.columns);
            status = RunRows(&reader);
        } else {
            TableReader reader(source, options.columns);
            status = RunRows(&reader);
        }
    }
    FlushVerbose();
    if (status != -1) {
        return status;
    }
    if (readFailed) {
        Error("cannot read " + Quote(label) + ": " + std::strerror(readError));
        return kExitTrouble;
    }
    if (!writer.Finish()) {
        if (writer.Error() != EPIPE) {
            Error("cannot write " + outputLabel + ": " + std::strerror(writer.Error()));
        }
        return kExitTrouble;
    }
    return -1;
}

// Opens the input; -1 with the error reported when that fails.
int OpenInput(const std::string& path) {
    if (path == "-") {
        return STDIN_FILENO;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Error("cannot read " + Quote(path) + ": " + std::strerror(errno));
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        Error("cannot read " + Quote(path) + ": " + std::strerror(EISDIR));
        return -1;
    }
    return fd;
}

int Import(const ImportOptions& options) {
    const int inputFd = OpenInput(options.input);
    if (inputFd < 0) {
        return kExitTrouble;
    }
    velmo_cli::OutputFile file;
    const bool toStandardOutput = options.output.empty() || options.output == "-";
    const std::string outputLabel = toStandardOutput ? "standard output" : Quote(options.output);
    if (!file.Open(toStandardOutput ? nullptr : options.output.c_str(), options.input.c_str())) {
        // A refused output in the words search and plan use: "FILE: why".
        Error((toStandardOutput ? std::string("standard output") : options.output) + ": " +
              file.Why());
        if (inputFd != STDIN_FILENO) ::close(inputFd);
        return kExitTrouble;
    }
    const int outputFd = file.Descriptor();

    velmo::LineReader source(inputFd);
    Importer importer(options, outputFd);
    const int status = importer.Run(&source, inputFd, outputLabel);
    if (inputFd != STDIN_FILENO) {
        ::close(inputFd);
    }
    if (status != -1) {
        return status;  // the OutputFile removes its temporary file
    }
    const ImportReport& report = importer.Report();
    if (report.Written() == 0) {
        file.Abort();  // nothing to write: the old file stays
    } else if (!file.Commit()) {
        Error("cannot write " + outputLabel + ": " + file.Why());
        return kExitTrouble;
    }
    WriteAll(STDERR_FILENO, report.Summary() + "\n");
    return report.Written() > 0 ? kExitFound : kExitNothing;
}

}  // namespace
}  // namespace velmo::importing

int RunImportCommand(int argc, char* argv[]) {
    using namespace velmo::importing;
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe shows as EPIPE from write
    ImportOptions options;
    const int status = ParseOptions(argc, argv, &options);
    if (status != -1) {
        return status;
    }
    return Import(options);
}
