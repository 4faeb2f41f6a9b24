#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "document/UndoRedo.h"

namespace velmora {
namespace {

using testing::AddLayer;

TEST(UndoRedo, EffectOnLayerUndoRedoUndo) {
  CardDocument doc;
  doc.NewCanvas(10, 10, 0xFFFFFFFF);
  BitmapLayer& l = AddLayer(doc, 2, 2, {0, 0, 2, 2}, 0xFF111111);
  doc.SelectLayer(&l);
  RememberEffect(doc);
  l.MutableBitmap().Clear(0xFF222222);
  EXPECT_EQ(UndoKindName(doc.undo_slot().kind), "effect");
  Undo(doc);
  EXPECT_EQ(l.bitmap().Pixel(0, 0), 0xFF111111u);
  EXPECT_FALSE(doc.CanUndo());
  ASSERT_TRUE(doc.CanRedo());
  Redo(doc);
  EXPECT_EQ(l.bitmap().Pixel(0, 0), 0xFF222222u);
  EXPECT_FALSE(doc.CanRedo());
  Undo(doc);
  EXPECT_EQ(l.bitmap().Pixel(0, 0), 0xFF111111u);
}

TEST(UndoRedo, OnlyTheLastStepIsKept) {
  CardDocument doc;
  doc.NewCanvas(2, 2, 0xFF000001);
  RememberEffect(doc);
  doc.MutableBaseImage().Clear(0xFF000002);
  RememberEffect(doc);
  doc.MutableBaseImage().Clear(0xFF000003);
  Undo(doc);
  EXPECT_EQ(doc.base_image().Pixel(0, 0), 0xFF000002u);
  Undo(doc);  // nothing left
  EXPECT_EQ(doc.base_image().Pixel(0, 0), 0xFF000002u);
}

TEST(UndoRedo, EffectStepFollowsItsLayerThroughReordering) {
  CardDocument doc;
  doc.NewCanvas(10, 10, 0xFFFFFFFF);
  BitmapLayer& a = AddLayer(doc, 1, 1, {0, 0, 1, 1}, 0xFF0000AA);
  BitmapLayer& b = AddLayer(doc, 1, 1, {0, 0, 1, 1}, 0xFF0000BB);
  doc.SelectLayer(&b);
  RememberEffect(doc);
  b.MutableBitmap().Clear(0xFF0000CC);
  doc.MoveLayer(1, 0);
  Undo(doc);
  EXPECT_EQ(b.bitmap().Pixel(0, 0), 0xFF0000BBu);
  EXPECT_EQ(a.bitmap().Pixel(0, 0), 0xFF0000AAu);
}

TEST(UndoRedo, ImageSizeStepScalesLocationsBackAndForth) {
  CardDocument doc;
  doc.NewCanvas(800, 600, 0xFFFFFFFF);
  BitmapLayer& l = AddLayer(doc, 10, 10, {100, 100, 300, 200});
  RememberSize(doc);
  // What Image Size to 400 x 300 does.
  doc.MutableBaseImage().SetSize(400, 300);
  l.set_location({50, 50, 150, 100});
  Undo(doc);
  EXPECT_EQ(doc.base_image().width(), 800);
  EXPECT_EQ(l.location(), (Location{100, 100, 300, 200}));
  Redo(doc);
  EXPECT_EQ(doc.base_image().width(), 400);
  EXPECT_EQ(l.location(), (Location{50, 50, 150, 100}));
  EXPECT_EQ(UndoKindName(doc.undo_slot().kind), "size");
}

TEST(UndoRedo, SizeScalingRoundsHalvesToEven) {
  CardDocument doc;
  doc.NewCanvas(300, 300, 0xFFFFFFFF);
  BitmapLayer& l = AddLayer(doc, 1, 1, {0, 0, 1, 1});
  RememberSize(doc);
  doc.MutableBaseImage().SetSize(200, 200);  // undo divides by 2/3
  l.set_location({1, 3, 5, 7});              // 1.5, 4.5, 7.5, 10.5
  Undo(doc);
  EXPECT_EQ(l.location(), (Location{2, 4, 8, 10}));
}

TEST(UndoRedo, CropStepShiftsLayersByTheOrigin) {
  CardDocument doc;
  doc.NewCanvas(640, 480, 0xFF0000FF);
  BitmapLayer& l = AddLayer(doc, 10, 10, {60, 30, 70, 40});
  doc.SelectLayer(&l);
  RememberCrop(doc, 50, 20);
  doc.MutableBaseImage().SetSize(100, 100);
  l.set_location({10, 10, 20, 20});
  Undo(doc);
  EXPECT_EQ(doc.base_image().width(), 640);
  EXPECT_EQ(l.location(), (Location{60, 30, 70, 40}));
  Redo(doc);
  EXPECT_EQ(doc.base_image().width(), 100);
  EXPECT_EQ(l.location(), (Location{10, 10, 20, 20}));
  EXPECT_EQ(UndoKindName(doc.undo_slot().kind), "crop");
}

TEST(UndoRedo, CanvasAndGeometrySteps) {
  CardDocument doc;
  doc.NewCanvas(4, 4, 0xFF000001);
  RememberCanvas(doc);
  doc.MutableBaseImage().Clear(0xFF000002);
  Undo(doc);
  EXPECT_EQ(doc.base_image().Pixel(0, 0), 0xFF000001u);
  EXPECT_EQ(UndoKindName(doc.redo_slot().kind), "holst");

  BitmapLayer& l = AddLayer(doc, 4, 2, {10, 20, 14, 22});
  doc.SelectLayer(&l);
  RememberGeometry(doc);
  l.MutableBitmap().SetSize(2, 4);
  doc.SetLayerLocation(l, {10, 20, 12, 24});
  Undo(doc);
  EXPECT_EQ(l.bitmap().width(), 4);
  EXPECT_EQ(l.location(), (Location{10, 20, 14, 22}));
  EXPECT_EQ(doc.selected_layer(), &l);
  Redo(doc);
  EXPECT_EQ(l.bitmap().width(), 2);
  EXPECT_EQ(l.location(), (Location{10, 20, 12, 24}));
}

TEST(UndoRedo, StepOfAFreedLayerRestoresNothing) {
  CardDocument doc;
  doc.NewCanvas(4, 4, 0xFFFFFFFF);
  BitmapLayer& l = AddLayer(doc, 2, 2, {0, 0, 2, 2});
  doc.SelectLayer(&l);
  RememberGeometry(doc);
  doc.FreeAllLayers();  // as Flatten Layers does
  EXPECT_FALSE(doc.CanUndo());
  Undo(doc);
  EXPECT_EQ(doc.LayerCount(), 0);
}

}  // namespace
}  // namespace velmora
