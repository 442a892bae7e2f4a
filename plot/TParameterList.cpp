#include "plot/TParameterList.h"

#include "expr/AsciiCase.h"
#include "expr/TParameterContext.h"
#include "expr/TextToFloat.h"
#include "plot/Errors.h"
#include "plot/QtText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace
{
constexpr std::array<const char*, 4> ModeNames = {"off", "loop", "bounce", "once"};
} // namespace

QString ModeName(TParameterMode Mode)
{
    return QLatin1String(ModeNames[size_t(Mode)]);
}

TParameterMode ModeFromName(const QString& Name)
{
    for (size_t m = 0; m < ModeNames.size(); ++m)
        if (EqualsAsciiCase(ToU16(Name.trimmed()), ModeNames[m]))
            return TParameterMode(m);
    return TParameterMode::Off;
}

QString ParameterNumber(Float80 Value, char16_t Sep)
{
    char Buffer[64];
    QString Text;
    for (int Digits = 15; Digits <= 21; ++Digits)
    {
        const std::to_chars_result End =
            std::to_chars(Buffer, Buffer + sizeof(Buffer), Value, std::chars_format::general, Digits);
        Text = QString::fromLatin1(Buffer, End.ptr - Buffer);
        Text.replace(QLatin1Char('.'), QChar(Sep));
        if (TextToFloat(ToU16(Text), Sep) == Value)
            break;
    }
    return Text;
}

void TParameter::Tick(int Direction)
{
    // A document may bring the ends in either order.
    const Float80 Low = std::min(Min, Max), High = std::max(Min, Max);
    if (Direction == 0 || Mode == TParameterMode::Off || Low == High || Step == 0)
        return;
    const bool Negate = (Direction < 0) != (Heading < 0);
    const Float80 Delta = Negate ? -Step : Step;
    const bool Up = Delta > 0;
    Value += Delta;
    const bool Past = Up ? Value > High : Value < Low;
    if (!Past)
        return;
    const Float80 End = Up ? High : Low;
    switch (Mode)
    {
    case TParameterMode::Loop:
        Value = Up ? Low : High;
        break;
    case TParameterMode::Bounce:
        // A step longer than the range would reflect past the other end: it stops there.
        Value = std::clamp(2 * End - Value, Low, High);
        Heading = int8_t(-Heading);
        break;
    case TParameterMode::Once:
        Value = End;
        break;
    case TParameterMode::Off:
        break;
    }
}

int TParameter::Position(int Positions) const
{
    const Float80 Low = std::min(Min, Max), High = std::max(Min, Max);
    if (!(High > Low))
        return 0;
    const Float80 Fraction = std::clamp((Value - Low) / (High - Low), Float80(0), Float80(1));
    return int(std::lround(double(Fraction * Positions)));
}

Float80 TParameter::ValueAt(int Position, int Positions) const
{
    const Float80 Low = std::min(Min, Max), High = std::max(Min, Max);
    if (Positions <= 0)
        return Low;
    Float80 v = Low + (High - Low) * Float80(Position) / Float80(Positions);
    const Float80 Size = Step < 0 ? -Step : Step;
    if (Size > 0 && (High - Low) / Size < 1e9L)
    {
        v = Low + std::round((v - Low) / Size) * Size;
        if (v > High)
            v -= Size;
    }
    return std::clamp(v, Low, High);
}

std::string TParameterList::NameRefusal(const QString& Name, int Index) const
{
    std::string Refusal = TParameterContext::Refusal(ToU16(Name));
    if (!Refusal.empty())
        return Refusal;
    const int Other = IndexOf(Name);
    if (Other >= 0 && Other != Index)
        return Msg::Format(Msg::ParameterTaken, Name.toStdString());
    return {};
}

void TParameterList::Add(const TParameter& Parameter)
{
    if (const std::string Refusal = NameRefusal(Parameter.Name); !Refusal.empty())
        throw EParameterError(Refusal);
    Items.push_back(Parameter);
}

void TParameterList::Rename(int Index, const QString& Name)
{
    if (const std::string Refusal = NameRefusal(Name, Index); !Refusal.empty())
        throw EParameterError(Refusal);
    Item(Index).Name = Name;
}

void TParameterList::Assign(std::vector<TParameter> Parameters)
{
    TParameterList New;
    for (const TParameter& Parameter : Parameters)
        New.Add(Parameter);
    Items = std::move(New.Items);
}

int TParameterList::IndexOf(const QString& Name) const
{
    // As the evaluator compares names.
    for (size_t i = 0; i < Items.size(); ++i)
        if (EqualsAsciiCase(ToU16(Items[i].Name), ToU16(Name)))
            return int(i);
    return -1;
}

void TParameterList::Tick(int Direction)
{
    for (TParameter& Parameter : Items)
        Parameter.Tick(Direction);
}

std::vector<std::u16string> TParameterList::Names() const
{
    std::vector<std::u16string> Out;
    Out.reserve(Items.size());
    for (const TParameter& Parameter : Items)
        Out.emplace_back(ToU16(Parameter.Name));
    return Out;
}

std::vector<Float80> TParameterList::Values() const
{
    std::vector<Float80> Out;
    Out.reserve(Items.size());
    for (const TParameter& Parameter : Items)
        Out.push_back(Parameter.Value);
    return Out;
}

std::vector<std::vector<Float80>> TParameterList::FrameValues(int Frames, int Direction) const
{
    std::vector<std::vector<Float80>> Out;
    TParameterList Moving = *this;
    for (int j = 0; j < Frames; ++j)
    {
        if (j > 0)
            Moving.Tick(Direction);
        Out.push_back(Moving.Values());
    }
    return Out;
}
