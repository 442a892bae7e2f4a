#pragma once
// A private-profile (INI) file: sections of "key=value" lines, read and updated in place.
//
// The file is loaded whole and kept as its decoded text. Writes do not touch that text: they are
// recorded as replacements of existing key lines and as lines to insert (at the end of a section,
// or as new sections at the end of the file), and Save() merges them into the text in one pass.
// So every line the caller does not write comes back byte for byte, and loading, reading and
// saving all stay linear in the size of the file.
//
// Names of sections and keys match without regard to the case of A to Z and without their
// surrounding blanks (space, tab). Of duplicates the first occurrence is read and updated: the
// first section of a name, and in it the first line of a key.
//
// The bytes become text and back by TProfileEncoding (UTF-8, Latin-1 or UTF-16, with their
// marks); this class reads and writes the file on disk and holds the sections and keys. New
// files have CR LF line ends; an existing file keeps the line end of its first line.
#include "plot/Errors.h"
#include "plot/TProfileEncoding.h"
#include "plot/TRegularFile.h"

#include <QString>

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class TProfileFile
{
  public:
    // Text values are cut to this many UTF-16 code units on reading, as a 2048-character
    // buffer with its terminator would hold.
    static constexpr int MaxValueLength = 2047;
    static constexpr int Unlimited = -1;
    // A larger file is no document: it reads as empty and is never overwritten, and a document
    // that would be larger is not saved. 64 MiB holds a thousand graphs of formulas of thirty
    // thousand characters, or the million points of a data set in any long double values (at
    // most 60 bytes a point, TPointsSection); reading it takes about a second and a few times
    // its size in memory.
    static constexpr qint64 MaxFileSize = qint64(64) << 20;

    // Loads the file; one that is missing, cannot be read, is too large or is no regular file
    // (a device, a pipe) reads as empty.
    explicit TProfileFile(const QString& Path);
    ~TProfileFile();
    TProfileFile(const TProfileFile&) = delete;
    TProfileFile& operator=(const TProfileFile&) = delete;

    const QString& Path() const { return FilePath; }
    // How loading went: Read or Missing, or why the file was not read.
    TRegularFile::TStatus LoadStatus() const { return Status; }

    // The value after the first "=", blanks trimmed, one pair of enclosing quotes removed, and
    // cut to MaxLength code units (Unlimited: whole). Default when the key is missing.
    QString ReadString(const QString& Section, const QString& Key, const QString& Default,
                       int MaxLength = MaxValueLength) const;
    // A decimal number with an optional sign, or hexadecimal after "0x", "0X" or "$". Digits
    // beyond 32 bits wrap: the result is the low 32 bits of the number (two's complement), so
    // "0xFFFFFFFF" and "4294967295" both read as -1. Anything else, or an empty value, gives
    // the default.
    int32_t ReadInteger(const QString& Section, const QString& Key, int32_t Default) const;

    // Sets a key. An existing key line is replaced where it stands (the key written as given);
    // a new key goes after the last key line of its section; a new section goes at the end.
    // Line breaks in the value become spaces, and a value that reading would alter (blanks at
    // either end, enclosing quotes) is written in double quotes so that it reads back as given.
    void WriteString(const QString& Section, const QString& Key, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Key, int32_t Value);

    // Writes the file through a temporary file beside it and a rename, so a failure leaves the
    // old file as it was. Throws EFileWriteError with the path (Msg::DocumentTooLargeToSave when
    // the text would pass MaxFileSize, which no later reading would take). Refuses to replace a file that
    // exists but could not be read, rather than lose its contents, and anything that is not a
    // regular file (a device, a pipe, or a link to one).
    void Save();

    // The value part of a raw value text as reading sees it (trimmed, unquoted).
    static QString Unquote(QStringView Raw);
    // The number an integer value text stands for, or false.
    static bool ParseInteger(QStringView Text, int32_t& Value);

  private:
    // Eight bytes per distinct key name, so that even a file of nothing but short keys is
    // indexed in less memory than its text takes.
    struct TKeyRef
    {
        uint32_t Hash;      // of the folded key name
        uint32_t LineStart; // offset of the key line in Text (files stay below MaxFileSize)
    };

    struct TSection
    {
        bool Exists = false;        // a header line of this name is in Text
        QString Name;               // as first given, for a new section's header
        qsizetype InsertAt = 0;     // where new keys of an existing section go
        std::vector<TKeyRef> Keys;  // sorted by (Hash, LineStart), the first line of each name
        std::vector<QString> Added; // new key lines, in order of writing
        std::unordered_multimap<uint32_t, size_t> AddedIndex; // folded key hash -> index in Added
    };

    struct TReplacement
    {
        qsizetype End; // end of the replaced line content (before its line end)
        QString Line;
    };

    void Load();
    TSection& SectionOf(const QString& Name) const;
    void IndexSection(TSection& Section, const QString& Folded) const;
    bool KeyNameAt(qsizetype LineStart, QStringView& Name) const;
    qsizetype FindKeyLine(const TSection& Section, QStringView Key) const; // line start or -1
    qsizetype FindAdded(const TSection& Section, QStringView Key) const;   // index or -1
    bool FindValue(const QString& Section, const QString& Key, QStringView& Raw) const;
    qsizetype LineContentEnd(qsizetype Start) const;
    qsizetype NextLineStart(qsizetype ContentEnd) const;
    QStringView LineAt(qsizetype Start) const;
    QString MergedText() const;

    QString FilePath;
    QString Text;
    TProfileEncoding Encoding;
    bool Unreadable = false;
    TRegularFile::TStatus Status = TRegularFile::TStatus::Missing;
    QString LineEnd = QStringLiteral("\r\n");

    // Per section, keyed by its folded name: built on first use, it also holds the section's
    // pending writes. Reading fills it, hence mutable.
    mutable std::map<QString, std::unique_ptr<TSection>> Sections;
    std::vector<const TSection*> NewSections;       // in order of creation
    std::map<qsizetype, TReplacement> Replacements; // keyed by line start
};
