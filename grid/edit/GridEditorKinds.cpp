#include "grid/edit/GridEditorKinds.h"

#include <map>

namespace {
std::map<TEditorType, TGridEditorKind>& Kinds()
{
    static std::map<TEditorType, TGridEditorKind> kinds;
    return kinds;
}

TGridEditorParts& Parts()
{
    static TGridEditorParts parts;
    return parts;
}
}  // namespace

void RegisterGridEditorKind(TEditorType Kind, const TGridEditorKind& Entry) { Kinds()[Kind] = Entry; }

const TGridEditorKind* GridEditorKind(TEditorType Kind)
{
    const auto it = Kinds().find(Kind);
    return it == Kinds().end() ? nullptr : &it->second;
}

void RegisterGridEditorParts(const TGridEditorParts& Parts_) { Parts() = Parts_; }

const TGridEditorParts& GridEditorParts() { return Parts(); }
