#include "core/common/data_paths.h"

#include <QDir>

namespace tolvane {

DataPaths::DataPaths(QString dataDir) : m_dataDir(QDir::cleanPath(std::move(dataDir))) {}

DataPaths DataPaths::fromArguments(const QStringList& arguments)
{
    for (qsizetype i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == QLatin1String("--data-dir"))
            return DataPaths(arguments[i + 1]);
    for (const QString& arg : arguments)
        if (arg.startsWith(QLatin1String("--data-dir=")))
            return DataPaths(arg.mid(11));
    const QString env = qEnvironmentVariable("TOLVANE_DATA_DIR");
    if (!env.isEmpty())
        return DataPaths(env);
#ifdef Q_OS_WIN
    return DataPaths(QStringLiteral("c:/tolvane"));
#else
    return DataPaths(QDir::homePath() + QStringLiteral("/tolvane"));
#endif
}

QString DataPaths::file(const QString& name) const
{
    return m_dataDir + QLatin1Char('/') + name;
}

} // namespace tolvane
