#include "core/acquisition/inertia_dump.h"

#include <QtEndian>

#include <cstring>

#include "core/common/number_text.h"

namespace tolvane {

namespace {

constexpr qsizetype RecordBytes = 4 * sizeof(double);

InertiaRecord recordAt(const QByteArray& bytes, qsizetype offset)
{
    double v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = qFromLittleEndian<double>(bytes.constData() + offset + i * sizeof(double));
    return {v[0], v[1], v[2], v[3]};
}

} // namespace

std::optional<FileError> InertiaRecorder::start(const QString& path)
{
    m_file.close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Truncate))
        return FileError{QStringLiteral("Cannot create %1: %2").arg(path, m_file.errorString())};
    return std::nullopt;
}

void InertiaRecorder::append(const InertiaRecord& record)
{
    if (!m_file.isOpen())
        return;
    char bytes[RecordBytes];
    const double v[4] = {record.time, record.rollerRpm, record.force, record.engineRpm};
    for (int i = 0; i < 4; ++i)
        qToLittleEndian<double>(v[i], bytes + i * sizeof(double));
    m_file.write(bytes, RecordBytes);
    m_file.flush();
}

QByteArray InertiaRecorder::finish()
{
    if (!m_file.isOpen())
        return {};
    m_file.flush();
    m_file.seek(0);
    const QByteArray all = m_file.readAll();
    m_file.resize(0);
    m_file.close();
    return all;
}

QStringList dumpInertiaRecords(const QByteArray& records, double tachRatio, double inertia, const TextLocale& locale)
{
    QStringList lines;
    const qsizetype count = records.size() / RecordBytes; // a torn last record is ignored
    if (count < 2 || tachRatio == 0.0)
        return lines;
    InertiaRecord previous = recordAt(records, 0);
    for (qsizetype i = 1; i < count; ++i) {
        const InertiaRecord now = recordAt(records, i * RecordBytes);
        const double dt = now.time - previous.time;
        if (dt <= 0.0) // a repeated or out-of-order record gives no acceleration
            continue;
        const double g = now.force / tachRatio + now.rollerRpm * 0.0021;
        const double alpha = (now.rollerRpm - previous.rollerRpm) * 0.10472 / dt;
        const double power = (inertia * alpha + g) * now.rollerRpm * tachRatio / 5252.0;
        QString line;
        for (double value : {now.rollerRpm * tachRatio / 100.0, now.rollerRpm * 0.0379, power, g, alpha})
            line += formatNumber(value, u"0.00", locale) + QLatin1Char('\t');
        lines << line;
        previous = now;
    }
    return lines;
}

} // namespace tolvane
