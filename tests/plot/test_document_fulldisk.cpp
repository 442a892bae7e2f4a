// Saving a document onto a nearly full disk: the save fails with "Unable to write to ..." and
// the old document stays whole, also when the new one is smaller than Qt's write buffer. The
// full disk is a two-page tmpfs of the test's own (skipped where it cannot be mounted).
#include "plot/Errors.h"
#include "plot/TDocument.h"
#include "plot/TPlotModel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/mount.h>

TEST(DocumentSave, OntoAFullDiskKeepsTheOldDocument)
{
    QTemporaryDir Dir;
    const QString Small = Dir.filePath(QStringLiteral("small"));
    QDir().mkdir(Small);
    if (mount("tmpfs", Small.toLocal8Bit().constData(), "tmpfs", 0, "size=8k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    const QString Path = Small + QStringLiteral("/doc.vdg");
    const QByteArray Old = "[Main]\r\nFuncCount=1\r\nFunc1=x\r\n" + QByteArray(3000, ';');
    {
        QFile File(Path);
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Old);
    }
    // About 10 kB: more than the page left, less than the 16 kB Qt buffers.
    TPlotModel Model;
    Model.FuncList.Assign({TFunc(QString(10000, QLatin1Char('x')))});
    EXPECT_THROW(TDocument::Save(Path, Model), EFileWriteError);
    QFile File(Path);
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    EXPECT_EQ(File.readAll(), Old);
    EXPECT_EQ(QDir(Small).entryList(QDir::Files | QDir::Hidden).size(), 1);
    File.close();
    umount(Small.toLocal8Bit().constData());
}
