#pragma once
// The keys of graph n in a document's section "Main": "Func"+n, "Color"+n, "Kind"+n and the
// keys a graph's kind adds ("FuncY"+n, "From"+n, ...). A kind reads and writes its own keys
// through this, by their names without the number. Texts are read whole, so a formula longer
// than the file's cap on values comes back as it was saved.
#include <QString>

#include <cstdint>

class TProfileFile;

class TGraphKeys
{
  public:
    // Keys of graph n (from 1) to read.
    TGraphKeys(const TProfileFile& File, int n) : Reading(&File), Number(n) {}
    // Keys of graph n to write (and read).
    TGraphKeys(TProfileFile& File, int n) : Reading(&File), Writing(&File), Number(n) {}

    QString Text(const char* Key, const QString& Default = QString()) const;
    int32_t Integer(const char* Key, int32_t Default) const;
    // Whether the file has the key.
    bool Has(const char* Key) const;
    void WriteText(const char* Key, const QString& Value);
    void WriteInteger(const char* Key, int32_t Value);

  private:
    QString Name(const char* Key) const;

    const TProfileFile* Reading;
    TProfileFile* Writing = nullptr;
    int Number;
};
