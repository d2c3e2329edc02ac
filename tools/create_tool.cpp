#include <new>

#include "tools/brush_tool.h"
#include "tools/clear_area_tool.h"
#include "tools/ellipse_tool.h"
#include "tools/fill_tool.h"
#include "tools/filled_ellipse_tool.h"
#include "tools/filled_rectangle_tool.h"
#include "tools/flip_tool.h"
#include "tools/floating_image_tool.h"
#include "tools/line_tool.h"
#include "tools/mask_brush_tool.h"
#include "tools/move_selection_tool.h"
#include "tools/rectangle_tool.h"
#include "tools/select_tool.h"
#include "tools/smudge_tool.h"
#include "tools/text_tool.h"
#include "tools/tool_factory.h"

Tool* createTool(ToolId id) {
    switch (id) {
        case ToolId::Brush:
            return new (std::nothrow) BrushTool;
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
        case ToolId::MaskBrush:
            return new (std::nothrow) MaskBrushTool;
        case ToolId::Smudge:
            return new (std::nothrow) SmudgeTool;
        case ToolId::Text:
            return new (std::nothrow) TextTool;
        case ToolId::Fill:
            return new (std::nothrow) FillTool;
        case ToolId::MoveSelection:
            return new (std::nothrow) MoveSelectionTool;
        case ToolId::ClearArea:
            return new (std::nothrow) ClearAreaTool;
        case ToolId::Select:
            return new (std::nothrow) SelectTool;
        case ToolId::Flip:
            return new (std::nothrow) FlipTool;
        case ToolId::FloatingImage:
            return new (std::nothrow) FloatingImageTool;
        default:
            return nullptr;
    }
}
