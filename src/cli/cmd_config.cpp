// tolvane-tool config: reads or writes one key of a configuration file the way the program does,
// typed, with the caller's default for an absent or unreadable value, and with the same atomic
// write that keeps every other line of the file.
#include "cli/command.h"
#include "cli/command_line.h"
#include "core/common/ini_file.h"

namespace tolvane::cli {

namespace {

enum class ValueType { String, Integer, Float, Bool };

std::optional<ValueType> valueType(const QString& name)
{
    if (name == QLatin1String("string"))
        return ValueType::String;
    if (name == QLatin1String("int"))
        return ValueType::Integer;
    if (name == QLatin1String("float"))
        return ValueType::Float;
    if (name == QLatin1String("bool"))
        return ValueType::Bool;
    return std::nullopt;
}

const char* typeWords(ValueType type)
{
    switch (type) {
    case ValueType::String:
        return "a text";
    case ValueType::Integer:
        return "an integer";
    case ValueType::Float:
        return "a number";
    case ValueType::Bool:
        return "a boolean (1, 0, true or false)";
    }
    return "";
}

// A typed-in boolean: what the file holds (an integer) or the words true and false.
std::optional<bool> parseBoolArgument(const QString& text)
{
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return parseIniBool(text);
}

// The value as the file stores it (a typed-in "$1F" or "true" becomes "31" or "1"), or nothing when the text
// is not of the type.
std::optional<QString> storedText(ValueType type, const QString& text, QChar separator)
{
    switch (type) {
    case ValueType::String:
        return text;
    case ValueType::Integer:
        if (const auto v = parseIniInteger(text))
            return iniIntegerText(*v);
        return std::nullopt;
    case ValueType::Float:
        if (const auto v = parseIniFloat(text, separator))
            return iniFloatText(*v, separator);
        return std::nullopt;
    case ValueType::Bool:
        if (const auto v = parseBoolArgument(text))
            return iniBoolText(*v);
        return std::nullopt;
    }
    return std::nullopt;
}

QString readTyped(const IniFile& ini, ValueType type, const QString& section, const QString& key,
                  const QString& fallbackText)
{
    const QChar sep = ini.decimalSeparator();
    switch (type) {
    case ValueType::String:
        return ini.readString(section, key, fallbackText);
    case ValueType::Integer:
        return iniIntegerText(ini.readInteger(section, key, *parseIniInteger(fallbackText)));
    case ValueType::Float:
        return iniFloatText(ini.readFloat(section, key, *parseIniFloat(fallbackText, sep)), sep);
    case ValueType::Bool:
        return iniBoolText(ini.readBool(section, key, *parseIniBool(fallbackText)));
    }
    return {};
}

int runConfig(const Command& self, const QStringList& arguments, CommandIo& io)
{
    const QString typeOption = QStringLiteral("type");
    const QString defaultOption = QStringLiteral("default");
    const QString decimalOption = QStringLiteral("decimal");
    const CommandLine cl(arguments, {typeOption, defaultOption, decimalOption}, {});
    if (!cl.ok())
        return usageError(self, io, cl.error());
    const QStringList& p = cl.positional();
    if (p.isEmpty() || (p[0] != QLatin1String("get") && p[0] != QLatin1String("set")))
        return usageError(self, io, QStringLiteral("say get or set"));
    const bool set = p[0] == QLatin1String("set");
    if (p.size() != (set ? 5 : 4))
        return usageError(self, io,
                          set ? QStringLiteral("set needs INI, SECTION, KEY and VALUE")
                              : QStringLiteral("get needs INI, SECTION and KEY"));
    if (set && cl.has(defaultOption))
        return usageError(self, io, QStringLiteral("--default belongs to get"));
    const auto type = valueType(cl.value(typeOption).value_or(QStringLiteral("string")));
    if (!type)
        return usageError(self, io, QStringLiteral("--type is string, int, float or bool"));
    const QString decimal = cl.value(decimalOption).value_or(QStringLiteral("."));
    if (decimal.size() != 1)
        return usageError(self, io, QStringLiteral("--decimal is one character"));
    const QChar separator = decimal.front();

    IniFile ini(p[1], separator);
    const QString& section = p[2];
    const QString& key = p[3];
    const auto fail = [&](const QString& message) {
        io.err << "tolvane-tool config: " << message << '\n';
        return ExitBadInput;
    };

    if (!set) {
        const QString fallback =
            cl.value(defaultOption).value_or(*type == ValueType::String ? QString() : QStringLiteral("0"));
        const auto fallbackText = storedText(*type, fallback, separator);
        if (!fallbackText)
            return fail(QStringLiteral("the default \"%1\" is not %2")
                            .arg(fallback, QLatin1String(typeWords(*type))));
        if (const auto error = ini.load().error)
            return fail(error->message);
        io.out << readTyped(ini, *type, section, key, *fallbackText) << '\n';
        return ExitOk;
    }

    const auto text = storedText(*type, p[4], separator);
    if (!text)
        return fail(QStringLiteral("the value \"%1\" is not %2").arg(p[4], QLatin1String(typeWords(*type))));
    if (const auto error = ini.writeString(section, key, *text))
        return fail(error->message);
    return ExitOk;
}

} // namespace

Command configCommand()
{
    Command c;
    c.name = QStringLiteral("config");
    c.usage = QStringLiteral(
        "get|set INI SECTION KEY [VALUE] [--type string|int|float|bool] [--default D] [--decimal C]");
    c.run = [c](const QStringList& arguments, CommandIo& io) { return runConfig(c, arguments, io); };
    return c;
}

} // namespace tolvane::cli
