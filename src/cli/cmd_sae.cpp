// tolvane-tool sae: the SAE correction factor of one set of atmospheric conditions, "0.0000", as
// the atmospheric conditions window computes it from its three entries. Entries the window would
// refuse (not a number, a pressure of 0, a temperature outside the vapour table, no dry air left)
// are refused here too.
#include "cli/command.h"
#include "cli/command_line.h"
#include "core/common/number_text.h"
#include "core/setup/atmospheric_conditions.h"

namespace tolvane::cli {

namespace {

int runSae(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const CommandLine cl(arguments, {}, {QStringLiteral("celsius"), QStringLiteral("mb")});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    if (cl.positional().size() != 3)
        return usageError(self, io, QStringLiteral("HUMIDITY, BARO and TEMP are required"));
    const TextLocale locale = TextLocale::standard();
    const QStringList& p = cl.positional();
    const auto check = AtmosphericConditions::checkEntries(
        p[2], p[1], p[0], cl.has(QStringLiteral("celsius")), cl.has(QStringLiteral("mb")), locale);
    if (!check.factor) {
        io.err << "tolvane-tool sae: refused: " << check.refusal << '\n';
        return ExitBadInput;
    }
    io.out << formatNumber(*check.factor, u"0.0000", locale) << '\n';
    return ExitOk;
}

} // namespace

Command saeCommand()
{
    Command c;
    c.name = QStringLiteral("sae");
    c.usage = QStringLiteral("HUMIDITY BARO TEMP [--celsius] [--mb]");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runSae(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
