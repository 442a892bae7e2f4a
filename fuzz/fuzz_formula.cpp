// Any text given to the evaluator ends in a value or in one of its own errors: never a crash,
// a hang, a stack overflow or a foreign exception. The input is read twice, as UTF-8 and as
// raw UTF-16LE code units (which reaches lone surrogates), and each text is evaluated under
// both decimal separators, as typed and with the time parameter substituted. Where the
// evaluator can compile a text, the compiled program must give the same value, bit for bit,
// or the same error class and message as the reference reading, and so must its run that
// carries derivatives (whose derivatives may then fail with their own errors only). The UTF-8
// decoder itself is checked on every input.
#include "FuzzSupport.h"

#include "expr/Errors.h"
#include "expr/FunctionLibrary.h"
#include "expr/TDualRunner.h"
#include "expr/TEvaluator.h"
#include "expr/TExprProgram.h"
#include "expr/TimeSubstitution.h"
#include "expr/Utf16.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>

namespace
{
struct TSetup
{
    Float80 X = 0.5L;
    std::unique_ptr<TEvaluator> Point = MakePlotEvaluator(u'.', &X);
    std::unique_ptr<TEvaluator> Comma = MakePlotEvaluator(u',', &X);
};

// "value <number> bits <hex>" or "<class>: <message>"; anything but an evaluator error escapes and
// libFuzzer reports it.
template <typename TAction> std::string Outcome(TAction Action)
{
    try
    {
        const Float80 Value = Action();
        unsigned char Bits[10];
        std::memcpy(Bits, &Value, sizeof Bits);
        char Text[64];
        int n = std::snprintf(Text, sizeof Text, "%.20Le bits ", Value);
        for (int i = 9; i >= 0; --i)
            n += std::snprintf(Text + n, sizeof Text - size_t(n), "%02x", Bits[i]);
        return std::string("value ") + Text;
    }
    catch (const Exception& Error)
    {
        if (std::string_view(Error.Message()).empty())
            Fuzz::Fail("error without a message:", Error.ClassName());
        return std::string(Error.ClassName()) + ": " + Error.Message();
    }
}

void EvaluateOne(TEvaluator& Evaluator, std::u16string_view Text, const Float80* X)
{
    const std::string Reference = Outcome([&] { return Evaluator.EvaluateText(Text); });
    const auto Program = Evaluator.Compile(Text);
    // With the machine code of arithmetic programs, then with the instructions alone.
    for (bool MachineCode : {true, false})
    {
        Evaluator.SetMachineCode(MachineCode);
        const std::string Compiled = Outcome([&] { return Evaluator.Run(*Program); });
        if (Compiled != Reference)
            Fuzz::Fail("compiled and reference differ for",
                       ToUtf8(Text) + (MachineCode ? " (machine code)" : " (instructions)") +
                           "\n  reference: " + Reference + "\n  compiled:  " + Compiled);
    }
    Evaluator.SetMachineCode(true);
    TDualRunner Runner(Evaluator);
    const std::string Dual = Outcome([&] { return Runner.Run(*Program, X, 0).Value; });
    if (Dual != Reference)
        Fuzz::Fail("the run with derivatives and the reference differ for",
                   ToUtf8(Text) + "\n  reference: " + Reference + "\n  derivatives: " + Dual);
    Outcome([&] { return Runner.Run(*Program, X, 2).D2; }); // any error must be the evaluator's
}

// The decoder gives a character below 0x80 only for that very byte (so no overlong form stands
// for a digit or a line break), never a lone surrogate, and reads its own encoding back unchanged.
void CheckDecoder(std::string_view Bytes, const std::u16string& Text)
{
    size_t BytesAscii[128] = {}, TextAscii[128] = {};
    for (char b : Bytes)
        if (static_cast<unsigned char>(b) < 0x80)
            ++BytesAscii[static_cast<unsigned char>(b)];
    for (size_t i = 0; i < Text.size(); ++i)
    {
        const char16_t c = Text[i];
        if (c < 0x80)
            ++TextAscii[c];
        const bool High = c >= 0xD800 && c <= 0xDBFF, Low = c >= 0xDC00 && c <= 0xDFFF;
        if (Low || (High && (i + 1 == Text.size() || Text[i + 1] < 0xDC00 || Text[i + 1] > 0xDFFF)))
            Fuzz::Fail("the decoder gave a lone surrogate for", std::string(Bytes));
        if (High)
            ++i;
    }
    if (!std::equal(std::begin(BytesAscii), std::end(BytesAscii), std::begin(TextAscii)))
        Fuzz::Fail("the decoder made ASCII characters out of other bytes:", std::string(Bytes));
    if (FromUtf8(ToUtf8(Text)) != Text)
        Fuzz::Fail("the decoder does not read its own encoding back:", std::string(Bytes));
}

void EvaluateBoth(TSetup& Setup, std::u16string_view Text)
{
    EvaluateOne(*Setup.Point, Text, &Setup.X);
    EvaluateOne(*Setup.Comma, Text, &Setup.X);
    EvaluateOne(*Setup.Point, SubstituteTime(Text, u"-0.25", u'.'), &Setup.X);
    EvaluateOne(*Setup.Comma, SubstituteTime(Text, u"1,5E-5", u','), &Setup.X);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    static TSetup Setup;
    const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
    const std::u16string Decoded = FromUtf8(Bytes);
    CheckDecoder(Bytes, Decoded);
    EvaluateBoth(Setup, Decoded);

    std::u16string Units(Size / 2, u'\0');
    for (size_t i = 0; i < Units.size(); ++i)
        Units[i] = char16_t(Data[2 * i] | (Data[2 * i + 1] << 8));
    EvaluateBoth(Setup, Units);
    return 0;
}
