#include "expr/TEvaluator.h"

#include "expr/TExprCompiler.h"
#include "expr/TExprProgram.h"

TEvaluator::TEvaluator(char16_t DecimalSeparator)
    : TextLexer(std::make_unique<TExprSimpleLexer>(u"", DecimalSeparator)),
      TextParser(std::make_unique<TExprEvalParser>(TextLexer.get())),
      TextCompiler(std::make_unique<TExprCompiler>(SearchOrder.get(), DecimalSeparator))
{
    TextParser->SetSymbolScope(SearchOrder.get());
}

TEvaluator::~TEvaluator()
{
    TextCompiler.reset();
    TextParser.reset();
    TextLexer.reset();
}

Float80 TEvaluator::EvaluateText(std::u16string_view Text)
{
    // The lexer reads the caller's text in place; it must not keep the view past this call.
    struct TReleaseText
    {
        TExprSimpleLexer& Lexer;
        ~TReleaseText() { Lexer.ReleaseText(); }
    } Release{*TextLexer};
    TextLexer->SetText(Text);
    return TextParser->ParseWhole();
}

std::shared_ptr<const TExprProgram> TEvaluator::Compile(std::u16string_view Text)
{
    return TextCompiler->Compile(Text);
}

namespace
{
// Both apart from Run, so that the common call saves no registers and ends in a plain jump.
[[gnu::noinline]] Float80 GrowStackAndRun(std::vector<Float80>& Stack, const TExprProgram& Program)
{
    Stack.resize(Program.StackSize());
    return Program.Run(Stack.data());
}

[[gnu::noinline]] Float80 ReadText(TEvaluator& Evaluator, const TExprProgram& Program)
{
    return Evaluator.EvaluateText(Program.Text());
}
} // namespace

Float80 TEvaluator::RunInstructions(const TExprProgram& Program)
{
    if (Program.NeedsReference()) [[unlikely]]
        return ReadText(*this, Program);
    if (RunStack.size() < Program.StackSize()) [[unlikely]]
        return GrowStackAndRun(RunStack, Program);
    return Program.Run(RunStack.data());
}
