#include "plot/TPointsSection.h"

#include "analysis/Errors.h"
#include "plot/ExactNumberText.h"
#include "plot/TProfileFile.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace
{
// "2 1*999": the steps between successive lines, runs of one step counted.
QString LinesText(const TDataTable& Data)
{
    std::string Out;
    uint32_t Previous = 0;
    for (size_t i = 0; i < Data.Count();)
    {
        const uint32_t Step = Data.Line(i) - Previous;
        size_t Run = 1;
        while (i + Run < Data.Count() && Data.Line(i + Run) - Data.Line(i + Run - 1) == Step)
            ++Run;
        if (!Out.empty())
            Out += ' ';
        Out += std::to_string(Step);
        if (Run > 1)
            Out += '*' + std::to_string(Run);
        Previous = Data.Line(i + Run - 1);
        i += Run;
    }
    return QString::fromStdString(Out);
}

bool ReadCount(std::string_view Text, uint64_t& Value)
{
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    return Error == std::errc() && End == Text.data() + Text.size() && !Text.empty();
}

// The lines of Count points from the steps; false when the text is no such list.
bool ReadLines(const std::string& Text, size_t Count, std::vector<uint32_t>& Lines)
{
    Lines.reserve(Count);
    uint64_t Line = 0;
    size_t At = 0;
    while (At < Text.size())
    {
        const size_t End = std::min(Text.find(' ', At), Text.size());
        const std::string_view Token(Text.data() + At, End - At);
        At = End + 1;
        if (Token.empty())
            continue;
        const size_t Star = Token.find('*');
        uint64_t Step = 0, Run = 1;
        if (!ReadCount(Token.substr(0, Star), Step) ||
            (Star != std::string_view::npos && !ReadCount(Token.substr(Star + 1), Run)))
            return false;
        if (Run > Count - Lines.size() || Step > std::numeric_limits<uint32_t>::max() ||
            (Step == 0 && !Lines.empty()))
            return false;
        for (uint64_t k = 0; k < Run; ++k)
        {
            Line += Step;
            if (Line > std::numeric_limits<uint32_t>::max())
                return false;
            Lines.push_back(uint32_t(Line));
        }
    }
    return Lines.size() == Count;
}

// The points of one key: "x,y" pairs separated by blanks.
bool ReadPoints(const std::string& Text, std::vector<TDataPoint>& Points, size_t Count)
{
    size_t At = 0;
    while (At < Text.size())
    {
        const size_t End = std::min(Text.find(' ', At), Text.size());
        const std::string_view Pair(Text.data() + At, End - At);
        At = End + 1;
        if (Pair.empty())
            continue;
        const size_t Comma = Pair.find(',');
        TDataPoint p;
        if (Comma == std::string_view::npos || Points.size() >= Count ||
            !ReadExactNumber(Pair.substr(0, Comma), p.X) || !ReadExactNumber(Pair.substr(Comma + 1), p.Y))
            return false;
        Points.push_back(p);
    }
    return true;
}

int LineKeys(size_t Points)
{
    return int((Points + TPointsSection::PointsPerLine - 1) / TPointsSection::PointsPerLine);
}
} // namespace

QString TPointsSection::SectionName(int n)
{
    return QStringLiteral("Points%1").arg(n);
}

void TPointsSection::Write(TProfileFile& File, int n, const QString& Name, const TDataTable& Data)
{
    const QString Section = SectionName(n);
    int32_t OldCount = File.ReadInteger(Section, QStringLiteral("Count"), 0);
    const int OldKeys = LineKeys(size_t(std::clamp<int32_t>(OldCount, 0, int32_t(TDataTable::MaxPoints))));
    File.WriteString(Section, QStringLiteral("Name"), Name);
    File.WriteString(Section, QStringLiteral("XName"), QString::fromStdString(Data.XName()));
    File.WriteString(Section, QStringLiteral("YName"), QString::fromStdString(Data.YName()));
    File.WriteInteger(Section, QStringLiteral("Skipped"), int32_t(Data.SkippedRows()));
    File.WriteInteger(Section, QStringLiteral("Count"), int32_t(Data.Count()));
    File.WriteString(Section, QStringLiteral("Lines"), LinesText(Data));
    const int Keys = LineKeys(Data.Count());
    std::string Line;
    for (int k = 0; k < Keys; ++k)
    {
        Line.clear();
        const size_t First = size_t(k) * PointsPerLine, Last = std::min(First + PointsPerLine, Data.Count());
        for (size_t i = First; i < Last; ++i)
        {
            if (i > First)
                Line += ' ';
            Line += ExactNumberText(Data.Point(i).X);
            Line += ',';
            Line += ExactNumberText(Data.Point(i).Y);
        }
        File.WriteString(Section, QString::number(k + 1), QString::fromLatin1(Line));
    }
    for (int k = Keys; k < OldKeys; ++k)
        File.WriteString(Section, QString::number(k + 1), QString());
}

QString TPointsSection::ReadName(const TProfileFile& File, int n)
{
    return File.ReadString(SectionName(n), QStringLiteral("Name"), QString(), TProfileFile::Unlimited);
}

std::shared_ptr<const TDataTable> TPointsSection::Read(const TProfileFile& File, int n)
{
    const QString Section = SectionName(n);
    const auto Text = [&](const QString& Key)
    { return File.ReadString(Section, Key, QString(), TProfileFile::Unlimited).toStdString(); };
    uint64_t Count = 0;
    if (!ReadCount(Text(QStringLiteral("Count")), Count) || Count == 0 || Count > TDataTable::MaxPoints)
        return nullptr;
    std::vector<uint32_t> Lines;
    if (!ReadLines(Text(QStringLiteral("Lines")), size_t(Count), Lines))
        return nullptr;
    std::vector<TDataPoint> Points;
    Points.reserve(size_t(Count));
    for (int k = 0; Points.size() < Count; ++k)
    {
        const size_t Before = Points.size();
        if (!ReadPoints(Text(QString::number(k + 1)), Points, size_t(Count)) || Points.size() == Before)
            return nullptr;
    }
    uint64_t Skipped = 0;
    if (!ReadCount(Text(QStringLiteral("Skipped")), Skipped))
        Skipped = 0;
    return std::make_shared<const TDataTable>(std::move(Points), std::move(Lines),
                                              Text(QStringLiteral("XName")), Text(QStringLiteral("YName")),
                                              size_t(Skipped));
}
