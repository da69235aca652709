#include "settings/dialog_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gyra {
namespace {

Box ClientOf(int container) {
  const Box outer = kPic_B[container];
  if (container == 0) return {0, 0, outer.width, outer.height};
  return {0, 0, outer.width - 2 * kPanelEdge, outer.height - 2 * kPanelEdge};
}

bool Inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

std::vector<Box> PanelsAndResult() {
  std::vector<Box> boxes(kPic_B.begin() + 1, kPic_B.end());
  boxes.push_back(kPic_Rnder);
  return boxes;
}

TEST(DialogLayout, PanelsLieApartInsideTheBackground) {
  const std::vector<Box> boxes = PanelsAndResult();
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_TRUE(Inside(boxes[i], kPic_B[0])) << "panel " << i;
    for (size_t j = i + 1; j < boxes.size(); ++j) EXPECT_FALSE(Overlap(boxes[i], boxes[j])) << i << " " << j;
  }
}

TEST(DialogLayout, EachHeaderSitsOnTopOfItsPanel) {
  // Img_h index -> the box below it: Pic_B(1), (2), (3), (4), (6), (5), result.
  const Box below[7] = {kPic_B[1], kPic_B[2], kPic_B[3], kPic_B[4], kPic_B[6], kPic_B[5], kPic_Rnder};
  for (size_t i = 0; i < kImg_h.size(); ++i) {
    EXPECT_EQ(kImg_h[i].left, below[i].left) << i;
    EXPECT_EQ(kImg_h[i].top + kHeaderHeight + 2, below[i].top) << i;
  }
}

TEST(DialogLayout, EveryControlLiesInsideItsContainer) {
  const struct {
    const char* name;
    Place place;
  } controls[] = {
      {"Img_Stretch", kImg_Stretch}, {"Img_Trim", kImg_Trim},           {"Img_BGM(0)", kImg_BGM[0]},
      {"Img_BGM(1)", kImg_BGM[1]},   {"Img_Move(0)", kImg_Move[0]},     {"Img_Move(1)", kImg_Move[1]},
      {"Img_Move(2)", kImg_Move[2]}, {"Img_Kaiten(0)", kImg_Kaiten[0]}, {"Img_Kaiten(1)", kImg_Kaiten[1]},
      {"Scroll_Trim", kScroll_Trim}, {"Pic_Orgn", kPic_Orgn},           {"lbl_Path", kLbl_Path},
      {"lbl_Flame", kLbl_Flame},     {"Scroll_Flame", kScroll_Flame},   {"lbl_Radius", kLbl_Radius},
      {"Scroll_Radius", kScroll_Radius}, {"BGM_Repeat", kBGM_Repeat},   {"Scroll_Fast", kScroll_Fast},
      {"lbl_Fast", kLbl_Fast},       {"lbl_URL", kLbl_URL},
  };
  for (const auto& c : controls) EXPECT_TRUE(Inside(c.place.box, ClientOf(c.place.container))) << c.name;
  for (size_t i = 1; i < kButtons.size(); ++i) {
    const ButtonPlace& b = kButtons[i];
    const Box face{b.left, b.top, kButtonWidth, kButtonHeight};
    const Box label{b.left + kCaptionInset, b.top + kCaptionInset, b.label_width, kButtonLabelHeight};
    EXPECT_TRUE(Inside(face, ClientOf(b.container))) << "button " << i;
    EXPECT_TRUE(Inside(label, face)) << "button " << i;
  }
}

TEST(DialogLayout, EveryMarkHasItsCaptionBesideIt) {
  std::vector<Place> marks = {kImg_Stretch, kImg_Trim};
  marks.insert(marks.end(), kImg_BGM.begin(), kImg_BGM.end());
  marks.insert(marks.end(), kImg_Move.begin(), kImg_Move.end());
  marks.insert(marks.end(), kImg_Kaiten.begin(), kImg_Kaiten.end());
  for (const Place& mark : marks) {
    int found = 0;
    for (const Caption& c : kCaptions)
      found += c.container == mark.container && c.top == mark.box.top &&
               c.left == mark.box.left + kMarkCaptionGap;
    EXPECT_EQ(found, 1) << "mark at " << mark.container << ": " << mark.box.left << "," << mark.box.top;
  }
}

TEST(DialogLayout, CaptionsStartInsideTheirContainer) {
  for (const Caption& c : kCaptions)
    EXPECT_TRUE(Inside({c.left, c.top, 1, 1}, ClientOf(c.container))) << std::string(c.text);
}

}  // namespace
}  // namespace gyra
