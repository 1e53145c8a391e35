#pragma once
// Fills the plain inputs of the test-file builders from the program's models: the setup block
// from the test setup, the header (conditions, notes, units, company) from the save dialog's
// values, the unit settings and the configuration's company lines. The file builders stay free
// of the models; the live windows and the headless runner share this one mapping.
#include <QString>

#include "core/acquisition/test_data_file.h"

namespace tolvane {

class Configuration;
class RunConditions;
class TestSetup;
class UnitSettings;

SetupBlockValues setupBlockValues(const TestSetup& setup);

// Everything but the relative path (the saver supplies it), the save time and the company lines.
TestFileHeader testFileHeader(const RunConditions& conditions, const UnitSettings& units, double tachRatio);

// "About"/"Company Name" and "Company Addr" into a header.
void setCompanyLines(TestFileHeader& header, const Configuration& configuration);

} // namespace tolvane
