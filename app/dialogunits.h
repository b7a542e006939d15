// Dialog templates give positions and sizes in dialog units: across, a
// quarter of the dialog font's average character width; down, an eighth of
// its height. Windows built from such a template keep its proportions with
// whatever font stands in for the template's.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QString;

namespace tgc {

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  DialogUnits(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

  // The font's average character width (of the 52 Latin letters) and height.
  int baseWidth() const { return baseWidth_; }
  int baseHeight() const { return baseHeight_; }

  int x(int units) const;
  int y(int units) const;
  QSize size(int width, int height) const;
  QRect rect(int left, int top, int width, int height) const;

 private:
  int baseWidth_;
  int baseHeight_;
};

// A template's font: the installed stand-in of its face at its point size.
QFont dialogTemplateFont(const QString& face, int pointSize);

}  // namespace tgc
