// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace velora {

// One entry of a folder listing. The name keeps the server's bytes, so that
// a name in any encoding can be asked for again exactly as it was listed.
struct RemoteEntry {
    QByteArray name;
    bool isDirectory = false;
};

struct FtpListing {
    // In the server's order, without "." and "..".
    std::vector<RemoteEntry> entries;
    // Names that could reach outside the folder they were listed in, or
    // cannot be a file name at all; they are left out of the entries.
    std::vector<QByteArray> unsafeNames;
};

// Parses a server's answer to LIST. Servers answer in one of two styles:
//   Unix: "drwxr-xr-x   2 owner group  4096 Jan 31 09:15 name"
//         "-rw-r--r--   1 owner group   512 Jan 31  2023 name"
//   DOS:  "01-31-24  09:15PM       <DIR>          name"
//         "01-31-24  09:15PM                 512 name"
// Names may hold blanks; everything after the date is the name. A symbolic
// link ("name -> target") counts as a file under its own name. Lines of
// neither style ("total 12", greetings) are passed over.
FtpListing ParseFtpListing(const QByteArray& reply);

// Whether a listed name can become one component of a local path: not
// empty, not "." or "..", and without "/", "\" or control characters.
bool IsSafeRemoteName(const QByteArray& name);

// A remote name or path as text: UTF-8 when its bytes are valid UTF-8, else
// Latin-1, which any byte string is.
QString RemoteText(const QByteArray& name);

}  // namespace velora
