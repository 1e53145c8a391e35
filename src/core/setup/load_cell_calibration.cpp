#include "core/setup/load_cell_calibration.h"

#include <algorithm>

#include "core/common/number_text.h"

namespace tolvane {

void LoadCellCalibration::begin(double offset, double span, double weight)
{
    m_offset = offset;
    m_span = span;
    m_weight = weight;
    m_savedOffset = offset;
    m_savedSpan = span;
    m_zeroRunning = false;
    m_spanRunning = false;
}

bool LoadCellCalibration::startZero()
{
    if (m_spanRunning)
        return false;
    m_zeroTicks = 0;
    m_zeroRunning = true;
    return true;
}

bool LoadCellCalibration::startSpan()
{
    if (m_zeroRunning)
        return false;
    m_spanTicks = 0;
    m_spanRunning = true;
    return true;
}

LoadCellCalibration::Tick LoadCellCalibration::tick(quint32 loadCount)
{
    const double count = static_cast<double>(loadCount);
    Tick result;
    result.weight = (count - m_offset) * m_span;
    if (m_spanRunning) {
        const double difference = count - m_offset;
        m_span = difference != 0.0 ? m_weight / difference : 1.0;
        const qint64 calibrated = roundHalfEven(difference * m_span);
        result.calibratedCount = static_cast<quint32>(std::clamp<qint64>(calibrated, 0, MaxLoadCount));
        if (++m_spanTicks > RunTicks)
            m_spanRunning = false;
    }
    if (m_zeroRunning) {
        m_offset = count;
        if (++m_zeroTicks > RunTicks)
            m_zeroRunning = false;
    }
    return result;
}

void LoadCellCalibration::cancel()
{
    m_offset = m_savedOffset;
    m_span = m_savedSpan;
    m_zeroRunning = false;
    m_spanRunning = false;
}

void LoadCellCalibration::commit()
{
    m_savedOffset = m_offset;
    m_savedSpan = m_span;
}

QStringList LoadCellCalibration::newLog()
{
    return {LogTitle, LogSubtitle, Blank, Blank, Blank, Blank};
}

QStringList LoadCellCalibration::logEntry(const QString& savedAt, const QString& weightText,
                                          const QString& spanText, const QString& offsetText)
{
    return {savedAt, QStringLiteral("Cal. Weight = ") + weightText, QStringLiteral("Span = ") + spanText,
            QStringLiteral("Offset = ") + offsetText, Blank};
}

void LoadCellCalibration::addEntry(QStringList& log, const QStringList& entry)
{
    const qsizetype at = std::min<qsizetype>(EntryLine, log.size());
    for (qsizetype i = 0; i < entry.size(); ++i)
        log.insert(at + i, entry.at(i));
    if (log.size() > MaxLogLines)
        log.resize(TrimmedLogLines);
}

} // namespace tolvane
