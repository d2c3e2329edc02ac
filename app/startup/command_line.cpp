#include "app/startup/command_line.h"

namespace {

bool equalsIgnoringCase(std::u16string_view text, std::u16string_view lowerCase) {
    if (text.size() != lowerCase.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
        if (c != lowerCase[i]) return false;
    }
    return true;
}

}  // namespace

CommandLineRequest interpretCommandLine(std::u16string_view commandLine) {
    const std::size_t colon = commandLine.find(u':');
    const std::u16string_view verb = commandLine.substr(0, colon);
    CommandLineRequest request;
    if (!equalsIgnoringCase(verb, u"file")) return request;
    request.openFile = true;
    if (colon != std::u16string_view::npos) request.path = commandLine.substr(colon + 1);
    return request;
}
