#pragma once
// Runs a call that must fail and checks the error's class name and message.
#include "expr/Errors.h"

#include <gtest/gtest.h>

#include <string>

inline std::string MessageOfClass(const std::string& ClassName)
{
    if (ClassName == "EDomainError")
        return std::string(Msg::DomainCheck);
    if (ClassName == "EZeroDivide")
        return std::string(Msg::ZeroDivide);
    if (ClassName == "EInvalidOp")
        return std::string(Msg::InvalidOp);
    if (ClassName == "EOverflow")
        return std::string(Msg::Overflow);
    return "(no fixed message)";
}

template <typename TCall> void ExpectError(const std::string& Case, TCall Call, const std::string& ClassName)
{
    SCOPED_TRACE(Case);
    try
    {
        auto Value = Call();
        ADD_FAILURE() << "expected " << ClassName << ", got the value " << static_cast<double>(Value);
    }
    catch (const Exception& e)
    {
        EXPECT_EQ(e.ClassName(), ClassName);
        EXPECT_EQ(e.Message(), MessageOfClass(ClassName));
    }
}
