#pragma once
// The evaluator: registrations of TEasyEvaluator plus one lexer and one parser that turn
// a formula text into a Float80. One text at a time; not re-entrant.
#include "expr/TEasyEvaluator.h"
#include "expr/TExprEvalParser.h"
#include "expr/TExprMachineCode.h"
#include "expr/TExprProgram.h"
#include "expr/TExprSimpleLexer.h"

#include <vector>

class TExprCompiler;
class TExprProgram;

class TEvaluator : public TEasyEvaluator
{
  public:
    // DecimalSeparator: the user's decimal separator, accepted in numbers besides nothing
    // else ("." is scanned but rejected when the separator is another character).
    explicit TEvaluator(char16_t DecimalSeparator = u'.');
    ~TEvaluator();

    // Reads the text anew: the value, or exactly one error (parse, conversion, arithmetic
    // or routine error). Afterwards the evaluator is ready for the next text.
    Float80 EvaluateText(std::u16string_view Text);

    // The text compiled once into a program that Run executes with the same result, the
    // same error and the same order of operations as EvaluateText on that text. Names are
    // looked up now: the program keeps the registrations of this moment. A program holds
    // this evaluator's variable storage and must only be run by this evaluator.
    std::shared_ptr<const TExprProgram> Compile(std::u16string_view Text);
    Float80 Run(const TExprProgram& Program)
    {
        // Inline, so that a caller's loop calls the machine code directly.
        if (const TExprMachineCode* Code = Program.MachineCode(); Code && UseMachineCode) [[likely]]
        {
            const Float80 Value = Code->Run();
            const Float80 Zero = Value - Value; // NaN unless the value is finite
            if (Zero == Zero) [[likely]]
                return Value;
        }
        return RunInstructions(Program);
    }
    // Whether Run may use a program's machine code (on by default); off, it always runs the
    // instructions. Both give the same results: tests compare them.
    void SetMachineCode(bool Use) { UseMachineCode = Use; }

    char16_t DecimalSeparator() const { return TextLexer->DecimalSeparator(); }

  protected:
    std::unique_ptr<TExprSimpleLexer> TextLexer;
    std::unique_ptr<TExprEvalParser> TextParser;
    std::unique_ptr<TExprCompiler> TextCompiler;
    // The value stack of Run, grown to the largest program run so far.
    std::vector<Float80> RunStack;
    bool UseMachineCode = true;

  private:
    // The program's instructions, or the text read anew when the program needs that.
    Float80 RunInstructions(const TExprProgram& Program);
};
