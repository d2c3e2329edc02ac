#include "tools/tool_factory.h"

#include <gtest/gtest.h>

#include "document/testing/document_fixture.h"

namespace {

using document_testing::DocumentTest;

class ToolFactoryTest : public DocumentTest {};

TEST_F(ToolFactoryTest, ReleasedToolsComeBackLastInFirstOut) {
    ToolFactory& factory = document.toolFactory;
    Tool* first = factory.acquire(document, ToolId::Brush);
    Tool* second = factory.acquire(document, ToolId::Brush);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    factory.release(document, first);
    factory.release(document, second);
    EXPECT_EQ(factory.acquire(document, ToolId::Brush), second);
    EXPECT_EQ(factory.acquire(document, ToolId::Brush), first);
    // Each kind has its own list.
    factory.release(document, first);
    Tool* line = factory.acquire(document, ToolId::Line);
    EXPECT_NE(line, first);
    EXPECT_EQ(line->toolId(), ToolId::Line);
    factory.release(document, line);
    factory.release(document, second);
}

TEST_F(ToolFactoryTest, AcquireResetsFlagsAndBounds) {
    ToolFactory& factory = document.toolFactory;
    Tool* tool = factory.acquire(document, ToolId::Rectangle);
    ASSERT_TRUE(tool);
    tool->bounds = RECT{1, 2, 3, 4};
    tool->setFlag(ToolFlags::Suppressed, true);
    factory.release(document, tool);
    EXPECT_FALSE(tool->hasFlag(ToolFlags::Acquired));
    // Until it is acquired again it keeps what it was released with.
    EXPECT_EQ(tool->bounds, (RECT{1, 2, 3, 4}));
    Tool* again = factory.acquire(document, ToolId::Rectangle);
    ASSERT_EQ(again, tool);
    EXPECT_EQ(again->bounds, RECT{});
    EXPECT_TRUE(again->hasFlag(ToolFlags::Acquired));
    EXPECT_FALSE(again->hasFlag(ToolFlags::Suppressed));
    EXPECT_TRUE(again->hasFlag(ToolFlags::RedrawWhole));
    factory.release(document, again);
}

TEST_F(ToolFactoryTest, UnknownKindsShowTheMemoryError) {
    EXPECT_EQ(document.toolFactory.acquire(document, ToolId(15)), nullptr);
    EXPECT_EQ(document.toolFactory.acquire(document, ToolId(-1)), nullptr);
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_EQ(dialogs.records()[0].caption, u"Memory Error");
}

TEST_F(ToolFactoryTest, FlagRules) {
    Tool* tool = document.toolFactory.acquire(document, ToolId::Line);
    ASSERT_TRUE(tool);
    EXPECT_TRUE(tool->setFlag(ToolFlags::NoSync, true));
    EXPECT_FALSE(tool->setFlag(ToolFlags::NoSync, true));
    EXPECT_TRUE(tool->setFlag(ToolFlags::NoSync, false));
    EXPECT_FALSE(tool->setFlag(ToolFlags::NoSync, false));
    EXPECT_TRUE(tool->setFlag(ToolFlags::Marquee, true));
    const ToolFlags before = tool->flags;
    EXPECT_FALSE(tool->setFlag(ToolFlags::Suppressed, true));
    EXPECT_EQ(tool->flags, before);
    // A tool that changes no pixels syncs nothing and says so.
    tool->setFlag(ToolFlags::NoPixels, true);
    tool->bounds = RECT{0, 0, 50, 50};
    setLive(10, 10, 0x123456);
    EXPECT_TRUE(tool->syncPictures(document, true));
    EXPECT_EQ(committed(10, 10), 0xFFFFFFu);
    document.toolFactory.release(document, tool);
}

}  // namespace
