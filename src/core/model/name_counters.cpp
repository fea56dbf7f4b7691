#include "core/model/name_counters.h"

#include <atomic>

namespace velora::NameCounters {

namespace {
std::atomic<int> g_regionCounter{0};
std::atomic<int> g_curveCounter{0};
std::atomic<int> g_objectCounter{0};
std::atomic<int> g_areaProposalCounter{1};
}  // namespace

QString NextRegionName() { return QString::asprintf("Area%d", g_regionCounter++); }
QString NextCurveName() { return QString::asprintf("Object%d", g_curveCounter++); }
QString NextObjectName() { return QString::asprintf("Object%d", g_objectCounter++); }
QString NextAreaNameProposal() { return QString::asprintf("Area%2d", g_areaProposalCounter++); }

}  // namespace velora::NameCounters
