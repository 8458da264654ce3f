// SPDX-License-Identifier: GPL-3.0-or-later
// What the commands of velmo-cli share: exit statuses, the one error prefix,
// and the reading of numbers from option values.
#pragma once

#include <cstddef>
#include <string>

struct option;  // <getopt.h>

namespace velmo_cli {

// Exit statuses, as grep has them.
enum ExitStatus {
    kExitFound = 0,    // at least one star matched / every non-blank line is a star line
    kExitNothing = 1,  // no star matched / some lines are not star lines
    kExitTrouble = 2,  // usage, unreadable file, no star line, write error
};

// Writes "velmo-cli: " followed by `message` and a line feed to standard
// error.
void PrintError(const std::string& message);

// Writes all of the `size` bytes at `data` to descriptor `fd`, going on
// after interrupted and partial writes. Returns 0, or the errno of the
// write that failed.
int WriteAll(int fd, const char* data, std::size_t size);
inline int WriteAll(int fd, const std::string& text) {
    return WriteAll(fd, text.data(), text.size());
}

// Reads a whole decimal number with an optional sign ("+" or "-") and
// nothing else. False when `text` is not one, or does not fit a long long.
bool ReadInteger(const char* text, long long& value);

// Read a decimal number: optional sign, digits with an optional point and
// fraction, an optional exponent ("e" or "E"). "." is the decimal point
// whatever the locale. Infinity, NaN, hexadecimal and surrounding blanks are
// refused, and so is a number beyond the range of a double; for a float, a
// number beyond its range reads as an infinity (which no option accepts).
// False when `text` is not such a number.
bool ReadReal(const char* text, double& value);
bool ReadReal(const char* text, float& value);

// `text` quoted for a message: 'text'.
std::string Quoted(const char* text);

// Why getopt_long refused `argument` ("--ra=5", "-x"), given the command's
// long options (ended by an all-zero entry): "ambiguous option '--ra'
// (--ra-west, --ra-east)" when it begins more than one of them, else
// "unknown option '--ra=5'".
std::string RefusedOptionText(const char* argument, const option* longOptions);

}  // namespace velmo_cli
