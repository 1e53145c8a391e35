#pragma once
// The saturation vapour pressure of water in mm Hg every 0.2 °C, compiled in from
// resources/data/vapour_pressure_mmHg.csv (the build generates the definitions). Row d of the
// positive rows holds d.0, d.2, d.4, d.6, d.8 °C; row d of the negative rows holds -d.0 … -d.8 °C.
// Row 0 exists in both, starting with the same 4.579.

namespace tolvane {

struct VapourRow {
    double values[5];
};

inline constexpr int VapourPositiveRowCount = 66; // 0 … 65 °C
inline constexpr int VapourNegativeRowCount = 16; // -0 … -15 °C

// The sizes are part of the declarations, so a table with a missing row does not compile.
extern const VapourRow VapourPositiveRows[VapourPositiveRowCount];
extern const VapourRow VapourNegativeRows[VapourNegativeRowCount];

} // namespace tolvane
