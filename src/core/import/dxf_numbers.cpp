// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>

namespace velora {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

size_t SkipSpaces(std::string_view text, size_t pos) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    return pos;
}

size_t SkipDigits(std::string_view text, size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

// The layout of a decimal number at the start of a text: [sign] digits
// [. digits] [e [sign] digits], with at least one mantissa digit.
struct DecimalPrefix {
    bool negative = false;
    size_t begin = 0;       // first mantissa character, after the sign
    size_t pointOrEnd = 0;  // the decimal point, or the end of the mantissa
    size_t mantissaEnd = 0;
    size_t end = 0;  // end of the whole number, exponent included
    bool valid = false;
};

DecimalPrefix ScanDecimal(std::string_view text) {
    DecimalPrefix prefix;
    size_t pos = SkipSpaces(text, 0);
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        prefix.negative = text[pos] == '-';
        ++pos;
    }
    prefix.begin = pos;
    pos = SkipDigits(text, pos);
    prefix.pointOrEnd = pos;
    bool digits = pos > prefix.begin;
    if (pos < text.size() && text[pos] == '.') {
        const size_t fraction = pos + 1;
        pos = SkipDigits(text, fraction);
        digits = digits || pos > fraction;
    }
    if (!digits) return prefix;
    prefix.mantissaEnd = pos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) pos = exponentEnd;
    }
    prefix.end = pos;
    prefix.valid = true;
    return prefix;
}

// Decimal exponent of the leading significant digit, clamped; used only to
// tell an overflow from an underflow.
long long MagnitudeOf(std::string_view text, const DecimalPrefix& prefix) {
    long long magnitude = 0;
    bool found = false;
    for (size_t i = prefix.begin; i < prefix.mantissaEnd && !found; ++i) {
        if (text[i] == '.' || text[i] == '0') continue;
        found = true;
        magnitude = i < prefix.pointOrEnd ? static_cast<long long>(prefix.pointOrEnd - i) - 1
                                          : -static_cast<long long>(i - prefix.pointOrEnd);
    }
    if (!found) return LLONG_MIN / 2;
    size_t pos = prefix.mantissaEnd + 1;
    const bool negativeExponent = pos < prefix.end && text[pos] == '-';
    if (pos < prefix.end && (text[pos] == '-' || text[pos] == '+')) ++pos;
    long long exponent = 0;
    for (; pos < prefix.end; ++pos) {
        exponent = std::min(exponent * 10 + (text[pos] - '0'), LLONG_MAX / 100);
    }
    return magnitude + (negativeExponent ? -exponent : exponent);
}

}  // namespace

double ParseDxfDouble(std::string_view text) {
    const DecimalPrefix prefix = ScanDecimal(text);
    if (!prefix.valid) return 0;
    double value = 0;
    const char* first = text.data() + prefix.begin;
    const auto [ptr, error] =
        std::from_chars(first, text.data() + prefix.end, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        value = MagnitudeOf(text, prefix) > 0 ? HUGE_VAL : 0.0;
    } else if (error != std::errc()) {
        value = 0;
    }
    return prefix.negative ? -value : value;
}

int ParseDxfInt(std::string_view text) {
    size_t pos = SkipSpaces(text, 0);
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
        value = std::min(value * 10 + (text[pos] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace velora
