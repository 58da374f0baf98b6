#pragma once
// Pages of a written PDF file, counted by its page objects (not the page tree).
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

inline int PdfPageCount(const std::string& Path)
{
    std::ifstream in(Path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const std::regex page(R"(/Type\s*/Page[^s])");
    return int(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}
