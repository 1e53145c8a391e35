#include "core/common/configuration.h"

#include <limits>

#include "core/common/data_paths.h"

namespace tolvane {

namespace {

QString latin1(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

void ConfigChanges::add(const char* section, const char* key, QString text)
{
    m_entries.append({latin1(section), latin1(key), std::move(text)});
}

void ConfigChanges::set(const ConfigKey<QString>& key, const QString& value)
{
    add(key.section, key.name, value);
}

void ConfigChanges::set(const ConfigKey<int>& key, int value)
{
    add(key.section, key.name, iniIntegerText(value));
}

void ConfigChanges::set(const ConfigKey<quint16>& key, quint16 value)
{
    add(key.section, key.name, iniIntegerText(value));
}

void ConfigChanges::set(const ConfigKey<double>& key, double value)
{
    add(key.section, key.name, iniFloatText(value, m_decimalSeparator));
}

void ConfigChanges::set(const ConfigKey<bool>& key, bool value)
{
    add(key.section, key.name, iniBoolText(value));
}

void ConfigChanges::setWindowRect(LayoutWindow window, const WindowRect& rect)
{
    set(windowPositionKey(window, WindowEdge::Top), rect.top);
    set(windowPositionKey(window, WindowEdge::Left), rect.left);
    set(windowPositionKey(window, WindowEdge::Bottom), rect.bottom);
    set(windowPositionKey(window, WindowEdge::Right), rect.right);
}

void ConfigChanges::setShowHelp(bool show)
{
    set(ConfigKeys::ShowHelp, latin1(show ? ShowHelpOn : ShowHelpOff));
}

Configuration::Configuration(QString path, const TextLocale& locale)
    : m_file(std::move(path), locale.decimalSeparator)
{
}

QString Configuration::read(const ConfigKey<QString>& key, const QString& fallback) const
{
    return m_file.readString(latin1(key.section), latin1(key.name), fallback);
}

int Configuration::read(const ConfigKey<int>& key, int fallback) const
{
    return m_file.readInteger(latin1(key.section), latin1(key.name), fallback);
}

quint16 Configuration::read(const ConfigKey<quint16>& key, quint16 fallback) const
{
    // A value that does not fit the 16-bit field is as unreadable as one that is not a number; the
    // default is safer than a wrapped-around tolerance of some 65000 rpm.
    constexpr int outOfRange = -1;
    const int value = m_file.readInteger(latin1(key.section), latin1(key.name), outOfRange);
    if (value < 0 || value > std::numeric_limits<quint16>::max())
        return fallback;
    return static_cast<quint16>(value);
}

double Configuration::read(const ConfigKey<double>& key, double fallback) const
{
    return m_file.readFloat(latin1(key.section), latin1(key.name), fallback);
}

bool Configuration::read(const ConfigKey<bool>& key, bool fallback) const
{
    return m_file.readBool(latin1(key.section), latin1(key.name), fallback);
}

bool Configuration::sectionExists(const char* section) const
{
    return m_file.sectionExists(latin1(section));
}

QString Configuration::rootDirectory(const DataPaths& paths) const
{
    return read(ConfigKeys::RootDirectory, paths.defaultLibraryRoot());
}

bool Configuration::showHelp() const
{
    return read(ConfigSettings::ShowHelp) == latin1(ShowHelpOn);
}

WindowRect Configuration::windowRect(LayoutWindow window) const
{
    const WindowRect defaults = defaultWindowRect(window);
    return {read(windowPositionKey(window, WindowEdge::Top), defaults.top),
            read(windowPositionKey(window, WindowEdge::Left), defaults.left),
            read(windowPositionKey(window, WindowEdge::Bottom), defaults.bottom),
            read(windowPositionKey(window, WindowEdge::Right), defaults.right)};
}

QString Configuration::history(int n) const
{
    return read(historyKey(n), latin1(HistorySamplePath));
}

std::optional<FileError> Configuration::apply(const ConfigChanges& changes)
{
    return m_file.update([&](IniFileText& text) -> std::optional<FileError> {
        for (const ConfigChanges::Entry& entry : changes.m_entries) {
            if (auto error = checkIniEntry(entry.section, entry.key, entry.text))
                return error;
            text.setValue(entry.section, entry.key, entry.text);
        }
        return std::nullopt;
    });
}

} // namespace tolvane
