// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <string>
#include <string_view>

namespace velora {

// One group of a DXF file: its code and its value line, both trimmed. The
// value is left in its original case and points into the text being read.
struct DxfPair {
    // The group code when its line is a plain decimal number as DXF writes
    // them ("10", not "010" or "+10"); codes are matched as text, so any
    // other spelling matches no code and reads as kNoCode.
    int code = kNoCode;
    std::string_view value;

    static constexpr int kNoCode = -1;
};

// Splits DXF text into (code, value) line pairs in place, without copying.
// Lines end with LF or CR LF; a final line needs no line end.
class DxfPairReader {
public:
    explicit DxfPairReader(QByteArrayView text)
        : m_text(text.data(), static_cast<size_t>(text.size())) {}

    // The next pair; false at the end of the text, including when a code
    // line is the last line and has no value line.
    bool Next(DxfPair& pair);

private:
    bool NextLine(std::string_view& line);

    std::string_view m_text;
    size_t m_pos = 0;
};

// Group code of a trimmed code line, or DxfPair::kNoCode.
int ParseGroupCode(std::string_view line);

// Text trimmed of white space at both ends, as the C library's isspace
// knows it in the C locale.
std::string_view TrimDxfLine(std::string_view line);

// Whether the text equals the lower-case keyword when lower-cased.
bool EqualsKeyword(std::string_view text, std::string_view lowerKeyword);

// ASCII lower case, the way names are compared.
void AssignLowerCase(std::string& target, std::string_view text);

}  // namespace velora
