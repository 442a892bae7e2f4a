#include "expr/TEvaluator.h"

TEvaluator::TEvaluator(char16_t DecimalSeparator)
    : TextLexer(std::make_unique<TExprSimpleLexer>(u"", DecimalSeparator)),
      TextParser(std::make_unique<TExprEvalParser>(TextLexer.get()))
{
    TextParser->SetSymbolScope(SearchOrder.get());
}

TEvaluator::~TEvaluator()
{
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
