#include "combat/sprite_record.h"

#include <cstdio>
#include <string>

#include "runtime/globals.h"

SDrawData MakeSpriteRecord(const char* keyPattern, int count, int width, int height) {
  SDrawData record;
  if (count <= 1) {
    record.AddImage(GetImageHandle(keyPattern));
  } else {
    for (int i = 1; i <= count; ++i) {
      char key[128];
      std::snprintf(key, sizeof key, keyPattern, i);
      record.AddImage(GetImageHandle(key));
    }
  }
  record.SetSize(width, height);
  record.SetImageSize(width, height);
  return record;
}
