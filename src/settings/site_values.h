// SPDX-License-Identifier: MIT
// The site location between the settings view's edits and TSiteEst.
#pragma once

#include <string>

#include "settings/site_est.h"

namespace velk {

// The texts of the three site edits.
struct TSiteTexts {
  std::string Latitude;
  std::string Longitude;
  std::string Elevation;
};

// Latitude and longitude with four decimals ("35.0000"), the elevation in decimal; always with
// "." whatever the locale.
TSiteTexts SiteTexts(const TSiteEst& site);

// Takes latitude, then longitude, then elevation from their texts and stops at the first that
// does not read: the ones before it are taken, it and the later ones keep their values. False
// when one did not read. Blanks around a number and full-width digits, signs and points are
// accepted; a latitude must lie within ±90, a longitude within ±180, an elevation must be a
// whole number within 16 bits.
bool TakeSiteValues(TSiteEst& site, const TSiteTexts& texts);

}  // namespace velk
