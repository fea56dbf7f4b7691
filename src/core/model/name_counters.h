// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace velora {

// Process-wide name counters. They are never reset and never stored, so
// names stay unique across every document of a run.
namespace NameCounters {
// "Area%d" of a new region, from 0.
QString NextRegionName();
// "Object%d" of a curve, from 0.
QString NextCurveName();
// "Object%d" of a drawing object, from 0 (a counter of its own).
QString NextObjectName();
// "Area%2d" proposal of the area name dialog, from 1.
QString NextAreaNameProposal();
}  // namespace NameCounters

}  // namespace velora
