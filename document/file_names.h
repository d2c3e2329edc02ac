#pragma once

#include <string>
#include <string_view>

// Whether `name` ends in `extension`, compared ignoring letter case.
bool endsWithIgnoringCase(std::u16string_view name, std::u16string_view extension);

// The name with `extension` (".zsf", ".jpg", ".bmp") appended, unless it
// already ends in it, compared ignoring letter case, and is at least five
// characters long: "abc" becomes "abc.zsf", "a.zsf" stays, and even ".zsf"
// becomes ".zsf.zsf".
std::u16string forceExtension(const std::u16string& name, std::u16string_view extension);
