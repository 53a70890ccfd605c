#pragma once

class QWidget;

// Finishes a window built from its form, for what a form cannot say:
// - a control marked "designPointSize" gets that point size (forms hold only
//   whole point sizes; the composer window uses 8.25, 9.75 and 14.25);
// - a label marked "autoSize" takes the size of its text in the font really
//   in use, keeping its position, since the fonts here may differ from the
//   ones the layout was drawn with;
// - a label marked "shrinkToFit" keeps its size and takes a smaller font if
//   its caption would not fit otherwise.
void applyFormDesign(QWidget *window);
