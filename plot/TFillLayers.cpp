#include "plot/TFillLayers.h"

#include "plot/TCanvas.h"
#include "plot/TOrderedWork.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// The first column from From on (before End) whose colour is not v, or End: four columns at
// a time where the processor compares four at once.
int32_t RunEnd(const uint32_t* Colors, int32_t From, int32_t End, uint32_t v)
{
    int32_t x = From;
#if defined(__SSE2__)
    const __m128i Wanted = _mm_set1_epi32(int32_t(v));
    for (; x + 4 <= End; x += 4)
    {
        const __m128i Four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Colors + x));
        const int Same = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(Four, Wanted)));
        if (Same != 0xF)
            return x + std::countr_one(unsigned(Same));
    }
#endif
    while (x < End && Colors[x] == v)
        ++x;
    return x;
}
} // namespace

void TFillLayers::Add(TColor Color, const int32_t* Rows, int64_t FirstColumn, int64_t EndColumn)
{
    if (FirstColumn < EndColumn)
        Layers.push_back({Color, Rows, FirstColumn, EndColumn});
}

template <class TRun> void TFillLayers::ForEachRun(int32_t OriginY, TRun&& Run)
{
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
                Run(px, Top, Bottom, Layer->Color);
            else
            {
                if (Top < Lo)
                    Run(px, Top, Lo - 1, Layer->Color);
                if (Bottom > Hi)
                    Run(px, Hi + 1, Bottom, Layer->Color);
            }
            Lo = std::min(Lo, Top);
            Hi = std::max(Hi, Bottom);
        }
    }
}

void TFillLayers::Draw(TCanvas& Canvas, int32_t OriginY, THelperLane* Helper)
{
    if (Layers.empty())
        return;
    if (Canvas.RasterBits())
        DrawRows(Canvas, OriginY, Helper);
    else
        ForEachRun(OriginY,
                   [&](int64_t px, int64_t Top, int64_t Bottom, TColor Color)
                   {
                       Canvas.SetPenColor(Color);
                       Canvas.VerticalRun(px, Top, Bottom);
                   });
    Layers.clear();
}

// The runs, cut to the image, become changes of a column's colour at their first row and
// after their last; the rows are then swept from top to bottom, each written from the
// colours the columns have there. Runs of one column never overlap.
void TFillLayers::DrawRows(TCanvas& Canvas, int32_t OriginY, THelperLane* Helper)
{
    const QPaintDevice* Device = Canvas.Painter().device();
    const int64_t Width = Device->width(), Height = Device->height();
    Spans.clear();
    TColor LastColor = clBlack;
    uint32_t LastPixel = ToQColor(LastColor).rgba();
    ForEachRun(OriginY,
               [&](int64_t px, int64_t Top, int64_t Bottom, TColor Color)
               {
                   Top = std::max<int64_t>(Top, 0);
                   Bottom = std::min(Bottom, Height - 1);
                   if (px < 0 || px >= Width || Top > Bottom)
                       return;
                   if (Color != LastColor)
                   {
                       LastColor = Color;
                       LastPixel = ToQColor(Color).rgba(); // opaque: never 0
                   }
                   Spans.push_back({int32_t(px), int32_t(Top), int32_t(Bottom), LastPixel});
               });
    if (Spans.empty())
        return;
    int32_t FirstRow = INT32_MAX, EndRow = INT32_MIN, FirstColumn = INT32_MAX, EndColumn = INT32_MIN;
    for (const TSpan& s : Spans)
    {
        FirstRow = std::min(FirstRow, s.Top);
        EndRow = std::max(EndRow, s.Bottom + 1);
        FirstColumn = std::min(FirstColumn, s.Column);
        EndColumn = std::max(EndColumn, s.Column + 1);
    }
    // Changes of row y: RowStart[y - FirstRow] .. RowStart[y - FirstRow + 1]; the ends of
    // runs before the starts, so that a run may begin right below another.
    const size_t Rows = size_t(EndRow - FirstRow) + 1;
    RowStart.assign(Rows + 1, 0);
    for (const TSpan& s : Spans)
    {
        ++RowStart[size_t(s.Top - FirstRow) + 1];
        ++RowStart[size_t(s.Bottom + 1 - FirstRow) + 1];
    }
    for (size_t y = 0; y < Rows; ++y)
        RowStart[y + 1] += RowStart[y];
    Changes.resize(RowStart[Rows]);
    std::vector<uint32_t> Fill(RowStart.begin(), RowStart.end() - 1);
    for (const TSpan& s : Spans)
        Changes[Fill[size_t(s.Bottom + 1 - FirstRow)]++] = {s.Column, 0};
    for (const TSpan& s : Spans)
        Changes[Fill[size_t(s.Top - FirstRow)]++] = {s.Column, s.Pixel};
    // Bands of rows, shared by both threads where the area is worth it (whichever is free
    // takes the next band); each band starts from the colours the changes above it leave.
    uint32_t* const Bits = Canvas.RasterBits();
    const int64_t Stride = Canvas.RasterStride();
    const size_t Columns = size_t(EndColumn - FirstColumn);
    const bool Split = Helper && double(Columns) * double(EndRow - FirstRow) > 300000;
    const int32_t Bands = Split ? std::min<int32_t>(RowBands, EndRow - FirstRow) : 1;
    const auto BandStart = [&](int32_t b)
    { return FirstRow + int32_t(int64_t(EndRow - FirstRow) * b / Bands); };
    Current.assign(size_t(Bands) * Columns, 0);
    const auto Sweep = [&](uint32_t* Colors, int32_t From, int32_t To)
    {
        Colors -= FirstColumn;
        for (int32_t y = From; y < To; ++y)
        {
            const size_t Row = size_t(y - FirstRow);
            for (uint32_t c = RowStart[Row]; c < RowStart[Row + 1]; ++c)
                Colors[Changes[c].Column] = Changes[c].Pixel;
            uint32_t* const Line = Bits + int64_t(y) * Stride;
            for (int32_t x = FirstColumn; x < EndColumn;)
            {
                // A span of one colour, written at once; columns without fill are passed.
                const uint32_t v = Colors[x];
                const int32_t End = RunEnd(Colors, x + 1, EndColumn, v);
                if (v)
                    std::fill(Line + x, Line + End, v);
                x = End;
            }
        }
    };
    if (Bands == 1)
    {
        Sweep(Current.data(), FirstRow, EndRow);
        return;
    }
    // Each band's colours: those of the band above, carried through the changes between.
    for (int32_t b = 1; b < Bands; ++b)
    {
        uint32_t* const Colors = Current.data() + size_t(b) * Columns;
        std::copy_n(Colors - Columns, Columns, Colors);
        for (uint32_t c = RowStart[size_t(BandStart(b - 1) - FirstRow)];
             c < RowStart[size_t(BandStart(b) - FirstRow)]; ++c)
            Colors[Changes[c].Column - FirstColumn] = Changes[c].Pixel;
    }
    TOrderedWork::Run(
        size_t(Bands), Helper,
        [&](size_t b, int)
        { Sweep(Current.data() + b * Columns, BandStart(int32_t(b)), BandStart(int32_t(b) + 1)); },
        [](size_t) { return true; });
}
