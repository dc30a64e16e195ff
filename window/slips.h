#pragma once

class QWidget;

// Keeps a scrolling wheel off the editors: a spin box or a combo box takes
// the wheel only once it has focus (a click or Tab), so turning the wheel
// while the pointer passes over the page changes nothing.
void keepWheelOffUnfocusedEditors(QWidget *window);
