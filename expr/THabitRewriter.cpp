// The wider grammar, lowest precedence first (the formula grammar of TExprEvalParser.cpp with
// the habits added):
//
//   comparison = sum { ("=" | "==" | "<>" | "!=" | "<" | "<=" | ">" | ">=" | "cmp") sum }
//   sum        = product { ("+" | "-" | "or" | "xor" | "bor" | "bxor") product }
//   product    = signed { ("*" | "/" | "%" | "div" | "mod" | "and" | "shl" | "shr" | "band") signed
//                         | power }                       a product without "*": 2x, 2(x+1), )(
//   signed     = ("+" | "-" | "not" | "bnot") signed | power
//   power      = postfix [ ("^" | "**") signed | "²" | "³" ]   right to left: 2^3^2 is 2^9
//   postfix    = primary { "!" }
//   primary    = number | name [ "(" arguments ")" ] | "(" comparison ")" | "|" comparison "|" | "π"
//
// Each rule returns the text of what it read as Vendrel's language writes it: the source as it
// stands between the parts it rewrote.
#include "expr/THabitRewriter.h"

#include "expr/Errors.h"
#include "expr/TExprSimpleLexer.h"
#include "expr/TFormulaCheck.h"
#include "expr/TStringHashMapTraits.h"
#include "expr/Utf16.h"

#include <algorithm>
#include <bitset>
#include <vector>

namespace
{
// In the order in which the note names them.
enum class THabit
{
    Power,
    RealPower,
    E,
    Product,
    Abs,
    Pi,
    Equality,
    Rounding,
    Round,
    Sign,
    MaxMin,
    Rename,
    // Habits without an equivalent: the hint has only its note.
    Factorial,
    Remainder,
    Log,
    Count
};
constexpr THabit FirstWithout = THabit::Factorial;

constexpr const char* Notes[] = {
    "There is no power operator: a^n is Power(a, n) for an integer n.",
    "A power whose exponent is no integer is Exp(b*Ln(a)), defined only for a > 0.",
    "e is Exp(1), and e^x is Exp(x).",
    "A product is written with *.",
    "|a| is Abs(a).",
    "\xCF\x80 is Pi.",
    "Equal is = and not equal <>.",
    ("floor, ceil and round are written with div, which rounds to the nearest integer: they hold "
     "for |a| < 9.2E18."),
    "round takes halves away from 0.",
    "sign(a) is (a > 0) - (a < 0).",
    "max and min are written with comparisons, which give 1 or 0.",
    "", // the renames name themselves
    "There is no factorial.",
    "% is no operator: mod is the remainder of integers, both sides rounded first.",
    "log has no stated base: write LogBase10(x), Ln(x) or LogBaseN(b, x).",
};
static_assert(std::size(Notes) == size_t(THabit::Count));

enum class TFunctionHabit
{
    Rename,
    Floor,
    Ceil,
    Round,
    Sign,
    Max,
    Min,
    Pow,
    Log,
};

struct THabitFunction
{
    std::u16string_view Name;
    TFunctionHabit Kind;
    std::u16string_view Target = {}; // for a rename
};

// Only names whose meaning elsewhere is Vendrel's to the last detail: asec, acsc and acot are
// left out, their ranges for negative arguments differ from ArcSec, ArcCsc and ArcCot.
constexpr THabitFunction HabitFunctions[] = {
    {u"floor", TFunctionHabit::Floor},
    {u"ceil", TFunctionHabit::Ceil},
    {u"ceiling", TFunctionHabit::Ceil},
    {u"round", TFunctionHabit::Round},
    {u"sign", TFunctionHabit::Sign},
    {u"sgn", TFunctionHabit::Sign},
    {u"max", TFunctionHabit::Max},
    {u"min", TFunctionHabit::Min},
    {u"pow", TFunctionHabit::Pow},
    {u"log", TFunctionHabit::Log},
    {u"asin", TFunctionHabit::Rename, u"ArcSin"},
    {u"acos", TFunctionHabit::Rename, u"ArcCos"},
    {u"atan", TFunctionHabit::Rename, u"ArcTan"},
    {u"atan2", TFunctionHabit::Rename, u"ArcTan2"},
    {u"asinh", TFunctionHabit::Rename, u"ArcSinH"},
    {u"acosh", TFunctionHabit::Rename, u"ArcCosH"},
    {u"atanh", TFunctionHabit::Rename, u"ArcTanH"},
    {u"acoth", TFunctionHabit::Rename, u"ArcCotH"},
    {u"asech", TFunctionHabit::Rename, u"ArcSecH"},
    {u"acsch", TFunctionHabit::Rename, u"ArcCscH"},
    {u"log10", TFunctionHabit::Rename, u"LogBase10"},
    {u"log2", TFunctionHabit::Rename, u"LogBase2"},
};

// max(a, b, c, d) repeats its first arguments at every step: the text doubles per argument.
constexpr size_t MostMaxArguments = 4;

bool EqualFolded(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t p, char16_t q) { return FoldAsciiCase(p) == FoldAsciiCase(q); });
}

const THabitFunction* FindHabitFunction(std::u16string_view Name)
{
    for (const THabitFunction& Row : HabitFunctions)
        if (EqualFolded(Row.Name, Name))
            return &Row;
    return nullptr;
}

struct TToken
{
    TTokenKind Kind;
    size_t Start, End;
    std::u16string Text; // of a number or a name
};

// What one rule read: its place in the source and its text in Vendrel's language.
struct TNode
{
    size_t Start = 0, End = 0;
    std::u16string Text;
    bool Atomic = false;  // stands as an operand anywhere without brackets
    bool Number = false;  // a number as written
    bool Integer = false; // an integer literal, perhaps signed or bracketed, |n| < 2^31
    bool IsE = false;     // the bare name e, read as Exp(1)
    bool Group = false;   // "(" ... ")": Inner is the text inside
    std::u16string Inner;
};

// The wider grammar cannot read the text either.
struct TNoReading
{
};

class TReader
{
  public:
    TReader(std::u16string_view Text, const TFormulaCheck& Check) : Source(Text), Check(Check) { Tokenize(); }

    // whole = comparison End
    TNode Whole()
    {
        TNode Node = Comparison();
        if (Cur().Kind != TTokenKind::End)
            throw TNoReading{};
        return Node;
    }

    std::bitset<size_t(THabit::Count)> Habits;
    std::vector<std::pair<std::u16string, std::u16string>> Renames;

  private:
    void Tokenize();
    // A number the lexer took with an exponent sign but no exponent digits ("2e", "2e+") is a
    // number and the name e: 2e^x is 2*e^x.
    void SplitDanglingExponent(const TToken& Number);

    TNode Comparison();
    TNode Sum();
    TNode Product();
    TNode Signed();
    TNode Power();
    TNode Postfix();
    TNode Primary();
    TNode Name();
    TNode HabitCall(const TToken& Name, const THabitFunction& Habit);
    TNode PowerOf(const TNode& Base, const TNode& Exponent, size_t End);
    // "(" comparison { "," comparison } ")": the arguments, and the end of the ")".
    std::vector<TNode> Arguments(size_t& Close);

    const TToken& Cur() const { return Tokens[At]; }
    const TToken& Next() const { return Tokens[std::min(At + 1, Tokens.size() - 1)]; }
    void Step() { At = std::min(At + 1, Tokens.size() - 1); }
    void Expect(TTokenKind Kind)
    {
        if (Cur().Kind != Kind)
            throw TNoReading{};
        Step();
    }
    bool AtKeyword(std::initializer_list<const char16_t*> Keywords) const
    {
        if (Cur().Kind != TTokenKind::Identifier)
            return false;
        return std::any_of(Keywords.begin(), Keywords.end(),
                           [&](const char16_t* k) { return EqualFolded(Cur().Text, k); });
    }
    bool AtAnyKeyword() const
    {
        return AtKeyword({u"cmp", u"or", u"xor", u"bor", u"bxor", u"and", u"div", u"mod", u"shl", u"shr",
                          u"band", u"not", u"bnot"});
    }
    // Two tokens written together, as "**", "==" and "!=" are.
    bool AtPair(TTokenKind First, TTokenKind Second) const
    {
        return Cur().Kind == First && Next().Kind == Second && Next().Start == Cur().End;
    }
    bool AtCharacter(char16_t c) const { return Cur().End == Cur().Start + 1 && Source[Cur().Start] == c; }
    bool StartsImplicitOperand(const TNode& Left) const;

    std::u16string Src(size_t From, size_t To) const
    {
        return std::u16string(Source.substr(From, To - From));
    }
    // The source from From to To with each part's text in place of its stretch.
    std::u16string Splice(size_t From, size_t To, const std::vector<const TNode*>& Parts) const
    {
        std::u16string Text;
        for (const TNode* Part : Parts)
        {
            Text += Src(From, Part->Start) + Part->Text;
            From = Part->End;
        }
        return Text + Src(From, To);
    }
    // Left's text grows in place, so a long chain of operators costs its length once.
    void Join(TNode& Left, size_t OpStart, size_t OpEnd, const std::u16string* Replacement,
              const TNode& Right) const
    {
        Left.Text.append(Source.substr(Left.End, OpStart - Left.End));
        Left.Text.append(Replacement ? std::u16string_view(*Replacement)
                                     : Source.substr(OpStart, OpEnd - OpStart));
        Left.Text.append(Source.substr(OpEnd, Right.Start - OpEnd));
        Left.Text.append(Right.Text);
        Left.End = Right.End;
        Left.Atomic = Left.Number = Left.Integer = Left.IsE = Left.Group = false;
    }

    std::u16string_view Source;
    const TFormulaCheck& Check;
    std::vector<TToken> Tokens;
    size_t At = 0;
    int AbsDepth = 0;
};

// An operand as a part of a longer expression: bracketed unless it stands alone anyway.
std::u16string Operand(const TNode& Node)
{
    return Node.Atomic ? Node.Text : u"(" + Node.Text + u")";
}

// An operand as a function's argument, where brackets of its own are not needed.
std::u16string Argument(const TNode& Node)
{
    return Node.Group ? Node.Inner : Node.Text;
}

TNode Atom(size_t Start, size_t End, std::u16string Text)
{
    TNode Node;
    Node.Start = Start;
    Node.End = End;
    Node.Text = std::move(Text);
    Node.Atomic = true;
    return Node;
}

void TReader::Tokenize()
{
    TExprSimpleLexer Lexer(Source, Check.DecimalSeparator());
    for (;;)
    {
        TToken Token{Lexer.CurrentKind(), Lexer.TokenStart(), Lexer.TokenEnd(), {}};
        if (Token.Kind == TTokenKind::Number || Token.Kind == TTokenKind::Identifier)
            Token.Text = Lexer.LastText();
        if (Token.Kind == TTokenKind::Number)
            SplitDanglingExponent(Token);
        else
            Tokens.push_back(Token);
        if (Token.Kind == TTokenKind::End)
            return;
        Lexer.Advance();
    }
}

void TReader::SplitDanglingExponent(const TToken& Number)
{
    const std::u16string& Text = Number.Text;
    const size_t E = Text.find_first_of(u"eE");
    size_t Rest = E + 1;
    if (E != std::u16string::npos && Rest < Text.size() && (Text[Rest] == u'+' || Text[Rest] == u'-'))
        ++Rest;
    if (E == std::u16string::npos || Rest < Text.size() || Text[E] != u'e')
        return Tokens.push_back(Number);
    const size_t At = Number.Start + E;
    Tokens.push_back({TTokenKind::Number, Number.Start, At, Text.substr(0, E)});
    Tokens.push_back({TTokenKind::Identifier, At, At + 1, u"e"});
    if (Rest > E + 1)
        Tokens.push_back({Text[E + 1] == u'+' ? TTokenKind::Plus : TTokenKind::Minus, At + 1, At + 2, {}});
}

// comparison = sum { ("=" | "==" | "<>" | "!=" | "<" | "<=" | ">" | ">=" | "cmp") sum }
TNode TReader::Comparison()
{
    TNode Left = Sum();
    for (;;)
    {
        const size_t OpStart = Cur().Start;
        std::u16string Replacement;
        if (AtPair(TTokenKind::Equal, TTokenKind::Equal) ||
            AtPair(TTokenKind::Exclamation, TTokenKind::Equal))
        {
            Replacement = Cur().Kind == TTokenKind::Equal ? u"=" : u"<>";
            Habits.set(size_t(THabit::Equality));
            Step();
        }
        else if (Cur().Kind != TTokenKind::Equal && Cur().Kind != TTokenKind::NotEqual &&
                 Cur().Kind != TTokenKind::Less && Cur().Kind != TTokenKind::LessEqual &&
                 Cur().Kind != TTokenKind::Greater && Cur().Kind != TTokenKind::GreaterEqual &&
                 !AtKeyword({u"cmp"}))
            return Left;
        const size_t OpEnd = Cur().End;
        Step();
        const TNode Right = Sum();
        Join(Left, OpStart, OpEnd, Replacement.empty() ? nullptr : &Replacement, Right);
    }
}

// sum = product { ("+" | "-" | "or" | "xor" | "bor" | "bxor") product }
TNode TReader::Sum()
{
    TNode Left = Product();
    while (Cur().Kind == TTokenKind::Plus || Cur().Kind == TTokenKind::Minus ||
           AtKeyword({u"or", u"xor", u"bor", u"bxor"}))
    {
        const TToken Op = Cur();
        Step();
        const TNode Right = Product();
        Join(Left, Op.Start, Op.End, nullptr, Right);
    }
    return Left;
}

// product = signed { ("*" | "/" | "%" | "div" | ...) signed | power }
TNode TReader::Product()
{
    TNode Left = Signed();
    for (;;)
    {
        const TToken Op = Cur();
        if (Op.Kind == TTokenKind::Star || Op.Kind == TTokenKind::Slash || Op.Kind == TTokenKind::Percent ||
            AtKeyword({u"and", u"div", u"mod", u"shl", u"shr", u"band"}))
        {
            if (Op.Kind == TTokenKind::Percent)
                Habits.set(size_t(THabit::Remainder));
            Step();
            const TNode Right = Signed();
            Join(Left, Op.Start, Op.End, nullptr, Right);
        }
        else if (StartsImplicitOperand(Left))
        {
            const TNode Right = Power();
            Habits.set(size_t(THabit::Product));
            // The blanks between the two go: "2 x" is 2*x.
            const std::u16string Star = u"*";
            Join(Left, Left.End, Right.Start, &Star, Right);
        }
        else
            return Left;
    }
}

bool TReader::StartsImplicitOperand(const TNode& Left) const
{
    switch (Cur().Kind)
    {
    case TTokenKind::Number:
        return !Left.Number; // "2 3" is no product anyone writes
    case TTokenKind::Identifier:
        return !AtAnyKeyword();
    case TTokenKind::LParen:
        return true;
    case TTokenKind::Bar:
        return AbsDepth == 0; // inside |...| a bar after an operand closes it
    default:
        return AtCharacter(u'\u03C0');
    }
}

// signed = ("+" | "-" | "not" | "bnot") signed | power
TNode TReader::Signed()
{
    const TToken Op = Cur();
    const bool Sign = Op.Kind == TTokenKind::Plus || Op.Kind == TTokenKind::Minus;
    if (!Sign && !AtKeyword({u"not", u"bnot"}))
        return Power();
    Step();
    const TNode Operand = Signed();
    TNode Node;
    Node.Start = Op.Start;
    Node.End = Operand.End;
    Node.Text = Src(Op.Start, Operand.Start) + Operand.Text;
    Node.Integer = Sign && Operand.Integer;
    return Node;
}

// power = postfix [ ("^" | "**") signed | "²" | "³" ]
TNode TReader::Power()
{
    const TNode Base = Postfix();
    if (Cur().Kind == TTokenKind::Caret || AtPair(TTokenKind::Star, TTokenKind::Star))
    {
        if (Cur().Kind == TTokenKind::Star)
            Step();
        Step();
        const TNode Exponent = Signed();
        return PowerOf(Base, Exponent, Exponent.End);
    }
    for (const auto& [Sign, Digit] : {std::pair{u'\u00B2', u"2"}, std::pair{u'\u00B3', u"3"}})
        if (AtCharacter(Sign))
        {
            TNode Exponent = Atom(Cur().Start, Cur().End, Digit);
            Exponent.Integer = true;
            Step();
            return PowerOf(Base, Exponent, Exponent.End);
        }
    return Base;
}

TNode TReader::PowerOf(const TNode& Base, const TNode& Exponent, size_t End)
{
    std::u16string Text;
    if (Base.IsE)
        Text = u"Exp(" + Argument(Exponent) + u")";
    else if (Exponent.Integer)
    {
        Habits.set(size_t(THabit::Power));
        Text = u"Power(" + Argument(Base) + u", " + Argument(Exponent) + u")";
    }
    else
    {
        Habits.set(size_t(THabit::RealPower));
        Text = u"Exp(" + Operand(Exponent) + u"*Ln(" + Argument(Base) + u"))";
    }
    return Atom(Base.Start, End, std::move(Text));
}

// postfix = primary { "!" }
TNode TReader::Postfix()
{
    TNode Node = Primary();
    while (Cur().Kind == TTokenKind::Exclamation && !AtPair(TTokenKind::Exclamation, TTokenKind::Equal))
    {
        Habits.set(size_t(THabit::Factorial));
        Node.End = Cur().End;
        Step();
    }
    return Node;
}

// primary = number | name [ "(" arguments ")" ] | "(" comparison ")" | "|" comparison "|" | "π"
TNode TReader::Primary()
{
    const TToken Token = Cur();
    switch (Token.Kind)
    {
    case TTokenKind::Number:
    {
        Step();
        TNode Node = Atom(Token.Start, Token.End, Token.Text);
        Node.Number = true;
        Node.Integer =
            Token.Text.size() <= 9 && std::all_of(Token.Text.begin(), Token.Text.end(),
                                                  [](char16_t c) { return c >= u'0' && c <= u'9'; });
        return Node;
    }
    case TTokenKind::Identifier:
        return Name();
    case TTokenKind::LParen:
    {
        Step();
        const TNode Inner = Comparison();
        const size_t Close = Cur().End;
        Expect(TTokenKind::RParen);
        TNode Node = Atom(Token.Start, Close, Splice(Token.Start, Close, {&Inner}));
        Node.Group = true;
        Node.Inner = Inner.Text;
        Node.Integer = Inner.Integer;
        return Node;
    }
    case TTokenKind::Bar:
    {
        Step();
        ++AbsDepth;
        const TNode Inner = Comparison();
        const size_t Close = Cur().End;
        Expect(TTokenKind::Bar);
        --AbsDepth;
        Habits.set(size_t(THabit::Abs));
        return Atom(Token.Start, Close, u"Abs(" + Inner.Text + u")");
    }
    default:
        if (!AtCharacter(u'\u03C0'))
            throw TNoReading{};
        Step();
        Habits.set(size_t(THabit::Pi));
        return Atom(Token.Start, Token.End, u"Pi");
    }
}

// name [ "(" arguments ")" ]: a function of the field, a habit's function, e, or a value
TNode TReader::Name()
{
    const TToken Token = Cur();
    Step();
    const int Arity = Check.Arity(Token.Text);
    if (Arity == 0)
        return Atom(Token.Start, Token.End, Token.Text);
    if (Arity < 0 && Cur().Kind == TTokenKind::LParen)
        if (const THabitFunction* Habit = FindHabitFunction(Token.Text))
            return HabitCall(Token, *Habit);
    if (Arity < 0 && Token.Text == u"e")
    {
        Habits.set(size_t(THabit::E));
        TNode Node = Atom(Token.Start, Token.End, u"Exp(1)");
        Node.IsE = true;
        return Node;
    }
    if (Arity < 0 && Cur().Kind != TTokenKind::LParen)
        return Atom(Token.Start, Token.End, Token.Text); // unknown: the rewrite will not read
    // A function's call, rewritten inside.
    size_t Close = 0;
    const std::vector<TNode> Parts = Arguments(Close);
    std::vector<const TNode*> Pointers;
    for (const TNode& Part : Parts)
        Pointers.push_back(&Part);
    return Atom(Token.Start, Close, Splice(Token.Start, Close, Pointers));
}

std::vector<TNode> TReader::Arguments(size_t& Close)
{
    Expect(TTokenKind::LParen);
    std::vector<TNode> Parts{Comparison()};
    while (Cur().Kind == TTokenKind::Comma)
    {
        Step();
        Parts.push_back(Comparison());
    }
    Close = Cur().End;
    Expect(TTokenKind::RParen);
    return Parts;
}

TNode TReader::HabitCall(const TToken& Name, const THabitFunction& Habit)
{
    size_t Close = 0;
    const std::vector<TNode> Args = Arguments(Close);
    const auto Needs = [&](size_t Least, size_t Most)
    {
        if (Args.size() < Least || Args.size() > Most)
            throw TNoReading{};
    };
    std::u16string Text;
    switch (Habit.Kind)
    {
    case TFunctionHabit::Rename:
    {
        Habits.set(size_t(THabit::Rename));
        Renames.emplace_back(Name.Text, Habit.Target);
        std::vector<const TNode*> Pointers;
        for (const TNode& Arg : Args)
            Pointers.push_back(&Arg);
        Text = std::u16string(Habit.Target) + Splice(Name.End, Close, Pointers);
        break;
    }
    case TFunctionHabit::Pow:
        Needs(2, 2);
        return PowerOf(Args[0], Args[1], Close);
    case TFunctionHabit::Log:
        Habits.set(size_t(THabit::Log));
        break;
    case TFunctionHabit::Max:
    case TFunctionHabit::Min:
    {
        Needs(2, MostMaxArguments);
        Habits.set(size_t(THabit::MaxMin));
        const bool Max = Habit.Kind == TFunctionHabit::Max;
        // ((a >= b)*a + (a < b)*b): each comparison gives 1 or 0, so one product is the
        // value and the other 0.
        TNode Result = Args[0];
        for (size_t i = 1; i < Args.size(); ++i)
        {
            const std::u16string a = Operand(Result), b = Operand(Args[i]);
            Result = Atom(0, 0,
                          u"((" + a + (Max ? u" >= " : u" <= ") + b + u")*" + a + u" + (" + a +
                              (Max ? u" < " : u" > ") + b + u")*" + b + u")");
        }
        Text = Result.Text;
        break;
    }
    default:
    {
        Needs(1, 1);
        const std::u16string a = Operand(Args[0]);
        // a div 1 is a rounded half to even; a - (a div 1) is then exact.
        const std::u16string Nearest = a + u" div 1";
        if (Habit.Kind == TFunctionHabit::Sign)
        {
            Habits.set(size_t(THabit::Sign));
            Text = u"((" + a + u" > 0) - (" + a + u" < 0))";
        }
        else if (Habit.Kind == TFunctionHabit::Floor)
            Text = u"(" + Nearest + u" - (" + Nearest + u" > " + a + u"))";
        else if (Habit.Kind == TFunctionHabit::Ceil)
            Text = u"(" + Nearest + u" + (" + Nearest + u" < " + a + u"))";
        else
        {
            // A half rounded toward 0 by div goes one step further out.
            Habits.set(size_t(THabit::Round));
            const std::u16string Twice = u"(" + a + u" - " + Nearest + u")*2";
            Text = u"(" + Nearest + u" + ((" + Twice + u" = 1) and (" + a + u" > 0)) - ((" + Twice +
                   u" = -1) and (" + a + u" < 0)))";
        }
        if (Habit.Kind != TFunctionHabit::Sign)
            Habits.set(size_t(THabit::Rounding));
    }
    }
    return Atom(Name.Start, Close, Text);
}

std::string NoteOf(const TReader& Reader)
{
    std::string Note;
    const auto Add = [&](const std::string& Sentence)
    {
        if (!Note.empty())
            Note += ' ';
        Note += Sentence;
    };
    for (size_t h = 0; h < size_t(THabit::Count); ++h)
    {
        if (!Reader.Habits.test(h))
            continue;
        if (THabit(h) != THabit::Rename)
            Add(Notes[h]);
        else
            for (const auto& [From, To] : Reader.Renames)
                if (Note.find(ToUtf8(From) + " is") == std::string::npos)
                    Add(ToUtf8(From) + " is " + ToUtf8(To) + ".");
    }
    return Note;
}
} // namespace

std::optional<THabitRewriter::THint> THabitRewriter::Hint(std::u16string_view Text) const
{
    if (!Check.Check(Text))
        return std::nullopt;
    try
    {
        TReader Reader(Text, Check);
        const TNode Whole = Reader.Whole();
        if (Reader.Habits.none())
            return std::nullopt;
        const bool Without = (Reader.Habits >> size_t(FirstWithout)).any();
        if (Without)
            return THint{{}, NoteOf(Reader)};
        if (Check.Check(Whole.Text))
            return std::nullopt;
        return THint{Whole.Text, NoteOf(Reader)};
    }
    catch (const TNoReading&)
    {
        return std::nullopt;
    }
    catch (const EConvertError&)
    {
        return std::nullopt; // a number no grammar reads
    }
}
