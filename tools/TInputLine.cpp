#include "tools/TInputLine.h"

#include "expr/Errors.h"
#include "expr/TextToFloat.h"
#include "expr/Utf16.h"

TInputLine TInputLine::Parse(const std::string& Line)
{
    const size_t FirstTab = Line.find('\t');
    const size_t SecondTab = FirstTab == std::string::npos ? FirstTab : Line.find('\t', FirstTab + 1);
    if (SecondTab == std::string::npos)
        throw EConvertError(std::string(Msg::InputLineShape));
    const std::string_view Text(Line);
    TInputLine Out;
    Out.XText = Text.substr(0, FirstTab);
    Out.T = TextToFloat(FromUtf8(Text.substr(FirstTab + 1, SecondTab - FirstTab - 1)), u'.');
    Out.Formula = FromUtf8(Text.substr(SecondTab + 1));
    return Out;
}

Float80 TInputLine::X() const
{
    return TextToFloat(FromUtf8(XText), u'.');
}
