// Build-time tool: turns builtin_texts.txt into a C++ source file holding the texts as
// constant data: all texts one after the other in one character array, and the offset of
// each text in a table (entry n spans offsets n .. n+1). Plain data compiles in a fraction
// of a second, where thousands of separately initialised strings take the compiler long.
// Usage: gen_builtin_texts <builtin_texts.txt> <output.cpp> <number of entries>
//
// Input lines: "<number> \"<text>\"", numbers 0, 1, 2 ... without gaps; the text is
// everything between the first and the last double quote; escapes \\ \t \n \r. Lines
// beginning with '#' and empty lines are remarks. Any other line stops the build.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

int Fail(const std::string& file, int lineNo, const std::string& why)
{
    std::cerr << file << ":" << lineNo << ": " << why << "\n";
    return 1;
}

bool Unescape(const std::string& in, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '\\') {
            out += in[i];
            continue;
        }
        if (++i >= in.size()) return false;
        switch (in[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return false;
        }
    }
    return true;
}

// A C++ string literal of the bytes: printable ASCII as is, everything else as a
// three-digit octal escape (which cannot run into the following character).
std::string Literal(const std::string& s)
{
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 32 && c < 127 && c != '?') {   // '?' escaped against trigraph readers
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        }
    }
    return out + "\"";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: gen_builtin_texts <builtin_texts.txt> <output.cpp> <number of entries>\n";
        return 2;
    }
    const int expected = std::atoi(argv[3]);
    const std::string inName = argv[1];
    std::ifstream in(inName, std::ios::binary);
    if (!in) return Fail(inName, 0, "cannot open");

    std::ostringstream body, offsets;
    std::string line, text;
    size_t offset = 0;
    int lineNo = 0, count = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        size_t blank = line.find(' ');
        size_t first = line.find('"');
        size_t last = line.rfind('"');
        if (blank == std::string::npos || first != blank + 1 || last == first || last + 1 != line.size())
            return Fail(inName, lineNo, "expected: number, blank, text in double quotes");
        const std::string number = line.substr(0, blank);
        if (number != std::to_string(count))
            return Fail(inName, lineNo, "expected entry " + std::to_string(count) + ", found " + number);
        if (!Unescape(line.substr(first + 1, last - first - 1), text))
            return Fail(inName, lineNo, "bad escape in the text");
        if (text.find('\0') != std::string::npos) return Fail(inName, lineNo, "NUL in the text");
        body << "    " << Literal(text) << "\n";
        offsets << "    " << offset << ",\n";
        offset += text.size();
        ++count;
    }
    if (count != expected)
        return Fail(inName, lineNo, std::to_string(count) + " entries, expected " + std::to_string(expected));

    const std::string outName = argv[2];
    const std::string tmpName = outName + ".tmp";
    {
        std::ofstream out(tmpName, std::ios::binary | std::ios::trunc);
        out << "// Generated from builtin_texts.txt at build time. Do not edit.\n"
            << "#include \"shell/texts/BuiltinTexts.h\"\n\n"
            << "#include <cstdint>\n\n"
            << "namespace {\n\n"
            << "const char Text_Data[] =\n"
            << (count ? body.str() : std::string("    \"\"\n")) << "    ;\n\n"
            << "const uint32_t Text_Offsets[] = {\n"
            << offsets.str() << "    " << offset << "\n};\n\n"
            << "} // namespace\n\n"
            << "const int Builtin_Texts_Count = " << count << ";\n\n"
            << "std::string_view Builtin_Texts_Entry(int Number)\n"
            << "{\n"
            << "    return std::string_view(Text_Data + Text_Offsets[Number],\n"
            << "                            Text_Offsets[Number + 1] - Text_Offsets[Number]);\n"
            << "}\n";
        if (!out) return Fail(tmpName, 0, "cannot write");
    }
    if (std::rename(tmpName.c_str(), outName.c_str()) != 0) return Fail(outName, 0, "cannot write");
    return 0;
}
