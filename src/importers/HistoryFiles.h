#pragma once
// Which form of the History file is at hand: History.dat or history.xml.

#include <string>
#include <string_view>

namespace arc {

/// True when the file begins (after a byte order mark and blanks) like an XML document.
bool LooksLikeXml(std::string_view path);

/// The "history.xml" (any case) in the folder of `path`, or "" when there is none.
std::string HistoryXmlBeside(std::string_view path);

}  // namespace arc
