#pragma once
// The named parameters of a plot and how they move. A parameter has a name, a value, a
// range Min .. Max, a step and a mode; while the animation runs, every parameter whose mode
// is not Off ticks with the time, 40 ms a tick. One tick, going in Direction (+1 Forward,
// -1 Back), adds the step (its negation going Back, and again negated while a bouncing
// parameter heads down) to the value; then, by the mode:
//   Loop:   a value strictly past Max (moving up) becomes Min; past Min (moving down), Max.
//   Bounce: a value past an end is reflected about it (2 * end - value) and the parameter's
//           heading turns.
//   Once:   a value past an end stops at that end.
// With Min = Max, a step of 0 or Off the value stays. The rules are pure, so the window, the
// blur trail and every export see the same values after the same number of ticks.
#include "expr/Float80.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

enum class TParameterMode : uint8_t
{
    Off,
    Loop,
    Bounce,
    Once,
};

// The mode's name in documents ("off", "loop", "bounce", "once"), and the mode of a name
// (any case); an unknown name is Off.
QString ModeName(TParameterMode Mode);
TParameterMode ModeFromName(const QString& Name);

// The shortest text of Value that TextToFloat reads back as Value, with the separator Sep.
QString ParameterNumber(Float80 Value, char16_t Sep);

struct TParameter
{
    QString Name;
    Float80 Value = 0;
    Float80 Min = 0;
    Float80 Max = 10;
    Float80 Step = 0.1L;
    TParameterMode Mode = TParameterMode::Off;
    // +1, or -1 once a bounce has turned it.
    int8_t Heading = 1;

    bool operator==(const TParameter&) const = default;

    // One tick in Direction (+1, -1; 0 leaves the value).
    void Tick(int Direction);
    // Where the value stands on a slider of Positions + 1 positions from Min (0) to Max; and
    // the value at Position, moved to the nearest Min + k * Step inside the range when the
    // step is not 0.
    int Position(int Positions) const;
    Float80 ValueAt(int Position, int Positions) const;
};

class TParameterList
{
  public:
    int Count() const { return int(Items.size()); }
    bool Empty() const { return Items.empty(); }
    const TParameter& Item(int Index) const { return Items.at(size_t(Index)); }
    TParameter& Item(int Index) { return Items.at(size_t(Index)); }
    const std::vector<TParameter>& All() const { return Items; }

    // Why Name cannot be the name of parameter Index (-1: a new one): not a name, a name of
    // the formulas' own, or the name of another parameter but for case. Empty when it can.
    std::string NameRefusal(const QString& Name, int Index = -1) const;
    // Adds or renames; throws EParameterError with NameRefusal's sentence.
    void Add(const TParameter& Parameter);
    void Rename(int Index, const QString& Name);
    void Remove(int Index) { Items.erase(Items.begin() + Index); }
    // Replaces every parameter; throws EParameterError (the list unchanged) for a refused name.
    void Assign(std::vector<TParameter> Parameters);
    // The parameter named Name (any case), or -1.
    int IndexOf(const QString& Name) const;

    // Every parameter one tick on.
    void Tick(int Direction);
    // The names, and the values after 0, 1, ... Frames - 1 ticks in Direction from now.
    std::vector<std::u16string> Names() const;
    std::vector<Float80> Values() const;
    std::vector<std::vector<Float80>> FrameValues(int Frames, int Direction) const;

    bool operator==(const TParameterList&) const = default;

  private:
    std::vector<TParameter> Items;
};
