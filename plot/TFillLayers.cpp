#include "plot/TFillLayers.h"

#include "plot/TCanvas.h"

#include <algorithm>
#include <cstdint>

void TFillLayers::Add(TColor Color, const int32_t* Rows, int64_t FirstColumn, int64_t EndColumn)
{
    if (FirstColumn < EndColumn)
        Layers.push_back({Color, Rows, FirstColumn, EndColumn});
}

void TFillLayers::Draw(TCanvas& Canvas, int32_t OriginY)
{
    if (Layers.empty())
        return;
    int64_t First = INT64_MAX, End = INT64_MIN;
    for (const TLayer& Layer : Layers)
    {
        First = std::min(First, Layer.FirstColumn);
        End = std::max(End, Layer.EndColumn);
    }
    Low.assign(size_t(End - First), INT64_MAX);
    High.assign(size_t(End - First), INT64_MIN);
    for (auto Layer = Layers.rbegin(); Layer != Layers.rend(); ++Layer)
    {
        Canvas.SetPenColor(Layer->Color);
        for (int64_t px = Layer->FirstColumn; px < Layer->EndColumn; ++px)
        {
            const int64_t r = Layer->Rows[px - Layer->FirstColumn];
            if (r == OriginY)
                continue;
            const int64_t Top = r < OriginY ? r + 1 : OriginY;
            const int64_t Bottom = r < OriginY ? OriginY : r - 1;
            int64_t& Lo = Low[size_t(px - First)];
            int64_t& Hi = High[size_t(px - First)];
            if (Lo > Hi)
                Canvas.VerticalRun(px, Top, Bottom);
            else
            {
                if (Top < Lo)
                    Canvas.VerticalRun(px, Top, Lo - 1);
                if (Bottom > Hi)
                    Canvas.VerticalRun(px, Hi + 1, Bottom);
            }
            Lo = std::min(Lo, Top);
            Hi = std::max(Hi, Bottom);
        }
    }
    Layers.clear();
}
