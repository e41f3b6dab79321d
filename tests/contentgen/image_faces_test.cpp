#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "images/artwork.h"

namespace contentgen {
namespace {

TEST(FaceTest, EveryPortraitIsAFramedCardOfItsOwn) {
  std::vector<CCanvas> faces;
  for (const char* f : {"fighter", "knight", "sorcerer", "sorceress", "priestess", "unknown", "kobold", "fairy",
                        "spilit_of_fire", "spilit_of_water", "spilit_of_forest", "spilit_of_ray"}) {
    SCOPED_TRACE(f);
    faces.push_back(DrawFace(std::string(f) + "_face.png"));
    const CCanvas& c = faces.back();
    ASSERT_EQ(c.Width(), 96);
    ASSERT_EQ(c.Height(), 96);
    EXPECT_FALSE(c.Covered(0, 0)) << "rounded corners are keyed out";
    // No hole inside the card for the dialog's white to show through.
    for (int y = 4; y < 92; ++y)
      for (int x = 4; x < 92; ++x) ASSERT_TRUE(c.Covered(x, y)) << x << "," << y;
  }
  for (std::size_t i = 0; i < faces.size(); ++i)
    for (std::size_t j = i + 1; j < faces.size(); ++j) EXPECT_NE(faces[i].Pixels(), faces[j].Pixels()) << i << "," << j;
  EXPECT_THROW(DrawFace("daemon_face.png"), std::runtime_error);
}

}  // namespace
}  // namespace contentgen
