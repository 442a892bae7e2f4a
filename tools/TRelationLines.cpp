#include "tools/TRelationLines.h"

#include "tools/TInputLine.h"

#include "expr/Errors.h"

#include <cmath>

namespace
{
const char* ClassText(TPixelClass Class)
{
    switch (Class)
    {
    case TPixelClass::Holds:
        return "holds";
    case TPixelClass::Empty:
        return "empty";
    default:
        return "undecided";
    }
}
} // namespace

TRelationLines::TRelationLines(char16_t Separator, const TRelationView& BoxIn,
                               std::vector<std::u16string> Names, std::vector<Float80> Values)
    : Box(BoxIn)
{
    Setup.Separator = Separator;
    Setup.ParameterNames = std::move(Names);
    Setup.ParameterValues = std::move(Values);
}

bool TRelationLines::Usable(const TRelationView& B)
{
    return std::isfinite(B.X0) && std::isfinite(B.X1) && std::isfinite(B.Y0) && std::isfinite(B.Y1) &&
           B.X0 < B.X1 && B.Y0 < B.Y1;
}

std::string TRelationLines::ClassifyLine(const std::string& Line) const
{
    try
    {
        const TInputLine In = TInputLine::Parse(Line);
        TRelationInput Input = Setup;
        Input.Formula = In.Formula;
        Input.Time = In.T;
        TRelationClassifier Classifier(Input, Box, 1, 1);
        Classifier.Refine();
        return std::string(ClassText(Classifier.Pixel(0, 0))) + "\n";
    }
    catch (const Exception& e)
    {
        return std::string("error\t") + e.ClassName() + "\t" + e.Message() + "\n";
    }
    catch (const std::exception& e)
    {
        return std::string("error\tException\t") + e.what() + "\n";
    }
}
