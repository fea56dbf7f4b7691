// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/name_counters.h"

#include <atomic>
#include <charconv>

namespace velora::NameCounters {

namespace {
std::atomic<int> g_regionCounter{0};
std::atomic<int> g_curveCounter{0};
std::atomic<int> g_objectCounter{0};
std::atomic<int> g_areaProposalCounter{1};
}  // namespace

// Loading a template names thousands of regions, so this is built in place
// rather than by asprintf's format parsing and growing string.
QString NextRegionName() {
    char name[16] = "Area";
    const char* end = std::to_chars(name + 4, name + sizeof name, g_regionCounter++).ptr;
    return QString::fromLatin1(name, end - name);
}
QString NextCurveName() { return QString::asprintf("Object%d", g_curveCounter++); }
QString NextObjectName() { return QString::asprintf("Object%d", g_objectCounter++); }
QString NextAreaNameProposal() { return QString::asprintf("Area%2d", g_areaProposalCounter++); }

}  // namespace velora::NameCounters
