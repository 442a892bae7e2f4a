#include "plot/TProfileFile.h"

#include "expr/AsciiCase.h"
#include "plot/QtText.h"
#include "plot/TSavingFile.h"

#include <algorithm>

namespace
{
bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

QStringView TrimBlanks(QStringView s)
{
    qsizetype First = 0, Last = s.size();
    while (First < Last && IsBlank(s[First]))
        ++First;
    while (Last > First && IsBlank(s[Last - 1]))
        --Last;
    return s.mid(First, Last - First);
}

// Names compare in ASCII case: the same under every locale.
bool FoldedEquals(QStringView a, QStringView b)
{
    return EqualsAsciiCase(ToU16(a), ToU16(b));
}

QString Folded(QStringView s)
{
    QString Out(s.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < s.size(); ++i)
        Out[i] = QChar(FoldAsciiCase(s[i].unicode()));
    return Out;
}

// FNV-1a over the folded code units.
uint32_t FoldedHash(QStringView s)
{
    uint32_t h = 2166136261u;
    for (QChar c : s)
    {
        h ^= FoldAsciiCase(c.unicode());
        h *= 16777619u;
    }
    return h;
}

// The name of a "[name]" header line, or false for any other line.
bool SectionNameOf(QStringView Line, QStringView& Name)
{
    QStringView t = TrimBlanks(Line);
    if (!t.startsWith(u'['))
        return false;
    qsizetype Close = t.indexOf(u']');
    if (Close < 0)
        return false;
    Name = TrimBlanks(t.mid(1, Close - 1));
    return true;
}

// The key of a "key=value" line; comments, headers and lines without a name are no keys.
bool KeyNameOf(QStringView Line, QStringView& Name)
{
    QStringView t = TrimBlanks(Line);
    if (t.isEmpty() || t[0] == u';' || t[0] == u'[')
        return false;
    qsizetype Eq = t.indexOf(u'=');
    if (Eq < 0)
        return false;
    Name = TrimBlanks(t.left(Eq));
    return !Name.isEmpty();
}

QStringView RawValueOf(QStringView Line)
{
    return Line.mid(Line.indexOf(u'=') + 1);
}

bool EndsWithLineBreak(const QString& s)
{
    return !s.isEmpty() && IsLineBreak(s.back());
}

int HexDigit(QChar c)
{
    char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}
} // namespace

TProfileFile::TProfileFile(const QString& Path) : FilePath(Path)
{
    Load();
}

TProfileFile::~TProfileFile() = default;

void TProfileFile::Load()
{
    QByteArray Bytes;
    Status = TRegularFile::Read(FilePath, MaxFileSize, Bytes);
    if (Status != TRegularFile::TStatus::Read)
    {
        // A missing file reads as empty and is created on saving; one that exists but cannot
        // be read must not be overwritten with our partial picture of it.
        Unreadable = Status != TRegularFile::TStatus::Missing;
        return;
    }
    Encoding = TProfileEncoding::Detect(Bytes, Text);

    const qsizetype Break = std::find_if(Text.cbegin(), Text.cend(), IsLineBreak) - Text.cbegin();
    if (Break < Text.size())
    {
        const bool CrLf = Text[Break] == u'\r' && Break + 1 < Text.size() && Text[Break + 1] == u'\n';
        LineEnd = CrLf ? QStringLiteral("\r\n") : QString(Text[Break]);
    }
}

qsizetype TProfileFile::LineContentEnd(qsizetype Start) const
{
    const QChar* Data = Text.constData();
    const qsizetype Size = Text.size();
    while (Start < Size && !IsLineBreak(Data[Start]))
        ++Start;
    return Start;
}

qsizetype TProfileFile::NextLineStart(qsizetype ContentEnd) const
{
    if (ContentEnd >= Text.size())
        return Text.size();
    if (Text[ContentEnd] == u'\r' && ContentEnd + 1 < Text.size() && Text[ContentEnd + 1] == u'\n')
        return ContentEnd + 2;
    return ContentEnd + 1;
}

QStringView TProfileFile::LineAt(qsizetype Start) const
{
    return QStringView(Text).mid(Start, LineContentEnd(Start) - Start);
}

TProfileFile::TSection& TProfileFile::SectionOf(const QString& Name) const
{
    const QString Key = Folded(TrimBlanks(Name));
    auto It = Sections.find(Key);
    if (It != Sections.end())
        return *It->second;
    auto Section = std::make_unique<TSection>();
    Section->Name = TrimBlanks(Name).toString();
    IndexSection(*Section, Key);
    return *Sections.emplace(Key, std::move(Section)).first->second;
}

// One pass over the lines: find the first header of the section, then note every key line up
// to the next header. New keys go after the last key line (or after the header).
void TProfileFile::IndexSection(TSection& Section, const QString& FoldedName) const
{
    QStringView Name, Previous;
    for (qsizetype Start = 0; Start < Text.size();)
    {
        const qsizetype End = LineContentEnd(Start);
        const qsizetype Next = NextLineStart(End);
        const QStringView Line = QStringView(Text).mid(Start, End - Start);
        if (SectionNameOf(Line, Name))
        {
            if (Section.Exists)
                break;
            if (FoldedEquals(Name, FoldedName))
            {
                Section.Exists = true;
                Section.InsertAt = Next;
            }
        }
        else if (Section.Exists && KeyNameOf(Line, Name))
        {
            if (!FoldedEquals(Name, Previous)) // a run of one key costs one entry
                Section.Keys.push_back({FoldedHash(Name), uint32_t(Start)});
            Previous = Name;
            Section.InsertAt = Next;
        }
        Start = Next;
    }
    std::sort(Section.Keys.begin(), Section.Keys.end(),
              [](const TKeyRef& a, const TKeyRef& b)
              { return a.Hash != b.Hash ? a.Hash < b.Hash : a.LineStart < b.LineStart; });
    // Only the first line of a name is ever read or written: drop the later ones.
    QStringView Kept;
    auto Last = std::unique(Section.Keys.begin(), Section.Keys.end(),
                            [&](const TKeyRef& a, const TKeyRef& b)
                            {
                                return a.Hash == b.Hash && KeyNameAt(a.LineStart, Kept) &&
                                       KeyNameAt(b.LineStart, Name) && FoldedEquals(Kept, Name);
                            });
    Section.Keys.erase(Last, Section.Keys.end());
    Section.Keys.shrink_to_fit();
}

// The key name of a key line, found without reading the (maybe long) value.
bool TProfileFile::KeyNameAt(qsizetype LineStart, QStringView& Name) const
{
    const QChar* Data = Text.constData();
    qsizetype i = LineStart;
    while (i < Text.size() && Data[i] != u'=' && !IsLineBreak(Data[i]))
        ++i;
    return i < Text.size() && Data[i] == u'=' &&
           KeyNameOf(QStringView(Data + LineStart, i + 1 - LineStart), Name);
}

qsizetype TProfileFile::FindKeyLine(const TSection& Section, QStringView Key) const
{
    const uint32_t Hash = FoldedHash(Key);
    auto It = std::lower_bound(Section.Keys.begin(), Section.Keys.end(), Hash,
                               [](const TKeyRef& Ref, uint32_t h) { return Ref.Hash < h; });
    QStringView Name;
    for (; It != Section.Keys.end() && It->Hash == Hash; ++It)
        if (KeyNameAt(It->LineStart, Name) && FoldedEquals(Name, Key))
            return It->LineStart;
    return -1;
}

qsizetype TProfileFile::FindAdded(const TSection& Section, QStringView Key) const
{
    auto [First, Last] = Section.AddedIndex.equal_range(FoldedHash(Key));
    QStringView Name;
    for (auto It = First; It != Last; ++It)
        if (KeyNameOf(Section.Added[It->second], Name) && FoldedEquals(Name, Key))
            return qsizetype(It->second);
    return -1;
}

bool TProfileFile::FindValue(const QString& Section, const QString& Key, QStringView& Raw) const
{
    const TSection& S = SectionOf(Section);
    const QStringView Name = TrimBlanks(Key);
    const qsizetype Start = FindKeyLine(S, Name);
    if (Start >= 0)
    {
        auto Replaced = Replacements.find(Start);
        Raw = RawValueOf(Replaced != Replacements.end() ? QStringView(Replaced->second.Line) : LineAt(Start));
        return true;
    }
    const qsizetype Added = FindAdded(S, Name);
    if (Added < 0)
        return false;
    Raw = RawValueOf(S.Added[size_t(Added)]);
    return true;
}

QString TProfileFile::ReadString(const QString& Section, const QString& Key, const QString& Default,
                                 int MaxLength) const
{
    QStringView Raw;
    if (!FindValue(Section, Key, Raw))
        return Default;
    QString Value = Unquote(Raw);
    if (MaxLength >= 0 && Value.size() > MaxLength)
    {
        qsizetype Cut = MaxLength;
        if (Cut > 0 && Value[Cut - 1].isHighSurrogate())
            --Cut; // never leave half a pair behind
        Value.truncate(Cut);
    }
    return Value;
}

int32_t TProfileFile::ReadInteger(const QString& Section, const QString& Key, int32_t Default) const
{
    QStringView Raw;
    int32_t Value = 0;
    if (FindValue(Section, Key, Raw) && ParseInteger(Unquote(Raw), Value))
        return Value;
    return Default;
}

QString TProfileFile::Unquote(QStringView Raw)
{
    QStringView v = TrimBlanks(Raw);
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.toString();
}

bool TProfileFile::ParseInteger(QStringView Text, int32_t& Value)
{
    uint32_t Acc = 0; // arithmetic modulo 2^32: overlong numbers keep their low 32 bits
    bool Negative = false;
    QStringView Digits;
    int Base = 10;
    if (Text.startsWith(u"0x") || Text.startsWith(u"0X"))
        Digits = Text.mid(2), Base = 16;
    else if (Text.startsWith(u'$'))
        Digits = Text.mid(1), Base = 16;
    else
    {
        Negative = Text.startsWith(u'-');
        Digits = (Negative || Text.startsWith(u'+')) ? Text.mid(1) : Text;
    }
    if (Digits.isEmpty())
        return false;
    for (QChar c : Digits)
    {
        const int d = HexDigit(c);
        if (d < 0 || d >= Base)
            return false;
        Acc = Acc * uint32_t(Base) + uint32_t(d);
    }
    if (Negative)
        Acc = 0u - Acc;
    Value = int32_t(Acc);
    return true;
}

void TProfileFile::WriteString(const QString& Section, const QString& Key, const QString& Value)
{
    QString Stored = Value;
    Stored.replace(u'\r', u' ').replace(u'\n', u' ');
    if (Unquote(Stored) != Stored)
        Stored = u'"' + Stored + u'"';
    const QString Line = Key + u'=' + Stored;

    TSection& S = SectionOf(Section);
    if (!S.Exists && S.Added.empty())
        NewSections.push_back(&S);
    const QStringView Name = TrimBlanks(Key);
    const qsizetype Start = FindKeyLine(S, Name);
    if (Start >= 0)
    {
        Replacements[Start] = {LineContentEnd(Start), Line};
        return;
    }
    const qsizetype Added = FindAdded(S, Name);
    if (Added >= 0)
    {
        S.Added[size_t(Added)] = Line;
        return;
    }
    S.AddedIndex.emplace(FoldedHash(Name), S.Added.size());
    S.Added.push_back(Line);
}

void TProfileFile::WriteInteger(const QString& Section, const QString& Key, int32_t Value)
{
    WriteString(Section, Key, QString::number(Value));
}

// The loaded text with the pending writes merged in: replaced lines where they stand, new keys
// at their sections' insertion points, new sections at the end.
QString TProfileFile::MergedText() const
{
    struct TEdit
    {
        qsizetype At;
        qsizetype End;           // replacements: end of the old content; insertions: At
        const QString* Line;     // replacement line, or nullptr
        const TSection* Section; // insertion of the section's new keys, or nullptr
    };
    std::vector<TEdit> Edits;
    for (const auto& [At, R] : Replacements)
        Edits.push_back({At, R.End, &R.Line, nullptr});
    for (const auto& [Name, S] : Sections)
        if (S->Exists && !S->Added.empty())
            Edits.push_back({S->InsertAt, S->InsertAt, nullptr, S.get()});
    std::stable_sort(Edits.begin(), Edits.end(), [](const TEdit& a, const TEdit& b) { return a.At < b.At; });

    QString Out;
    Out.reserve(Text.size() + 64);
    const auto AppendLines = [&](const std::vector<QString>& Lines)
    {
        if (!Out.isEmpty() && !EndsWithLineBreak(Out))
            Out += LineEnd;
        for (const QString& Line : Lines)
            Out += Line + LineEnd;
    };
    qsizetype Pos = 0;
    for (const TEdit& Edit : Edits)
    {
        Out += QStringView(Text).mid(Pos, Edit.At - Pos);
        if (Edit.Line)
            Out += *Edit.Line;
        else
            AppendLines(Edit.Section->Added);
        Pos = Edit.End;
    }
    Out += QStringView(Text).mid(Pos);
    for (const TSection* S : NewSections)
    {
        std::vector<QString> Lines{u'[' + S->Name + u']'};
        Lines.insert(Lines.end(), S->Added.begin(), S->Added.end());
        AppendLines(Lines);
    }
    return Out;
}

void TProfileFile::Save()
{
    const auto Fail = [this]
    { throw EFileWriteError(Msg::Format(Msg::UnableToWrite, FilePath.toStdString())); };
    if (Unreadable)
        Fail();
    QString Content = MergedText();
    const TProfileEncoding As = Encoding.For(Content);
    const QByteArray Bytes = As.Encode(Content);
    if (Bytes.size() > MaxFileSize)
        throw EFileWriteError(Msg::Format(Msg::DocumentTooLargeToSave, FilePath.toStdString()));

    TSavingFile::Write(FilePath, Bytes);

    // The file now holds the merged text: start afresh from it.
    Text = std::move(Content);
    Encoding = As;
    NewSections.clear();
    Replacements.clear();
    Sections.clear();
}
