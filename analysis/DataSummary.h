#pragma once
// What the Analyse panel says of a data set: its count, its mean point and the points at the
// ends of its ranges, as a result of one point each, in this order:
//
//   Count   Y the number of points
//   Mean    X and Y the means of the x and of the y values
//   XMin, XMax, YMin, YMax   the first point (in the file's order) of least or greatest x or y
//
// The sums of the means are compensated (Neumaier), so cancelling terms (1E20, 1, -1E20, 1) lose
// nothing of the small ones, and are taken on values scaled by a power of two when the plain sum
// would overflow, so the mean of values near the largest long double is found too. An empty
// set gives an empty result.
#include "analysis/TAnalysisResult.h"

class TDataTable;

TAnalysisResult SummariseData(const TDataTable& Data);
