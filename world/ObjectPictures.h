// How game objects reach the object pictures and the record names that mean
// "nothing": small helpers shared by the factory and the objects it makes.
#pragma once

#include <string>

namespace kestrilo {

class TSprite;
class TImageSprite;
class TPictureCollectionItem;

// True for a name that makes no object: empty, or the empty record's "пустая".
bool IsNamelessName(const std::string& Name);

// The object picture named Name (Windows-1251) in the tree's context, found
// ignoring letter case. Throws EPictureCollectionError "Image '%s' not found".
TPictureCollectionItem& FindObjectPicture(const TSprite& Sprite, const std::string& Name);
// The same, or none when there is no such picture.
TPictureCollectionItem* FindObjectPictureOrNone(const TSprite& Sprite, const std::string& Name);

// Picture := Item; Width, Height := its frame size.
void ShowPicture(TImageSprite& Sprite, TPictureCollectionItem& Item);
// FrameCount := the picture's frame count, FramePos := 0, FrameSpeed := Speed, Looping := true.
void LoopFrames(TImageSprite& Sprite, double Speed);

}  // namespace kestrilo
