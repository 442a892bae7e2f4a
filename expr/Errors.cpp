#include "expr/Errors.h"

std::string Msg::Format(std::string_view Pattern, std::string_view Argument)
{
    std::string Out(Pattern);
    size_t At = Out.find("%s");
    if (At != std::string::npos)
        Out.replace(At, 2, Argument);
    return Out;
}

void RaiseZeroDivide() { throw EZeroDivide(std::string(Msg::ZeroDivide)); }
void RaiseInvalidOp() { throw EInvalidOp(std::string(Msg::InvalidOp)); }
void RaiseOverflow() { throw EOverflow(std::string(Msg::Overflow)); }
void RaiseDivByZero() { throw EDivByZero(std::string(Msg::DivByZero)); }
void RaiseDomainError() { throw EDomainError(std::string(Msg::DomainCheck)); }
