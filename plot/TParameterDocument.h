#pragma once
// The parameters in a document: section "Parameters" with "Count" and, for n = 1 .. Count,
// "Name"n, "Value"n, "Min"n, "Max"n, "Step"n and "Mode"n. Numbers are written with "." in
// the shortest form that reads back as the same number; modes as "off", "loop", "bounce",
// "once". A document without parameters gets no section, so it is saved as before (a file
// that had the section gets "Count" 0, so the parameters removed do not come back).
#include "plot/TParameterList.h"

class TProfileFile;

class TParameterDocument
{
  public:
    // At most this many parameters are read.
    static constexpr int32_t MaxParameters = 100;

    static void Write(TProfileFile& File, const TParameterList& Parameters);
    // Missing values read as 0, 0, 10, 0.1 and off; a value that is no number as its default.
    // A parameter whose name is refused (not a name, one of the formulas' own, taken) is left
    // out, so a formula that uses it reports the unknown name. Never throws.
    static TParameterList Read(const TProfileFile& File);
};
