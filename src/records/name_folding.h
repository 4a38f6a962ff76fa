// Accented Latin letters typed in a name, folded to the plain letters the record file can hold
// (its names are Shift-JIS, which has none of them): "Zoë" becomes "Zoe", "ß" "ss".
#pragma once

#include <string>
#include <string_view>

namespace vantrell {

// The UTF-8 text with every accented Latin letter replaced by its plain letters; everything
// else, including bytes that are not UTF-8, is kept as it is.
std::string FoldAccents(std::string_view utf8);

}  // namespace vantrell
