#include "core/setup/script_files.h"

#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "core/setup/test_setup.h"

namespace tolvane {

namespace {

const char* const ScriptExtension = ".Script";

void markHidden(const QString& path)
{
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(native.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
#else
    Q_UNUSED(path);
#endif
}

} // namespace

QStringList listScriptFiles(const QString& directory)
{
    if (directory.isEmpty())
        return {};
    return QDir(directory).entryList({QStringLiteral("*.Script")}, QDir::Files | QDir::Hidden,
                                     QDir::Name | QDir::IgnoreCase);
}

QString scriptFilePath(const QString& chosen)
{
    if (chosen.contains(QLatin1String(ScriptExtension)))
        return chosen;
    return chosen + QLatin1String(ScriptExtension);
}

std::optional<FileError> saveScriptFile(const QString& path, const QStringList& lines)
{
    if (auto error = writeTextLines(path, lines))
        return error;
    markHidden(path);
    return std::nullopt;
}

bool ScriptFiles::load(const QString& path)
{
    const TextReadResult file = readTextLines(path);
    if (!file.ok()) {
        m_prompter.inform(QStringLiteral("Error"), file.error->message, PromptIcon::Error);
        return false;
    }
    m_setup.setScript(file.lines);
    return true;
}

std::optional<ScriptFiles::Page> ScriptFiles::ChkScript(const QString& currentFile)
{
    m_setup.setChkScriptPending(false);
    m_directory = currentFile.isEmpty() ? QString() : QFileInfo(currentFile).path();
    const QStringList scripts = files();
    if (scripts.isEmpty())
        return std::nullopt;
    const PromptAnswer answer = m_prompter.ask(
        {QStringLiteral("Script Found"),
         QStringLiteral("A Script file has been found in this directory, would you like to use this file?."),
         PromptIcon::Question, PromptButtons::YesNo});
    if (answer != PromptAnswer::Yes)
        return Page::RecordingParameters;
    load(QDir(m_directory).filePath(scripts.last()));
    return Page::ScriptFiles;
}

bool ScriptFiles::ScriptLBDblClick(const QString& fileName)
{
    return load(QDir(m_directory).filePath(fileName));
}

bool ScriptFiles::BrowseScriptClick()
{
    const auto chosen =
        m_prompter.chooseFile({FileDialogRequest::Kind::Open, QStringLiteral("Open"), m_directory, QString(),
                               QStringLiteral("Script files (*.Script);;All files (*.*)")});
    return chosen && load(*chosen);
}

bool ScriptFiles::SaveScriptClick()
{
    const auto chosen =
        m_prompter.chooseFile({FileDialogRequest::Kind::Save, QStringLiteral("Save As"), m_directory,
                               QString(), QStringLiteral("Script files (*.Script)")});
    if (!chosen)
        return false;
    if (const auto error = saveScriptFile(scriptFilePath(*chosen), m_setup.script())) {
        m_prompter.inform(QStringLiteral("Error"), error->message, PromptIcon::Error);
        return false;
    }
    return true;
}

} // namespace tolvane
