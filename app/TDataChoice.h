#pragma once
// What the data dialogs are given and answer: the import preview's table with the graph to
// make of it, and the fit's model, data and parameters with the fit the user accepted.
#include "analysis/TDataTable.h"
#include "analysis/TLeastSquaresFit.h"
#include "plot/TFunc.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

struct TImportedData
{
    std::shared_ptr<const TDataTable> Table;
    QString Name;
    TMarkerShape Marker{};
    bool Joined = false;
};

struct TFitQuestion
{
    QString Model; // the function graph's formula
    std::shared_ptr<const TDataTable> Data;
    // The parameters the model reads, with their values now (the start of those varied).
    std::vector<std::u16string> Names;
    std::vector<Float80> Values;
    char16_t Separator = u'.';
    Float80 T = 0; // the time put into the model
};

struct TFitAnswer
{
    std::vector<std::u16string> Varied;
    TFitResult Result; // converged
};
