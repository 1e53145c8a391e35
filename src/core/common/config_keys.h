#pragma once
// Every key of the configuration files, once, with its value type; and every reader's default,
// once. A key's type is part of its descriptor, so a reader cannot read a float key as text by
// mistake. Where readers of one key disagree on the default (the live windows and the DAQ
// calibration window, the step and sweep windows), each reader has its own setting.
#include <QString>
#include <QtGlobal>

#include <array>
#include <string_view>

namespace tolvane {

template <class T> struct ConfigKey {
    const char* section;
    const char* name;
};

// Text defaults are Latin-1 literals so settings stay constexpr.
template <class T> struct ConfigDefaultOf {
    using type = T;
};
template <> struct ConfigDefaultOf<QString> {
    using type = const char*;
};

template <class T> struct ConfigSetting {
    ConfigKey<T> key;
    typename ConfigDefaultOf<T>::type fallback;
};

namespace ConfigSection {
inline constexpr char About[] = "About";
inline constexpr char BlackBox[] = "BlackBox";
inline constexpr char DynoSystem[] = "Dyno_System";
inline constexpr char Test[] = "Test";
inline constexpr char GasAnalyzer[] = "Gas Analyzer";
inline constexpr char Units[] = "Units";
inline constexpr char Graphs[] = "Graphs";
inline constexpr char History[] = "History";
inline constexpr char WindowPosition[] = "Window Position";
inline constexpr char Help[] = "Help";
inline constexpr char WeatherStation[] = "Weather Station";
} // namespace ConfigSection

namespace ConfigKeys {
using namespace ConfigSection;
inline constexpr ConfigKey<QString> CompanyName{About, "Company Name"};
inline constexpr ConfigKey<QString> CompanyAddr{About, "Company Addr"};

inline constexpr ConfigKey<double> TimeCF{BlackBox, "TimeCF"};
inline constexpr ConfigKey<double> ETCF{BlackBox, "ETCF"};
inline constexpr ConfigKey<double> RollerDia{BlackBox, "RollerDia"};
inline constexpr ConfigKey<double> LoadOff{BlackBox, "LoadOff"};
inline constexpr ConfigKey<double> LoadSpan{BlackBox, "LoadSpan"};
inline constexpr ConfigKey<double> CalWeight{BlackBox, "CalWeight"};
// Also the port finder's key in the second file.
inline constexpr ConfigKey<int> AcqComPort{BlackBox, "Acq. Com port"};
inline constexpr ConfigKey<bool> UsbBlackBox{BlackBox, "USB Black Box"};

inline constexpr ConfigKey<double> TqOff{DynoSystem, "TQ_Off"};
inline constexpr ConfigKey<double> TqGain{DynoSystem, "TQ_Gain"};
inline constexpr ConfigKey<double> SpdGain{DynoSystem, "Spd_Gain"};

inline constexpr ConfigKey<double> TachRatValMax{Test, "TachRatValMax"};
inline constexpr ConfigKey<int> IncrementRpm{Test, "Increment rpm"};
inline constexpr ConfigKey<quint16> RecordTolerance{Test, "Record Tolerance"};
inline constexpr ConfigKey<double> DynoInertia{Test, "Dyno_Inertia"};
inline constexpr ConfigKey<bool> MetricAcf{Test, "Metric ACF"};
inline constexpr ConfigKey<int> AutoDecelerationForce{Test, "auto deceleration force"};
inline constexpr ConfigKey<bool> IsaOutput{Test, "ISA Output"};

// Also the port finder's key in the second file.
inline constexpr ConfigKey<int> EgaComPort{GasAnalyzer, "EGA Com port"};
inline constexpr ConfigKey<int> EgaDelay{GasAnalyzer, "EGA Delay"};

inline constexpr ConfigKey<QString> RoadSpeed{Units, "Road Speed"};
inline constexpr ConfigKey<QString> EngineSpeed{Units, "Engine Speed"};
inline constexpr ConfigKey<QString> Power{Units, "Power"};
inline constexpr ConfigKey<QString> Force{Units, "Force"};
inline constexpr ConfigKey<QString> Ega{Units, "EGA"};
inline constexpr ConfigKey<int> SpeedMf{Units, "Speed mf"};
inline constexpr ConfigKey<int> ForceMf{Units, "Force mf"};
inline constexpr ConfigKey<int> PowerMf{Units, "Power mf"};
inline constexpr ConfigKey<int> Inertia{Units, "Inertia"};

// Its default is the data directory's library folder, known only at run time.
inline constexpr ConfigKey<QString> RootDirectory{Graphs, "Root Directory"};
inline constexpr ConfigKey<int> ColorWidth{Graphs, "Color Width"};
inline constexpr ConfigKey<int> DateWidth{Graphs, "Date Width"};
inline constexpr ConfigKey<int> FilesWidth{Graphs, "Files Width"};
inline constexpr ConfigKey<QString> FileMask{Graphs, "File Mask"};
inline constexpr ConfigKey<int> NotesFont{Graphs, "Notes font"};
inline constexpr ConfigKey<QString> Colors{Graphs, "Colors"};

inline constexpr ConfigKey<int> FileIndex{History, "File_Index"};

// Written and compared as the texts ShowHelpOn and ShowHelpOff, not as a boolean.
inline constexpr ConfigKey<QString> ShowHelp{Help, "Show_Help"};

inline constexpr ConfigKey<int> DavisComPort{WeatherStation, "Davis Com Port"};
} // namespace ConfigKeys

inline constexpr char ShowHelpOn[] = "True";
inline constexpr char ShowHelpOff[] = "False";
// The only value "File Mask" is ever given.
inline constexpr char FileMaskValue[] = "N/A";

// Defaults that every reader of the key shares.
namespace ConfigSettings {
inline constexpr ConfigSetting<QString> CompanyName{ConfigKeys::CompanyName, ""};
inline constexpr ConfigSetting<QString> CompanyAddr{ConfigKeys::CompanyAddr, ""};

inline constexpr ConfigSetting<double> RollerDia{ConfigKeys::RollerDia, 0.0379};
inline constexpr ConfigSetting<double> LoadOff{ConfigKeys::LoadOff, 1.0};
inline constexpr ConfigSetting<double> LoadSpan{ConfigKeys::LoadSpan, 1.0};
inline constexpr ConfigSetting<double> CalWeight{ConfigKeys::CalWeight, 50.0};
// Read by the DAQ calibration window, and by the main window so that its save at exit writes back
// the stored port rather than a port it never knew.
inline constexpr ConfigSetting<int> AcqComPort{ConfigKeys::AcqComPort, 1};
inline constexpr ConfigSetting<bool> UsbBlackBox{ConfigKeys::UsbBlackBox, false};

inline constexpr ConfigSetting<double> TqOff{ConfigKeys::TqOff, 0.0};
inline constexpr ConfigSetting<double> TqGain{ConfigKeys::TqGain, 1.0};
inline constexpr ConfigSetting<double> SpdGain{ConfigKeys::SpdGain, 1.0};

inline constexpr ConfigSetting<double> TachRatValMax{ConfigKeys::TachRatValMax, 6.0};
inline constexpr ConfigSetting<int> IncrementRpm{ConfigKeys::IncrementRpm, 2500};
inline constexpr ConfigSetting<double> DynoInertia{ConfigKeys::DynoInertia, 2.5};
inline constexpr ConfigSetting<bool> MetricAcf{ConfigKeys::MetricAcf, false};
inline constexpr ConfigSetting<int> AutoDecelerationForce{ConfigKeys::AutoDecelerationForce, 5};

inline constexpr ConfigSetting<int> EgaComPort{ConfigKeys::EgaComPort, 0};
inline constexpr ConfigSetting<int> EgaDelay{ConfigKeys::EgaDelay, 3};

inline constexpr ConfigSetting<QString> RoadSpeed{ConfigKeys::RoadSpeed, "MPH"};
inline constexpr ConfigSetting<QString> EngineSpeed{ConfigKeys::EngineSpeed, "RPM"};
inline constexpr ConfigSetting<QString> Power{ConfigKeys::Power, "BHP"};
inline constexpr ConfigSetting<QString> Force{ConfigKeys::Force, "Ft/Lbs"};
inline constexpr ConfigSetting<QString> Ega{ConfigKeys::Ega, "CO \tHC \tCO2 \tO2 \tFlux\t"};
inline constexpr ConfigSetting<int> SpeedMf{ConfigKeys::SpeedMf, 1000};
inline constexpr ConfigSetting<int> ForceMf{ConfigKeys::ForceMf, 1000};
inline constexpr ConfigSetting<int> PowerMf{ConfigKeys::PowerMf, 1000};
inline constexpr ConfigSetting<int> Inertia{ConfigKeys::Inertia, 2500};

inline constexpr ConfigSetting<int> ColorWidth{ConfigKeys::ColorWidth, 19};
inline constexpr ConfigSetting<int> DateWidth{ConfigKeys::DateWidth, 70};
inline constexpr ConfigSetting<int> FilesWidth{ConfigKeys::FilesWidth, 130};
inline constexpr ConfigSetting<int> NotesFont{ConfigKeys::NotesFont, 12};
inline constexpr ConfigSetting<QString> Colors{ConfigKeys::Colors, "clBlack"};

inline constexpr ConfigSetting<int> FileIndex{ConfigKeys::FileIndex, 0};
inline constexpr ConfigSetting<QString> ShowHelp{ConfigKeys::ShowHelp, ShowHelpOn};
// Also when the section is absent.
inline constexpr ConfigSetting<int> DavisComPort{ConfigKeys::DavisComPort, 0};
} // namespace ConfigSettings

// The step-test and sweep-test windows.
namespace LiveWindowSettings {
inline constexpr ConfigSetting<double> TimeCF{ConfigKeys::TimeCF, 1500.0};
inline constexpr ConfigSetting<double> ETCF{ConfigKeys::ETCF, 0.26214};
} // namespace LiveWindowSettings

namespace StepWindowSettings {
inline constexpr ConfigSetting<quint16> RecordTolerance{ConfigKeys::RecordTolerance, 250};
} // namespace StepWindowSettings

namespace SweepWindowSettings {
inline constexpr ConfigSetting<quint16> RecordTolerance{ConfigKeys::RecordTolerance, 125};
} // namespace SweepWindowSettings

namespace DaqCalibrationSettings {
inline constexpr ConfigSetting<double> TimeCF{ConfigKeys::TimeCF, 30924000.0};
inline constexpr ConfigSetting<double> ETCF{ConfigKeys::ETCF, 0.0197539931094777};
} // namespace DaqCalibrationSettings

// ---- Keys made from tables ----

namespace detail {
// A key name built at compile time from parts (no key name is spelled out twice).
struct ConfigKeyName {
    char text[32]{};

    constexpr void append(std::string_view part)
    {
        std::size_t n = 0;
        while (text[n] != '\0')
            ++n;
        for (char c : part)
            text[n++] = c;
    }
};
} // namespace detail

// "History 1" ... "History 10": the ten most recent test files, item 1 the newest.
inline constexpr int HistoryCount = 10;
inline constexpr auto HistoryKeyNames = [] {
    std::array<detail::ConfigKeyName, HistoryCount> names{};
    for (int i = 0; i < HistoryCount; ++i) {
        const int n = i + 1;
        names[i].append("History ");
        if (n >= 10) {
            const char tens[] = {static_cast<char>('0' + n / 10), '\0'};
            names[i].append(tens);
        }
        const char units[] = {static_cast<char>('0' + n % 10), '\0'};
        names[i].append(units);
    }
    return names;
}();
// n from 1 to HistoryCount.
constexpr ConfigKey<QString> historyKey(int n)
{
    return {ConfigSection::History, HistoryKeyNames[static_cast<std::size_t>(n - 1)].text};
}
// The default of every History key: a sample path in the stored form (relative, backslashes).
inline constexpr char HistorySamplePath[] = "\\Demo\\Dyno\\Sample\\Sample.stp";

// "Window Position": four screen rectangles of the graph screen's windows.
enum class LayoutWindow { Main, Graph, Directory, Notes };
enum class WindowEdge { Top, Left, Bottom, Right };

struct WindowRect {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    bool operator==(const WindowRect&) const = default;
};

struct LayoutWindowEntry {
    LayoutWindow window;
    const char* prefix;
    WindowRect defaults;
};

inline constexpr std::array<LayoutWindowEntry, 4> LayoutWindows{{
    {LayoutWindow::Main, "Main", {0, 0, 400, 600}},
    {LayoutWindow::Graph, "Graph", {200, 0, 400, 300}},
    {LayoutWindow::Directory, "Directory", {0, 0, 200, 300}},
    {LayoutWindow::Notes, "Notes", {0, 300, 400, 600}},
}};
inline constexpr std::array<const char*, 4> WindowEdgeNames{"Top", "Left", "Bottom", "Right"};
static_assert([] {
    for (std::size_t i = 0; i < LayoutWindows.size(); ++i)
        if (static_cast<std::size_t>(LayoutWindows[i].window) != i)
            return false;
    return true;
}());

inline constexpr auto WindowPositionKeyNames = [] {
    std::array<detail::ConfigKeyName, LayoutWindows.size() * WindowEdgeNames.size()> names{};
    for (std::size_t w = 0; w < LayoutWindows.size(); ++w)
        for (std::size_t e = 0; e < WindowEdgeNames.size(); ++e) {
            auto& name = names[w * WindowEdgeNames.size() + e];
            name.append(LayoutWindows[w].prefix);
            name.append(" ");
            name.append(WindowEdgeNames[e]);
        }
    return names;
}();

constexpr ConfigKey<int> windowPositionKey(LayoutWindow window, WindowEdge edge)
{
    const auto w = static_cast<std::size_t>(window);
    const auto e = static_cast<std::size_t>(edge);
    return {ConfigSection::WindowPosition, WindowPositionKeyNames[w * WindowEdgeNames.size() + e].text};
}

constexpr WindowRect defaultWindowRect(LayoutWindow window)
{
    return LayoutWindows[static_cast<std::size_t>(window)].defaults;
}

} // namespace tolvane
