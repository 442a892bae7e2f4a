// Relations classified pixel by pixel (TRelationClassifier) against their solution sets, computed
// here exactly: pixel edges are binary fractions, so the squares and sums below are exact in
// long double, and the rose's polynomial is taken in 128-bit integers. No pixel may hold where
// the relation holds nowhere in it, none may be empty where it holds somewhere; the share left
// undecided is printed per case. Then zoom consistency, resuming, two threads and the shape.
#include "analysis/TRelationClassifier.h"
#include "expr/Errors.h"
#include "expr/Utf16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace
{
enum class TTruth
{
    Meets,    // the relation holds somewhere in the box
    Misses,   // nowhere
    Uncertain // not settled by the test's own arithmetic
};

using TTruthOf = std::function<TTruth(const TPlaneBox&)>;

// The least and greatest x*x over [a, b].
struct TSquares
{
    Float80 Lo, Hi;
};
TSquares Squares(Float80 a, Float80 b)
{
    const Float80 Far = std::max(a * a, b * b);
    return {a <= 0 && b >= 0 ? 0 : std::min(a * a, b * b), Far};
}

// x*x + y*y over the box, exactly (few-bit binary fractions).
TSquares RadiusSquared(const TPlaneBox& B)
{
    const TSquares x = Squares(B.X0, B.X1), y = Squares(B.Y0, B.Y1);
    return {x.Lo + y.Lo, x.Hi + y.Hi};
}

TTruthOf CircleOfSquaredRadius(Float80 R2)
{
    return [R2](const TPlaneBox& B)
    {
        const TSquares r = RadiusSquared(B);
        return r.Lo <= R2 && R2 <= r.Hi ? TTruth::Meets : TTruth::Misses;
    };
}

TTruthOf ClosedDisc(Float80 R2)
{
    return [R2](const TPlaneBox& B) { return RadiusSquared(B).Lo <= R2 ? TTruth::Meets : TTruth::Misses; };
}

TTruth OpenDisc(const TPlaneBox& B)
{
    return RadiusSquared(B).Lo < 1 ? TTruth::Meets : TTruth::Misses;
}

TTruth Diagonal(const TPlaneBox& B)
{
    return B.X0 <= B.Y1 && B.Y0 <= B.X1 ? TTruth::Meets : TTruth::Misses;
}

TTruth Origin(const TPlaneBox& B)
{
    return B.X0 <= 0 && 0 <= B.X1 && B.Y0 <= 0 && 0 <= B.Y1 ? TTruth::Meets : TTruth::Misses;
}

TTruth Everywhere(const TPlaneBox&)
{
    return TTruth::Meets;
}

TTruth Nowhere(const TPlaneBox&)
{
    return TTruth::Misses;
}

// y = tan x: monotone between poles (pi/2 + k pi), so the box meets it where the tangent's range
// over the box's x, split at a pole inside, meets the box's y. The C library's tangent is exact
// to an ulp or so; the margin leaves near misses uncertain.
TTruth Tangent(const TPlaneBox& B)
{
    constexpr Float80 Margin = 1e-12L;
    const Float80 k = std::floor((B.X0 - M_PIl / 2) / M_PIl);
    const Float80 Pole = M_PIl / 2 + (k + 1) * M_PIl; // the first pole beyond X0
    if (std::fabs(Pole - B.X0) < Margin || std::fabs(Pole - B.X1) < Margin)
        return TTruth::Uncertain;
    const Float80 t0 = std::tan(B.X0), t1 = std::tan(B.X1);
    auto Meets = [&](Float80 Lo, Float80 Hi) { // the tangent's range [Lo, Hi] against [Y0, Y1]
        if (Hi < B.Y0 - Margin || Lo > B.Y1 + Margin)
            return TTruth::Misses;
        if (Hi > B.Y0 + Margin && Lo < B.Y1 - Margin)
            return TTruth::Meets;
        return TTruth::Uncertain;
    };
    if (Pole > B.X1)
        return Meets(t0, t1);
    const TTruth Left = Meets(t0, INFINITY), Right = Meets(-INFINITY, t1);
    if (Left == TTruth::Meets || Right == TTruth::Meets)
        return TTruth::Meets;
    return Left == TTruth::Misses && Right == TTruth::Misses ? TTruth::Misses : TTruth::Uncertain;
}

// The rose (x^2+y^2)^3 = 27 x^2 y^2 through P = (x^2+y^2)^3 - 27 x^2 y^2, scaled by 2^(6k) to
// 128-bit integers (x = n / 2^k). It misses the box where a bound of P keeps one sign (from the
// ranges of x^2 and y^2, P's parts being monotone in them), and meets it where P takes both signs
// (or 0) on a 17 x 17 grid of the box.
constexpr int RoseShift = 12;
using TWide = __int128;

TWide Scaled(Float80 v)
{
    return TWide(std::ldexp(v, RoseShift));
}

TWide RoseP(TWide n2, TWide m2)
{
    const TWide s = n2 + m2;
    return s * s * s - 27 * n2 * m2 * (TWide(1) << (2 * RoseShift));
}

TTruth Rose(const TPlaneBox& B)
{
    auto SquareRange = [](Float80 a, Float80 b)
    {
        const TWide na = Scaled(a), nb = Scaled(b);
        const TWide Far = std::max(na * na, nb * nb);
        return std::pair<TWide, TWide>{a <= 0 && b >= 0 ? 0 : std::min(na * na, nb * nb), Far};
    };
    const auto [u0, u1] = SquareRange(B.X0, B.X1);
    const auto [v0, v1] = SquareRange(B.Y0, B.Y1);
    const TWide Lo = (u0 + v0) * (u0 + v0) * (u0 + v0) - 27 * u1 * v1 * (TWide(1) << (2 * RoseShift));
    const TWide Hi = (u1 + v1) * (u1 + v1) * (u1 + v1) - 27 * u0 * v0 * (TWide(1) << (2 * RoseShift));
    if (Lo > 0 || Hi < 0)
        return TTruth::Misses;
    bool Below = false, Above = false;
    for (int i = 0; i <= 16; ++i)
        for (int j = 0; j <= 16; ++j)
        {
            const TWide n = Scaled(B.X0 + (B.X1 - B.X0) * i / 16), m = Scaled(B.Y0 + (B.Y1 - B.Y0) * j / 16);
            const TWide p = RoseP(n * n, m * m);
            Below = Below || p <= 0;
            Above = Above || p >= 0;
        }
    return Below && Above ? TTruth::Meets : TTruth::Uncertain;
}

struct TCase
{
    const char* Name;
    const char16_t* Formula;
    TRelationView View;
    int Width, Height;
    TTruthOf Truth;
};

struct TTally
{
    int Holds = 0, Empty = 0, Undecided = 0, FalseHolds = 0, FalseEmpty = 0;
};

TTally Check(const TCase& Case, TRelationClassifier& C)
{
    TTally t;
    for (int Row = 0; Row < C.Height(); ++Row)
        for (int Column = 0; Column < C.Width(); ++Column)
        {
            const TPlaneBox Box{C.ColumnEdge(Column), C.ColumnEdge(Column + 1), C.RowEdge(Row + 1),
                                C.RowEdge(Row)};
            const TTruth Truth = Case.Truth(Box);
            switch (C.Pixel(Column, Row))
            {
            case TPixelClass::Holds:
                ++t.Holds;
                if (Truth == TTruth::Misses && t.FalseHolds++ == 0)
                    ADD_FAILURE() << Case.Name << ": pixel " << Column << ", " << Row << " holds";
                break;
            case TPixelClass::Empty:
                ++t.Empty;
                if (Truth == TTruth::Meets && t.FalseEmpty++ == 0)
                    ADD_FAILURE() << Case.Name << ": pixel " << Column << ", " << Row << " is empty";
                break;
            default:
                ++t.Undecided;
            }
        }
    return t;
}

std::unique_ptr<TRelationClassifier> Classified(const char16_t* Formula, const TRelationView& View, int Width,
                                                int Height)
{
    TRelationInput Input;
    Input.Formula = Formula;
    auto C = std::make_unique<TRelationClassifier>(Input, View, Width, Height);
    EXPECT_TRUE(C->Refine());
    return C;
}

// clang-format off
const TCase Cases[] = {
    {"unit circle", u"x*x+y*y = 1", {-2, 2, -2, 2}, 64, 64, CircleOfSquaredRadius(1)},
    {"unit circle off centre", u"x*x+y*y = 1", {-1.25L, 1.75L, -2.5L, 2.5L}, 48, 80, CircleOfSquaredRadius(1)},
    {"unit circle, large", u"x*x+y*y = 1", {-1.5L, 1.5L, -1.125L, 1.125L}, 384, 288, CircleOfSquaredRadius(1)},
    {"closed disc", u"x*x+y*y <= 1", {-2, 2, -2, 2}, 64, 64, ClosedDisc(1)},
    {"open disc", u"x*x+y*y < 1", {-1.25L, 1.75L, -2.5L, 2.5L}, 48, 80, OpenDisc},
    {"|x - y| = 0", u"Abs(x-y) = 0", {-2, 2, -1.5L, 2.5L}, 64, 64, Diagonal},
    {"(x^2+y^2-1)^2 = 0", u"Power(x*x+y*y-1, 2) = 0", {-2, 2, -2, 2}, 64, 64, CircleOfSquaredRadius(1)},
    {"x^2+y^2 = 0, the origin on a corner", u"x*x+y*y = 0", {-2, 2, -2, 2}, 64, 64, Origin},
    {"x^2+y^2 = 0, the origin inside", u"x*x+y*y = 0", {-1.03125L, 0.96875L, -0.53125L, 1.46875L}, 32, 32, Origin},
    {"0*(2x+y) = 0*3", u"0*(2*x+y) = 0*3", {-3, 5, -1, 7}, 32, 32, Everywhere},
    {"y = x and y = x + 0.0001", u"(y = x) and (y = x + 0.0001)", {0.5L, 0.5L + 0x1p-7L, 0.5L, 0.5L + 0x1p-7L}, 64, 64,
     Nowhere},
    {"y = Sqrt(x-3)*Sqrt(1-x)", u"y = Sqrt(x-3)*Sqrt(1-x)", {-1, 5, -3, 3}, 48, 48, Nowhere},
    {"Tan(x) = y", u"Tan(x) = y", {-5, 5, -4, 4}, 80, 64, Tangent},
    {"Tan(x) = y, finer", u"Tan(x) = y", {-4, 4, -2, 2}, 256, 64, Tangent},
    {"closed disc of radius 9", u"81-x*x-y*y = Abs(81-x*x-y*y)", {-12, 12, -12, 12}, 96, 96, ClosedDisc(81)},
    {"four-petal rose", u"Power(x*x+y*y, 3) = 27*x*x*y*y", {-3, 3, -3, 3}, 96, 96, Rose},
    {"rose near its singular origin", u"Power(x*x+y*y, 3) = 27*x*x*y*y", {-0.25L, 0.25L, -0.25L, 0.25L}, 64, 64,
     Rose},
};
// clang-format on
} // namespace

TEST(RelationClassifier, NeverHoldsWhereNothingIsAndNeverEmptyWhereSomethingIs)
{
    for (const TCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        const auto Classifier = Classified(Case.Formula, Case.View, Case.Width, Case.Height);
        TRelationClassifier& C = *Classifier;
        const TTally t = Check(Case, C);
        EXPECT_EQ(t.FalseHolds, 0);
        EXPECT_EQ(t.FalseEmpty, 0);
        const int All = C.Width() * C.Height();
        std::printf("[ shares   ] %-38s %4dx%-4d holds %5.1f%%  empty %5.1f%%  undecided %5.2f%%\n",
                    Case.Name, C.Width(), C.Height(), 100.0 * t.Holds / All, 100.0 * t.Empty / All,
                    100.0 * t.Undecided / All);
    }
}

TEST(RelationClassifier, DecidesTheCasesThatCanBeDecided)
{
    const auto FlatOne = Classified(u"0*(2*x+y) = 0*3", {-3, 5, -1, 7}, 32, 32);
    const TRelationClassifier& Flat = *FlatOne;
    EXPECT_EQ(std::count(Flat.Pixels().begin(), Flat.Pixels().end(), TPixelClass::Holds), 32 * 32);
    const auto NoDomainOne = Classified(u"y = Sqrt(x-3)*Sqrt(1-x)", {-1, 5, -3, 3}, 48, 48);
    const TRelationClassifier& NoDomain = *NoDomainOne;
    EXPECT_EQ(std::count(NoDomain.Pixels().begin(), NoDomain.Pixels().end(), TPixelClass::Empty), 48 * 48);
    const auto PointOne = Classified(u"x*x+y*y = 0", {-2, 2, -2, 2}, 64, 64);
    const TRelationClassifier& Point = *PointOne;
    for (int Column : {31, 32})
        for (int Row : {31, 32})
            EXPECT_EQ(Point.Pixel(Column, Row), TPixelClass::Holds)
                << "the four pixels meeting at the origin";
    EXPECT_EQ(std::count(Point.Pixels().begin(), Point.Pixels().end(), TPixelClass::Empty), 64 * 64 - 4);
    // No pixel of the tangent's pole columns holds away from the curve: the columns of x = pi/2.
    const auto TanOne = Classified(u"Tan(x) = y", {-4, 4, -2, 2}, 256, 64);
    const TRelationClassifier& Tan = *TanOne;
    const int PoleColumn = int((M_PIl / 2 + 4) / 8 * 256);
    for (int Row = 0; Row < 64; ++Row)
        EXPECT_NE(Tan.Pixel(PoleColumn, Row), TPixelClass::Holds) << "row " << Row;
}

// A pixel empty at one size has no holding part at twice the size, and a holding one no empty whole.
TEST(RelationClassifier, TwiceTheSizeAgreesWithTheCoarserPicture)
{
    for (const TCase& Case : Cases)
    {
        SCOPED_TRACE(Case.Name);
        const auto CoarseOne = Classified(Case.Formula, Case.View, Case.Width, Case.Height);
        const auto FineOne = Classified(Case.Formula, Case.View, 2 * Case.Width, 2 * Case.Height);
        const TRelationClassifier &Coarse = *CoarseOne, &Fine = *FineOne;
        int Conflicts = 0;
        for (int Row = 0; Row < Fine.Height(); ++Row)
            for (int Column = 0; Column < Fine.Width(); ++Column)
                if (Fine.Pixel(Column, Row) == TPixelClass::Holds &&
                    Coarse.Pixel(Column / 2, Row / 2) == TPixelClass::Empty)
                    ++Conflicts;
        EXPECT_EQ(Conflicts, 0);
    }
}

TEST(RelationClassifier, ResumesWhereItStoppedAndSplitsBandsOverTwoThreads)
{
    const TRelationView View{-3, 3, -3, 3};
    const char16_t* Formula = u"Power(x*x+y*y, 3) = 27*x*x*y*y";
    const auto WholeOne = Classified(Formula, View, 192, 160);
    const TRelationClassifier& Whole = *WholeOne;
    TRelationInput Input;
    Input.Formula = Formula;
    TRelationClassifier Stopping(Input, View, 192, 160);
    int Asked = 0, Stops = 0;
    while (!Stopping.Refine(TRelationClassifier::FinestLevel, [&] { return ++Asked % 5 == 0; }))
        ++Stops;
    EXPECT_GT(Stops, 10);
    EXPECT_EQ(Stopping.Pixels(), Whole.Pixels());

    TRelationClassifier Shared(Input, View, 192, 160);
    for (int Level = 0; Level <= TRelationClassifier::FinestLevel; ++Level)
    {
        std::thread Helper(
            [&]
            {
                for (int Band = 1; Band < Shared.BandCount(); Band += 2)
                    Shared.RefineBand(Band, 1);
            });
        for (int Band = 0; Band < Shared.BandCount(); Band += 2)
            Shared.RefineBand(Band, 0);
        Helper.join();
    }
    EXPECT_TRUE(Shared.Finished());
    EXPECT_EQ(Shared.Pixels(), Whole.Pixels());
}

TEST(RelationClassifier, CoarseLevelsLeaveTheRestUndecided)
{
    TRelationInput Input;
    Input.Formula = u"x*x+y*y <= 1";
    TRelationClassifier C(Input, {-2, 2, -2, 2}, 128, 128);
    EXPECT_TRUE(C.Refine(3));
    EXPECT_TRUE(C.Finished(3));
    EXPECT_FALSE(C.Finished(4));
    // 8-pixel blocks: those wholly inside hold and those wholly outside are empty already.
    EXPECT_EQ(C.Pixel(64, 64), TPixelClass::Holds);
    EXPECT_EQ(C.Pixel(0, 0), TPixelClass::Empty);
    EXPECT_GT(std::count(C.Pixels().begin(), C.Pixels().end(), TPixelClass::Undecided), 0);
}

TEST(RelationClassifier, ReadsTheShapeTheTimeAndTheParameters)
{
    struct TShapeCase
    {
        const char16_t* Formula;
        TRelationShape Shape;
        TBoundaryPen Boundary;
    } Shapes[] = {
        {u"x*x+y*y = 1", TRelationShape::Curve, TBoundaryPen::Solid},
        {u"y < Sin(x)", TRelationShape::Region, TBoundaryPen::Dashed},
        {u"y >= Sin(x)", TRelationShape::Region, TBoundaryPen::Solid},
        {u"(x*x+y*y <= 4) and (y >= 0)", TRelationShape::Region, TBoundaryPen::Solid},
        {u"(x < 1) and (y > 0)", TRelationShape::Region, TBoundaryPen::Dashed},
        {u"x <> y", TRelationShape::Region, TBoundaryPen::Dashed},
        {u"not (x = y)", TRelationShape::Region, TBoundaryPen::Solid},
    };
    for (const TShapeCase& Case : Shapes)
    {
        SCOPED_TRACE(ToUtf8(Case.Formula));
        TRelationInput Input;
        Input.Formula = Case.Formula;
        const TRelation Relation(Input);
        EXPECT_EQ(Relation.Shape(), Case.Shape);
        EXPECT_EQ(Relation.Boundary(), Case.Boundary);
    }

    // x^2 + y^2 = a + t with a = 1.5 at t = 2.5: the circle of radius 2.
    TRelationInput Input;
    Input.Formula = u"x*x+y*y = a+t";
    Input.Time = 2.5L;
    Input.ParameterNames = {u"a"};
    Input.ParameterValues = {1.5L};
    TRelationClassifier C(Input, {-4, 4, -4, 4}, 64, 64);
    ASSERT_TRUE(C.Refine());
    const TCase Circle{"", u"", {}, 0, 0, CircleOfSquaredRadius(4)};
    const TTally t = Check(Circle, C);
    EXPECT_EQ(t.FalseHolds + t.FalseEmpty, 0);
    EXPECT_GT(t.Holds, 100);
}

TEST(RelationClassifier, ATextThatCannotBeReadFailsAsThePlotReportsIt)
{
    TRelationInput Input;
    Input.Formula = u"x*x+y*y =";
    try
    {
        TRelationClassifier C(Input, {-1, 1, -1, 1}, 8, 8);
        ADD_FAILURE() << "no error";
    }
    catch (const EExprEvalError& e)
    {
        EXPECT_STREQ(e.Message(), "Parse error: Factor expected");
    }
    Input.Formula = u"x < 1";
    TRelationClassifier Unusable(Input, {1, -1, -1, 1}, 8, 8);
    EXPECT_TRUE(Unusable.Refine());
    EXPECT_EQ(std::count(Unusable.Pixels().begin(), Unusable.Pixels().end(), TPixelClass::Undecided), 64)
        << "a reversed view decides nothing";
}
