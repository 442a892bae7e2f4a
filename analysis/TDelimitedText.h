#pragma once
// Delimited text (CSV, TSV, TXT) read from its bytes into a TDataTable.
//
// Lines end in LF, CR LF or CR; a UTF-8 byte-order mark at the start is skipped. Blank lines
// and lines whose first non-blank character is '#' are passed over (they are neither rows nor
// counted). Fields are separated by a tab, ';' or ',' (empty fields count), or by runs of
// blanks (spaces and tabs; blanks at either end of the line separate nothing). A field may be
// quoted with '"' (a doubled "" stands for one quote; the separator is plain text inside);
// blanks around a field are not part of it. A quote must close on its own line.
//
// The layout (separator, decimal mark, header row, the two columns) is guessed from the first
// GuessLines rows: the separator that splits them into the same number (at least 2) of
// columns with the most numbers, in the order tab, ';', ',', blanks on a tie; "," as decimal
// mark when the separator is not ',' and more numbers are written with "," than with "."; a
// header when the first row holds a field that is neither a number nor missing; x and y the
// first two columns. The guess is a value the caller may change and read again with.
//
// Read takes the x and y columns of every row after the header. A row whose x or y is missing
// (IsMissingDataField) is skipped and counted; a field that is not a number, a row too short
// for the columns, an unclosed quote, more than TDataTable::MaxPoints points or none at all
// fail with EDataFileError naming the line. The other columns are never looked at.
//
// Any bytes give a table or an error in time linear in their size: a zero byte (binary data),
// a line over MaxLineLength bytes and a row of more than MaxColumns fields are errors. FromFile
// reads at most MaxFileSize bytes of a regular file.
#include "analysis/TDataTable.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TDataSeparator : uint8_t
{
    Tab,
    Semicolon,
    Comma,
    Blanks,
};

struct TDataLayout
{
    TDataSeparator Separator = TDataSeparator::Comma;
    // '.' or ','. A ',' counts only where the separator is not ','; "." is a decimal mark
    // under either.
    char DecimalMark = '.';
    // The first row names the columns.
    bool Header = false;
    // 0-based.
    size_t XColumn = 0;
    size_t YColumn = 1;

    bool operator==(const TDataLayout&) const = default;
};

// One row as text, for a preview.
struct TDataRowText
{
    uint32_t Line = 0;
    std::vector<std::string> Fields;
};

class TDelimitedText
{
  public:
    static constexpr size_t MaxFileSize = size_t(256) << 20;
    static constexpr size_t MaxLineLength = size_t(1) << 20;
    static constexpr size_t MaxColumns = 10'000;
    static constexpr size_t GuessLines = 20;

    // Fails with EDataFileError when the bytes hold a zero byte or a guessed line is too long.
    explicit TDelimitedText(std::string Bytes);
    // The bytes of the file at Path: EDataFileError (Msg::DataUnreadable, DataFileTooLarge)
    // when it is no regular file, cannot be read or is too large.
    static TDelimitedText FromFile(const std::string& Path);

    const TDataLayout& Guess() const { return FGuess; }

    // The most fields in a row among the first GuessLines rows (the header included).
    size_t ColumnCount(const TDataLayout& Layout) const;
    // The header's fields under Layout (none without a header).
    std::vector<std::string> ColumnNames(const TDataLayout& Layout) const;
    // The first Rows rows after the header, at most MaxColumns fields each.
    std::vector<TDataRowText> Preview(const TDataLayout& Layout, size_t Rows) const;

    TDataTable Read(const TDataLayout& Layout) const;

  private:
    TDataLayout GuessLayout() const;

    std::string Bytes;
    // Where the text starts: after the byte-order mark.
    size_t Start = 0;
    TDataLayout FGuess;
};
