#include "app/frame/memory_error.h"

#include "platform/dialogs/dialogs.h"

void showMemoryError() {
    platform::dialogs().messageBox(nullptr,
                                   u"A memory allocation has failed - main memory may be full.",
                                   u"Memory Error", platform::MessageButtons::Ok);
}
