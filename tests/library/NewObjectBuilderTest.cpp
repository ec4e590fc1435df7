// Building a library entry from the new-object dialog's choices.
#include <gtest/gtest.h>

#include "library/FloatText.h"
#include "library/NewObjectBuilder.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"
#include "platform/Rounding.h"

namespace kestrilo {
namespace {

TEST(WeaponValuePacking, KnownValues) {
  EXPECT_EQ(TNewObjectBuilder::PackWeaponValue(0, 1), 1);     // "Тип 1", 1 round
  EXPECT_EQ(TNewObjectBuilder::PackWeaponValue(1, 25), 61);   // 36.43 + 25 = 61.43
  EXPECT_EQ(TNewObjectBuilder::PackWeaponValue(6, 25), 244);  // "Тип 7", 25 rounds
  EXPECT_EQ(TNewObjectBuilder::PackWeaponValue(5, 1), 183);   // "Тип 6", 1 round
  EXPECT_EQ(TNewObjectBuilder::PackWeaponValue(1, 1), 37);
  EXPECT_EQ(TNewObjectBuilder::PackWeaponValue(0, 25), 25);
}

TEST(WeaponValuePacking, EveryPairUnpacksToItself) {
  // The ammunition crate unpacks: type = value div 36, count = round(value - type * 36.43).
  for (int32_t type = 0; type <= 6; ++type) {
    for (int32_t count = 1; count <= 25; ++count) {
      const uint8_t value = TNewObjectBuilder::PackWeaponValue(type, count);
      const int32_t unpackedType = value / 36;
      EXPECT_EQ(unpackedType, type) << "value " << int(value);
      EXPECT_EQ(Round(value - unpackedType * 36.43), count) << "value " << int(value);
    }
  }
}

TEST(NewObjectRecord, TakesEveryChoice) {
  TNewObjectChoices c;
  c.PictureFileName = "pics/door.bmp";
  c.TransparentColor = 0x00FF00FF;
  c.Transparent = true;
  c.Name = "Дверь";
  c.FrameWidth = 32;
  c.FrameHeight = 64;
  c.TypeIndex = otDoor;
  c.Health = -128;
  c.ConstantEffect = false;
  c.WeaponTypeIndex = 1;
  c.AmmoCount = 25;
  const TNewObject o = TNewObjectBuilder::Build(c, 7);
  EXPECT_EQ(o.Record.ObjType, otDoor);
  EXPECT_EQ(o.Record.Number, 7);
  EXPECT_EQ(cp1251::ToUtf8(o.Record.Name), "Дверь");
  EXPECT_EQ(o.Record.WeaponValue, 61);
  EXPECT_EQ(o.Record.Health, -128);
  EXPECT_EQ(static_cast<uint8_t>(o.Record.ToBytes()[36]), 0x80);
  EXPECT_FALSE(o.Record.ConstantEffect);
  EXPECT_EQ(o.Record.LiftHeight, 0);
  EXPECT_EQ(o.Record.KeyCode, 0);
  EXPECT_FALSE(o.Record.Animated);
  EXPECT_EQ(o.Settings.PatternWidth, 32);
  EXPECT_EQ(o.Settings.PatternHeight, 64);
  EXPECT_TRUE(o.Settings.Transparent);
  EXPECT_EQ(o.Settings.TransparentColor, 0x00FF00FFu);
  EXPECT_EQ(o.PictureFileName, "pics/door.bmp");
}

TEST(NewObjectRecord, DefaultsGiveAWallWithoutColour) {
  const TNewObject o = TNewObjectBuilder::Build(TNewObjectChoices{}, 1);
  EXPECT_EQ(o.Record.ObjType, otWall);
  EXPECT_EQ(cp1251::ToUtf8(o.Record.Name), "новый");
  EXPECT_TRUE(o.Record.ConstantEffect);
  EXPECT_EQ(o.Record.WeaponValue, 1);
  EXPECT_EQ(o.Settings.TransparentColor, 0x1FFFFFFFu);
  EXPECT_FALSE(o.Settings.Transparent);
  EXPECT_TRUE(o.PictureFileName.empty());
}

TEST(NewObjectRecord, NameIsCutTo25Characters) {
  TNewObjectChoices c;
  c.Name = "Очень длинное имя объекта для уровня";  // 36 Cyrillic characters and blanks
  const TNewObject o = TNewObjectBuilder::Build(c, 1);
  EXPECT_EQ(o.Record.Name.size(), 25u);
  EXPECT_EQ(cp1251::ToUtf8(o.Record.Name), "Очень длинное имя объекта");
  c.Name = std::string(30, 'q');
  EXPECT_EQ(TNewObjectBuilder::Build(c, 1).Record.Name, std::string(25, 'q'));
}

TEST(NewObjectRecord, AnimationSpeedIsFramesOverTicksWhenAnimated) {
  TNewObjectChoices c;
  c.Animated = true;
  EXPECT_EQ(TNewObjectBuilder::Build(c, 1).Record.AnimSpeed, 0.0);  // "0" / "10"
  c.SpeedFrames = "1";
  const TNewObject o = TNewObjectBuilder::Build(c, 1);
  EXPECT_TRUE(o.Record.Animated);
  EXPECT_DOUBLE_EQ(o.Record.AnimSpeed, 0.1);
  c.SpeedFrames = "1,5";
  c.SpeedTicks = "3";
  EXPECT_DOUBLE_EQ(TNewObjectBuilder::Build(c, 1, ',').Record.AnimSpeed, 0.5);
}

TEST(NewObjectRecord, SpeedFieldsAreIgnoredWithoutAnimation) {
  TNewObjectChoices c;
  c.SpeedFrames = "abc";
  c.SpeedTicks = "0";
  const TNewObject o = TNewObjectBuilder::Build(c, 1);
  EXPECT_FALSE(o.Record.Animated);
  EXPECT_EQ(o.Record.AnimSpeed, 0.0);
}

void ExpectBuildFails(const std::string& frames, const std::string& ticks, const char* message) {
  TNewObjectChoices c;
  c.Animated = true;
  c.SpeedFrames = frames;
  c.SpeedTicks = ticks;
  try {
    TNewObjectBuilder::Build(c, 1);
    ADD_FAILURE() << frames << "/" << ticks << " built";
  } catch (const EKestriloError& e) {
    EXPECT_STREQ(e.what(), message) << frames << "/" << ticks;
  }
}

TEST(NewObjectRecord, SpeedFieldErrorsUseTheSystemsMessages) {
  ExpectBuildFails("abc", "10", "'abc' is not a valid floating point value");
  ExpectBuildFails("1", "", "'' is not a valid floating point value");
  ExpectBuildFails("1", "дес", "'дес' is not a valid floating point value");
  ExpectBuildFails("1", "0", "Floating point division by zero");
  ExpectBuildFails("0", "0", "Invalid floating point operation");
  ExpectBuildFails("1e300", "1e-300", "Floating point overflow");
}

TEST(NewObjectRecord, SpeedFieldErrorsHaveTheirKinds) {
  TNewObjectChoices c;
  c.Animated = true;
  c.SpeedFrames = "x";
  EXPECT_THROW(TNewObjectBuilder::Build(c, 1), EConvertError);
  c.SpeedFrames = "2";
  c.SpeedTicks = "0";
  EXPECT_THROW(TNewObjectBuilder::Build(c, 1), EZeroDivide);
  c.SpeedFrames = "0";
  EXPECT_THROW(TNewObjectBuilder::Build(c, 1), EInvalidOp);
}

TEST(FloatText, ReadsDecimalNumbersAsTyped) {
  EXPECT_EQ(TFloatText::StrToFloat("10"), 10.0);
  EXPECT_EQ(TFloatText::StrToFloat(" 2.5 "), 2.5);
  EXPECT_EQ(TFloatText::StrToFloat("-3"), -3.0);
  EXPECT_EQ(TFloatText::StrToFloat("+4."), 4.0);
  EXPECT_EQ(TFloatText::StrToFloat(".5"), 0.5);
  EXPECT_EQ(TFloatText::StrToFloat("1E2"), 100.0);
  EXPECT_EQ(TFloatText::StrToFloat("2,5", ','), 2.5);
  EXPECT_EQ(TFloatText::StrToFloat("2.5", ','), 2.5);
}

TEST(FloatText, RejectsWhatIsNotANumber) {
  for (const char* text : {"", " ", "inf", "nan", "1e", "--1", "1.2.3", "0x10", "1 2", ".", "1e999", "2,5"}) {
    EXPECT_THROW(TFloatText::StrToFloat(text), EConvertError) << text;
  }
}

TEST(FloatText, TextsAsLongAsAFieldHoldsAreReadWithoutFailing) {
  // A text field holds up to 32,767 characters.
  EXPECT_EQ(TFloatText::StrToFloat(std::string(32766, '0') + "1"), 1.0);
  EXPECT_EQ(TFloatText::StrToFloat("0." + std::string(32000, '0') + "1e32003"), 100.0);
  const std::string tooLarge(32767, '9');
  try {
    TFloatText::StrToFloat(tooLarge);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'" + tooLarge + "' is not a valid floating point value");
  }
  EXPECT_THROW(TFloatText::StrToFloat(std::string(32766, '1') + "x"), EConvertError);
}

}  // namespace
}  // namespace kestrilo
