#include "platform/dialogs/scripted_dialogs.h"

#include <gtest/gtest.h>

#include "platform/dialogs/dialogs.h"
#include "platform/window/headless_window.h"

namespace platform {
namespace {

FileDialogRequest saveRequest() {
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.filters = {FileFilter{u"Mirabo Files", u"*.zsf"}};
    request.initialName = u"sketch.zsf";
    request.askBeforeReplace = true;
    return request;
}

// --- Message boxes ---------------------------------------------------------

TEST(ScriptedDialogsTest, AnEmptyQueueAnswersOkOrCancel) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
}

TEST(ScriptedDialogsTest, PromptsTakeTheQueuedAnswersInOrder) {
    ScriptedDialogs dialogs;
    dialogs.queueMessageAnswer(MessageAnswer::Yes);
    dialogs.queueMessageAnswer(MessageAnswer::No);
    dialogs.queueMessageAnswer(MessageAnswer::Cancel);
    for (MessageAnswer want : {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel})
        EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel), want);
    EXPECT_EQ(dialogs.pendingMessageAnswers(), 0u);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
}

TEST(ScriptedDialogsTest, AnOkBoxLeavesAnAnswerMeantForAPromptAlone) {
    ScriptedDialogs dialogs;
    dialogs.queueMessageAnswer(MessageAnswer::No);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"oops", u"Memory Error", MessageButtons::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(dialogs.pendingMessageAnswers(), 1u);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel),
              MessageAnswer::No);
}

TEST(ScriptedDialogsTest, AQueuedOkGoesToAnOkBoxAndIsNeverAPromptsAnswer) {
    ScriptedDialogs dialogs;
    dialogs.queueMessageAnswer(MessageAnswer::Ok);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(dialogs.pendingMessageAnswers(), 0u);

    // A prompt does not offer OK: the stray answer is used up as Cancel,
    // the answer that changes nothing.
    dialogs.queueMessageAnswer(MessageAnswer::Ok);
    dialogs.queueMessageAnswer(MessageAnswer::Yes);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel),
              MessageAnswer::Yes);
}

TEST(ScriptedDialogsTest, EveryBoxIsRecordedWithItsAnswer) {
    ScriptedDialogs dialogs;
    HeadlessWindow owner(2, 2);
    dialogs.queueMessageAnswer(MessageAnswer::Yes);
    dialogs.messageBox(&owner, u"Save changes to current drawing?", u"Save Changes",
                       MessageButtons::YesNoCancel);
    dialogs.messageBox(nullptr, u"Failed to save - storage memory may be full", u"Save Failed",
                       MessageButtons::Ok);
    ASSERT_EQ(dialogs.records().size(), 2u);
    const DialogRecord& prompt = dialogs.records()[0];
    EXPECT_EQ(prompt.kind, DialogRecord::Kind::Message);
    EXPECT_EQ(prompt.owner, &owner);
    EXPECT_EQ(prompt.caption, u"Save Changes");
    EXPECT_EQ(prompt.text, u"Save changes to current drawing?");
    EXPECT_EQ(prompt.buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(prompt.answer, MessageAnswer::Yes);
    EXPECT_EQ(dialogs.records()[1].caption, u"Save Failed");
    EXPECT_EQ(dialogs.records()[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.records()[1].answer, MessageAnswer::Ok);

    dialogs.clearRecords();
    EXPECT_TRUE(dialogs.records().empty());
}

// --- File dialogs ----------------------------------------------------------

TEST(ScriptedDialogsTest, AFileDialogAnswersTheQueuedNameAndRecordsTheRequest) {
    ScriptedDialogs dialogs;
    HeadlessWindow owner(2, 2);
    dialogs.queueFileChoice(u"\\My Documents\\cat.zsf");
    FileDialogRequest request = saveRequest();
    request.owner = &owner;
    std::u16string chosen;
    ASSERT_TRUE(dialogs.chooseFile(request, chosen));
    EXPECT_EQ(chosen, u"\\My Documents\\cat.zsf");

    ASSERT_EQ(dialogs.records().size(), 1u);
    const DialogRecord& record = dialogs.records()[0];
    EXPECT_EQ(record.kind, DialogRecord::Kind::SaveFile);
    EXPECT_EQ(record.owner, &owner);
    EXPECT_FALSE(record.cancelled);
    EXPECT_EQ(record.chosenPath, u"\\My Documents\\cat.zsf");
    EXPECT_EQ(record.request.filters, request.filters);
    EXPECT_EQ(record.request.initialName, u"sketch.zsf");
    EXPECT_TRUE(record.request.askBeforeReplace);
    EXPECT_EQ(record.request.maxPathLength, 250u);
}

TEST(ScriptedDialogsTest, CancelsLeaveTheCallersNameAlone) {
    ScriptedDialogs dialogs;
    dialogs.queueFileCancel();
    std::u16string chosen = u"before";
    FileDialogRequest open;
    EXPECT_FALSE(dialogs.chooseFile(open, chosen));  // queued cancel
    EXPECT_FALSE(dialogs.chooseFile(open, chosen));  // empty queue
    EXPECT_EQ(chosen, u"before");
    ASSERT_EQ(dialogs.records().size(), 2u);
    EXPECT_EQ(dialogs.records()[0].kind, DialogRecord::Kind::OpenFile);
    EXPECT_TRUE(dialogs.records()[0].cancelled);
    EXPECT_TRUE(dialogs.records()[1].cancelled);
    EXPECT_TRUE(dialogs.records()[1].chosenPath.empty());
}

TEST(ScriptedDialogsTest, ANameLongerThanTheCallerCanHoldIsNeverAnswered) {
    ScriptedDialogs dialogs;
    const std::u16string longest(250, u'a');
    dialogs.queueFileChoice(longest + u"b");
    dialogs.queueFileChoice(longest);
    dialogs.queueFileChoice(u"");
    std::u16string chosen;
    const FileDialogRequest request = saveRequest();
    EXPECT_FALSE(dialogs.chooseFile(request, chosen));
    EXPECT_TRUE(chosen.empty());
    EXPECT_TRUE(dialogs.chooseFile(request, chosen));
    EXPECT_EQ(chosen, longest);
    EXPECT_FALSE(dialogs.chooseFile(request, chosen));  // an empty name cannot be confirmed
    EXPECT_TRUE(dialogs.records()[0].cancelled);
}

TEST(ScriptedDialogsTest, MessageAndFileAnswersHaveTheirOwnQueues) {
    ScriptedDialogs dialogs;
    dialogs.queueFileChoice(u"a.zsf");
    dialogs.queueMessageAnswer(MessageAnswer::Yes);
    EXPECT_EQ(dialogs.messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel),
              MessageAnswer::Yes);
    std::u16string chosen;
    EXPECT_TRUE(dialogs.chooseFile(saveRequest(), chosen));
    EXPECT_EQ(chosen, u"a.zsf");
    EXPECT_EQ(dialogs.pendingFileChoices(), 0u);
}

// --- The printed form --------------------------------------------------------

TEST(ScriptedDialogsFormatTest, MessagesAndDialogsPrintOneLineEach) {
    ScriptedDialogs dialogs;
    dialogs.queueMessageAnswer(MessageAnswer::No);
    dialogs.messageBox(nullptr, u"Save changes to current drawing?", u"Save Changes",
                       MessageButtons::YesNoCancel);
    dialogs.messageBox(nullptr, u"Failed to load - file may be corrupt or an unsupported version",
                       u"Load Failed", MessageButtons::Ok);
    dialogs.queueFileChoice(u"\\Temp\\cat.zsf");
    std::u16string chosen;
    dialogs.chooseFile(saveRequest(), chosen);
    FileDialogRequest import;
    import.filters = parseFilterString(u"JPEG Files:*.jpg:::");
    dialogs.chooseFile(import, chosen);

    ASSERT_EQ(dialogs.records().size(), 4u);
    EXPECT_EQ(format(dialogs.records()[0]),
              R"(message "Save Changes" "Save changes to current drawing?" -> no)");
    EXPECT_EQ(
        format(dialogs.records()[1]),
        R"(message "Load Failed" "Failed to load - file may be corrupt or an unsupported version" -> ok)");
    EXPECT_EQ(format(dialogs.records()[2]),
              R"(dialog save "Mirabo Files" "*.zsf" initial="sketch.zsf" -> "\Temp\cat.zsf")");
    EXPECT_EQ(format(dialogs.records()[3]),
              R"(dialog open "JPEG Files" "*.jpg" initial="" -> cancel)");
}

TEST(ScriptedDialogsFormatTest, QuotesAndLineBreaksCannotBreakTheLine) {
    ScriptedDialogs dialogs;
    dialogs.queueMessageAnswer(MessageAnswer::Yes);
    dialogs.messageBox(nullptr, u"say \"hi\"\nnow\t\x01", u"Q", MessageButtons::YesNoCancel);
    EXPECT_EQ(format(dialogs.records()[0]), R"(message "Q" "say \"hi\"\nnow\t\x01" -> yes)");
}

TEST(ScriptedDialogsFormatTest, TextIsPrintedAsUtf8) {
    ScriptedDialogs dialogs;
    dialogs.queueFileChoice(u"Bild \u00E4\u65E5.zsf");
    std::u16string chosen;
    dialogs.chooseFile(saveRequest(), chosen);
    EXPECT_EQ(format(dialogs.records()[0]),
              "dialog save \"Mirabo Files\" \"*.zsf\" initial=\"sketch.zsf\" -> \"Bild "
              "\xC3\xA4\xE6\x97\xA5.zsf\"");
}

// --- Filters -----------------------------------------------------------------

TEST(FilterStringTest, TheProgramsFilterStringsGiveOneEntryEach) {
    EXPECT_EQ(parseFilterString(u"JPEG Files:*.jpg:::"),
              (std::vector<FileFilter>{{u"JPEG Files", u"*.jpg"}}));
    EXPECT_EQ(parseFilterString(u"Bitmap Files:*.bmp:::"),
              (std::vector<FileFilter>{{u"Bitmap Files", u"*.bmp"}}));
}

TEST(FilterStringTest, SeveralEntriesUntilTheEmptyOne) {
    EXPECT_EQ(parseFilterString(u"A:*.a:B:*.b;*.c::C:*.x"),
              (std::vector<FileFilter>{{u"A", u"*.a"}, {u"B", u"*.b;*.c"}}));
    // Without terminators the end of the text ends the list.
    EXPECT_EQ(parseFilterString(u"A:*.a"), (std::vector<FileFilter>{{u"A", u"*.a"}}));
}

TEST(FilterStringTest, IncompleteEntriesGiveNoFilter) {
    EXPECT_TRUE(parseFilterString(u"").empty());
    EXPECT_TRUE(parseFilterString(u":::").empty());
    EXPECT_TRUE(parseFilterString(u":*.jpg:::").empty());
    EXPECT_TRUE(parseFilterString(u"JPEG Files").empty());
    EXPECT_TRUE(parseFilterString(u"JPEG Files::*.jpg").empty());
    EXPECT_EQ(parseFilterString(u"A:*.a:B"), (std::vector<FileFilter>{{u"A", u"*.a"}}));
}

// --- The process-wide dialogs ----------------------------------------------

TEST(CurrentDialogsTest, WithoutInstalledDialogsEveryBoxGetsItsDefault) {
    setDialogs(nullptr);
    EXPECT_EQ(dialogs().messageBox(nullptr, u"t", u"c", MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(dialogs().messageBox(nullptr, u"t", u"c", MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    std::u16string chosen = u"x";
    EXPECT_FALSE(dialogs().chooseFile(saveRequest(), chosen));
    EXPECT_EQ(chosen, u"x");
}

TEST(CurrentDialogsTest, InstalledDialogsAreAskedUntilRemoved) {
    ScriptedDialogs scripted;
    setDialogs(&scripted);
    EXPECT_EQ(&dialogs(), &scripted);
    dialogs().messageBox(nullptr, u"t", u"Memory Error", MessageButtons::Ok);
    EXPECT_EQ(scripted.records().size(), 1u);
    setDialogs(nullptr);
    EXPECT_NE(&dialogs(), &scripted);
    dialogs().messageBox(nullptr, u"t", u"Memory Error", MessageButtons::Ok);
    EXPECT_EQ(scripted.records().size(), 1u);
}

}  // namespace
}  // namespace platform
