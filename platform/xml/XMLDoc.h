#pragma once
// The XML document object every configuration file goes through.
//
// Reading: LoadFromFile, then DocumentElement() is the root: the first element of the
// document, whatever precedes it (declaration, comments, processing instructions).
// Under an element, the children are its child ELEMENTS only: comments, processing
// instructions and text never count, so ChildCount/Child(i)/FindNode see the same list.
// Whitespace-only text between elements is not kept (also when written as character
// references). Text is UTF-8: a character reference to a code point UTF-8 cannot hold
// (a surrogate, beyond U+10FFFF) reads as U+FFFD.
//
// Writing: Clear, AddChild(root), AddComment("SW_VERSION = ...") after it, then the
// sections and rows, then SaveToFile. Every file is written in one format: UTF-8 without
// byte-order mark, no XML declaration, LF line ends, two blanks of indent per level,
// an element with only text on one line, an element without content as <name/>.
// Attribute values are escaped so that CR, LF and tab survive a save and a load byte
// for byte (&#13; &#10; &#9;); CR in element text is kept the same way.
//
// Errors: a missing or unreadable file raises EFOpenError (from platform/os); a file that
// is not well-formed XML raises EXmlError naming the file, the reason and where. Both
// derive from Exception, and only EXmlError means "the file is there but broken".
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/Exception.h"

CONF_DECLARE_EXCEPTION(EXmlError, Exception);

// A handle to one element of a TXMLDocument. It is cheap to copy and stays valid while
// the element is in its document (Clear and loading another file end it). A null handle
// (FindNode found nothing) tests false; any read or write through it raises EXmlError.
class TXMLNode {
public:
    TXMLNode() = default;
    explicit operator bool() const { return FNode != nullptr; }
    bool IsNull() const { return FNode == nullptr; }
    bool operator==(const TXMLNode& other) const { return FNode == other.FNode; }

    std::string NodeName() const;

    // The element's own text (its text and CDATA content, child elements left out);
    // SetText replaces that text and keeps the child elements.
    std::string Text() const;
    void SetText(std::string_view text);

    int ChildCount() const;
    TXMLNode Child(int index) const;                    // EXmlError when out of range
    std::vector<TXMLNode> ChildNodes() const;           // the child elements in order
    TXMLNode FindNode(std::string_view name) const;     // first child of that exact name, or null
    TXMLNode ChildNode(std::string_view name) const;    // same, EXmlError when there is none
    TXMLNode AddChild(std::string_view name);           // appended as the last child
    // A new child placed right before 'sibling' (a child of this element), for writers
    // that fill an existing document at a given place; EXmlError when it is not a child.
    TXMLNode InsertChildBefore(std::string_view name, const TXMLNode& sibling);

    bool HasAttribute(std::string_view name) const;
    std::string Attribute(std::string_view name) const;   // EXmlError when missing
    std::string AttributeDef(std::string_view name, std::string_view def) const;   // def when missing
    void SetAttribute(std::string_view name, std::string_view value);   // adds or replaces
    // One look-up where HasAttribute and Attribute would take two: false when missing.
    bool FindAttribute(std::string_view name, std::string& value) const;
    // Appends without looking for one of that name first: for writers that know the
    // element has none (a new element given distinct names).
    void AppendAttribute(std::string_view name, std::string_view value);
    // Every attribute as (name, value) in document order, in one walk, into 'list' (cleared
    // first): for readers that take many attributes of each element. The views stay valid
    // while the attribute is in its document and unchanged.
    void ListAttributes(std::vector<std::pair<std::string_view, std::string_view>>& list) const;

private:
    friend class TXMLDocument;
    explicit TXMLNode(void* node) : FNode(node) {}
    void* Node(const char* operation) const;   // the element, or EXmlError for a null handle
    void* FNode = nullptr;
};

class TXMLDocument {
public:
    TXMLDocument();
    ~TXMLDocument();
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;

    // Replaces the content with the file's. On any error the document is left empty.
    // Files with a byte-order mark are read as UTF-8 or UTF-16; files declaring
    // ISO-8859-1 or windows-1252, or holding bytes that are not UTF-8 (with or without
    // a UTF-8 mark), as windows-1252.
    void LoadFromFile(const std::string& path);
    // The same from text in memory; 'name' stands for the file in error messages.
    void LoadFromXML(std::string_view text, const std::string& name = "XML text");

    // Writes the document in the one writer format through WriteFileAtomic: a failed save
    // leaves the previous file as it was (and raises EFCreateError). A document without
    // a root element is not saved (EXmlError): such a file could not be read back.
    void SaveToFile(const std::string& path) const;
    std::string SaveToXML() const;

    void Clear();
    bool IsEmpty() const;

    TXMLNode DocumentElement() const;            // the root element, or null when there is none
    TXMLNode AddChild(std::string_view name);    // the root; EXmlError when there is one already
    // A comment at document level after the root (and after earlier such comments);
    // EXmlError before the root exists, or for a text that a comment cannot hold ("--").
    void AddComment(std::string_view text);

private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};
