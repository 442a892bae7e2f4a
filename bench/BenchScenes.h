#pragma once
// Scene S of the paint bench as a model: ten graphs (five formulas, each twice, in varied
// colours and all five dash styles), fills on, motion blur of 5 frames 0.05 apart, on the
// view 0.1 .. 20.1 (1/x with fills needs a view without x = 0).
#include "plot/TPlotModel.h"

#include <QStringList>

#include <cmath>

namespace BenchScenes
{
// Formula Index of scene S (0 .. 9) as native long double code.
inline long double NativeS(int Index, long double x, long double = 0)
{
    switch (Index % 5)
    {
    case 0:
        return std::sin(x * 0.05L);
    case 1:
        return x * x - 3 * x + 2;
    case 2:
        return std::sqrt(std::fabs(x)) * std::cos(3 * x) + std::exp(-x * x);
    case 3:
        return 1 / x;
    default:
        return std::sin(x) / x + std::log(std::fabs(x) + 1) - std::tanh(x * 0.5L) * 2;
    }
}

inline const QStringList FormulasS = {"Sin(x*0.05)",
                                      "x*x-3*x+2",
                                      "Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)",
                                      "1/x",
                                      "Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2",
                                      "Sin(x*0.05)",
                                      "x*x-3*x+2",
                                      "Sqrt(Abs(x))*Cos(3*x)+Exp(-x*x)",
                                      "1/x",
                                      "Sin(x)/x+Ln(Abs(x)+1)-TanH(x*0.5)*2"};

inline TPlotModel SceneS()
{
    TPlotModel Out;
    std::vector<TFunc> Funcs;
    const TColor Colors[] = {0x0000FF, 0x00A000, 0xFF0000, 0x808000, 0x800080,
                             0x004080, 0x000000, 0x0080FF, 0xFF8000, 0x408040};
    const TColor Fills[] = {0xC0FFC0, 0xFFE0E0, 0xE0E0FF, 0xE0FFFF, 0xFFFFE0};
    for (int i = 0; i < FormulasS.size(); ++i)
    {
        TFunc Graph(FormulasS[i]);
        Graph.Color = Colors[i % 10];
        Graph.BGColor = Fills[i % 5];
        Graph.Style = int32_t(i % 5);
        Funcs.push_back(Graph);
    }
    Out.FuncList.Assign(Funcs);
    Out.LeftText = QStringLiteral("0.1");
    Out.RightText = QStringLiteral("20.1");
    Out.FilledGraphs = true;
    Out.MotionBlur = true;
    Out.FramesCount = 5;
    Out.TimeIncrement = 0.05f;
    Out.GraphsEnabled = true;
    return Out;
}
} // namespace BenchScenes
