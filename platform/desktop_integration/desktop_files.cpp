#include "platform/desktop_integration/desktop_files.h"

#include <cstdint>

namespace platform {

std::string mimePackageText() {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"") +
           desktop_names::mimeType +
           "\">\n"
           "    <comment>Mirabo sketch</comment>\n"
           "    <icon name=\"" +
           desktop_names::documentIcon +
           "\"/>\n"
           "    <glob pattern=\"*.zsf\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string execArgument(std::string_view argument) {
    bool quote = argument.empty();
    for (const char c : argument) {
        if (std::uint8_t(c) < 0x20 || c == 0x7F) return std::string();
        if (std::string_view(" \"'\\><~|&;$*?#()`").find(c) != std::string_view::npos) quote = true;
    }
    std::string out;
    if (quote) out += '"';
    for (const char c : argument) {
        // Inside quotes these four need a backslash.
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
        out += c;
        if (c == '%') out += '%';  // a literal percent sign is doubled
    }
    if (quote) out += '"';
    // The Exec value is a string value too, whose own escape is the
    // backslash: every backslash of the command is written twice.
    std::string escaped;
    for (const char c : out) {
        if (c == '\\') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string desktopEntryText(std::string_view program) {
    const std::string exec = execArgument(program);
    if (program.empty() || exec.empty()) return std::string();
    std::string types = std::string(desktop_names::mimeType) + ";";
    for (const char* type : desktop_names::openedPictureTypes)
        types += std::string(type) + ";";
    return std::string(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Mirabo\n"
               "GenericName=Paint Program\n"
               "Comment=Paint and sketch pictures\n"
               "Exec=") +
           exec + " file:%f\n" + "Icon=" + desktop_names::programIcon +
           "\n"
           "Terminal=false\n"
           "MimeType=" +
           types +
           "\n"
           "Categories=Graphics;2DGraphics;RasterGraphics;\n";
}

}  // namespace platform
