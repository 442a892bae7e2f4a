#include "analysis/TDelimitedText.h"

#include "analysis/DataNumber.h"
#include "analysis/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
[[noreturn]] void Fail(std::string_view Pattern, uint32_t Line, std::string_view Second = {})
{
    throw EDataFileError(Msg::Format(Msg::Format(Pattern, std::to_string(Line)), Second));
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsBlankOrComment(std::string_view Line)
{
    const std::string_view t = Trimmed(Line);
    return t.empty() || t.front() == '#';
}

// A field as an error message shows it: at most 40 bytes (cut before a UTF-8 continuation
// byte) and no control characters.
std::string Shown(std::string_view Field)
{
    constexpr size_t MaxShown = 40;
    std::string Out;
    size_t n = Field.size();
    if (n > MaxShown)
    {
        n = MaxShown;
        while (n > 0 && (static_cast<unsigned char>(Field[n]) & 0xC0) == 0x80)
            --n;
    }
    for (size_t i = 0; i < n; ++i)
        Out += static_cast<unsigned char>(Field[i]) < 0x20 || Field[i] == 0x7F ? '?' : Field[i];
    if (n < Field.size())
        Out += "...";
    return Out;
}

// The lines of a text, without their ends (LF, CR LF or CR), numbered from 1.
class TLineCursor
{
  public:
    explicit TLineCursor(std::string_view Text) : Text(Text) {}

    bool Next(std::string_view& Line)
    {
        if (Pos >= Text.size())
            return false;
        ++Number;
        if (!LineFeedKnown || LineFeed < Pos)
        {
            // Remembered across lines: a text of CR line ends is searched for LF once.
            const void* Found = std::memchr(Text.data() + Pos, '\n', Text.size() - Pos);
            LineFeed = Found ? size_t(static_cast<const char*>(Found) - Text.data()) : Text.size();
            LineFeedKnown = true;
        }
        size_t End = LineFeed;
        size_t After = End + 1;
        if (const void* Cr = std::memchr(Text.data() + Pos, '\r', End - Pos))
        {
            End = size_t(static_cast<const char*>(Cr) - Text.data());
            After = End + 1 < Text.size() && Text[End + 1] == '\n' ? End + 2 : End + 1;
        }
        if (End - Pos > TDelimitedText::MaxLineLength)
            Fail(Msg::DataLineTooLong, Number);
        Line = Text.substr(Pos, End - Pos);
        Pos = After;
        return true;
    }

    uint32_t Number = 0;

  private:
    std::string_view Text;
    size_t Pos = 0;
    size_t LineFeed = 0;
    bool LineFeedKnown = false;
};

// The fields of one line, unquoted and trimmed. A field that needed unquoting lives in
// Scratch until the next field is read.
class TFieldCursor
{
  public:
    TFieldCursor(std::string_view Line, TDataSeparator Separator, uint32_t Number, std::string& Scratch)
        : Line(Line), Number(Number), Scratch(Scratch)
    {
        static constexpr char Chars[] = {'\t', ';', ','};
        if (Separator == TDataSeparator::Blanks)
            Blanks = true;
        else
            Char = Chars[int(Separator)];
    }

    bool Next(std::string_view& Field)
    {
        if (Done)
            return false;
        SkipBlanks();
        if (Blanks && Pos == Line.size())
            return Done = true, false;
        const size_t FieldStart = Pos;
        bool Quoted = false;
        if (Pos < Line.size() && Line[Pos] == '"')
        {
            Field = Unquoted();
            Quoted = true;
        }
        const size_t ContentEnd = Pos;
        const size_t End = SeparatorFrom(Pos);
        const std::string_view Rest = Trimmed(Line.substr(ContentEnd, End - ContentEnd));
        if (!Quoted || !Rest.empty())
            Field = Trimmed(Line.substr(FieldStart, End - FieldStart)); // text after a quote: the raw field
        Pos = End;
        if (Pos < Line.size() && !Blanks)
            ++Pos;
        else if (!Blanks)
            Done = true;
        return true;
    }

  private:
    void SkipBlanks()
    {
        while (Pos < Line.size() && (Line[Pos] == ' ' || (Line[Pos] == '\t' && Char != '\t')))
            ++Pos;
    }

    // Where the field from At ends: at the separator, or at the line's end.
    size_t SeparatorFrom(size_t At) const
    {
        if (Blanks)
        {
            while (At < Line.size() && !IsBlank(Line[At]))
                ++At;
            return At;
        }
        const void* Found = std::memchr(Line.data() + At, Char, Line.size() - At);
        return Found ? size_t(static_cast<const char*>(Found) - Line.data()) : Line.size();
    }

    // The content of the quoted field at Pos, which is left after its closing quote.
    std::string_view Unquoted()
    {
        size_t Begin = ++Pos;
        bool Escaped = false;
        for (;;)
        {
            const void* Found = std::memchr(Line.data() + Pos, '"', Line.size() - Pos);
            if (!Found)
                Fail(Msg::DataOpenQuote, Number);
            const size_t Quote = size_t(static_cast<const char*>(Found) - Line.data());
            if (Quote + 1 < Line.size() && Line[Quote + 1] == '"')
            {
                if (!Escaped)
                    Scratch.clear();
                Escaped = true;
                Scratch.append(Line.substr(Begin, Quote + 1 - Begin));
                Pos = Begin = Quote + 2;
                continue;
            }
            Pos = Quote + 1;
            if (!Escaped)
                return Line.substr(Begin, Quote - Begin);
            Scratch.append(Line.substr(Begin, Quote - Begin));
            return Scratch;
        }
    }

    std::string_view Line;
    uint32_t Number;
    std::string& Scratch;
    char Char = ',';
    bool Blanks = false;
    size_t Pos = 0;
    bool Done = false;
};

char EffectiveMark(const TDataLayout& Layout)
{
    return Layout.Separator != TDataSeparator::Comma && Layout.DecimalMark == ',' ? ',' : '.';
}

// The first Count rows (not blank, not comments) and their numbers.
struct TSampleRow
{
    std::string_view Text;
    uint32_t Line;
};

std::vector<TSampleRow> FirstRows(std::string_view Text, size_t Count)
{
    std::vector<TSampleRow> Rows;
    TLineCursor Lines(Text);
    std::string_view Line;
    while (Rows.size() < Count && Lines.Next(Line))
        if (!IsBlankOrComment(Line))
            Rows.push_back({Line, Lines.Number});
    return Rows;
}

// The fields of a row as strings; more than MaxColumns fail.
std::vector<std::string> RowFields(const TSampleRow& Row, TDataSeparator Separator)
{
    std::vector<std::string> Fields;
    std::string Scratch;
    TFieldCursor Cursor(Row.Text, Separator, Row.Line, Scratch);
    std::string_view Field;
    while (Cursor.Next(Field))
    {
        if (Fields.size() == TDelimitedText::MaxColumns)
            Fail(Msg::DataTooManyColumns, Row.Line);
        Fields.emplace_back(Field);
    }
    return Fields;
}

// How one separator splits the first rows.
struct TSplitScore
{
    bool Header = false;
    size_t Wide = 0;        // data rows of at least two fields
    bool Consistent = true; // every row (the header too) of the same number of fields
    size_t Fields = 0, Numbers = 0, CommaNumbers = 0, DotNumbers = 0;
};

TSplitScore ScoreSplit(const std::vector<TSampleRow>& Rows, TDataSeparator Separator)
{
    TSplitScore Score;
    const char Mark = Separator == TDataSeparator::Comma ? '.' : ',';
    std::string Scratch;
    size_t Columns = 0;
    for (size_t r = 0; r < Rows.size(); ++r)
    {
        size_t Count = 0, Numbers = 0, Commas = 0, Dots = 0;
        bool Text = false;
        TFieldCursor Cursor(Rows[r].Text, Separator, Rows[r].Line, Scratch);
        std::string_view Field;
        while (Cursor.Next(Field) && Count <= TDelimitedText::MaxColumns)
        {
            ++Count;
            Float80 Value;
            if (IsMissingDataField(Field))
                ++Numbers;
            else if (ReadDataNumber(Field, Mark, Value))
            {
                ++Numbers;
                Commas += Field.find(',') != std::string_view::npos;
                Dots += Field.find('.') != std::string_view::npos;
            }
            else
                Text = true;
        }
        Score.Consistent = Score.Consistent && (r == 0 || Columns == Count);
        Columns = Count;
        if (r == 0 && Text && Rows.size() > 1)
        {
            Score.Header = true;
            continue;
        }
        Score.Wide += Count >= 2 && Count <= TDelimitedText::MaxColumns;
        Score.Fields += Count;
        Score.Numbers += Numbers;
        Score.CommaNumbers += Commas;
        Score.DotNumbers += Dots;
    }
    return Score;
}

bool Better(const TSplitScore& a, const TSplitScore& b)
{
    if (a.Wide != b.Wide)
        return a.Wide > b.Wide;
    if (a.Consistent != b.Consistent)
        return a.Consistent;
    // Fraction of numbers, compared without division.
    return a.Numbers * std::max<size_t>(b.Fields, 1) > b.Numbers * std::max<size_t>(a.Fields, 1);
}
} // namespace

TDelimitedText::TDelimitedText(std::string Text) : Bytes(std::move(Text))
{
    if (Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        Start = 3;
    if (const void* Zero = std::memchr(Bytes.data(), 0, Bytes.size()))
    {
        const size_t At = size_t(static_cast<const char*>(Zero) - Bytes.data());
        uint32_t Line = 1;
        for (size_t i = 0; i < At; ++i)
            Line += Bytes[i] == '\n' || (Bytes[i] == '\r' && Bytes[i + 1] != '\n');
        Fail(Msg::DataNotText, Line);
    }
    FGuess = GuessLayout();
}

TDelimitedText TDelimitedText::FromFile(const std::string& Path)
{
    const int File = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat Info;
    if (File < 0 || ::fstat(File, &Info) != 0 || !S_ISREG(Info.st_mode))
    {
        if (File >= 0)
            ::close(File);
        throw EDataFileError(Msg::Format(Msg::DataUnreadable, Path));
    }
    std::string Bytes;
    bool Failed = false;
    if (size_t(Info.st_size) <= MaxFileSize)
    {
        // One byte more than allowed, to see a file that grew since.
        Bytes.resize(size_t(Info.st_size) + 1);
        size_t Got = 0;
        while (Got < Bytes.size())
        {
            const ssize_t n = ::read(File, Bytes.data() + Got, Bytes.size() - Got);
            if (n == 0)
                break;
            if (n < 0)
            {
                Failed = errno != EINTR;
                if (Failed)
                    break;
                continue;
            }
            Got += size_t(n);
        }
        Bytes.resize(Got);
    }
    ::close(File);
    if (Failed)
        throw EDataFileError(Msg::Format(Msg::DataUnreadable, Path));
    if (size_t(Info.st_size) > MaxFileSize || Bytes.size() > MaxFileSize)
        throw EDataFileError(Msg::Format(Msg::DataFileTooLarge, Path));
    return TDelimitedText(std::move(Bytes));
}

TDataLayout TDelimitedText::GuessLayout() const
{
    const std::vector<TSampleRow> Rows = FirstRows(std::string_view(Bytes).substr(Start), GuessLines);
    TDataLayout Layout;
    TSplitScore Best;
    bool First = true;
    for (TDataSeparator Separator :
         {TDataSeparator::Tab, TDataSeparator::Semicolon, TDataSeparator::Comma, TDataSeparator::Blanks})
    {
        TSplitScore Score;
        try
        {
            Score = ScoreSplit(Rows, Separator);
        }
        catch (const EDataFileError&)
        {
            continue; // an unclosed quote: Read names its line
        }
        if (First || Better(Score, Best))
        {
            Best = Score;
            Layout.Separator = Separator;
            First = false;
        }
    }
    Layout.Header = Best.Header;
    if (Layout.Separator != TDataSeparator::Comma && Best.CommaNumbers > Best.DotNumbers)
        Layout.DecimalMark = ',';
    return Layout;
}

size_t TDelimitedText::ColumnCount(const TDataLayout& Layout) const
{
    size_t Count = 0;
    for (const TSampleRow& Row : FirstRows(std::string_view(Bytes).substr(Start), GuessLines))
        Count = std::max(Count, RowFields(Row, Layout.Separator).size());
    return Count;
}

std::vector<std::string> TDelimitedText::ColumnNames(const TDataLayout& Layout) const
{
    if (!Layout.Header)
        return {};
    const std::vector<TSampleRow> Rows = FirstRows(std::string_view(Bytes).substr(Start), 1);
    return Rows.empty() ? std::vector<std::string>() : RowFields(Rows[0], Layout.Separator);
}

std::vector<TDataRowText> TDelimitedText::Preview(const TDataLayout& Layout, size_t Rows) const
{
    const size_t Skip = Layout.Header ? 1 : 0;
    std::vector<TDataRowText> Out;
    const std::vector<TSampleRow> Sample = FirstRows(std::string_view(Bytes).substr(Start), Rows + Skip);
    for (size_t r = Skip; r < Sample.size(); ++r)
        Out.push_back({Sample[r].Line, RowFields(Sample[r], Layout.Separator)});
    return Out;
}

TDataTable TDelimitedText::Read(const TDataLayout& Layout) const
{
    const char Mark = EffectiveMark(Layout);
    const size_t Last = std::max(Layout.XColumn, Layout.YColumn);
    std::vector<TDataPoint> Points;
    std::vector<uint32_t> Lines;
    std::string XName, YName, Scratch;
    size_t Skipped = 0;
    bool HeaderRead = !Layout.Header;

    TLineCursor Cursor(std::string_view(Bytes).substr(Start));
    std::string_view Line;
    while (Cursor.Next(Line))
    {
        if (IsBlankOrComment(Line))
            continue;
        TFieldCursor Fields(Line, Layout.Separator, Cursor.Number, Scratch);
        std::string_view Field;
        if (!HeaderRead)
        {
            for (size_t Column = 0; Column <= Last && Fields.Next(Field); ++Column)
            {
                if (Column == Layout.XColumn)
                    XName = Field;
                if (Column == Layout.YColumn)
                    YName = Field;
            }
            HeaderRead = true;
            continue;
        }
        TDataPoint Point;
        bool Missing = false;
        size_t Column = 0;
        for (; Column <= Last && Fields.Next(Field); ++Column)
        {
            if (Column != Layout.XColumn && Column != Layout.YColumn)
                continue;
            Float80 Value = 0;
            Field = Trimmed(Field); // blanks inside quotes
            if (IsMissingDataField(Field))
                Missing = true;
            else if (!ReadDataNumber(Field, Mark, Value))
                Fail(Msg::DataBadField, Cursor.Number, Shown(Field));
            (Column == Layout.XColumn ? Point.X : Point.Y) = Value;
            if (Layout.XColumn == Layout.YColumn)
                Point.Y = Point.X;
        }
        if (Column <= Last)
        {
            const size_t Absent = Column <= std::min(Layout.XColumn, Layout.YColumn)
                                      ? std::min(Layout.XColumn, Layout.YColumn)
                                      : Last;
            Fail(Msg::DataNoColumn, Cursor.Number, std::to_string(Absent + 1));
        }
        if (Missing)
        {
            ++Skipped;
            continue;
        }
        if (Points.size() == TDataTable::MaxPoints)
            throw EDataFileError(std::string(Msg::DataTooManyPoints));
        Points.push_back(Point);
        Lines.push_back(Cursor.Number);
    }
    if (Points.empty())
        throw EDataFileError(std::string(Msg::DataNoPoints));
    return TDataTable(std::move(Points), std::move(Lines), std::move(XName), std::move(YName), Skipped);
}
