#pragma once
// The data of points graph n in a document: a section of its own, [Points<n>], written only for
// points graphs, so that a document with its data stays one self-contained file:
//
//   Name=...           the graph's name (its "Func"+n in section Main stays empty)
//   XName=, YName=     the header's names of the two columns, when the file had a header
//   Skipped=2          rows of the file skipped for a missing value
//   Count=1000         the number of points
//   Lines=2 1*999      the file's line of each point, as steps from the line before (from 0 for
//                      the first); "d*k" stands for k steps of d
//   1=x,y x,y ...      the points in order, PointsPerLine to a key, numbered from 1
//
// Numbers are written by ExactNumberText, so every long double comes back bit for bit, and a line
// of points stays under the 2047 characters a value may have. Writing blanks the keys of points
// the section held before beyond the new ones, so a smaller data set leaves no old points behind.
// A section that cannot be read (a missing or bad number, a count that does not match, more
// than TDataTable::MaxPoints points) gives no data; nothing of it is thrown.
#include "analysis/TDataTable.h"

#include <QString>

#include <memory>

class TProfileFile;

class TPointsSection
{
  public:
    static constexpr int PointsPerLine = 32;

    static QString SectionName(int n);

    static void Write(TProfileFile& File, int n, const QString& Name, const TDataTable& Data);
    // The section's name (empty when missing) and its data, or null.
    static QString ReadName(const TProfileFile& File, int n);
    static std::shared_ptr<const TDataTable> Read(const TProfileFile& File, int n);
};
