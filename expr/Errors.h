#pragma once
// The evaluator's errors. One hierarchy, each class named after the fault it reports;
// the renderer tells EZeroDivide, EInvalidOp and EDomainError (undefined points) apart
// from all others, so each fault must raise exactly its class.
//
//   Exception
//   ├── ECalcError
//   │   ├── EExprEvalError      the text does not follow the grammar, or names something unknown
//   │   └── EDomainError        a library function's argument lies outside its domain
//   ├── EConvertError           a number text is rejected by the conversion
//   ├── EStringHashMapError     a name is registered twice
//   └── EExternal               faults of the arithmetic
//       ├── EMathError
//       │   ├── EZeroDivide     a finite non-zero number divided by 0 (also log of 0)
//       │   ├── EInvalidOp      0/0, root or log of a negative number, integer conversion out of range
//       │   └── EOverflow       a result beyond the largest Float80
//       └── EIntError
//           └── EDivByZero      "div" or "mod" by 0
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Msg
{
inline constexpr std::string_view ParenExpected = "Parse error: ')' expected";
inline constexpr std::string_view FactorExpected = "Parse error: Factor expected";
inline constexpr std::string_view UnknownSymbol = "Parse error: Unknown symbol: '%s'";
inline constexpr std::string_view FirstParameterExpected =
    "Parse error: '(' and function's first parameter expected";
inline constexpr std::string_view NextParameterExpected = "Parse error: ',' and another parameter expected";
inline constexpr std::string_view CloseParametersExpected =
    "Parse error: ')' to close function's parameters expected";
// Not one of the grammar's messages: nesting deeper than the parser's fixed limit.
inline constexpr std::string_view NestingTooDeep = "Parse error: Expression nested too deeply";
inline constexpr std::string_view InvalidFloat = "'%s' is not a valid floating point value";
inline constexpr std::string_view DomainCheck = "Domain check failure in MathLib";
inline constexpr std::string_view ZeroDivide = "Floating point division by zero";
inline constexpr std::string_view InvalidOp = "Invalid floating point operation";
inline constexpr std::string_view Overflow = "Floating point overflow";
inline constexpr std::string_view DivByZero = "Division by zero";
inline constexpr std::string_view DuplicateEntry = "Duplicate hash list entry: %s";
// Not one of the grammar's messages: a derivative asked of a routine that has no rule.
inline constexpr std::string_view NoDerivative = "The formula calls a function whose derivative is unknown";

// Why a name cannot name a parameter (TParameterList::NameRefusal).
inline constexpr std::string_view ParameterNotAName =
    "'%s' is not a name: a parameter's name starts with a letter or '_' and goes on with letters, digits and "
    "'_'";
inline constexpr std::string_view ParameterReserved =
    "'%s' cannot name a parameter: x, y, s, t and Pi have a meaning of their own in formulas";
inline constexpr std::string_view ParameterIsFunction =
    "'%s' cannot name a parameter: it is the name of a function";
inline constexpr std::string_view ParameterTaken =
    "'%s' cannot name a parameter: another parameter has that name";

// vendrel-eval: an input line without its two tabs.
inline constexpr std::string_view InputLineShape = "Input line is not X<TAB>T<TAB>FORMULA";

// The message with its one "%s" replaced by Argument (UTF-8).
std::string Format(std::string_view Pattern, std::string_view Argument);
// The message with its two "%s" replaced by First and Second, in that order.
std::string Format(std::string_view Pattern, std::string_view First, std::string_view Second);
} // namespace Msg

// A stretch of a formula text in UTF-16 code units, [Start, End): the token at which reading
// stopped. Empty (Start = End) at the end of the text.
struct TTextPlace
{
    size_t Start = 0;
    size_t End = 0;
    bool operator==(const TTextPlace&) const = default;
};

class Exception : public std::runtime_error
{
  public:
    explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
    const char* Message() const noexcept { return what(); }
    // The class name as the user-facing tools print it ("EZeroDivide", ...).
    virtual const char* ClassName() const noexcept { return "Exception"; }
    // Where reading the formula text stopped, for the errors of reading it (EExprEvalError,
    // EConvertError); the reference parser and the compiled program set the same place. Other
    // errors, and errors raised outside a formula, have none. The message does not change with it.
    const std::optional<TTextPlace>& Place() const noexcept { return FPlace; }
    void SetPlace(TTextPlace Place) { FPlace = Place; }

  private:
    std::optional<TTextPlace> FPlace;
};

// An error class under Base whose ClassName is its own name; the other layers declare
// their errors through it too.
#define VENDREL_ERROR_CLASS(Name, Base)                                                                      \
    class Name : public Base                                                                                 \
    {                                                                                                        \
      public:                                                                                                \
        using Base::Base;                                                                                    \
        const char* ClassName() const noexcept override { return #Name; }                                    \
    };

VENDREL_ERROR_CLASS(ECalcError, Exception)
VENDREL_ERROR_CLASS(EExprEvalError, ECalcError)
VENDREL_ERROR_CLASS(EDomainError, ECalcError)
VENDREL_ERROR_CLASS(EConvertError, Exception)
VENDREL_ERROR_CLASS(EStringHashMapError, Exception)
VENDREL_ERROR_CLASS(EExternal, Exception)
VENDREL_ERROR_CLASS(EMathError, EExternal)
VENDREL_ERROR_CLASS(EZeroDivide, EMathError)
VENDREL_ERROR_CLASS(EInvalidOp, EMathError)
VENDREL_ERROR_CLASS(EOverflow, EMathError)
VENDREL_ERROR_CLASS(EIntError, EExternal)
VENDREL_ERROR_CLASS(EDivByZero, EIntError)

// Raisers with the fixed messages, so every site uses the one text.
[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseDivByZero();
[[noreturn]] void RaiseDomainError();
// The grammar's errors: EExprEvalError with a fixed message, or the unknown-symbol message
// naming Name.
[[noreturn]] void RaiseParseError(std::string_view Message);
[[noreturn]] void RaiseUnknownSymbol(std::u16string_view Name);
