// The context of a showing: lookups and the model's settings from ParGen.xml.
#include "editors/frame/UEditorContext.h"

#include "platform/os/Files.h"
#include "platform/xml/XMLDoc.h"

String TEditorContext::Setting(const String& Key) const
{
    const auto it = Settings.find(Key);
    return it == Settings.end() ? String() : it->second;
}

long long TEditorContext::Number(const String& Name) const
{
    const auto it = Numbers.find(Name);
    return it == Numbers.end() ? 0 : it->second;
}

void Read_Model_Settings(const String& ParGen_File, TEditorContext& Context)
{
    Context.Settings.clear();
    if (!FileExists(ParGen_File)) return;
    TXMLDocument Doc;
    try {
        Doc.LoadFromFile(ParGen_File);
    } catch (const Exception&) {
        return;   // a broken file gives what a missing one gives
    }
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root) return;
    for (const TXMLNode& Key : Root.ChildNodes()) Context.Settings.emplace(Key.NodeName(), Key.Text());
}
