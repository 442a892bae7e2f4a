#pragma once
// How a string hash map hashes and orders its keys. The traits hold no state, so one
// object of each kind serves every map.
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

// Code units compared unchanged, as unsigned 16-bit numbers.
class TCaseSensitiveTraits final : public TStringHashMapTraits
{
  public:
    static const TCaseSensitiveTraits& Shared();
    uint32_t Hash(std::u16string_view Key) const override;
    int Compare(std::u16string_view Left, std::u16string_view Right) const override;
};

// Only 'a'..'z' fold (to 'A'..'Z'); every other code unit must match exactly.
class TCaseInsensitiveTraits final : public TStringHashMapTraits
{
  public:
    static const TCaseInsensitiveTraits& Shared();
    uint32_t Hash(std::u16string_view Key) const override;
    int Compare(std::u16string_view Left, std::u16string_view Right) const override;
};

// 'a'..'z' to 'A'..'Z', nothing else: names are ASCII-case-insensitive whatever the locale.
constexpr char16_t FoldAsciiCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c;
}
