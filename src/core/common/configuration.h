#pragma once
// Typed access to one configuration file ("ZezeDur_USB.Ini", or the port finder's "ZezeDur.Ini")
// through the key descriptors of config_keys.h. Each call is one open-access-close of the file;
// a group of writes that belongs together goes through ConfigChanges and lands in one atomic
// rewrite.
#include <QList>
#include <QString>

#include <optional>
#include <type_traits>

#include "core/common/config_keys.h"
#include "core/common/ini_file.h"
#include "core/common/text_locale.h"

namespace tolvane {

class DataPaths;

// Writes collected in order and applied together by Configuration::apply.
class ConfigChanges {
public:
    explicit ConfigChanges(QChar decimalSeparator) : m_decimalSeparator(decimalSeparator) {}

    void set(const ConfigKey<QString>& key, const QString& value);
    void set(const ConfigKey<int>& key, int value);
    void set(const ConfigKey<quint16>& key, quint16 value);
    void set(const ConfigKey<double>& key, double value);
    void set(const ConfigKey<bool>& key, bool value);

    void setWindowRect(LayoutWindow window, const WindowRect& rect);
    void setShowHelp(bool show); // "True" or "False"

    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    friend class Configuration;
    struct Entry {
        QString section;
        QString key;
        QString text;
    };
    void add(const char* section, const char* key, QString text);

    QChar m_decimalSeparator;
    QList<Entry> m_entries;
};

class Configuration {
public:
    Configuration(QString path, const TextLocale& locale);

    const QString& path() const { return m_file.path(); }
    // The raw file, for the calibration window's text editor (loadText / saveText).
    IniFile& file() { return m_file; }
    const IniFile& file() const { return m_file; }

    template <class T> T read(const ConfigSetting<T>& setting) const
    {
        if constexpr (std::is_same_v<T, QString>)
            return read(setting.key, QString::fromLatin1(setting.fallback));
        else
            return read(setting.key, setting.fallback);
    }
    QString read(const ConfigKey<QString>& key, const QString& fallback) const;
    int read(const ConfigKey<int>& key, int fallback) const;
    // A 16-bit unsigned value; a number outside 0 ... 65535 counts as unreadable.
    quint16 read(const ConfigKey<quint16>& key, quint16 fallback) const;
    double read(const ConfigKey<double>& key, double fallback) const;
    bool read(const ConfigKey<bool>& key, bool fallback) const;

    bool sectionExists(const char* section) const;

    // "Graphs"/"Root Directory", defaulting to the data directory's library folder.
    QString rootDirectory(const DataPaths& paths) const;
    // True only when "Help"/"Show_Help" reads "True" exactly ("true" does not count).
    bool showHelp() const;
    // The four "Window Position" values of one window, each with its own default.
    WindowRect windowRect(LayoutWindow window) const;
    // "History n", n from 1 to HistoryCount, with the sample path as default.
    QString history(int n) const;

    ConfigChanges changes() const { return ConfigChanges(m_file.decimalSeparator()); }
    std::optional<FileError> apply(const ConfigChanges& changes);

    // One write, on disk when it returns.
    template <class T>
    std::optional<FileError> write(const ConfigKey<T>& key, const std::type_identity_t<T>& value)
    {
        ConfigChanges one = changes();
        one.set(key, value);
        return apply(one);
    }

private:
    IniFile m_file;
};

} // namespace tolvane
