#include "export/TFrameFolderWriter.h"

#include "export/Errors.h"
#include "export/TPartialOutput.h"
#include "export/TPictureWriter.h"
#include "export/TPngEncoder.h"
#include "plot/TSavingFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace
{
bool HoldsOnlyFrames(const QString& Folder)
{
    static const QRegularExpression FramePattern(QStringLiteral("^frame\\d{4,5}\\.png$"));
    const QFileInfoList Entries =
        QDir(Folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& Entry : Entries)
        if (!Entry.isFile() || Entry.isSymLink() || !FramePattern.match(Entry.fileName()).hasMatch())
            return false;
    return true;
}

// A new name beside Path that nothing has yet.
QString FreeNameBeside(const QString& Path, const QString& Suffix)
{
    for (int i = 0;; ++i)
    {
        const QString Name = Path + Suffix + (i ? QString::number(i) : QString());
        if (!QFileInfo::exists(Name) && !QFileInfo(Name).isSymLink())
            return Name;
    }
}
} // namespace

QString TFrameFolderWriter::FrameName(int Index)
{
    return QStringLiteral("frame%1.png").arg(Index + 1, 4, 10, QLatin1Char('0'));
}

TFrameFolderWriter::TFrameFolderWriter(const QString& FolderIn, TPartialOutput* PartialIn)
    : Given(FolderIn), Folder(QDir::cleanPath(QFileInfo(FolderIn).absoluteFilePath())), Partial(PartialIn)
{
    // A file or a device is no folder of frames, and a link to a folder would be replaced by the
    // folder rather than lead to it: each is refused as the picture writer refuses a folder.
    const TSavingFile::TTarget Kind = TSavingFile::TargetKind(Folder);
    if (QFileInfo(Folder).isSymLink() ||
        (Kind != TSavingFile::TTarget::None && Kind != TSavingFile::TTarget::Folder))
        ThrowExport(Msg::CannotWrite(FolderIn));
    if (Kind == TSavingFile::TTarget::Folder && !HoldsOnlyFrames(Folder))
        ThrowExport(QString::fromLatin1(Msg::FolderNotEmpty).arg(FolderIn));
    TPartialOutput::Step(Partial, FolderIn,
                         [&]
                         {
                             const QString Name = FreeNameBeside(Folder, QStringLiteral(".exporting"));
                             if (!QDir().mkdir(Name))
                                 ThrowExport(Msg::CannotWrite(FolderIn));
                             Temporary = Name;
                             if (Partial)
                                 Partial->Hold(Temporary);
                         });
}

TFrameFolderWriter::~TFrameFolderWriter()
{
    if (Temporary.isEmpty())
        return;
    try
    {
        TPartialOutput::Step(Partial, Given,
                             [&]
                             {
                                 QDir(Temporary).removeRecursively();
                                 if (Partial)
                                     Partial->Release(Temporary);
                             });
    }
    catch (const EExportError&)
    {
        // Abandoned: the temporary folder went with the rest.
    }
}

void TFrameFolderWriter::Add(const QImage& Frame)
{
    const QString Path = Temporary + QLatin1Char('/') + FrameName(Count);
    const QByteArray Bytes = TPngEncoder::Encode(Frame);
    try
    {
        if (Bytes.isEmpty())
            ThrowExport(Msg::CannotWrite(Path));
        TPictureWriter::SaveBytes(Bytes, Path, Partial);
    }
    catch (const EExportError&)
    {
        ThrowExport(Msg::CannotWrite(Given));
    }
    ++Count;
}

void TFrameFolderWriter::Commit()
{
    TPartialOutput::Step(Partial, Given, [&] { PutInPlace(); });
}

void TFrameFolderWriter::PutInPlace()
{
    if (TPartialOutput::Abandoning(Partial))
        ThrowExport(Msg::CannotWrite(Given));
    // The old folder steps aside first and comes back if the new one cannot take its place.
    QString Old;
    if (QFileInfo::exists(Folder))
    {
        Old = FreeNameBeside(Folder, QStringLiteral(".replaced"));
        if (!QDir().rename(Folder, Old))
            ThrowExport(Msg::CannotWrite(Given));
    }
    if (!QDir().rename(Temporary, Folder))
    {
        if (!Old.isEmpty())
            QDir().rename(Old, Folder);
        ThrowExport(Msg::CannotWrite(Given));
    }
    if (Partial)
        Partial->Release(Temporary);
    Temporary.clear();
    if (!Old.isEmpty())
        QDir(Old).removeRecursively();
}
