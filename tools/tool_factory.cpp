#include "tools/tool_factory.h"

#include "app/frame/memory_error.h"

ToolFactory::~ToolFactory() {
    for (Tool*& head : freeLists) {
        while (head) {
            Tool* tool = head;
            head = tool->next;
            delete tool;
        }
    }
}

Tool* ToolFactory::acquire(SketchDocument& document, ToolId id) {
    const int index = int(id);
    Tool* tool = nullptr;
    if (index >= 0 && index < toolIdCount) {
        if (Tool*& head = freeLists[index]) {
            tool = head;
            head = tool->next;
        } else {
            tool = createTool(id);
        }
    }
    if (!tool) {
        showMemoryError();
        return nullptr;
    }
    tool->onAcquire(document);
    return tool;
}

void ToolFactory::release(SketchDocument& document, Tool* tool) {
    if (!tool) return;
    tool->onRelease(document);
    Tool*& head = freeLists[int(tool->toolId())];
    tool->next = head;
    head = tool;
}
