#include "export/TPartialOutput.h"

#include "export/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void TPartialOutput::Step(TPartialOutput* Output, const QString& Target, const std::function<void()>& Work)
{
    if (!Output)
        return Work();
    const std::lock_guard<std::mutex> Guard(Output->Lock);
    if (Output->Abandoned)
        ThrowExport(Msg::CannotWrite(Target));
    Work();
}

void TPartialOutput::Abandon()
{
    Stopping = true;
    const std::lock_guard<std::mutex> Guard(Lock);
    Abandoned = true;
    for (const QString& Path : Held)
    {
        const QFileInfo Info(Path);
        if (Info.isDir() && !Info.isSymLink())
            QDir(Path).removeRecursively();
        else
            QFile::remove(Path);
    }
    Held.clear();
}
