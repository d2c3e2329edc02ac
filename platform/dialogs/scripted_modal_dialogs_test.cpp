#include "platform/dialogs/scripted_modal_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/bitmap.h"

namespace platform {
namespace {

// A pop-up that closes with OK on the second lift and paints a counter into
// its one pixel, so the tests see the order of events and paints.
class CountingDialog : public PixelDialog {
  public:
    CountingDialog() : client_(Bitmap::createCompatible(1, 1)) {}

    std::string_view name() const override { return "counting"; }
    std::int32_t anchorCommand() const override { return 40024; }
    const Bitmap* clientArea() const override { return client_.get(); }
    bool needsPaint() const override { return dirty_; }
    void paint() override {
        dirty_ = false;
        client_->row(0)[0] = std::uint8_t(++paints);
    }
    void stylusDown(std::int32_t x, std::int32_t y) override { log("down", x, y); }
    void stylusMove(std::int32_t x, std::int32_t y) override { log("move", x, y); }
    void stylusUp(std::int32_t x, std::int32_t y) override {
        log("up", x, y);
        if (++lifts_ < 2) return;
        result_ = dialogOk;
        closed_ = true;
    }
    bool closed() const override { return closed_; }
    int result() const override { return result_; }
    void cancel() override {
        events.push_back("cancel");
        closed_ = true;
        result_ = dialogCancel;
    }

    std::vector<std::string> events;
    int paints = 0;

  private:
    void log(const char* what, std::int32_t x, std::int32_t y) {
        events.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
        dirty_ = true;
    }

    std::unique_ptr<Bitmap> client_;
    bool dirty_ = true;
    bool closed_ = false;
    int result_ = 0;
    int lifts_ = 0;
};

TEST(ScriptedModalDialogsTest, APopUpTakesItsEventsUntilItClosesAndLeavesTheRest) {
    ScriptedModalDialogs dialogs;
    dialogs.queueStylus("counting", {StylusEvent::Kind::Down, 3, 4});
    dialogs.queueStylus("counting", {StylusEvent::Kind::Up, 3, 4});
    dialogs.queueStylus("other", {StylusEvent::Kind::Down, 9, 9});
    dialogs.queueStylus("counting", {StylusEvent::Kind::Move, -5, 70000});
    dialogs.queueStylus("counting", {StylusEvent::Kind::Up, 1, 2});
    dialogs.queueStylus("counting", {StylusEvent::Kind::Down, 0, 0});

    CountingDialog dialog;
    EXPECT_EQ(dialogs.runPixelDialog(nullptr, dialog), dialogOk);
    EXPECT_EQ(dialog.events,
              (std::vector<std::string>{"down 3,4", "up 3,4", "move -5,70000", "up 1,2"}));
    // Painted before it was shown and after every event but the closing one.
    EXPECT_EQ(dialog.paints, 4);
    EXPECT_EQ(dialogs.pendingStylusEvents("counting"), 1u);
    EXPECT_EQ(dialogs.pendingStylusEvents("other"), 1u);

    ASSERT_EQ(dialogs.records().size(), 1u);
    EXPECT_EQ(dialogs.records()[0].stylusEvents, 4u);
    EXPECT_EQ(dialogs.records()[0].anchorCommand, 40024);
    EXPECT_EQ(format(dialogs.records()[0]), "dialog counting -> 1");
    const Bitmap* kept = dialogs.lastClientArea("counting");
    ASSERT_NE(kept, nullptr);
    EXPECT_NE(kept, dialog.clientArea());
    EXPECT_EQ(kept->row(0)[0], 4);
}

TEST(ScriptedModalDialogsTest, APopUpStillOpenWhenItsEventsRunOutIsCancelled) {
    ScriptedModalDialogs dialogs;
    dialogs.queueStylus("counting", {StylusEvent::Kind::Up, 1, 1});
    CountingDialog dialog;
    EXPECT_EQ(dialogs.runPixelDialog(nullptr, dialog), dialogCancel);
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"up 1,1", "cancel"}));
    EXPECT_EQ(format(dialogs.records().back()), "dialog counting -> 2");

    CountingDialog unscripted;
    EXPECT_EQ(dialogs.runPixelDialog(nullptr, unscripted), dialogCancel);
    EXPECT_EQ(unscripted.events, (std::vector<std::string>{"cancel"}));
    EXPECT_EQ(dialogs.lastClientArea("nothing ran"), nullptr);
}

TEST(ScriptedModalDialogsTest, NumberFieldsTakeTypedTextsOrCancel) {
    ScriptedModalDialogs dialogs;
    dialogs.queueFieldTexts({u"0", u"5000"});
    dialogs.queueFieldsCancel();
    dialogs.queueFieldTexts({u"7"});

    NumberFieldsRequest request;
    request.name = "canvassize";
    request.fields = {{1010, u"Width:", u"600"}, {1011, u"Height:", u"400"}};
    EXPECT_EQ(dialogs.runNumberFields(request), dialogOk);
    EXPECT_EQ(request.fields[0].text, u"0");
    EXPECT_EQ(request.fields[1].text, u"5000");

    request.fields[0].text = u"600";
    request.fields[1].text = u"400";
    EXPECT_EQ(dialogs.runNumberFields(request), dialogCancel);
    EXPECT_EQ(request.fields[0].text, u"600");

    // Fewer texts than fields: the others keep what they showed.
    EXPECT_EQ(dialogs.runNumberFields(request), dialogOk);
    EXPECT_EQ(request.fields[0].text, u"7");
    EXPECT_EQ(request.fields[1].text, u"400");

    EXPECT_EQ(dialogs.runNumberFields(request), dialogCancel);
    ASSERT_EQ(dialogs.records().size(), 4u);
    EXPECT_EQ(dialogs.records()[0].shownTexts, (std::vector<std::u16string>{u"600", u"400"}));
    EXPECT_EQ(dialogs.records()[0].typedTexts, (std::vector<std::u16string>{u"0", u"5000"}));
    EXPECT_TRUE(dialogs.records()[1].typedTexts.empty());
    EXPECT_EQ(format(dialogs.records()[1]), "dialog canvassize -> 2");
    EXPECT_EQ(dialogs.pendingFieldAnswers(), 0u);
}

TEST(ScriptedModalDialogsTest, TheAboutBoxIsClosedWithDone) {
    ScriptedModalDialogs dialogs;
    EXPECT_EQ(dialogs.runAboutBox(AboutBoxRequest{}), dialogOk);
    EXPECT_EQ(format(dialogs.records().back()), "dialog about -> 1");
    EXPECT_EQ(dialogs.records().back().pictureWidth, 0);

    // What it showed is recorded: caption, version, lines, the picture's size.
    auto picture = Bitmap::createCompatible(20, 7);
    ASSERT_TRUE(picture);
    AboutBoxRequest request;
    request.caption = u"About";
    request.version = u"v1";
    request.lines = {u"one", u"two"};
    request.picture = picture.get();
    dialogs.runAboutBox(request);
    const ModalDialogRecord& shown = dialogs.records().back();
    EXPECT_EQ(shown.shownTexts, (std::vector<std::u16string>{u"About", u"v1", u"one", u"two"}));
    EXPECT_EQ(shown.pictureWidth, 20);
    EXPECT_EQ(shown.pictureHeight, 7);
}

TEST(ModalDialogsTest, WithoutAShellEveryDialogEndsAtOnce) {
    setModalDialogs(nullptr);
    CountingDialog dialog;
    EXPECT_EQ(modalDialogs().runPixelDialog(nullptr, dialog), dialogCancel);
    NumberFieldsRequest request;
    EXPECT_EQ(modalDialogs().runNumberFields(request), dialogCancel);
    EXPECT_EQ(modalDialogs().runAboutBox(AboutBoxRequest{}), dialogOk);

    ScriptedModalDialogs installed;
    setModalDialogs(&installed);
    EXPECT_EQ(&modalDialogs(), &installed);
    setModalDialogs(nullptr);
}

TEST(ModalDialogsTest, APopUpDropsFromTheMiddleOfItsButton) {
    EXPECT_EQ(dropDownOrigin(RECT{100, 0, 118, 17}), (POINT{109, 7}));
    EXPECT_EQ(dropDownOrigin(RECT{-7, 20, 0, 40}), (POINT{-4, 30}));
}

TEST(CopyBitmapTest, CopiesPixelsAndColourTable) {
    BitmapInfoHeader header;
    header.biWidth = 3;
    header.biHeight = -2;
    header.biBitCount = 1;
    const RgbQuad colours[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    auto source = Bitmap::create(header, colours, 2);
    ASSERT_TRUE(source);
    source->row(1)[0] = 0xA0;
    auto copy = copyBitmap(*source);
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->bottomUp());
    EXPECT_EQ(copy->bitCount(), 1);
    EXPECT_EQ(copy->row(1)[0], 0xA0);
    EXPECT_EQ(copy->colourTable()[1].rgbRed, 255);
}

}  // namespace
}  // namespace platform
