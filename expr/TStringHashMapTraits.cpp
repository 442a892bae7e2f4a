#include "expr/TStringHashMapTraits.h"

namespace
{
// The ELF hash of System V over 16-bit units.
template <typename TFold> uint32_t ElfHash(std::u16string_view Key, TFold Fold)
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

template <typename TFold> int CompareUnits(std::u16string_view Left, std::u16string_view Right, TFold Fold)
{
    const size_t Common = Left.size() < Right.size() ? Left.size() : Right.size();
    for (size_t i = 0; i < Common; ++i)
    {
        int Difference = int(Fold(Left[i])) - int(Fold(Right[i]));
        if (Difference != 0)
            return Difference;
    }
    return Left.size() < Right.size() ? -1 : Left.size() > Right.size() ? 1 : 0;
}

char16_t Unchanged(char16_t c)
{
    return c;
}
} // namespace

const TCaseSensitiveTraits& TCaseSensitiveTraits::Shared()
{
    static const TCaseSensitiveTraits Traits;
    return Traits;
}

uint32_t TCaseSensitiveTraits::Hash(std::u16string_view Key) const
{
    return ElfHash(Key, Unchanged);
}

int TCaseSensitiveTraits::Compare(std::u16string_view Left, std::u16string_view Right) const
{
    return CompareUnits(Left, Right, Unchanged);
}

const TCaseInsensitiveTraits& TCaseInsensitiveTraits::Shared()
{
    static const TCaseInsensitiveTraits Traits;
    return Traits;
}

uint32_t TCaseInsensitiveTraits::Hash(std::u16string_view Key) const
{
    return ElfHash(Key, FoldAsciiCase);
}

int TCaseInsensitiveTraits::Compare(std::u16string_view Left, std::u16string_view Right) const
{
    return CompareUnits(Left, Right, FoldAsciiCase);
}
