#pragma once
// The nesting count of one parse, shared by the evaluating parser and the compiler so both
// stop at the same depth with the same error: kept for the life of one recursion step and
// given back however the step ends.
#include "expr/Errors.h"

class TDepthGuard
{
  public:
    static constexpr int MaxDepth = 256;

    explicit TDepthGuard(int& Depth) : FDepth(Depth)
    {
        if (++FDepth > MaxDepth)
        {
            --FDepth;
            RaiseParseError(Msg::NestingTooDeep);
        }
    }
    ~TDepthGuard() { --FDepth; }
    TDepthGuard(const TDepthGuard&) = delete;
    TDepthGuard& operator=(const TDepthGuard&) = delete;

  private:
    int& FDepth;
};
