#pragma once

class QWidget;

// Gives every spin box on the form the range declared for its setting
// (declarations.h), the range the sanity pass keeps, so a box never lets
// through what a read or load would replace and never cuts short what it
// keeps.  Called once, before the window shows a value.
void rangeEditorsAsDeclared(QWidget *window);
