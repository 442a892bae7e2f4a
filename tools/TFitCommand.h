#pragma once
// vendrel-eval --fit: fits a model formula to a data file and prints the answer.
//
//   vendrel-eval --fit DATA --model FORMULA --start NAME=VALUE... [--columns I,J] [--separator C]
//
// DATA is read as the import reads it (analysis/TDelimitedText: the guessed layout, x and y
// the first two columns unless --columns names others, counted from 1). Every NAME is a
// parameter that varies, VALUE (written with ".") its start; FORMULA is read with the decimal
// separator C (by default the locale's). Output:
//   param<TAB>NAME<TAB>VALUE<TAB>STDERR    one per parameter, in the order given, "%.20Le"
//   rss<TAB>VALUE
//   iterations<TAB>N
//   end
// A data file that cannot be read, a formula that cannot, a fit that cannot start or does not
// converge: one line error<TAB>CLASS<TAB>MESSAGE and exit status 1. Bad arguments: a line on
// standard error and status 2.
#include <string>
#include <vector>

class TFitCommand
{
  public:
    explicit TFitCommand(char16_t DefaultSeparator) : Separator(DefaultSeparator) {}

    // Whether the arguments ask for a fit.
    static bool Asked(int argc, char** argv);
    // The exit status.
    int Run(int argc, char** argv);

  private:
    int Fit();

    char16_t Separator;
    std::string DataPath, Model;
    std::u16string ModelText;
    std::vector<std::u16string> Names;
    std::vector<long double> Starts;
    size_t XColumn = 0, YColumn = 1;
    bool ColumnsGiven = false;
};
