#pragma once
// The graph kinds: each value of TGraphKind has its descriptor (TKindDescriptor), which
// answers everything the program asks of graphs of that kind. The built-in kinds are rows of
// the table in GraphKind.cpp; a kind added later registers its descriptor under a value of
// its own, once, before any graph of it is made.
#include "plot/TKindDescriptor.h"

#include <QString>

#include <vector>

// The descriptor of Kind; a value without one is read as a function.
const TKindDescriptor& KindOf(TGraphKind Kind);
inline const TKindDescriptor& KindOf(const TFunc& Graph)
{
    return KindOf(Graph.Kind);
}
// Every kind with a descriptor, in the order the Graph panel lists them.
std::vector<TGraphKind> GraphKinds();
// The document name of Kind ("function", "parametric", ...).
QString GraphKindName(TGraphKind Kind);
// The kind a name stands for, compared without regard to case; a missing or unknown name is
// a function.
TGraphKind GraphKindFromName(const QString& Name);
// The first kind whose graphs play Role in derived graphs.
TGraphKind KindOfRole(TDerivedRole Role);

// Registers Descriptor (which must outlive every use) for Kind, a value that has none yet.
void RegisterGraphKind(TGraphKind Kind, const TKindDescriptor& Descriptor);
