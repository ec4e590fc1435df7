// The fixed names of the data files in the data folder. The level files are
// chosen by the designer and have no fixed name.
#pragma once

namespace kestrilo {

// The object library; its graphics file is named after it (".dxg").
inline constexpr const char* kObjectsFileName = "test.obj";
// The monster records.
inline constexpr const char* kMonstersFileName = "1.mon";
// The pictures the portal releases as dynamic objects.
inline constexpr const char* kPortalGraphicsFileName = "DinObj.dxg";

}  // namespace kestrilo
