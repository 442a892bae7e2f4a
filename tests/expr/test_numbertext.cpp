#include "expr/NumberText.h"

#include "expr/DecimalValue.h"
#include "expr/Utf16.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

namespace
{
// The expected text is written with "." and converted to the separator under test.
std::u16string WithSeparator(const std::string& Text, char16_t Sep)
{
    std::u16string Out = FromUtf8(Text);
    for (char16_t& c : Out)
        if (c == u'.')
            c = Sep;
    return Out;
}

const char16_t Separators[] = {u'.', u','};
} // namespace

TEST(FormatGeneral15, WritesFifteenSignificantDigits)
{
    const struct
    {
        Float80 Value;
        const char* Expected;
    } Cases[] = {
        {0, "0"},
        {-0.0L, "0"},
        {0.05L, "0.05"},
        {-1.5L, "-1.5"},
        {2, "2"},
        {12.25L, "12.25"},
        {100, "100"},
        {0.0001L, "0.0001"},
        {-0.00012345L, "-0.00012345"},
        {0.00001L, "1E-5"},
        {-0.00001L, "-1E-5"},
        {2.5e20L, "2.5E20"},
        {0.1L + 0.2L, "0.3"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {-2.0L / 3, "-0.666666666666667"},
        {9.9999999999999999L, "10"},
        {0.000099999999999999999L, "0.0001"},
        {999999999999999.0L, "999999999999999"},
        {1e15L, "1E15"},
        {123456789012345678.0L, "1.23456789012346E17"},
        {1234.5L, "1234.5"},
        {1e-300L, "1E-300"},
        {1.18973149535723176502e4932L, "1.18973149535723E4932"},
        {3.6451995318824746025e-4951L, "3.64519953188247E-4951"},
    };
    for (char16_t Sep : Separators)
        for (const auto& Case : Cases)
            EXPECT_EQ(FormatGeneral15(Case.Value, Sep), WithSeparator(Case.Expected, Sep))
                << Case.Expected << " with separator " << static_cast<char>(Sep);
}

TEST(FormatFixed, WritesLikeCPrintf)
{
    const struct
    {
        Float80 Value;
        int Decimals;
        const char* Expected;
    } Cases[] = {
        {0, 0, "0"},
        {-10, 2, "-10.00"},
        {-10, 0, "-10"},
        {0.05L, 2, "0.05"},
        {0.15L, 2, "0.15"},
        {-0.05L, 2, "-0.05"},
        {-0.4L, 0, "-0"}, // C keeps the sign of a value that rounds to zero
        {-0.001L, 2, "-0.00"},
        {2.5L, 0, "2"}, // ties of the exact binary value go to even
        {0.125L, 2, "0.12"},
        {1.5L, 3, "1.500"},
        {1.0L / 3, 18, "0.333333333333333333"},
        {1e20L, 3, "100000000000000000000.000"},
        {1.0L / 3, 25, "0.333333333333333333"}, // clamped to 18
        {3.14L, -3, "3"},                       // clamped to 0
        {3.14L, -1000000, "3"},
    };
    for (char16_t Sep : Separators)
        for (const auto& Case : Cases)
            EXPECT_EQ(FormatFixed(Case.Value, Case.Decimals, Sep), WithSeparator(Case.Expected, Sep))
                << Case.Expected << " with separator " << static_cast<char>(Sep);
}

TEST(FormatFixed, IgnoresTheLocaleOfTheCLibrary)
{
    const std::string Saved = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a comma separator installed";
    std::u16string Fixed = FormatFixed(-1.25L, 2, u'.');
    std::u16string General = FormatGeneral15(0.00001234L, u'.');
    std::u16string GeneralComma = FormatGeneral15(1234.5L, u',');
    std::setlocale(LC_NUMERIC, Saved.c_str());
    EXPECT_EQ(Fixed, u"-1.25");
    EXPECT_EQ(General, u"1.234E-5");
    EXPECT_EQ(GeneralComma, u"1234,5");
}

// The head of a fixed text is exactly the start of the whole text, for short and for
// very long numbers (up to the largest long double, about 4933 digits), negative ones,
// powers of two and runs of nines that a rounded form would carry into the head.
TEST(FormatFixed, HeadIsTheStartOfTheWholeText)
{
    const Float80 Values[] = {0.0L, -0.4L, 1234.5678L, -1e23L, 1e24L, 9.999999999999999e30L, -1e4000L,
                              0x1p+13000L, 0x1.fffffffffffffffep+16383L, -0x1.fffffffffffffffep+16383L,
                              // 2^64 - 1 times a power of two: many nines in a row are rare, but
                              // these keep long runs of equal digits.
                              0xffffffffffffffffp+100L, 1e4000L / 3};
    for (Float80 Value : Values)
        for (int Decimals : {0, 2, 18})
            for (char16_t Sep : {u'.', u','})
            {
                const std::u16string Whole = FormatFixed(Value, Decimals, Sep);
                for (size_t MaxChars :
                     {size_t(0), size_t(1), size_t(2), size_t(17), size_t(400), size_t(6000)})
                    EXPECT_EQ(FormatFixedHead(Value, Decimals, Sep, MaxChars), Whole.substr(0, MaxChars))
                        << static_cast<double>(Value) << " " << Decimals << " " << MaxChars;
            }
}

// The two ways of DecimalValue, exact integer arithmetic for short numbers and the C library
// for the rest, must give the very same long double: the rows sit at the borders between them
// (19 and 20 significant digits, scales of +-27 and +-28, zeros that are stripped or not), and
// each is checked against strtold on the same digits in the "C" locale.
TEST(DecimalValue, AgreesWithTheCLibraryAtTheBordersOfItsExactWay)
{
    const struct
    {
        const char* Int;
        const char* Frac;
        long Exponent;
    } Rows[] = {
        {"9999999999999999999", "", 0},
        {"18446744073709551615", "", 0},
        {"1", "", 27},
        {"1", "", 28},
        {"3", "", -27},
        {"3", "", -28},
        {"", "1", -26},
        {"", "0000000000000000000001", 0},
        {"12300000000000000000000", "", -5},
        {"1", "00000000000000000000000", 0},
        {"0000000000000000000000007", "5", 1},
        {"123456789", "0123456789", 3},
        {"", "", 0},
        {"0", "000", 99999999},
        {"1", "", 4933},
        {"1", "", -4951},
        {"36", "45201", -4950},
        {"118973149535723176", "5", 4914},
    };
    for (const auto& r : Rows)
    {
        const std::string Text =
            std::string(*r.Int ? r.Int : "0") + "." + r.Frac + "e" + std::to_string(r.Exponent);
        const Float80 Expected = std::strtold(Text.c_str(), nullptr);
        const Float80 Got = DecimalValue(std::string_view(r.Int), std::string_view(r.Frac), r.Exponent);
        EXPECT_EQ(Got, Expected) << Text;
        const std::u16string Int16 = FromUtf8(r.Int), Frac16 = FromUtf8(r.Frac);
        EXPECT_EQ(DecimalValue(Int16, Frac16, r.Exponent), Got) << Text;
    }
}
