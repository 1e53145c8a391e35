#pragma once
// The data directory and the fixed files that live in it.
#include <QString>
#include <QStringList>

namespace tolvane {

class DataPaths {
public:
    explicit DataPaths(QString dataDir);

    // "--data-dir DIR" among the arguments, else TOLVANE_DATA_DIR, else c:\tolvane on Windows
    // and ~/tolvane elsewhere.
    static DataPaths fromArguments(const QStringList& arguments);

    const QString& dataDir() const { return m_dataDir; }
    QString file(const QString& name) const; // a fixed file name inside the data directory

    QString usbIni() const { return file(QStringLiteral("ZezeDur_USB.Ini")); }
    QString serialIni() const { return file(QStringLiteral("ZezeDur.Ini")); }
    QString testPrm() const { return file(QStringLiteral("Test.Prm")); }
    QString calibrationLog() const { return file(QStringLiteral("CalLog.txt")); }
    QString bugList() const { return file(QStringLiteral("Bug_list.rft")); }
    QString notesBackup() const { return file(QStringLiteral("Notes_Backup")); }
    QString testDataDump() const { return file(QStringLiteral("Tst_Data.tmp")); }
    QString eventRecorderImage() const { return file(QStringLiteral("LastEventRecorder.bmp")); }
    QString printGraphImage() const { return file(QStringLiteral("pgraph.bmp")); }
    // The test library's root until the configuration names another.
    QString defaultLibraryRoot() const { return file(QStringLiteral("dynoruns")); }

private:
    QString m_dataDir;
};

} // namespace tolvane
