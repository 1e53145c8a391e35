#include "ui/acquisition/step_inertia_measurement.h"

#include "core/acquisition/acquisition_session.h"
#include "core/acquisition/dyno_sample.h"
#include "core/common/number_text.h"
#include "core/common/prompter.h"
#include "core/setup/test_setup.h"

namespace tolvane {

StepInertiaMeasurement::StepInertiaMeasurement(StepSession& session, Prompter& prompter,
                                               const TextLocale& locale, QString path)
    : m_session(session), m_prompter(prompter), m_locale(locale), m_path(std::move(path))
{
}

StepInertiaMeasurement::Outcome StepInertiaMeasurement::toggle()
{
    if (!m_recorder.isRunning()) {
        if (const std::optional<FileError> error = m_recorder.start(m_path)) {
            m_prompter.inform(QStringLiteral("Cal. Inertia"), error->message, PromptIcon::Error);
            return Outcome::NotStarted;
        }
        return Outcome::Started;
    }
    const PromptAnswer answer =
        m_prompter.ask({SaveTitle, SaveText, PromptIcon::Question, PromptButtons::YesNo});
    if (answer != PromptAnswer::Yes) {
        m_recorder.close();
        return Outcome::Stopped;
    }
    const FrameDecoder& decoder = m_session.decoder();
    const double inertia =
        parseFloat(m_session.setup().text(TestSetup::Text::InertiaE), m_locale).value_or(decoder.inertia());
    for (const QString& line :
         dumpInertiaRecords(m_recorder.finish(), decoder.tachRatio(), inertia, m_locale))
        m_session.memo().append(line);
    return Outcome::Dumped;
}

void StepInertiaMeasurement::record(const DynoSample& sample)
{
    if (m_recorder.isRunning())
        m_recorder.append(
            {InertiaRecord::timeUnits(sample.time), sample.rollerRpm, sample.force, sample.engineRpm});
}

} // namespace tolvane
