// Recording a preview session in the editor and saving it as a replay.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include "PlayTestSupport.h"
#include "editor/HeadlessEditor.h"
#include "editor/RecordingCommands.h"
#include "platform/BinaryIO.h"
#include "platform/DXInput.h"
#include "platform/ScriptedDialogService.h"
#include "windows/MainForm.h"
#include "windows/MenuMnemonics.h"
#include "world/PlayerSprite.h"

namespace kestrilo {
namespace {

using playtest::TPlayLevel;

constexpr uint32_t vkCtrl = 17, vkShift = 16, vkA = 65, vkD = 68;
constexpr TEditMode kPreviewOn = TEditMode::Previewing, kPreviewOff = TEditMode::Editing;

TEST(PlayInputRecorder, KeepsTheNamedKeysOfPreviewTicksOnly) {
  TDXInput input;
  TInputRecorder recorder;
  recorder.RecordTick(input, kPreviewOn);  // not recording yet
  EXPECT_EQ(recorder.Ticks(), 0);

  recorder.Start();
  input.SetKeyDown(vkD, true);
  recorder.RecordTick(input, kPreviewOff);  // the preview is off: not a tick of the replay
  recorder.RecordTick(input, kPreviewOn);   // tick 1
  recorder.RecordTick(input, kPreviewOn);   // tick 2, nothing changed
  input.SetKeyDown(vkCtrl, true);           // a key a replay cannot name
  input.SetKeyDown(vkShift, true);
  recorder.RecordTick(input, kPreviewOn);  // tick 3
  input.SetForeground(false);              // in the background no key counts
  recorder.RecordTick(input, kPreviewOn);  // tick 4
  recorder.Stop();
  recorder.RecordTick(input, kPreviewOn);  // stopped
  EXPECT_EQ(recorder.Ticks(), 4);
  EXPECT_EQ(recorder.Script().Format(), "1 D\n3 Shift,D\n4 -\n");

  recorder.Start();  // a new recording drops the old one
  EXPECT_EQ(recorder.Ticks(), 0);
  EXPECT_TRUE(recorder.Script().Changes().empty());
}

class PlayRecordingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor.OpenObjects();
    editor.LoadLevel(levelPath);
    editor.SetPreview(true);
  }

  TPlayLevel level;
  std::string levelPath = level.Save();
  THeadlessEditor editor{level.DataFolder(), 5};
  TScriptedDialogService dialogs;
  TRecordingCommands recording{editor.Context(), dialogs, editor.Editor()};
};

TEST_F(PlayRecordingTest, TheFrameStepRecordsWhatTheReplayThenPlaysBack) {
  const TReplayScript played = TReplayScript::Parse("1 D\n15 D,Shift\n30 A\n41 -\n");
  recording.StartRecording();
  EXPECT_EQ(editor.Context().Random.RandSeed, TRecordingCommands::kReplaySeed);
  for (int32_t tick = 1; tick <= 50; ++tick) editor.Tick(played.KeysAt(tick));
  recording.StopRecording();
  editor.Tick({vkA});  // after the stop nothing more is kept
  EXPECT_EQ(recording.Recorder.Ticks(), 50);
  EXPECT_EQ(recording.Recorder.Script().Changes(), played.Changes());
}

TEST_F(PlayRecordingTest, SavingWritesTheReplayBesideTheLevel) {
  recording.StartRecording();
  editor.Tick({vkD});
  editor.Tick({});
  recording.SaveRecording();
  const std::string path = level.Path("level.replay");
  EXPECT_EQ(TRecordingCommands::ReplayPathFor(levelPath), path);
  ASSERT_TRUE(FileExists(path));
  const std::string text = ReadWholeFile(path);
  EXPECT_NE(text.find("# ticks: 2, seed: 1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("--ticks 2 --seed 1 --gravity 0"), std::string::npos) << text;
  EXPECT_EQ(TReplayScript::Parse(text).Changes(), recording.Recorder.Script().Changes());
  EXPECT_EQ(dialogs.Messages().back(), "Запись сохранена: " + path);
}

TEST_F(PlayRecordingTest, AnExistingReplayIsReplacedOnlyWhenTheDesignerSaysYes) {
  level.Write("level.replay", "1 A\n");
  recording.StartRecording();
  editor.Tick({vkD});
  dialogs.MessageAnswers.push_back(TModalResult::mrNo);
  recording.SaveRecording();
  EXPECT_EQ(ReadWholeFile(level.Path("level.replay")), "1 A\n");
  ASSERT_FALSE(dialogs.Asked.empty());
  EXPECT_EQ(dialogs.Asked.back().Caption, "Подтвердите запись");
  dialogs.MessageAnswers.push_back(TModalResult::mrYes);
  recording.SaveRecording();
  EXPECT_EQ(TReplayScript::Parse(ReadWholeFile(level.Path("level.replay"))).KeysAt(1), (THeldKeys{vkD}));
}

TEST_F(PlayRecordingTest, AnEmptyRecordingIsNotSaved) {
  recording.SaveRecording();
  EXPECT_FALSE(FileExists(level.Path("level.replay")));
  ASSERT_FALSE(dialogs.Messages().empty());
  EXPECT_EQ(dialogs.Messages().back().rfind("Запись пуста", 0), 0u);
  editor.SetPreview(false);
  recording.StartRecording();
  editor.Tick({vkD});  // preview off: nothing to replay
  recording.SaveRecording();
  EXPECT_FALSE(FileExists(level.Path("level.replay")));
}

TEST(PlayRecordingWithoutLevel, AsksWhereToSaveAndACancelWritesNothing) {
  TPlayLevel level;
  THeadlessEditor editor(level.DataFolder(), 1);
  editor.OpenObjects();
  editor.SetPreview(true);
  TScriptedDialogService dialogs;
  TRecordingCommands recording(editor.Context(), dialogs, editor.Editor());
  recording.StartRecording();
  editor.Tick({vkD});
  recording.SaveRecording();  // cancelled: the queue has no answer
  ASSERT_FALSE(dialogs.Asked.empty());
  EXPECT_EQ(dialogs.Asked.back().Kind, "save");
  const std::string chosen = level.Path("mine.replay");
  dialogs.FileAnswers.push_back(chosen);
  recording.SaveRecording();
  EXPECT_EQ(TReplayScript::Parse(ReadWholeFile(chosen)).KeysAt(1), (THeldKeys{vkD}));
}

TEST(PlayRecordMenu, TheMainWindowHasARecordingMenuOfItsOwn) {
  TPlayLevel level;
  TScriptedDialogService dialogs;
  TForm1 form(level.Path("") + "/", &dialogs);
  ASSERT_NE(form.RecordMenu, nullptr);
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.RecordMenu->title()), QString::fromUtf8("Запись"));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.RecordStart->text()), QString::fromUtf8("Начать запись"));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.RecordStop->text()), QString::fromUtf8("Остановить запись"));
  EXPECT_EQ(TMenuMnemonics::WithoutMnemonic(form.RecordSave->text()), QString::fromUtf8("Сохранить запись..."));
  EXPECT_TRUE(form.RecordStart->isEnabled());
  EXPECT_FALSE(form.RecordStop->isEnabled());
  form.RecordStart->trigger();
  EXPECT_TRUE(form.Recording().Recorder.Recording());
  EXPECT_FALSE(form.RecordStart->isEnabled());
  EXPECT_TRUE(form.RecordStop->isEnabled());
  EXPECT_EQ(form.Editor().Attachments.Recorder, &form.Recording().Recorder);
  form.RecordStop->trigger();
  EXPECT_FALSE(form.Recording().Recorder.Recording());
}

}  // namespace
}  // namespace kestrilo
