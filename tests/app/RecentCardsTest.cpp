#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RecentCards.h"

namespace velmora {
namespace {

using Names = std::vector<std::string>;

struct AddCase {
  const char* label;
  Names before;
  std::string name;
  bool added;
  Names after;
  int current_after;  // the marker; -1: none
};

TEST(RecentCardsTest, AddFollowsTheRecentListRules) {
  const Names five = {"/1", "/2", "/3", "/4", "/5"};
  const std::vector<AddCase> cases = {
      {"first open replaces the placeholder", {"Empty"}, "/c/a.vlm", true, {"/c/a.vlm"}, 0},
      {"second name goes on top", {"/a"}, "/b", true, {"/b", "/a"}, 0},
      {"fourth becomes fifth",
       {"/1", "/2", "/3", "/4"},
       "/0",
       true,
       {"/0", "/1", "/2", "/3", "/4"},
       0},
      {"sixth distinct name drops the oldest", five, "/6", true, {"/6", "/1", "/2", "/3", "/4"}, 0},
      {"a name already present changes nothing", five, "/3", false, five, -1},
      {"the newest again changes nothing", five, "/1", false, five, -1},
      {"an empty name is not kept", {"Empty"}, "", false, {"Empty"}, -1},
      {"a line break cannot be stored", {"/a"}, "/b\nc", false, {"/a"}, -1},
      // The placeholder is replaced only when it is the list's sole item.
      {"placeholder among names is an ordinary item",
       {"/a", "Empty"},
       "/b",
       true,
       {"/b", "/a", "Empty"},
       0},
  };
  for (const AddCase& c : cases) {
    RecentCards list(c.before);
    EXPECT_EQ(list.Add(c.name), c.added) << c.label;
    EXPECT_EQ(list.items(), c.after) << c.label;
    EXPECT_EQ(list.current(), c.current_after) << c.label;
  }
}

TEST(RecentCardsTest, MarkerFollowsOpeningAndAdding) {
  RecentCards list({"/a", "/b", "/c"});
  EXPECT_EQ(list.current(), -1);
  list.MarkCurrent(2);
  EXPECT_EQ(list.current(), 2);
  list.MarkCurrent(3);  // no such item
  EXPECT_EQ(list.current(), 2);
  list.Add("/b");  // already there: the marker stays where it was
  EXPECT_EQ(list.current(), 2);
  list.Add("/d");
  EXPECT_EQ(list.current(), 0);
  EXPECT_EQ(list.items(), (Names{"/d", "/a", "/b", "/c"}));
}

TEST(RecentCardsTest, SixOpensFromEmpty) {
  RecentCards list;
  EXPECT_TRUE(list.IsEmpty());
  for (const char* name : {"/1", "/2", "/3", "/4", "/5", "/6"}) list.Add(name);
  EXPECT_EQ(list.items(), (Names{"/6", "/5", "/4", "/3", "/2"}));
  EXPECT_FALSE(list.IsEmpty());
}

TEST(RecentCardsTest, RestoredListAndStartPanelLinks) {
  // Names that cannot be stored are dropped before the five are counted.
  RecentCards restored({"/home/u/a.vlm", "", "/b\r", "/x/b.jpg", "c.png", "/d/", "/e", "/f"});
  EXPECT_EQ(restored.items(), (Names{"/home/u/a.vlm", "/x/b.jpg", "c.png", "/d/", "/e"}));
  const Names links = {restored.LinkCaption(0), restored.LinkCaption(1), restored.LinkCaption(2),
                       restored.LinkCaption(3)};
  EXPECT_EQ(links, (Names{"a.vlm", "b.jpg", "c.png", ""}));

  const RecentCards empty(Names{});
  EXPECT_EQ(empty.items(), Names{"Empty"});
  for (size_t k = 0; k < RecentCards::kLinkCount; ++k) EXPECT_EQ(empty.LinkCaption(k), "Empty");
  const RecentCards two({"/a/one.vlm", "/two.vlm"});
  EXPECT_EQ(two.LinkCaption(1), "two.vlm");
  EXPECT_EQ(two.LinkCaption(2), "Empty");
}

}  // namespace
}  // namespace velmora
