// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/gap_settings.h"

#include "core/common/library_folders.h"
#include "core/import/gap_closing.h"

#include <QSettings>

#include <algorithm>

namespace velora {

namespace {
constexpr char kDistanceKey[] = "CloseGapsDistance";
constexpr char kWhenFloodsKey[] = "CloseGapsWhenClickFloods";
}  // namespace

GapSettings ReadGapSettings() {
    const QSettings store(SettingsOrganization(), SettingsApplication());
    const int distance = store.value(kDistanceKey, kDefaultGapDistance).toInt();
    return {std::clamp(distance, 1, kMaxGapDistance), store.value(kWhenFloodsKey, true).toBool()};
}

void WriteGapSettings(const GapSettings& settings) {
    QSettings store(SettingsOrganization(), SettingsApplication());
    store.setValue(kDistanceKey, settings.distance);
    store.setValue(kWhenFloodsKey, settings.closeWhenClickFloods);
}

}  // namespace velora
