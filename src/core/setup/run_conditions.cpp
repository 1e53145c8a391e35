#include "core/setup/run_conditions.h"

namespace tolvane {

RunConditions::RunConditions(QObject* parent) : QObject(parent)
{
    ResetAtmCClick();
}

void RunConditions::setFolder(const QString& folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    emit folderChanged();
}

void RunConditions::setFileName(const QString& fileName)
{
    if (fileName == m_fileName)
        return;
    m_fileName = fileName;
    emit fileNameChanged();
}

void RunConditions::setNotes(const QStringList& notes)
{
    if (notes == m_notes)
        return;
    m_notes = notes;
    emit notesChanged();
}

void RunConditions::setAtmosphere(const QString& temperature, const QString& pressure,
                                  const QString& humidity, const QString& correction)
{
    if (temperature == m_temperature && pressure == m_pressure && humidity == m_humidity &&
        correction == m_correction)
        return;
    m_temperature = temperature;
    m_pressure = pressure;
    m_humidity = humidity;
    m_correction = correction;
    emit atmosphereChanged();
}

void RunConditions::ResetAtmCClick()
{
    setAtmosphere(QStringLiteral("+77.0"), QStringLiteral("29.22"), QStringLiteral("0.0"),
                  QStringLiteral("1.0000"));
}

} // namespace tolvane
