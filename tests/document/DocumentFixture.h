#pragma once

#include <gtest/gtest.h>

#include "document/CardDocument.h"

namespace velmora::testing {

// Counts what the document reports.
struct RecordingObserver : DocumentObserver {
  int changes = 0;
  int zoom_resets = 0;
  std::vector<SelectionPanel> panels;
  void OnDocumentChanged() override { ++changes; }
  void OnSelectionChanged(SelectionPanel p) override { panels.push_back(p); }
  void OnZoomReset() override { ++zoom_resets; }
};

inline BitmapLayer& AddLayer(CardDocument& doc, int w, int h, Location at,
                             Color32 colour = 0xFFFF0000) {
  return doc.AppendBitmapLayer(Bitmap32(w, h, colour), at);
}

}  // namespace velmora::testing
