#pragma once
// How a string hash map hashes and orders its keys. The traits hold no state, so one
// object of each kind serves every map.
#include "expr/AsciiCase.h"

#include <cstdint>
#include <string_view>

class TStringHashMapTraits
{
  public:
    virtual ~TStringHashMapTraits() = default;
    // 32-bit unsigned; the bucket is the hash modulo the bucket count.
    virtual uint32_t Hash(std::u16string_view Key) const = 0;
    // Negative, zero or positive, as Left sorts before, equal to or after Right.
    virtual int Compare(std::u16string_view Left, std::u16string_view Right) const = 0;
};

namespace StringHashMapDetail
{
// The ELF hash of System V over the code units as Fold gives them.
template <char16_t (*Fold)(char16_t)> uint32_t ElfHash(std::u16string_view Key)
{
    uint32_t h = 0;
    for (char16_t c : Key)
    {
        h = (h << 4) + Fold(c);
        uint32_t g = h & 0xF0000000u;
        if (g != 0)
            h = (h ^ (g >> 24)) & 0x0FFFFFFFu;
    }
    return h;
}

constexpr char16_t KeepCase(char16_t c)
{
    return c;
}

constexpr int CompareUnits(std::u16string_view Left, std::u16string_view Right)
{
    return Left.compare(Right);
}

// One rule for names: how a code unit folds before it is hashed, and how names compare (two
// names that compare equal hash alike).
template <char16_t (*Fold)(char16_t), int (*Order)(std::u16string_view, std::u16string_view)>
class TNameRuleTraits final : public TStringHashMapTraits
{
  public:
    static const TNameRuleTraits& Shared()
    {
        static const TNameRuleTraits Traits;
        return Traits;
    }
    uint32_t Hash(std::u16string_view Key) const override { return ElfHash<Fold>(Key); }
    int Compare(std::u16string_view Left, std::u16string_view Right) const override
    {
        return Order(Left, Right);
    }
};
} // namespace StringHashMapDetail

// Code units compared unchanged, as unsigned 16-bit numbers.
using TCaseSensitiveTraits =
    StringHashMapDetail::TNameRuleTraits<StringHashMapDetail::KeepCase, StringHashMapDetail::CompareUnits>;
// Only 'a'..'z' fold (to 'A'..'Z'); every other code unit must match exactly.
using TCaseInsensitiveTraits = StringHashMapDetail::TNameRuleTraits<FoldAsciiCase, CompareAsciiCase>;
