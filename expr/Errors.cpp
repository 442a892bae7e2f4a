#include "expr/Errors.h"

#include "expr/Utf16.h"

std::string Msg::Format(std::string_view Pattern, std::string_view Argument)
{
    std::string Out(Pattern);
    size_t At = Out.find("%s");
    if (At != std::string::npos)
        Out.replace(At, 2, Argument);
    return Out;
}

std::string Msg::Format(std::string_view Pattern, std::string_view First, std::string_view Second)
{
    std::string Out(Pattern);
    const size_t At = Out.find("%s");
    if (At == std::string::npos)
        return Out;
    Out.replace(At, 2, First);
    const size_t Next = Out.find("%s", At + First.size());
    if (Next != std::string::npos)
        Out.replace(Next, 2, Second);
    return Out;
}

void RaiseZeroDivide()
{
    throw EZeroDivide(std::string(Msg::ZeroDivide));
}
void RaiseInvalidOp()
{
    throw EInvalidOp(std::string(Msg::InvalidOp));
}
void RaiseOverflow()
{
    throw EOverflow(std::string(Msg::Overflow));
}
void RaiseDivByZero()
{
    throw EDivByZero(std::string(Msg::DivByZero));
}
void RaiseDomainError()
{
    throw EDomainError(std::string(Msg::DomainCheck));
}
void RaiseParseError(std::string_view Message)
{
    throw EExprEvalError(std::string(Message));
}
void RaiseUnknownSymbol(std::u16string_view Name)
{
    throw EExprEvalError(Msg::Format(Msg::UnknownSymbol, ToUtf8(Name)));
}
