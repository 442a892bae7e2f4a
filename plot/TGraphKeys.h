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
    TGraphKeys(const TProfileFile& File, int n) : Reading(&File), FNumber(n) {}
    // Keys of graph n to write (and read).
    TGraphKeys(TProfileFile& File, int n) : Reading(&File), Writing(&File), FNumber(n) {}

    QString Text(const char* Key, const QString& Default = QString()) const;
    int32_t Integer(const char* Key, int32_t Default) const;
    // Whether the file has the key.
    bool Has(const char* Key) const;
    void WriteText(const char* Key, const QString& Value);
    void WriteInteger(const char* Key, int32_t Value);

    // The graph's number, and the whole file, for a kind that keeps a section of its own per
    // graph (written only for graphs of that kind); Writable is null where keys are only read.
    int Number() const { return FNumber; }
    const TProfileFile& Profile() const { return *Reading; }
    TProfileFile* Writable() const { return Writing; }

  private:
    QString Name(const char* Key) const;

    const TProfileFile* Reading;
    TProfileFile* Writing = nullptr;
    int FNumber;
};
