// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"

#include <getopt.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

namespace velmo_cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True when `text` has the shape of a decimal number: optional sign, digits
// with an optional point and fraction (at least one digit in all), an
// optional exponent with optional sign and at least one digit.
bool LooksDecimal(const char* text) {
    const char* p = text;
    if (*p == '+' || *p == '-') ++p;
    bool digits = false;
    while (IsDigit(*p)) ++p, digits = true;
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) ++p, digits = true;
    }
    if (!digits) return false;
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-') ++p;
        if (!IsDigit(*p)) return false;
        while (IsDigit(*p)) ++p;
    }
    return *p == '\0';
}

}  // namespace

void PrintError(const std::string& message) {
    std::fprintf(stderr, "velmo-cli: %s\n", message.c_str());
}

int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

bool ReadInteger(const char* text, long long& value) {
    const char* first = text[0] == '+' ? text + 1 : text;
    if (!IsDigit(first[0]) && !(first[0] == '-' && first == text && IsDigit(first[1]))) {
        return false;
    }
    const char* last = text + std::strlen(text);
    const auto [end, error] = std::from_chars(first, last, value);
    return end == last && error == std::errc();
}

bool ReadReal(const char* text, double& value) {
    if (!LooksDecimal(text)) return false;
    const char* first = text[0] == '+' ? text + 1 : text;  // from_chars takes no "+"
    const char* last = text + std::strlen(text);
    double parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (end != last || error != std::errc()) return false;  // out of range included
    value = parsed;
    return true;
}

bool ReadReal(const char* text, float& value) {
    double wide = 0;
    if (!ReadReal(text, wide)) return false;
    // Beyond the float range the conversion would be undefined; such a value
    // is outside every range of the options anyway.
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    if (wide > kFloatMax || wide < -kFloatMax) {
        value = wide > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    } else {
        value = static_cast<float>(wide);
    }
    return true;
}

std::string Quoted(const char* text) { return std::string("'") + text + "'"; }

std::string RefusedOptionText(const char* argument, const option* longOptions) {
    const std::string given = argument;
    if (given.compare(0, 2, "--") == 0) {
        const std::string name = given.substr(2, given.find('=') - 2);
        std::string candidates;
        int count = 0;
        for (const option* o = longOptions; !name.empty() && o->name != nullptr; ++o) {
            if (std::strncmp(o->name, name.c_str(), name.size()) == 0) {
                candidates += (count++ == 0 ? "--" : ", --") + std::string(o->name);
            }
        }
        if (count > 1) {
            return "ambiguous option " + Quoted(("--" + name).c_str()) + " (" + candidates + ")";
        }
    }
    return "unknown option " + Quoted(argument);
}

}  // namespace velmo_cli
