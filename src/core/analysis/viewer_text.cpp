#include "core/analysis/viewer_text.h"

#include "core/common/library_path.h"
#include "core/common/text_file.h"

namespace tolvane {

void ViewerText::setLines(const QStringList& lines, bool modified)
{
    if (m_lines == lines && m_modified == modified)
        return;
    m_lines = lines;
    m_modified = modified;
    emit changed();
}

void ViewerText::showFile(const QStringList& lines, const QString& caption)
{
    if (m_lines == lines && !m_modified && m_caption == caption)
        return;
    m_lines = lines;
    m_modified = false;
    m_caption = caption;
    emit changed();
}

void ViewerText::clear()
{
    showFile({}, QString());
}

void ViewerText::setModified(bool on)
{
    if (m_modified == on)
        return;
    m_modified = on;
    emit changed();
}

std::optional<QString> ViewerText::saveInLibrary(const QString& rootDirectory)
{
    const LibraryTarget target = storedPathTarget(rootDirectory, storedPath());
    if (!target.path)
        return target.refusal;
    if (const std::optional<FileError> error = writeTextLines(*target.path, m_lines))
        return error->message;
    setModified(false);
    return std::nullopt;
}

} // namespace tolvane
