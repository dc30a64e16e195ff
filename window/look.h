#pragma once

#include <QFont>
#include <QStringList>

class QMainWindow;
class QWidget;

// The form was drawn on a desktop with narrower fonts and a style that
// shows spin-box arrows in any colour.  These adjust it at start-up to the
// desktop it runs on, leaving the sheets and the geometry as drawn.

// The first of `candidates` in which every text of `texts`, set in `font`
// with only the family changed, fits into `width` pixels; the narrowest of
// them when none fits.
QString fittingFamily(const QFont &font, const QStringList &texts, int width, const QStringList &candidates);

// Families tried for the channel names: the one the box inherits first,
// so a desktop where it fits keeps it.
QStringList channelNameFamilies(const QString &inherited);

// Keeps the read-only captions free of selections and the first focus on
// the open button, picks the channel names' family, lets the monitor's
// bars and panel paint without what lies behind them, and gives the spin
// boxes a style that draws their arrows in the sheet's colours.
void adaptLookToPlatform(QWidget *window);

// The form at its designed size in a scroll area: scroll bars when the
// window is smaller (a laptop screen), the form centred on the window's
// dark grey when it is larger (maximised); at the designed size nothing of
// the area shows.
void formInScrollArea(QMainWindow *window);

// Shows the window, first made small enough for the screen's free room
// with a title bar, where it would not fit as designed.
void showOnScreen(QWidget *window);

// Scales the window with the screen's density, as Qt 6 does by itself;
// call before the QApplication is made.
void enableHighDpiScaling();
