#include "editor/PlacedObjectProperties.h"

#include <QCoreApplication>

#include "editor/ObjectTypeNames.h"
#include "library/ObjectDataBase.h"
#include "platform/Cp1251.h"
#include "world/GameContext.h"
#include "world/LevelDraft.h"

namespace kestrilo {

namespace {

QString UndoText(const char* SourceText, const TPlacedObject& Object) {
  return QCoreApplication::translate("TPlacedObjectProperties", SourceText).arg(cp1251::ToQString(Object.Name));
}

}  // namespace

std::string ObjectTypeName(uint8_t Type) {
  if (Type >= std::size(kObjectTypeNames)) return std::to_string(Type);
  return QCoreApplication::translate(kObjectTypeContext, kObjectTypeNames[Type]).toStdString();
}

TPlacedObjectProperties::TPlacedObjectProperties(TGameContext& Context, TRecorder Record)
    : context_(Context), record_(std::move(Record)) {}

bool TPlacedObjectProperties::ChooseAt(int64_t Column, int64_t Row, int32_t Plane) {
  chosen_.reset();
  if (!context_.PlayedLevel || !context_.ObjectDataBase || !TMatrix::IsInside(Column, Row)) return false;
  const std::optional<TPlacedObject> object =
      PlacedObjectCovering(context_.DesignedLevel(), *context_.ObjectDataBase, Plane, static_cast<int32_t>(Column),
                           static_cast<int32_t>(Row));
  if (object) {
    chosen_ = object->At;
    chosenNumber_ = object->Number;
  }
  return object.has_value();
}

bool TPlacedObjectProperties::ChooseAt(int64_t Column, int64_t Row) {
  return ChooseAt(Column, Row, context_.CurrentPlane);
}

std::optional<TPlacedObject> TPlacedObjectProperties::Chosen() {
  if (!chosen_ || !context_.PlayedLevel || !context_.ObjectDataBase) return std::nullopt;
  const TMatrix& level = context_.DesignedLevel();
  std::optional<TPlacedObject> object = PlacedObjectAt(level, *context_.ObjectDataBase, *chosen_);
  for (int32_t plane = 0; !object && plane < TMatrix::kPlaneCount; ++plane) {
    std::optional<TPlacedObject> moved =
        PlacedObjectAt(level, *context_.ObjectDataBase, {plane, chosen_->Column, chosen_->Row});
    if (moved && moved->Number == chosenNumber_) object = moved;
  }
  if (object) {
    chosen_ = object->At;
    chosenNumber_ = object->Number;
  }
  return object;
}

std::optional<TPlacedObjectSheet> TPlacedObjectProperties::Sheet() {
  const std::optional<TPlacedObject> object = Chosen();
  if (!object) return std::nullopt;
  TPlacedObjectSheet sheet;
  sheet.Name = cp1251::ToQString(object->Name);
  sheet.Number = object->Number;
  sheet.TypeName = QString::fromStdString(ObjectTypeName(object->Type));
  sheet.Plane = object->At.Plane;
  sheet.Column = object->At.Column;
  sheet.Row = object->At.Row;
  sheet.Footprint = object->Footprint;
  sheet.LiftHeight = object->LiftHeight;
  sheet.KeyCode = object->KeyCode;
  sheet.HasLiftHeight = object->HasLiftHeight();
  sheet.HasKeyCode = object->HasKeyCode();
  return sheet;
}

std::vector<QString> TPlacedObjectProperties::LibraryNames() const {
  std::vector<QString> names;
  if (!context_.ObjectDataBase) return names;
  for (const TObjectRecord& record : context_.ObjectDataBase->Records) names.push_back(cp1251::ToQString(record.Name));
  return names;
}

TObjectEditResult TPlacedObjectProperties::Apply(
    const std::function<TObjectEditResult(TLevelDraft&, const TPlacedAnchor&)>& Edit, const QString& Text) {
  const std::optional<TPlacedObject> object = Chosen();
  if (!object)
    return {
        QCoreApplication::translate("TPlacedObjectProperties", "Объект не выбран: Alt+щелчок по объекту выбирает его")
            .toStdString()};
  TLevelDraft draft(context_.DesignedLevel());
  TObjectEditResult result = Edit(draft, object->At);
  if (!result.Done()) return result;
  // The recorder may still refuse (the plane is locked) and says why.
  return {record_(draft, Text,
                  QCoreApplication::translate("TPlacedObjectProperties", "Изменено: %1").arg(Text).toStdString())};
}

TObjectEditResult TPlacedObjectProperties::SetLiftHeight(int32_t Value) {
  const std::optional<TPlacedObject> object = Chosen();
  return Apply(
      [&](TLevelDraft& Draft, const TPlacedAnchor& At) {
        return kestrilo::SetLiftHeight(Draft, *context_.ObjectDataBase, At, Value);
      },
      object ? UndoText(QT_TRANSLATE_NOOP("TPlacedObjectProperties", "высота лифта «%1»"), *object) : QString());
}

TObjectEditResult TPlacedObjectProperties::SetKeyCode(int32_t Value) {
  const std::optional<TPlacedObject> object = Chosen();
  return Apply(
      [&](TLevelDraft& Draft, const TPlacedAnchor& At) {
        return kestrilo::SetKeyCode(Draft, *context_.ObjectDataBase, At, Value);
      },
      object ? UndoText(QT_TRANSLATE_NOOP("TPlacedObjectProperties", "код ключа «%1»"), *object) : QString());
}

TObjectEditResult TPlacedObjectProperties::MoveToPlane(int32_t Plane) {
  const std::optional<TPlacedObject> object = Chosen();
  const TObjectEditResult result =
      Apply([&](TLevelDraft& Draft,
                const TPlacedAnchor& At) { return kestrilo::MoveToPlane(Draft, *context_.ObjectDataBase, At, Plane); },
            object ? UndoText(QT_TRANSLATE_NOOP("TPlacedObjectProperties", "перенос «%1» на другой план"), *object)
                   : QString());
  // The choice goes along; an undo brings it back through Chosen.
  if (result.Done() && chosen_) chosen_->Plane = Plane;
  return result;
}

TObjectEditResult TPlacedObjectProperties::ChangeObject(const QString& Name) {
  const std::optional<TPlacedObject> object = Chosen();
  const std::string stored = cp1251::FromQString(Name);
  return Apply(
      [&](TLevelDraft& Draft, const TPlacedAnchor& At) {
        return kestrilo::ChangeObject(Draft, *context_.ObjectDataBase, At, stored);
      },
      object ? UndoText(QT_TRANSLATE_NOOP("TPlacedObjectProperties", "замена «%1»"), *object) : QString());
}

}  // namespace kestrilo
