#pragma once
// The SAE correction factor: measured power × factor = power in standard air (77 °F, 29.22 inHg
// of dry air). Temperatures in °F, pressures in inHg, relative humidity in percent.
//
// The water-vapour pressure comes from a table that spans -15.8 … +65.8 °C (about 3.6 … 150.4 °F).
// Outside it there is no honest value, and a dry-air pressure of zero or below has no meaning, so
// these functions answer nullopt there instead of inventing a factor.
#include <optional>

namespace tolvane {

// Saturation vapour pressure of water in inHg. Whole even tenths of a degree Celsius come straight
// from the table; an odd tenth takes the mean of its two neighbours.
std::optional<double> VapPress(double tempF);

// Baro − Humidity × 0.01 × VapPress(TempF), in inHg.
std::optional<double> DryPress(double humidity, double baro, double tempF);

// (29.22 / DryPress) × 1.18 × √((TempF + 460) / 537) − 0.18; nullopt when the temperature is
// outside the table or the dry-air pressure is not above zero.
std::optional<double> SaeCorr(double humidity, double baro, double tempF);

} // namespace tolvane
