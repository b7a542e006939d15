// Paints the sheet view of a controller's current state into any painter:
// desk, board and paper, header buttons, grid and boxes, the selection
// frame, then the guide overlay and the tooltips. Painting keeps no state
// between calls apart from the header-button rectangles it reports.
#pragma once

#include <QFont>
#include <QRect>
#include <array>

#include "sheet/geometry.h"
#include "sheet/interaction.h"

class QPainter;

namespace tgc {

class DocWnd;

struct PaintContext {
  bool hasFocus = false;       // the view holds the keyboard focus
  QFont textFont;              // the user's text font for words
  qreal devicePixelRatio = 1;  // of the target, for the pictures
  // For print and export: the paper and what is written on it, without the
  // desk, the header buttons, the selection frame, the guide, the tooltips
  // and any sign of the pointer or an open editor.
  bool paperOnly = false;
  int sheet = -1;  // the sheet to draw; -1 for the current one
};

// The paper of a view of that size: the part that goes on paper.
QRect paperRect(int width, int height);

using HeaderRects = std::array<Rect, kHeaderButtonCount>;

// Where the header buttons of a view of that width stand when not pressed
// (a pressed image button moves one pixel down and right); all zeros for
// the idea button, which only Type-A sheets have.
HeaderRects headerButtonRects(int width, SheetType type);

class SheetPainter {
 public:
  SheetPainter(QPainter& p, const DocWnd& w, int width, int height, const PaintContext& context);

  // Paints everything and returns the header-button rectangles (all zeros
  // for an absent button).
  HeaderRects paint();

 private:
  void paintFrame();
  void paintHeader();
  void paintImageButton(int id, const Rect& at, int image);
  void paintTextButton(int id, const Rect& at, int boxLeft, const QString& label, const QFont& font);
  void paintGrid();
  void paintBoxes();
  void paintBox(const SheetLayout& layout, int column, int row);
  void paintSelection();

  QPainter& p_;
  const DocWnd& w_;
  const int W_, H_;
  const PaintContext& ctx_;
  const int sheetIndex_;
  const Sheet* const sheet_;  // nullptr when out of range
  const SheetType type_;
  HeaderRects rects_{};
};

}  // namespace tgc
