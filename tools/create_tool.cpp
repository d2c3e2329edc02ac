#include <new>

#include "tools/tool_factory.h"

// Tool classes are being added one family at a time; each becomes available
// here as its header appears.
#if __has_include("tools/brush_tool.h")
#include "tools/brush_tool.h"
#define MIRABO_HAS_BRUSH_TOOL 1
#endif
#if __has_include("tools/mask_brush_tool.h")
#include "tools/mask_brush_tool.h"
#define MIRABO_HAS_MASK_BRUSH_TOOL 1
#endif
#if __has_include("tools/smudge_tool.h")
#include "tools/smudge_tool.h"
#define MIRABO_HAS_SMUDGE_TOOL 1
#endif
#if __has_include("tools/line_tool.h")
#include "tools/ellipse_tool.h"
#include "tools/filled_ellipse_tool.h"
#include "tools/filled_rectangle_tool.h"
#include "tools/line_tool.h"
#include "tools/rectangle_tool.h"
#define MIRABO_HAS_SHAPE_TOOLS 1
#endif

Tool* createTool(ToolId id) {
    switch (id) {
#ifdef MIRABO_HAS_BRUSH_TOOL
        case ToolId::Brush:
            return new (std::nothrow) BrushTool;
#endif
#ifdef MIRABO_HAS_MASK_BRUSH_TOOL
        case ToolId::MaskBrush:
            return new (std::nothrow) MaskBrushTool;
#endif
#ifdef MIRABO_HAS_SMUDGE_TOOL
        case ToolId::Smudge:
            return new (std::nothrow) SmudgeTool;
#endif
#ifdef MIRABO_HAS_SHAPE_TOOLS
        case ToolId::Line:
            return new (std::nothrow) LineTool;
        case ToolId::Rectangle:
            return new (std::nothrow) RectangleTool;
        case ToolId::FilledRectangle:
            return new (std::nothrow) FilledRectangleTool;
        case ToolId::Ellipse:
            return new (std::nothrow) EllipseTool;
        case ToolId::FilledEllipse:
            return new (std::nothrow) FilledEllipseTool;
#endif
        default:
            return nullptr;
    }
}
