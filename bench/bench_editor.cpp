// Typing in a formula of ten million characters, with the formula editor's help attached and
// without it (the editor as it was before the help: the baseline), one key and its Backspace per
// iteration; and the reading of the whole text that Enter adds (TFormulaCheck) beside the
// compile that the plot runs at Enter anyway. The help must not make a key dearer in a long
// formula: it reads the whole text only at Enter past TFormulaAssist::LiveLimit.
#include "BenchReport.h"
#include "app/TFormulaAssist.h"
#include "controls/TFormulaEdit.h"
#include "expr/FunctionLibrary.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"
#include "expr/TFormulaCheck.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace
{
constexpr qsizetype LongLength = 10'000'000;

// Ten million characters of an ordinary formula, ending in a bracket that closes a call, so the
// bracket scan at the cursor has work to do.
const QString& LongFormula()
{
    static const QString Text = []
    {
        QString t;
        t.reserve(LongLength + 16);
        while (t.size() < LongLength)
            t += QStringLiteral("Sin(x*0.5)+");
        return t + QStringLiteral("Cos(x)");
    }();
    return Text;
}

void Key(QLineEdit& Edit, int Code, const QString& Text)
{
    QKeyEvent Press(QEvent::KeyPress, Code, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(&Edit, &Press);
}

// One key typed before the last bracket and taken back, as a user edits the end of the formula.
void Typing(benchmark::State& State, bool Assisted, qsizetype Length)
{
    TFormulaEdit Edit;
    Edit.SetFormula(Length == LongLength ? LongFormula() : QStringLiteral("Sin(x*0.5)+Cos(x)"));
    if (Assisted)
        TFormulaAssist::Attach(&Edit, {[] { return std::vector<std::u16string>{u"x"}; }, {}, u'.'});
    Edit.show();
    Key(Edit, Qt::Key_Left, {});
    for (auto _ : State)
    {
        Key(Edit, Qt::Key_unknown, QStringLiteral("1"));
        Key(Edit, Qt::Key_Backspace, {});
    }
    State.SetLabel(Assisted ? "with the help" : "baseline: the editor alone");
}

// What Enter adds for a formula past the live limit, beside what the plot does at Enter.
void Reading(benchmark::State& State, bool Check)
{
    const QString& Text = LongFormula();
    const std::u16string_view View(reinterpret_cast<const char16_t*>(Text.utf16()), size_t(Text.size()));
    const std::vector<std::u16string> Names = {u"x"};
    TFormulaCheck Reader(u'.', Names);
    Float80 X = 0;
    const auto Evaluator = MakePlotEvaluator(u'.', &X);
    for (auto _ : State)
    {
        if (Check)
            benchmark::DoNotOptimize(Reader.Check(View));
        else
            benchmark::DoNotOptimize(Evaluator->Compile(View));
    }
    State.SetLabel(Check ? "the help's reading at Enter" : "baseline: the plot's compile");
}

// The reading after a pause in a formula of ordinary length, with a habit found and its rewrite
// checked: the dearest case of a short formula.
void Pause(benchmark::State& State)
{
    TFormulaEdit Edit;
    TFormulaAssist* Assist =
        TFormulaAssist::Attach(&Edit, {[] { return std::vector<std::u16string>{u"x"}; }, {}, u'.'});
    Edit.SetFormula(QStringLiteral("2x^2 + 3x - |x - 1| + e^(-x*x) + max(x, 1)"));
    for (auto _ : State)
    {
        Edit.setText(Edit.text()); // a new reading each time
        Assist->CheckNow();
        benchmark::DoNotOptimize(Assist->Rewrite());
    }
}

BENCHMARK_CAPTURE(Typing, Plain, false, LongLength)
    ->Name("Editor/Key/Plain/10M")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Typing, Assisted, true, LongLength)
    ->Name("Editor/Key/Assisted/10M")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Typing, PlainShort, false, 17)
    ->Name("Editor/Key/Plain/Short")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Typing, AssistedShort, true, 17)
    ->Name("Editor/Key/Assisted/Short")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Reading, Compile, false)->Name("Editor/Read/Compile/10M")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Reading, Check, true)->Name("Editor/Read/Check/10M")->Unit(benchmark::kMillisecond);
BENCHMARK(Pause)->Name("Editor/Pause/Habits/Short")->Unit(benchmark::kMicrosecond);

// Keeps each figure by name for the table of ratios.
class TCollector : public benchmark::ConsoleReporter
{
  public:
    void ReportRuns(const std::vector<Run>& Runs) override
    {
        ConsoleReporter::ReportRuns(Runs);
        for (const Run& r : Runs)
            Times[r.benchmark_name()] = r.GetAdjustedRealTime();
    }
    std::map<std::string, double> Times;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    const bool Plain = !BenchReport::AsksForAnotherFormat(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!Plain)
    {
        benchmark::RunSpecifiedBenchmarks();
        return 0;
    }
    TCollector Collector;
    benchmark::RunSpecifiedBenchmarks(&Collector);
    const auto Ratio = [&](const char* Name, const char* Of, const char* Base)
    {
        if (Collector.Times.count(Of) && Collector.Times.count(Base))
            std::printf("%-40s %6.2f\n", Name, Collector.Times[Of] / Collector.Times[Base]);
    };
    std::printf("\nratio (help / baseline)\n");
    Ratio("a key in 10M characters", "Editor/Key/Assisted/10M", "Editor/Key/Plain/10M");
    Ratio("a key in a short formula", "Editor/Key/Assisted/Short", "Editor/Key/Plain/Short");
    Ratio("Enter in 10M characters: reading/compile", "Editor/Read/Check/10M", "Editor/Read/Compile/10M");
    benchmark::Shutdown();
    return 0;
}
