#include "cli/command_line.h"

namespace tolvane::cli {

CommandLine::CommandLine(const QStringList& arguments, const QSet<QString>& valueOptions,
                         const QSet<QString>& flags, const QSet<QString>& repeatable)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) {
            m_positional.append(arg);
            continue;
        }
        QString name = arg.mid(2);
        std::optional<QString> inlineValue;
        if (const qsizetype eq = name.indexOf(QLatin1Char('=')); eq >= 0) {
            inlineValue = name.mid(eq + 1);
            name.truncate(eq);
        }
        if (flags.contains(name) && !inlineValue) {
            m_flags.insert(name);
        } else if (valueOptions.contains(name)) {
            if (m_values.contains(name) && !repeatable.contains(name)) {
                m_error = QStringLiteral("option --%1 given twice").arg(name);
                return;
            }
            if (!inlineValue && i + 1 >= arguments.size()) {
                m_error = QStringLiteral("option --%1 needs a value").arg(name);
                return;
            }
            m_values[name].append(inlineValue ? *inlineValue : arguments[++i]);
        } else {
            m_error = QStringLiteral("unknown option --%1").arg(name);
            return;
        }
    }
}

std::optional<QString> CommandLine::value(const QString& name) const
{
    const auto it = m_values.constFind(name);
    if (it == m_values.cend() || it->isEmpty())
        return std::nullopt;
    return it->constLast();
}

} // namespace tolvane::cli
