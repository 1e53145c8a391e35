#pragma once
// The small argument parser every tolvane-tool command uses: positional arguments, "--name value"
// options and "--flag" switches, checked against what the command declares.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tolvane::cli {

// Exit codes of every command.
inline constexpr int ExitOk = 0;
inline constexpr int ExitBadInput = 1; // the input (a file, a value, standard input) is unusable
inline constexpr int ExitUsage = 2;    // the arguments are wrong; a usage line was printed

class CommandLine {
public:
    // valueOptions take a value ("--tach 26.4"), flags do not ("--sweep"); both without "--".
    // Options may repeat only when listed in repeatable (their values are collected in order).
    CommandLine(const QStringList& arguments, const QSet<QString>& valueOptions, const QSet<QString>& flags,
                const QSet<QString>& repeatable = {});

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    const QStringList& positional() const { return m_positional; }
    bool has(const QString& name) const { return m_flags.contains(name) || m_values.contains(name); }
    std::optional<QString> value(const QString& name) const;
    QStringList values(const QString& name) const { return m_values.value(name); }

private:
    QStringList m_positional;
    QSet<QString> m_flags;
    QHash<QString, QStringList> m_values;
    QString m_error;
};

} // namespace tolvane::cli
