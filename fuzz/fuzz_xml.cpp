// The XML document object under every configuration file. Any bytes: loaded from a file
// (byte-order marks, declared and guessed encodings) and from memory. A document that
// loads must save in the one writer format and load back to the same tree, and a second
// save must give the same bytes: a file the program rewrites is never damaged by it.
#include "fuzz/FuzzCommon.h"
#include "platform/rtl/Unicode.h"
#include "platform/xml/XMLDoc.h"

namespace {

void Same_Tree(const TXMLNode& A, const TXMLNode& B, const std::string& Saved)
{
    fuzz::Check(A.NodeName() == B.NodeName(), "element names survive a save", Saved);
    fuzz::Check(A.Text() == B.Text(), "element texts survive a save",
                A.NodeName() + ": \"" + fuzz::Printable(A.Text()) + "\" became \"" + fuzz::Printable(B.Text()) +
                    "\" in\n" + Saved);
    const int Count = A.ChildCount();
    fuzz::Check(Count == B.ChildCount(), "child elements survive a save", Saved);
    for (int i = 0; i < Count; ++i) Same_Tree(A.Child(i), B.Child(i), Saved);
}

// Saves a loaded document and checks that it reads back the same.
void Round_Trip(const TXMLDocument& Doc)
{
    const TXMLNode Root = Doc.DocumentElement();
    if (!Root) return;   // nothing the program could save
    const std::string Saved = Doc.SaveToXML();
    TXMLDocument Back;
    try {
        Back.LoadFromXML(Saved, "saved");
    } catch (const EXmlError& E) {
        fuzz::Fail("a saved document loads again", std::string(E.what()) + "\n" + Saved);
    }
    Same_Tree(Root, Back.DocumentElement(), Saved);
    fuzz::Check(Back.SaveToXML() == Saved, "a second save gives the same bytes", Saved);

    // Through a file, as the program does it.
    fuzz::Check(IsValidUtf8(Saved), "a loaded document holds UTF-8 text", Saved);
    const std::string File = PathJoin(fuzz::Scratch_Folder(), "saved.xml");
    Doc.SaveToFile(File);
    TXMLDocument FromFile;
    FromFile.LoadFromFile(File);
    fuzz::Check(FromFile.SaveToXML() == Saved, "a saved file loads back to the same document", Saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view Input = fuzz::Bytes(Data, Size);

    TXMLDocument Doc;
    bool Loaded = true;
    try {
        Doc.LoadFromXML(Input, "input");
    } catch (const EXmlError&) {
        fuzz::Check(Doc.IsEmpty(), "a refused text leaves the document empty");
        Loaded = false;
    }
    if (Loaded) Round_Trip(Doc);

    const std::string File = PathJoin(fuzz::Scratch_Folder(), "input.xml");
    WriteFileAtomic(File, Input);
    try {
        Doc.LoadFromFile(File);
    } catch (const EXmlError&) {
        fuzz::Check(Doc.IsEmpty(), "a refused file leaves the document empty");
        return 0;
    }
    Round_Trip(Doc);
    return 0;
}
