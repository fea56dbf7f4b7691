// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/ftp_listing.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <algorithm>

namespace velora {

namespace {
// No file system takes names this long; a longer line is noise, and the
// patterns below need not run over it.
constexpr qsizetype kMaxLineLength = 4096;

struct ParsedLine {
    QByteArray name;
    bool isDirectory = false;
    bool isLink = false;
};

// The patterns work on the line read as Latin-1, which maps every byte to
// one character and back, so the captured name converts back to the exact
// bytes the server sent.
QByteArray NameBytes(const QRegularExpressionMatch& match, int group) {
    return match.captured(group).toLatin1();
}

bool ParseUnixLine(const QString& line, ParsedLine& parsed) {
    static const QRegularExpression pattern(
        R"(^([-bcdlps])\S{9}.*?\s\d+\s+[A-Za-z]{3}\s+\d{1,2}\s+(?:\d{1,2}:\d{2}|\d{4}) (.+)$)");
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch()) return false;
    const QChar type = match.captured(1).at(0);
    parsed.isDirectory = type == 'd';
    parsed.isLink = type == 'l';
    parsed.name = NameBytes(match, 2);
    return true;
}

bool ParseDosLine(const QString& line, ParsedLine& parsed) {
    static const QRegularExpression pattern(
        R"(^\d{1,2}-\d{1,2}-\d{2,4}\s+\d{1,2}:\d{2}\s*(?:[AaPp][Mm])?\s+(<DIR>|\d+)\s+(.+)$)");
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch()) return false;
    parsed.isDirectory = match.captured(1) == "<DIR>";
    parsed.name = NameBytes(match, 2);
    return true;
}

// A link is listed as "name -> target"; only the name is the entry.
void DropLinkTarget(ParsedLine& parsed) {
    if (!parsed.isLink) return;
    const qsizetype arrow = parsed.name.indexOf(" -> ");
    if (arrow > 0) parsed.name.truncate(arrow);
}

bool IsDotEntry(const QByteArray& name) { return name == "." || name == ".."; }
}  // namespace

bool IsSafeRemoteName(const QByteArray& name) {
    if (name.isEmpty() || IsDotEntry(name)) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7f;
    });
}

QString RemoteText(const QByteArray& name) {
    return name.isValidUtf8() ? QString::fromUtf8(name) : QString::fromLatin1(name);
}

FtpListing ParseFtpListing(const QByteArray& reply) {
    FtpListing listing;
    for (QByteArray line : reply.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.isEmpty() || line.size() > kMaxLineLength) continue;
        const QString text = QString::fromLatin1(line);
        ParsedLine parsed;
        if (!ParseUnixLine(text, parsed) && !ParseDosLine(text, parsed)) continue;
        DropLinkTarget(parsed);
        if (IsDotEntry(parsed.name)) continue;
        if (!IsSafeRemoteName(parsed.name)) {
            listing.unsafeNames.push_back(parsed.name);
            continue;
        }
        listing.entries.push_back({parsed.name, parsed.isDirectory});
    }
    return listing;
}

}  // namespace velora
