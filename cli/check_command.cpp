// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_command.h"

#include <getopt.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ext/stdio_filebuf.h>
#include <fstream>
#include <memory>

#include "block_writer.h"
#include "check_usage_text.h"
#include "input_file.h"
#include "line_ends.h"
#include "line_reader.h"
#include "options.h"
#include "output_target.h"
#include "usage.h"

namespace velmo_cli {
namespace {

const char* Expected(velmo::ByteClass expected) {
    switch (expected) {
        case velmo::ByteClass::kDigit:
            return "a digit";
        case velmo::ByteClass::kSign:
            return "'+' or '-'";
        case velmo::ByteClass::kSpaceOrLetter:
            return "white space or a letter";
        case velmo::ByteClass::kSpace:
            return "white space";
        case velmo::ByteClass::kPrintableNonBlank:
            return "a printable character other than a blank";
    }
    return "";
}

// A byte as a C character constant: 'x', ' ', '\t', '\'', '\xe9'.
std::string Shown(unsigned char c) {
    char text[8];
    switch (c) {
        case '\t':
            return "'\\t'";
        case '\n':
            return "'\\n'";
        case '\r':
            return "'\\r'";
        case '\v':
            return "'\\v'";
        case '\f':
            return "'\\f'";
        case '\'':
            return "'\\''";
        case '\\':
            return "'\\\\'";
        default:
            break;
    }
    if (c >= 32 && c <= 126) {
        std::snprintf(text, sizeof text, "'%c'", c);
    } else {
        std::snprintf(text, sizeof text, "'\\x%02x'", c);
    }
    return text;
}

bool IsBlankLine(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (!velmo::IsSpaceByte(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

struct CheckOptions {
    unsigned long long maxReports = 100;
    const char* catalogue = nullptr;
    InfoRequest info = InfoRequest::kNone;
};

bool ParseCheckOptions(int argc, char* argv[], CheckOptions& options) {
    enum { kMaxReports = 256, kHelp, kVersion };
    static const option kLongOptions[] = {
        {"max-reports", required_argument, nullptr, kMaxReports},
        {"help", no_argument, nullptr, kHelp},
        {"version", no_argument, nullptr, kVersion},
        {nullptr, 0, nullptr, 0},
    };
    opterr = 0;
    optind = 0;
    int id = 0;
    while ((id = getopt_long(argc, argv, ":h", kLongOptions, nullptr)) != -1) {
        if (id == kMaxReports) {
            long long value = 0;
            if (!ReadInteger(optarg, value) || value < 0) {
                PrintError("--max-reports: " + Quoted(optarg) +
                           " is not a whole number from 0 to " + std::to_string(LLONG_MAX));
                return false;
            }
            options.maxReports = static_cast<unsigned long long>(value);
        } else if (id == kHelp || id == 'h') {
            options.info = InfoRequest::kHelp;
        } else if (id == kVersion) {
            if (options.info == InfoRequest::kNone) options.info = InfoRequest::kVersion;
        } else if (id == ':') {
            PrintError("check: option " + Quoted(argv[optind - 1]) + " needs a value");
            return false;
        } else {
            const std::string name =
                optopt != 0 ? std::string("-") + static_cast<char>(optopt) : argv[optind - 1];
            PrintError("check: " + RefusedOptionText(name.c_str(), kLongOptions));
            return false;
        }
    }
    if (options.info != InfoRequest::kNone) {
        return true;
    }
    if (optind >= argc) {
        PrintError("check: no CATALOGUE file given");
        return false;
    }
    if (optind + 1 < argc) {
        PrintError("check: one CATALOGUE file only, but " + Quoted(argv[optind + 1]) + " follows " +
                   Quoted(argv[optind]));
        return false;
    }
    options.catalogue = argv[optind];
    return true;
}

}  // namespace

std::string DescribeFormatBreak(const velmo::FormatBreak& rule, std::size_t length) {
    if (rule.kind == velmo::FormatBreak::Kind::kTooShort) {
        return "line has " + std::to_string(length) + " characters, a star line needs at least " +
               std::to_string(velmo::kFormatTestMinLength);
    }
    return "position " + std::to_string(rule.position) + " is " + Shown(rule.found) +
           ", expected " + Expected(rule.expected);
}

int RunCheckCommand(int argc, char* argv[]) {
    CheckOptions options;
    if (!ParseCheckOptions(argc, argv, options)) {
        return kExitTrouble;
    }
    if (options.info != InfoRequest::kNone) {
        return AnswerInfoRequest(options.info, kCheckUsage);
    }

    // Standard input is read as it comes, through a buffer over its own
    // descriptor (a duplicate, closed with the buffer), whose read errors
    // fail the stream as a file's do.
    const bool fromStdin = IsStandardInput(options.catalogue);
    const std::string path = fromStdin ? kStandardInputLabel : options.catalogue;
    std::ifstream file;
    std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> stdinBuffer;
    if (fromStdin) {
        const int fd = ::dup(STDIN_FILENO);
        if (fd < 0) {
            PrintError(path + ": " + std::strerror(errno));
            return kExitTrouble;
        }
        stdinBuffer =
            std::make_unique<__gnu_cxx::stdio_filebuf<char>>(fd, std::ios::in | std::ios::binary);
    } else {
        // Only a regular file is opened, as the loader does: a FIFO would block.
        const std::string problem = InputProblem(path.c_str());
        if (!problem.empty()) {
            PrintError(path + ": " + problem);
            return kExitTrouble;
        }
        file.open(path, std::ios::in | std::ios::binary);
        if (!file.is_open()) {
            PrintError(path + ": " + std::strerror(errno));
            return kExitTrouble;
        }
    }
    std::istream stdinStream(stdinBuffer.get());
    std::istream& in = fromStdin ? stdinStream : file;

    OutputTarget target;
    target.Open(nullptr);
    velmo::BlockWriter& out = target.Writer();
    velmo::LineReader reader(in);
    unsigned long long lineNumber = 0, stars = 0, others = 0, blanks = 0;
    const char* text = nullptr;
    std::size_t length = 0;
    bool firstLineHoldsCarriageReturn = false;
    velmo::LineReader::Status status;
    while ((status = reader.Next(text, length)) == velmo::LineReader::Status::kLine) {
        ++lineNumber;
        if (lineNumber == 1) {
            firstLineHoldsCarriageReturn = std::memchr(text, '\r', length) != nullptr;
        }
        if (velmo::PassesFormatTest(text, length)) {
            ++stars;
        } else if (IsBlankLine(text, length)) {
            ++blanks;
        } else {
            ++others;
            if (others <= options.maxReports) {
                const std::string report =
                    path + ":" + std::to_string(lineNumber) + ": " +
                    DescribeFormatBreak(velmo::FindFormatBreak(text, length), length) + "\n";
                out.Append(report.data(), report.size());
            }
        }
    }
    if (status == velmo::LineReader::Status::kError) {
        target.Finish();
        PrintError(path + ": cannot be read after line " + std::to_string(lineNumber));
        return kExitTrouble;
    }
    // Reported as lines of the file are, before the closing count. Standard
    // input cannot be read again: there a single line holding a carriage
    // return is what such a file reads as.
    const bool carriageReturnsOnly = fromStdin ? lineNumber == 1 && firstLineHoldsCarriageReturn
                                               : EndsLinesWithCarriageReturnsOnly(path.c_str());
    for (const char* why : {carriageReturnsOnly ? kCarriageReturnsOnly : nullptr,
                            stars == 0 ? "no star line" : nullptr}) {
        if (why != nullptr) {
            const std::string report = path + ": " + why + "\n";
            out.Append(report.data(), report.size());
        }
    }
    const std::string summary = std::to_string(stars) + " star lines, " + std::to_string(others) +
                                " other lines, " + std::to_string(blanks) + " blank lines\n";
    out.Append(summary.data(), summary.size());
    if (!target.Finish()) {
        return kExitTrouble;
    }
    return others == 0 && stars > 0 && !carriageReturnsOnly ? kExitFound : kExitNothing;
}

}  // namespace velmo_cli
