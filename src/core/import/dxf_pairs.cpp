// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_pairs.h"

#include <cstring>
#include <string>

namespace velora {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The longest group code in use has two digits; four leave room for every
// code DXF defines while keeping the value small.
constexpr size_t kMaxCodeDigits = 4;

}  // namespace

std::string_view TrimDxfLine(std::string_view line) {
    size_t begin = 0;
    size_t end = line.size();
    while (begin < end && IsSpace(line[begin])) ++begin;
    while (end > begin && IsSpace(line[end - 1])) --end;
    return line.substr(begin, end - begin);
}

int ParseGroupCode(std::string_view line) {
    if (line.empty() || line.size() > kMaxCodeDigits) return DxfPair::kNoCode;
    if (line.size() > 1 && line[0] == '0') return DxfPair::kNoCode;
    int code = 0;
    for (char c : line) {
        if (c < '0' || c > '9') return DxfPair::kNoCode;
        code = code * 10 + (c - '0');
    }
    return code;
}

bool EqualsKeyword(std::string_view text, std::string_view lowerKeyword) {
    if (text.size() != lowerKeyword.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (LowerAscii(text[i]) != lowerKeyword[i]) return false;
    }
    return true;
}

void AssignLowerCase(std::string& target, std::string_view text) {
    target.assign(text);
    for (char& c : target) c = LowerAscii(c);
}

bool DxfPairReader::NextLine(std::string_view& line) {
    if (m_pos >= m_text.size()) return false;
    const char* start = m_text.data() + m_pos;
    const size_t remaining = m_text.size() - m_pos;
    const void* newline = std::memchr(start, '\n', remaining);
    const size_t length =
        newline ? static_cast<size_t>(static_cast<const char*>(newline) - start) : remaining;
    line = TrimDxfLine(std::string_view(start, length));
    m_pos += newline ? length + 1 : length;
    return true;
}

bool DxfPairReader::Next(DxfPair& pair) {
    std::string_view codeLine;
    std::string_view valueLine;
    if (!NextLine(codeLine) || !NextLine(valueLine)) return false;
    pair.code = ParseGroupCode(codeLine);
    pair.value = valueLine;
    return true;
}

}  // namespace velora
