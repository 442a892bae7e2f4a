#pragma once
// `--set NAME=VALUE` on the command line: values that replace a document's parameter values
// before it is drawn. VALUE is a number as the time editor takes it (the decimal separator
// of the locale). A malformed argument, a value that is no number and a name the document
// has no parameter for are each refused with one sentence.
#include "expr/Float80.h"

#include <QString>

#include <utility>
#include <vector>

class TParameterList;

class TParameterOverrides
{
  public:
    explicit TParameterOverrides(char16_t DecimalSeparator) : Sep(DecimalSeparator) {}

    // Takes one NAME=VALUE; false, with the reason in Error, when it is not one.
    bool Add(const QString& Argument, QString& Error);
    bool Empty() const { return Values.empty(); }

    // Sets every value given, the later of two for one name; false, with the reason in
    // Error, for a name that Parameters lacks (Parameters then unchanged).
    bool ApplyTo(TParameterList& Parameters, QString& Error) const;

  private:
    char16_t Sep;
    std::vector<std::pair<QString, Float80>> Values;
};
