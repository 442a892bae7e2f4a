#include "expr/FunctionLibrary.h"

#include "expr/Errors.h"
#include "expr/FloatArith.h"
#include "expr/IntegerPower.h"
#include "expr/MathLib.h"
#include "expr/TEvaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace FunctionLibrary
{
Float80 Sqrt(Float80 x)
{
    MathLib::DomainCheck(x < 0);
    return std::sqrt(x);
}

Float80 Exp(Float80 x)
{
    return MathLib::Exp(x);
}

Float80 Ln(Float80 x)
{
    MathLib::DomainCheck(x <= 0);
    return MathLib::Ln(x);
}

Float80 Power(Float80 Base, Float80 Exponent)
{
    std::int64_t Whole;
    if (std::fabs(Exponent) < 0x1p63L)
    {
        Whole = static_cast<std::int64_t>(Exponent); // toward zero
        // An exponent with a fractional part is a domain error, whatever its sign.
        MathLib::DomainCheck(static_cast<Float80>(Whole) != Exponent);
    }
    else if (Exponent == -0x1p63L)
        Whole = INT64_MIN;
    else
        RaiseInvalidOp(); // whole, but beyond the 64-bit integers
    // Only the low 32 bits of the truncation count, taken as signed.
    const auto n = static_cast<std::int32_t>(static_cast<std::uint32_t>(Whole));
    if ((Exponent > 0 && n > 0) || (Exponent < 0 && n < 0))
        return IntegerPower(Base, n);
    return 1;
}

Float80 Abs(Float80 x)
{
    return std::fabs(x);
}
} // namespace FunctionLibrary

namespace
{
struct TLibraryEntry
{
    std::u16string_view Name;
    TUnaryRoutine Unary;
    TBinaryRoutine Binary;
};

// Registration order is part of the behaviour (it fixes the symbol table's layout).
constexpr TLibraryEntry LibraryEntries[] = {
    {u"Sqrt", FunctionLibrary::Sqrt, nullptr},
    {u"Exp", FunctionLibrary::Exp, nullptr},
    {u"Ln", FunctionLibrary::Ln, nullptr},
    {u"Power", nullptr, FunctionLibrary::Power},
    {u"Abs", FunctionLibrary::Abs, nullptr},
    {u"LogBase10", MathLib::LogBase10, nullptr},
    {u"LogBase2", MathLib::LogBase2, nullptr},
    {u"LogBaseN", nullptr, MathLib::LogBaseN},
    {u"ArcCos", MathLib::ArcCos, nullptr},
    {u"ArcCot", MathLib::ArcCot, nullptr},
    {u"ArcCsc", MathLib::ArcCsc, nullptr},
    {u"ArcSec", MathLib::ArcSec, nullptr},
    {u"ArcSin", MathLib::ArcSin, nullptr},
    {u"ArcTan", MathLib::ArcTan, nullptr},
    {u"ArcTan2", nullptr, MathLib::ArcTan2},
    {u"Cos", MathLib::Cos, nullptr},
    {u"Cot", MathLib::Cot, nullptr},
    {u"Coversine", MathLib::Coversine, nullptr},
    {u"Csc", MathLib::Csc, nullptr},
    {u"Exsecans", MathLib::Exsecans, nullptr},
    {u"Haversine", MathLib::Haversine, nullptr},
    {u"Sec", MathLib::Sec, nullptr},
    {u"Sin", MathLib::Sin, nullptr},
    {u"Tan", MathLib::Tan, nullptr},
    {u"Versine", MathLib::Versine, nullptr},
    {u"ArcCosH", MathLib::ArcCosH, nullptr},
    {u"ArcCotH", MathLib::ArcCotH, nullptr},
    {u"ArcCscH", MathLib::ArcCscH, nullptr},
    {u"ArcSecH", MathLib::ArcSecH, nullptr},
    {u"ArcSinH", MathLib::ArcSinH, nullptr},
    {u"ArcTanH", MathLib::ArcTanH, nullptr},
    {u"CosH", MathLib::CosH, nullptr},
    {u"CotH", MathLib::CotH, nullptr},
    {u"CscH", MathLib::CscH, nullptr},
    {u"SecH", MathLib::SecH, nullptr},
    {u"SinH", MathLib::SinH, nullptr},
    {u"TanH", MathLib::TanH, nullptr},
};
static_assert(std::size(LibraryEntries) == 37);
} // namespace

void RegisterFunctionLibrary(TEasyEvaluator& Evaluator)
{
    for (const TLibraryEntry& Entry : LibraryEntries)
    {
        if (Entry.Unary)
            Evaluator.RegisterUnaryFunction(Entry.Name, Entry.Unary);
        else
            Evaluator.RegisterBinaryFunction(Entry.Name, Entry.Binary);
    }
}

void RegisterPi(TEasyEvaluator& Evaluator)
{
    Evaluator.RegisterConstant(u"Pi", MathLib::Pi);
}

std::unique_ptr<TEvaluator> MakePlotEvaluator(char16_t Separator, Float80* XStorage,
                                              std::u16string_view Variable)
{
    auto Evaluator = std::make_unique<TEvaluator>(Separator);
    RegisterPi(*Evaluator);
    RegisterFunctionLibrary(*Evaluator);
    if (!Variable.empty())
        Evaluator->RegisterVariable(Variable, XStorage);
    return Evaluator;
}
