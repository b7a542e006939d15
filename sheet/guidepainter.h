// The last layers of the sheet view: the input-guide overlay, the header
// button tooltip and the mark tooltip.
#pragma once

#include <QString>

#include "core/workbook.h"
#include "sheet/geometry.h"

class QPainter;

namespace tgc {

class DocWnd;

enum class BalloonDirection { Above, Below, Right, RightPastNext };

struct GuideStep {
  GridPos box;
  BalloonDirection direction;
};

GuideStep guideStep(SheetType type, int step);  // step 0..3
QString guideStepText(SheetType type, int step);
QString guidePurposeText(SheetType type);
QString guideLabelText(SheetType type);
QString guideTipText(int tip);  // tip 0..2
QString guideTipsLabelText();   // the tab over the tips
QString buttonTooltipText(int button);
// The whole guide as one text to read: label, purpose, the numbered steps,
// the tips under their label.
QString guideReadingText(SheetType type);

// Balloon rectangle of a guide step in a view of width W and height H, and
// the point its pointer reaches (the centre of the target box's cell).
struct GuideBalloon {
  int left = 0, top = 0, width = 0, height = 0;
  int textHeight = 0;
  int pointX = 0, pointY = 0;
};
GuideBalloon guideBalloon(SheetType type, int step, int W, int H);

// Placement of a tooltip balloon of a given natural width for an anchor
// spanning [anchorLeft, anchorLeft + anchorWidth): centred under it, kept
// 20 pixels inside the view, and narrowed to the view when still too wide.
struct TooltipBox {
  int left = 0, width = 0;
};
TooltipBox placeTooltip(int anchorLeft, int anchorWidth, int width, int W);

void paintGuideOverlay(QPainter& p, int W, int H, SheetType type);
void paintButtonTooltip(QPainter& p, int W, int button, const Rect& buttonRect);
void paintMarkTooltip(QPainter& p, const DocWnd& w, int W, int H, GridPos box);

}  // namespace tgc
