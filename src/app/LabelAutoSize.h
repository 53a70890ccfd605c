#pragma once

class QWidget;

// Labels whose form marks them "autoSize" take the size of their text in the
// font really in use, keeping their position; the fonts here differ from the
// ones the layout was drawn with.
void fitAutoSizeLabels(QWidget *window);
