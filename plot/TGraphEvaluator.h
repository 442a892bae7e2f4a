#pragma once
// The value of one graph at one x and one time: x reaches the formula through the
// evaluator's variable "x", the time by rewriting the formula text.
#include "expr/Float80.h"
#include "expr/TDual.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TDualRunner;
class TEvaluator;
class TExprProgram;
class TFuncList;
class TParameterContext;

class TGraphEvaluator
{
  public:
    // Builds the plot's evaluator ("Pi", the function library, then "x" bound to XValue).
    // Curves of other kinds name their variable otherwise ("s", "y"); with an empty name
    // the evaluator knows no variable (for texts such as a curve's ends).
    explicit TGraphEvaluator(char16_t DecimalSeparator, std::u16string_view Variable = u"x");
    ~TGraphEvaluator();
    // The evaluator holds the address of XValue: the object stays where it was made.
    TGraphEvaluator(const TGraphEvaluator&) = delete;
    TGraphEvaluator& operator=(const TGraphEvaluator&) = delete;

    // Stores X, writes T in the 15-digit general form, puts it in place of every time
    // parameter of graph Index's formula and evaluates the text. Errors pass through.
    Float80 EvaluateGraph(const TFuncList& FuncList, int Index, Float80 X, Float80 T);

    // The two halves of EvaluateGraph, so that a caller that evaluates one graph at many
    // x for the same time substitutes once: the formula text of graph Index at time T ...
    std::u16string FormulaAtTime(const TFuncList& FuncList, int Index, Float80 T) const;
    // ... and its value at X, the same as the evaluator reading Text, through a program
    // compiled once per text and kept for the following calls.
    Float80 EvaluateAt(std::u16string_view Text, Float80 X);
    // EvaluateAt in two halves, for a caller that evaluates one text at many x: the program
    // of Text, found (or compiled) once, and its value at X. The program stays valid while
    // the caller holds it.
    std::shared_ptr<const TExprProgram> Program(std::u16string_view Text);
    Float80 Run(const TExprProgram& Program, Float80 X);
    // The value at X with the first and second derivative with respect to the variable, in one run of
    // the same program (TDualRunner): the value and its errors are Run's; derivatives up to
    // Order (0, 1 or 2) that are undefined raise their error.
    TDual RunDual(const TExprProgram& Program, Float80 X, int Order = 2);

    // The named parameters the formulas read, beside x, and their values. New names
    // forget the compiled programs; new values are read by the programs as they are.
    void SetParameters(const std::vector<std::u16string>& Names, const std::vector<Float80>& Values);

    char16_t DecimalSeparator() const { return Sep; }

  private:
    char16_t Sep;
    Float80 XValue = 0;
    std::unique_ptr<TParameterContext> Parameters;
    std::unique_ptr<TEvaluator> Evaluator;
    std::unique_ptr<TDualRunner> DualRunner;
    // Compiled texts. A paint uses one text per graph and motion-blur frame; an animation
    // brings new texts at every tick, so the map is emptied once it holds
    // MaxCachedPrograms of them.
    static constexpr size_t MaxCachedPrograms = 256;
    // Looked up by the caller's view of the text, without making a string per call.
    struct TTextHash
    {
        using is_transparent = void;
        size_t operator()(std::u16string_view Text) const { return std::hash<std::u16string_view>{}(Text); }
    };
    std::unordered_map<std::u16string, std::shared_ptr<const TExprProgram>, TTextHash, std::equal_to<>>
        Programs;
};
