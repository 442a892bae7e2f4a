// The export layer's messages against their literal texts: the window's error box and
// `vendrel --render`'s standard error show them, and scripts read them.
#include "export/Errors.h"

#include <gtest/gtest.h>

#include <string_view>

TEST(ExportMessages, EveryConstantHoldsItsExactText)
{
    const struct
    {
        const char* Name;
        std::string_view Constant;
        std::string_view Text;
    } Rows[] = {
        {"ZeroStep", Msg::ZeroStep, "the time step must not be 0"},
        {"WrongSign", Msg::WrongSign, "the time step must lead from the start time to the end time"},
        {"TooManyFrames", Msg::TooManyFrames, "an animation has at most 10000 frames"},
        {"FolderNotEmpty", Msg::FolderNotEmpty, "%1 holds other files than frames"},
    };
    for (const auto& Row : Rows)
        EXPECT_EQ(Row.Constant, Row.Text) << Row.Name;
    // A path with a placeholder of its own stays as it is.
    EXPECT_EQ(Msg::CannotWrite(QStringLiteral("/tmp/%1 a.png")),
              QStringLiteral("cannot write /tmp/%1 a.png"));
}

TEST(ExportMessages, ExportErrorsAreNamedAndCaughtAsExceptions)
{
    try
    {
        ThrowExport(Msg::CannotWrite(QStringLiteral("out.gif")));
        FAIL() << "no error";
    }
    catch (const Exception& Error)
    {
        EXPECT_STREQ(Error.ClassName(), "EExportError");
        EXPECT_STREQ(Error.Message(), "cannot write out.gif");
    }
}
