#include "platform/xml/XMLDoc.h"

#include <pugixml.hpp>

#include "platform/os/Files.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Unicode.h"

namespace {

// pugixml keeps what the configuration files need: elements, attributes, text (a blank-only
// text too when it is an element's whole content, so " " read back stays " ") and comments.
// Declarations, processing instructions and document types are read past and dropped.
constexpr unsigned ParseFlags = pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single;

pugi::xml_node ToPugi(void* n) { return pugi::xml_node(static_cast<pugi::xml_node_struct*>(n)); }
void* FromPugi(pugi::xml_node n) { return n.internal_object(); }

// A name as the C string pugixml looks up by, without a copy on the heap for the usual
// short names (every cell of a table file is read and written by its column's name).
class TCName {
public:
    explicit TCName(std::string_view s)
    {
        if (s.size() < sizeof(FShort)) {
            s.copy(FShort, s.size());
            FShort[s.size()] = '\0';
            FText = FShort;
        } else {
            FLong.assign(s);
            FText = FLong.c_str();
        }
    }
    const char* c_str() const { return FText; }

private:
    char FShort[64];
    std::string FLong;
    const char* FText;
};

bool IsText(pugi::xml_node n) { return n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata; }

// Names the writer can emit and a reader can read back: no blanks, no markup characters.
void CheckName(std::string_view name, const char* what)
{
    bool ok = !name.empty();
    if (ok) {
        char first = name.front();
        ok = !(first == '-' || first == '.' || (first >= '0' && first <= '9'));
    }
    for (char c : name)
        switch (c) {
        case '<': case '>': case '&': case '"': case '\'': case '/': case '=': case '!': case '?': ok = false; break;
        default:
            if (static_cast<unsigned char>(c) <= ' ') ok = false;
        }
    if (!ok) throw EXmlError(Format("Invalid XML %s name \"%s\"", {what, String(name)}));
}

// Characters that would not survive as themselves: markup, and in attribute values every
// control character (a reader turns a raw CR, LF or tab there into a blank); in text a
// raw CR (a reader turns CR LF into LF) and the control characters XML cannot hold raw.
void Escape(std::string& out, std::string_view s, bool attribute)
{
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            if (attribute) out += "&quot;";
            else out += c;
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && (attribute || (c != '\n' && c != '\t'))) {
                out += "&#";
                out += IntToStr(static_cast<unsigned char>(c));
                out += ';';
            } else {
                out += c;
            }
        }
    }
}

void WriteStartTag(std::string& out, pugi::xml_node n)
{
    out += '<';
    out += n.name();
    for (pugi::xml_attribute a : n.attributes()) {
        out += ' ';
        out += a.name();
        out += "=\"";
        Escape(out, a.value(), true);
        out += '"';
    }
}

// Content that holds text is written exactly, without added line breaks or indent:
// blanks put there would become part of the text.
void WriteInline(std::string& out, pugi::xml_node n)
{
    switch (n.type()) {
    case pugi::node_element:
        WriteStartTag(out, n);
        if (!n.first_child()) {
            out += "/>";
            return;
        }
        out += '>';
        for (pugi::xml_node c : n.children()) WriteInline(out, c);
        out += "</";
        out += n.name();
        out += '>';
        return;
    case pugi::node_pcdata: Escape(out, n.value(), false); return;
    case pugi::node_cdata:
        out += "<![CDATA[";
        out += n.value();
        out += "]]>";
        return;
    case pugi::node_comment:
        out += "<!--";
        out += n.value();
        out += "-->";
        return;
    default: return;
    }
}

void WriteNode(std::string& out, pugi::xml_node n, int depth)
{
    if (n.type() != pugi::node_element && n.type() != pugi::node_comment) return;
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    bool hasText = false;
    for (pugi::xml_node c : n.children()) hasText = hasText || IsText(c);
    if (n.type() == pugi::node_comment || !n.first_child() || hasText) {
        WriteInline(out, n);
        out += '\n';
        return;
    }
    WriteStartTag(out, n);
    out += ">\n";
    for (pugi::xml_node c : n.children()) WriteNode(out, c, depth + 1);
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += "</";
    out += n.name();
    out += ">\n";
}

// The encoding named in an XML declaration at the start of the text, lower case; "" if none.
std::string DeclaredEncoding(std::string_view s)
{
    if (s.substr(0, 5) != "<?xml") return {};
    auto end = s.find("?>");
    if (end == std::string_view::npos) return {};
    std::string_view decl = s.substr(0, end);
    auto p = decl.find("encoding");
    if (p == std::string_view::npos) return {};
    p = decl.find_first_of("\"'", p);
    if (p == std::string_view::npos) return {};
    auto q = decl.find(decl[p], p + 1);
    if (q == std::string_view::npos) return {};
    return LowerCase(decl.substr(p + 1, q - p - 1));
}

// The file's bytes as UTF-8 text.
std::string ToUtf8(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        // A mark over bytes that are not UTF-8 (an 8-bit editor kept it): read them like
        // any 8-bit file, or the document would hold text that is no UTF-8 and every save
        // would turn it into something else.
        const std::string_view rest = bytes.substr(3);
        return IsValidUtf8(rest) ? std::string(rest) : Cp1252ToUtf8(rest);
    }
    if (bytes.substr(0, 2) == "\xFF\xFE") return Utf16BytesToUtf8(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF") return Utf16BytesToUtf8(bytes.substr(2), true);
    const std::string enc = DeclaredEncoding(bytes);
    if (enc == "iso-8859-1" || enc == "latin1" || enc == "latin-1" || enc == "windows-1252" || enc == "cp1252" ||
        !IsValidUtf8(bytes))
        return Cp1252ToUtf8(bytes);
    return std::string(bytes);
}

// Text as UTF-8: every byte that starts no valid sequence becomes U+FFFD.
std::string ValidUtf8(const char* s)
{
    return Utf16ToUtf8(Utf8ToUtf16(s));
}

bool IsBlankText(const char* s)
{
    for (; *s; ++s)
        if (*s != ' ' && *s != '\t' && *s != '\r' && *s != '\n') return false;
    return true;
}

// Makes a parsed document hold only what the writer writes back as it is, so that loading
// a saved file gives the same document again:
// - character references to code points UTF-8 has no form for (surrogates, beyond
//   U+10FFFF) leave bytes that are no UTF-8 and would be read back as windows-1252:
//   they become U+FFFD;
// - whitespace-only text beside other content is dropped also when it was written with
//   character references ("&#9;"), as the parser drops it when it is written plainly;
// - text that "&#0;" cut to nothing is no text at all.
void Normalize(pugi::xml_node top)
{
    std::vector<pugi::xml_node> pending{top};   // no recursion: nesting depth is the file's
    while (!pending.empty()) {
        pugi::xml_node n = pending.back();
        pending.pop_back();
        if (!IsValidUtf8(n.name())) n.set_name(ValidUtf8(n.name()).c_str());
        if (!IsValidUtf8(n.value())) n.set_value(ValidUtf8(n.value()).c_str());
        for (pugi::xml_attribute a : n.attributes()) {
            if (!IsValidUtf8(a.name())) a.set_name(ValidUtf8(a.name()).c_str());
            if (!IsValidUtf8(a.value())) a.set_value(ValidUtf8(a.value()).c_str());
        }
        const bool alone = n.first_child() && !n.first_child().next_sibling();
        for (pugi::xml_node c = n.first_child(); c;) {
            const pugi::xml_node next = c.next_sibling();
            const bool blank = c.type() == pugi::node_pcdata && IsBlankText(c.value());
            if (n.type() == pugi::node_element && blank && (!alone || !*c.value()))
                n.remove_child(c);
            else
                pending.push_back(c);
            c = next;
        }
    }
}

}  // namespace

// ---------------------------------------------------------------------------- TXMLNode

void* TXMLNode::Node(const char* operation) const
{
    if (FNode == nullptr) throw EXmlError(Format("XML node not found (%s)", {operation}));
    return FNode;
}

std::string TXMLNode::NodeName() const { return ToPugi(Node("NodeName")).name(); }

std::string TXMLNode::Text() const
{
    std::string text;
    for (pugi::xml_node c : ToPugi(Node("Text")).children())
        if (IsText(c)) text += c.value();
    return text;
}

void TXMLNode::SetText(std::string_view text)
{
    pugi::xml_node n = ToPugi(Node("SetText"));
    for (pugi::xml_node c = n.first_child(); c;) {
        pugi::xml_node next = c.next_sibling();
        if (IsText(c)) n.remove_child(c);
        c = next;
    }
    if (!text.empty()) n.prepend_child(pugi::node_pcdata).set_value(text.data(), text.size());
}

int TXMLNode::ChildCount() const
{
    int count = 0;
    for (pugi::xml_node c = ToPugi(Node("ChildCount")).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) ++count;
    return count;
}

TXMLNode TXMLNode::Child(int index) const
{
    int i = 0;
    for (pugi::xml_node c = ToPugi(Node("Child")).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && i++ == index) return TXMLNode(FromPugi(c));
    throw EXmlError(Format("XML child index out of bounds (%d)", {index}));
}

std::vector<TXMLNode> TXMLNode::ChildNodes() const
{
    std::vector<TXMLNode> list;
    for (pugi::xml_node c = ToPugi(Node("ChildNodes")).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) list.push_back(TXMLNode(FromPugi(c)));
    return list;
}

TXMLNode TXMLNode::FindNode(std::string_view name) const
{
    for (pugi::xml_node c = ToPugi(Node("FindNode")).first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && name == c.name()) return TXMLNode(FromPugi(c));
    return TXMLNode();
}

TXMLNode TXMLNode::ChildNode(std::string_view name) const
{
    TXMLNode n = FindNode(name);
    if (!n) throw EXmlError(Format("Node \"%s\" not found", {String(name)}));
    return n;
}

TXMLNode TXMLNode::AddChild(std::string_view name)
{
    pugi::xml_node n = ToPugi(Node("AddChild"));
    CheckName(name, "element");
    return TXMLNode(FromPugi(n.append_child(std::string(name).c_str())));
}

TXMLNode TXMLNode::InsertChildBefore(std::string_view name, const TXMLNode& sibling)
{
    pugi::xml_node n = ToPugi(Node("InsertChildBefore"));
    pugi::xml_node s = ToPugi(sibling.Node("InsertChildBefore"));
    if (s.parent() != n) throw EXmlError("InsertChildBefore: the element is no child of <" + NodeName() + ">");
    CheckName(name, "element");
    return TXMLNode(FromPugi(n.insert_child_before(std::string(name).c_str(), s)));
}

bool TXMLNode::HasAttribute(std::string_view name) const
{
    return static_cast<bool>(ToPugi(Node("HasAttribute")).attribute(TCName(name).c_str()));
}

std::string TXMLNode::Attribute(std::string_view name) const
{
    pugi::xml_attribute a = ToPugi(Node("Attribute")).attribute(TCName(name).c_str());
    if (!a) throw EXmlError(Format("Attribute \"%s\" not found in node \"%s\"", {String(name), NodeName()}));
    return a.value();
}

std::string TXMLNode::AttributeDef(std::string_view name, std::string_view def) const
{
    pugi::xml_attribute a = ToPugi(Node("Attribute")).attribute(std::string(name).c_str());
    return a ? std::string(a.value()) : std::string(def);
}

void TXMLNode::SetAttribute(std::string_view name, std::string_view value)
{
    pugi::xml_node n = ToPugi(Node("SetAttribute"));
    const TCName key(name);
    pugi::xml_attribute a = n.attribute(key.c_str());
    if (!a) {
        CheckName(name, "attribute");
        a = n.append_attribute(key.c_str());
    }
    a.set_value(value.data(), value.size());
}

bool TXMLNode::FindAttribute(std::string_view name, std::string& value) const
{
    pugi::xml_attribute a = ToPugi(Node("Attribute")).attribute(TCName(name).c_str());
    if (!a) return false;
    value = a.value();
    return true;
}

void TXMLNode::AppendAttribute(std::string_view name, std::string_view value)
{
    pugi::xml_node n = ToPugi(Node("SetAttribute"));
    CheckName(name, "attribute");
    n.append_attribute(TCName(name).c_str()).set_value(value.data(), value.size());
}

void TXMLNode::ListAttributes(std::vector<std::pair<std::string_view, std::string_view>>& list) const
{
    list.clear();
    for (pugi::xml_attribute a : ToPugi(Node("ListAttributes")).attributes()) list.emplace_back(a.name(), a.value());
}

// ------------------------------------------------------------------------ TXMLDocument

struct TXMLDocument::Impl {
    pugi::xml_document Doc;
};

TXMLDocument::TXMLDocument() : FImpl(std::make_unique<Impl>()) {}
TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::LoadFromFile(const std::string& path)
{
    Clear();
    const std::string bytes = ReadFileBytes(path);
    LoadFromXML(ToUtf8(bytes), path);
}

void TXMLDocument::LoadFromXML(std::string_view text, const std::string& name)
{
    Clear();
    pugi::xml_parse_result r = FImpl->Doc.load_buffer(text.data(), text.size(), ParseFlags, pugi::encoding_utf8);
    if (r) {
        Normalize(FImpl->Doc);
        return;
    }
    Clear();
    const std::size_t offset = std::min(static_cast<std::size_t>(r.offset), text.size());
    int line = 1, column = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    throw EXmlError(Format("Error in XML file \"%s\": %s at line %d, column %d (offset %d)",
                           {name, String(r.description()), line, column, static_cast<long long>(offset)}));
}

std::string TXMLDocument::SaveToXML() const
{
    std::string out;
    for (pugi::xml_node n : FImpl->Doc.children()) WriteNode(out, n, 0);
    return out;
}

void TXMLDocument::SaveToFile(const std::string& path) const
{
    if (!DocumentElement()) throw EXmlError(Format("Cannot save \"%s\": the XML document has no root element", {path}));
    WriteFileAtomic(path, SaveToXML());
}

void TXMLDocument::Clear() { FImpl->Doc.reset(); }

bool TXMLDocument::IsEmpty() const { return !FImpl->Doc.first_child(); }

TXMLNode TXMLDocument::DocumentElement() const
{
    pugi::xml_node root = FImpl->Doc.document_element();
    return root ? TXMLNode(FromPugi(root)) : TXMLNode();
}

TXMLNode TXMLDocument::AddChild(std::string_view name)
{
    if (DocumentElement()) throw EXmlError("Only one root element is allowed in an XML document");
    CheckName(name, "element");
    return TXMLNode(FromPugi(FImpl->Doc.append_child(std::string(name).c_str())));
}

void TXMLDocument::AddComment(std::string_view text)
{
    if (!DocumentElement()) throw EXmlError("The document comment must follow the root element");
    if (text.find("--") != std::string_view::npos || (!text.empty() && text.back() == '-'))
        throw EXmlError(Format("Invalid XML comment \"%s\"", {String(text)}));
    FImpl->Doc.append_child(pugi::node_comment).set_value(text.data(), text.size());
}
