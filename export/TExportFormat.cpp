#include "export/TExportFormat.h"

#include "export/TExportLimits.h"
#include "expr/AsciiCase.h"
#include "plot/QtText.h"

#include <QFileInfo>

namespace
{
struct TExtension
{
    const char* Suffix;
    TExportFormat Format;
};
constexpr TExtension Extensions[] = {
    {"png", TExportFormat::Png},   {"svg", TExportFormat::Svg}, {"pdf", TExportFormat::Pdf},
    {"webp", TExportFormat::WebP}, {"gif", TExportFormat::Gif},
};
} // namespace

std::optional<TExportFormat> FormatForFile(const QString& FileName)
{
    const QString Suffix = QFileInfo(FileName).suffix();
    for (const TExtension& e : Extensions)
        if (EqualsAsciiCase(ToU16(Suffix), e.Suffix))
            return e.Format;
    return std::nullopt;
}

QString ExtensionOf(TExportFormat Format)
{
    for (const TExtension& e : Extensions)
        if (e.Format == Format)
            return QString::fromLatin1(e.Suffix);
    return QString();
}

bool IsAnimation(TExportFormat Format)
{
    return Format == TExportFormat::WebP || Format == TExportFormat::Gif || Format == TExportFormat::Frames;
}

int MaxSideOf(TExportFormat Format)
{
    return Format == TExportFormat::WebP ? ExportLimits::MaxWebPSide : ExportLimits::MaxSide;
}

int LeastSideOf(TExportFormat Format)
{
    return Format == TExportFormat::Png ? ExportLimits::MinPngSide : ExportLimits::MinSide;
}
