#pragma once

#include "tools/tool.h"

// Makes tools by kind and keeps released ones for reuse, one free list per
// kind, last released first handed out. Tools are only freed when the
// factory goes, so painting never allocates once every kind has been used.
class ToolFactory {
  public:
    ToolFactory() = default;
    ~ToolFactory();
    ToolFactory(const ToolFactory&) = delete;
    ToolFactory& operator=(const ToolFactory&) = delete;

    // Null, after the memory-error message, for an unknown kind or when no
    // tool can be made.
    Tool* acquire(SketchDocument& document, ToolId id);
    void release(SketchDocument& document, Tool* tool);

  private:
    Tool* freeLists[toolIdCount] = {};
};

// A new tool of the kind, or null when the kind is unknown or memory is short.
Tool* createTool(ToolId id);
