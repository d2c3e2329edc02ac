#pragma once

#include <optional>
#include <string_view>

#include "document/doc_command.h"

// The document commands by the names scripts use, which are their names in
// the program ("Undo", "ExportJpeg", "CanvasSizeChanged").
std::optional<DocCommand> docCommandNamed(std::string_view name);
