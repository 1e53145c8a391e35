#include "core/library/file_name_proposal.h"

#include <QDir>
#include <QFileInfo>

#include "core/common/number_text.h"
#include "core/setup/run_conditions.h"
#include "core/setup/test_setup.h"

namespace tolvane {

QString saveDialogExtension(std::optional<TestType> type)
{
    if (!type)
        return {};
    switch (*type) {
    case TestType::StepTest:
        return QStringLiteral(".STP");
    case TestType::RoadLoad:
        return QStringLiteral(".PTH");
    case TestType::QuickSweep:
        return QStringLiteral(".QWS");
    case TestType::SweepTest:
    case TestType::FloatBowl:
    case TestType::MainJet:
        return QStringLiteral(".SWP");
    }
    return {};
}

QString proposeFileName(const QString& currentFile, int listedFileCount, const QString& extension)
{
    QString stem = QFileInfo(currentFile).fileName().mid(2);
    const qsizetype dot = stem.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        stem.truncate(dot);
    return formatNumber(listedFileCount + 1, u"00", QLatin1Char('.')) + stem + extension;
}

int countListedFiles(const QString& folder)
{
    if (folder.isEmpty())
        return 0;
    return static_cast<int>(QDir(folder).entryList(QDir::Files).size());
}

void proposeSaveDialogFileName(RunConditions& saveDialog, const QString& currentFile,
                               std::optional<TestType> type)
{
    saveDialog.setFileName(
        proposeFileName(currentFile, countListedFiles(saveDialog.folder()), saveDialogExtension(type)));
}

void proposeSetupFileName(TestSetup& setup, RunConditions& saveDialog, const QString& currentFile)
{
    const QString name =
        proposeFileName(currentFile, countListedFiles(saveDialog.folder()), setupExtension(setup.testType()));
    saveDialog.setFileName(name);
    setup.setText(TestSetup::Text::NFName, name);
}

} // namespace tolvane
