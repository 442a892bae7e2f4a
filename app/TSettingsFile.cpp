#include "app/TSettingsFile.h"

#include "plot/TRegularFile.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

QString TSettingsFile::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Halvorn/Vendrel.conf");
}

TSettingsFile::TSettingsFile(const QString& Path, QTextStream& Warnings)
{
    const TRegularFile::TStatus Status = TRegularFile::Check(Path, MaxSize);
    if (Status != TRegularFile::TStatus::NotRegular && Status != TRegularFile::TStatus::TooLarge)
    {
        Settings = std::make_unique<QSettings>(Path, QSettings::IniFormat);
        return;
    }
    Warnings << "vendrel: " << Path
             << (Status == TRegularFile::TStatus::NotRegular ? " is not a regular file"
                                                             : " is larger than a settings file can be")
             << "; settings are neither read from it nor kept in it\n";
    Warnings.flush();
    Scratch = std::make_unique<QTemporaryDir>();
    Settings =
        std::make_unique<QSettings>(Scratch->filePath(QStringLiteral("Vendrel.conf")), QSettings::IniFormat);
}

TSettingsFile::~TSettingsFile() = default;
