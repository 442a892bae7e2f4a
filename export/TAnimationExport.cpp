#include "export/TAnimationExport.h"

#include "export/Errors.h"
#include "export/TFrameFolderWriter.h"
#include "export/TFrameSink.h"
#include "export/TGifWriter.h"
#include "export/TPlotPicture.h"
#include "export/TWebPWriter.h"
#include "expr/NumberText.h"

#include <QImage>

std::unique_ptr<TFrameSink> TAnimationExport::MakeSink(TExportFormat Format, const QString& Path,
                                                       const TAnimationPlan& Plan, TPartialOutput* Partial)
{
    switch (Format)
    {
    case TExportFormat::WebP:
        return std::make_unique<TWebPWriter>(Path, Plan.Size, Plan.DelayMs, Partial);
    case TExportFormat::Gif:
        return std::make_unique<TGifWriter>(Path, Plan.Size, Plan.DelayMs, Partial);
    default:
        return std::make_unique<TFrameFolderWriter>(Path, Partial);
    }
}

bool TAnimationExport::Run(TPlotPicture& Picture, const TAnimationPlan& Plan, TFrameSink& Sink,
                           const TProgress& Progress)
{
    if (!DrawFrames(Picture, Plan, Sink, Progress))
        return false;
    Sink.Commit();
    return true;
}

bool TAnimationExport::DrawFrames(TPlotPicture& Picture, const TAnimationPlan& Plan, TFrameSink& Sink,
                                  const TProgress& Progress)
{
    const int Count = Plan.FrameCount();
    TPlotModel& Model = Picture.Model();
    // The trail lies as it does while the window animates with this step, and the parameters
    // tick as the window ticks them, forward for a growing time, back for a falling one:
    // frame i shows them i ticks on.
    Model.TimeIncrement = float(Plan.Step);
    Model.TickDirection = Plan.Step < 0 ? -1 : 1;
    const bool GraphsEnabled = Model.GraphsEnabled;
    for (int i = 0; i < Count; ++i)
    {
        if (i > 0)
            Model.Parameters.Tick(Model.TickDirection);
        Model.TimeText =
            QString::fromStdU16String(FormatGeneral15(Plan.FrameTime(i), Picture.DecimalSeparator()));
        Model.GraphsEnabled = GraphsEnabled;
        Sink.Add(Picture.Render(Plan.Size));
        if (Progress && !Progress(i + 1, Count))
            return false;
    }
    return true;
}
