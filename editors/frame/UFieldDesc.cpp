// Field descriptions: the items of a list at a showing.
#include "editors/frame/UFieldDesc.h"

#include "editors/frame/UEditorContext.h"

std::vector<String> Field_Items(const TFieldDesc& Field, const TEditorContext& Context)
{
    std::vector<String> Items = Field.Items;
    if (Field.Items_From) {
        std::vector<String> More = Field.Items_From(Context);
        Items.insert(Items.end(), More.begin(), More.end());
    }
    return Items;
}
