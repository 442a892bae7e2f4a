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

Float80 TEvaluator::Run(const TExprProgram& Program)
{
    if (Program.NeedsReference())
        return EvaluateText(Program.Text());
    if (RunStack.size() < Program.StackSize())
        RunStack.resize(Program.StackSize());
    return Program.Run(RunStack.data());
}
