#pragma once
// What the save dialog holds for the next saved run: the target folder, the file name, the notes
// and the atmospheric texts. The texts are kept exactly as shown (in whatever units the operator
// used), because the test file stores them as they stand.
#include <QObject>
#include <QString>
#include <QStringList>

namespace tolvane {

class RunConditions : public QObject {
    Q_OBJECT
public:
    explicit RunConditions(QObject* parent = nullptr);

    const QString& folder() const { return m_folder; }
    const QString& fileName() const { return m_fileName; }
    const QStringList& notes() const { return m_notes; }
    const QString& temperature() const { return m_temperature; }
    const QString& pressure() const { return m_pressure; }
    const QString& humidity() const { return m_humidity; }
    const QString& correction() const { return m_correction; }

    void setFolder(const QString& folder);
    void setFileName(const QString& fileName);
    void setNotes(const QStringList& notes);
    void setAtmosphere(const QString& temperature, const QString& pressure, const QString& humidity,
                       const QString& correction);
    // "Standard.": 77 °F, 29.22 inHg, no humidity, no correction.
    void ResetAtmCClick();

signals:
    void folderChanged();
    void fileNameChanged();
    void notesChanged();
    void atmosphereChanged();

private:
    QString m_folder;
    QString m_fileName = QStringLiteral("*.*");
    QStringList m_notes;
    QString m_temperature;
    QString m_pressure;
    QString m_humidity;
    QString m_correction;
};

} // namespace tolvane
